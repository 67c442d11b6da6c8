#include "settings/placement_codec.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace velmora::placement {

// Readable failure messages.
void PrintTo(const Box& b, std::ostream* os) {
    *os << "(" << b.left << ", " << b.top << ")-(" << b.right << ", " << b.bottom << ")";
}

namespace {

TEST(PlacementFields, ReadInOrderWithDefaultsThatFitASmallScreen) {
    const auto fields = Fields();
    ASSERT_EQ(fields.size(), 4u);
    const std::vector<std::string_view> names = {"frmLeft", "frmTop", "frmWidth", "frmHeight"};
    for (std::size_t i = 0; i < names.size(); ++i) EXPECT_EQ(fields[i].name, names[i]);
    // At 15 twips a pixel the default window lies wholly on an 800 x 600
    // screen.
    EXPECT_LE((fields[0].fallback + fields[2].fallback) / 15, 800);
    EXPECT_LE((fields[1].fallback + fields[3].fallback) / 15, 600);
    EXPECT_GT(fields[2].fallback, 0);
    EXPECT_GT(fields[3].fallback, 0);
    // The defaults survive being written and read back.
    for (const Field& f : fields) EXPECT_EQ(ParseValue(FormatValue(f.fallback)), f.fallback) << f.name;
}

TEST(PlacementText, WholeTwipsRoundTripAsPlainIntegers) {
    const struct {
        double twips;
        const char* text;
    } cases[] = {
        {1500, "1500"}, {2250, "2250"}, {-300, "-300"}, {7800, "7800"}, {5600, "5600"},
        {0, "0"},       {-0.0, "0"},    {1e10, "10000000000"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatValue(c.twips), c.text);
        EXPECT_EQ(ParseValue(c.text), c.twips) << c.text;
    }
}

TEST(PlacementText, FormattingRoundsToSinglePrecision) {
    const struct {
        double twips;
        const char* text;
    } cases[] = {
        {1500.5, "1500.5"},
        {0.1, "0.1"},                 // shortest text of the float, not 0.10000000149011612
        {1234.56789, "1234.5679"},
        {1500.00001, "1500"},         // whole once rounded to a float
        {16777217, "16777216"},       // 2^24 + 1 has no float
        {1e20, "1e+20"},              // whole, but beyond the plain-integer range
        {-2.5e-7, "-2.5e-07"},
    };
    for (const auto& c : cases) {
        const std::string text = FormatValue(c.twips);
        EXPECT_EQ(text, c.text) << c.twips;
        const auto back = ParseValue(text);
        ASSERT_TRUE(back) << text;
        EXPECT_EQ(static_cast<float>(*back), static_cast<float>(c.twips)) << text;
    }
}

TEST(PlacementText, ValuesBeyondSinglePrecisionAreNotWrittenAsNumbers) {
    // Whatever is written must read back as "no number", so that the
    // default is used instead.
    for (double v : {1e39, -1e39, std::numeric_limits<double>::infinity(), std::nan("")}) {
        EXPECT_EQ(ParseValue(FormatValue(v)), std::nullopt) << FormatValue(v);
    }
}

TEST(PlacementText, AcceptsDecimalNumbers) {
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {" 1500 ", 1500},  {"\t2250\t", 2250}, {"1.5e3", 1500},   {"1.5E+3", 1500}, {"15e-1", 1.5},
        {"-0", 0},         {"+7800", 7800},    {"-300", -300},    {"0.5", 0.5},     {".5", 0.5},
        {"5.", 5},         {"007", 7},         {"3.4e38", 3.4e38}, {"-3.4e38", -3.4e38},
        {"1e-400", 0},     {"0e999999", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseValue(c.text), c.value) << '"' << c.text << '"';
    EXPECT_TRUE(std::signbit(*ParseValue("-0")));
}

TEST(PlacementText, RejectsAnythingElse) {
    const char* const cases[] = {
        "",      "   ",    "abc",    "12abc",  "1500 x", "x1500", "1 500", "--1",   "+-1",  "+",
        "-",     ".",      "e5",     "1e",     "1e+",    "1.5.2", "inf",   "-inf",  "nan",  "INF",
        "infinity", "0x10", "0x1p3", "1,5",    "3.5e38", "-3.5e38", "1e39", "1e400", "1e999999999999999999",
        "1500\n", "1500\r",
    };
    for (const char* text : cases) EXPECT_EQ(ParseValue(text), std::nullopt) << '"' << text << '"';
}

TEST(KeepOnScreen, LeavesVisibleWindowsAlone) {
    const std::vector<Box> screen = {{0, 0, 1280, 800}};
    const Box cases[] = {
        {100, 100, 620, 473},
        {1279, 799, 1799, 1172},   // one pixel on the screen
        {-519, -372, 1, 1},        // the screen's first pixel
        {-100, 300, 1500, 400},    // wider than the screen
    };
    for (const Box& w : cases) EXPECT_EQ(KeepOnScreen(w, screen), w) << w.left << "," << w.top;
    // With nothing to compare against there is nothing to do.
    EXPECT_EQ(KeepOnScreen({5000, 5000, 5520, 5373}, {}), (Box{5000, 5000, 5520, 5373}));
}

TEST(KeepOnScreen, BringsAWindowBackToTheOnlyScreen) {
    const std::vector<Box> screen = {{0, 0, 1280, 800}};
    const struct {
        Box window;
        Box moved;
        const char* where;
    } cases[] = {
        {{3000, 100, 3520, 473}, {760, 100, 1280, 473}, "far right: flush with the right edge"},
        {{-3000, -2000, -2480, -1627}, {0, 0, 520, 373}, "far above-left: the corner"},
        {{1280, 799, 1800, 1172}, {760, 427, 1280, 800}, "just touching the right edge"},
        {{-520, 300, 0, 673}, {0, 300, 520, 673}, "just touching the left edge"},
        {{200, 900, 720, 1273}, {200, 427, 720, 800}, "below: only the top changes"},
        {{2000, 2000, 4000, 3000}, {0, 0, 2000, 1000}, "larger than the screen: top-left aligned"},
    };
    for (const auto& c : cases) EXPECT_EQ(KeepOnScreen(c.window, screen), c.moved) << c.where;
}

TEST(KeepOnScreen, PicksTheNearestScreen) {
    // Two screens side by side, the second one shorter and lower.
    const std::vector<Box> screens = {{0, 0, 1280, 800}, {1280, 100, 2560, 868}};
    const struct {
        Box window;
        Box moved;
        const char* where;
    } cases[] = {
        {{4000, 200, 4520, 573}, {2040, 200, 2560, 573}, "beyond the second screen's right"},
        {{-2000, 200, -1480, 573}, {0, 200, 520, 573}, "beyond the first screen's left"},
        {{1500, 0, 2020, 90}, {1500, 100, 2020, 190}, "in the notch above the second screen"},
        {{1100, 1000, 1620, 1373}, {1280, 495, 1800, 868}, "below both, nearer the second"},
        // 200 px below the first; 132 below and 260 left of the second.
        {{500, 1000, 1020, 1373}, {500, 427, 1020, 800}, "below both, nearer the first"},
    };
    for (const auto& c : cases) EXPECT_EQ(KeepOnScreen(c.window, screens), c.moved) << c.where;
}

TEST(KeepOnScreen, DistanceIsStraightLineBetweenClosestPoints) {
    // A 100 x 100 window with one screen straight below it and another
    // 100 px right of and 100 px above it (141 px away). Summing the gaps
    // would make the diagonal screen 200 px away, taking the larger gap
    // 100 px; each mistake flips one of these cases.
    const Box window{0, 0, 100, 100};
    const Box diagonal{200, -1100, 1200, -100};
    const struct {
        Box below;
        Box moved;
    } cases[] = {
        {{0, 250, 1000, 1250}, {200, -200, 300, -100}},  // 150 px below: the diagonal one is nearer
        {{0, 220, 1000, 1220}, {0, 220, 100, 320}},      // 120 px below: this one is nearer
    };
    for (const auto& c : cases) {
        const std::vector<Box> screens = {c.below, diagonal};
        EXPECT_EQ(KeepOnScreen(window, screens), c.moved) << "screen below at " << c.below.top;
    }
}

TEST(KeepOnScreen, TiesGoToTheFirstArea) {
    // The window is 100 px from each of two screens stacked left and right
    // of it.
    const std::vector<Box> screens = {{0, 0, 800, 600}, {1440, 0, 2240, 600}};
    const Box window{900, 100, 1340, 400};
    EXPECT_EQ(KeepOnScreen(window, screens), (Box{360, 100, 800, 400}));
    const std::vector<Box> swapped = {screens[1], screens[0]};
    EXPECT_EQ(KeepOnScreen(window, swapped), (Box{1440, 100, 1880, 400}));
}

TEST(KeepOnScreen, FarOffCoordinatesDoNotOverflow) {
    const std::vector<Box> screens = {{0, 0, 1280, 800}, {-1920, 0, 0, 1080}};
    const int big = std::numeric_limits<int>::max() - 1000;
    EXPECT_EQ(KeepOnScreen({big - 520, 10, big, 383}, screens), (Box{760, 10, 1280, 383}));
    const int small = std::numeric_limits<int>::min() + 1000;
    EXPECT_EQ(KeepOnScreen({small, 10, small + 520, 383}, screens), (Box{-1920, 10, -1400, 383}));
}

TEST(KeepGrownWindowInside, MovesBackOnlyWhatTheScaleMadeOverhang) {
    const Box area{0, 0, 1280, 800};
    // The first-run place, 1000 twips, at 200 %: 133 + 747 runs 80 px past the bottom.
    EXPECT_EQ(KeepGrownWindowInside({133, 133, 1173, 880}, 520, 374, area), (Box{133, 53, 1173, 800}));
    // At 150 % it fits where it is.
    EXPECT_EQ(KeepGrownWindowInside({100, 100, 880, 660}, 520, 374, area), (Box{100, 100, 880, 660}));
    // Hanging over at 100 % as well: where the user put it, left alone.
    EXPECT_EQ(KeepGrownWindowInside({1000, 600, 2040, 1347}, 520, 374, area), (Box{1000, 600, 2040, 1347}));
    // Larger than the area: its top-left corner at the area's.
    EXPECT_EQ(KeepGrownWindowInside({10, 10, 2610, 1880}, 520, 374, area), (Box{0, 0, 2600, 1870}));
    // On a second monitor right of the first.
    EXPECT_EQ(KeepGrownWindowInside({1400, 200, 2180, 760}, 520, 374, {1280, 0, 2080, 600}),
              (Box{1300, 40, 2080, 600}));
}

}  // namespace
}  // namespace velmora::placement
