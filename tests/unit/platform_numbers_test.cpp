// The one reader of decimal text, and halves rounded to even.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

#include "platform/numbers.h"
#include "platform/units.h"

namespace velmora {
namespace {

TEST(ParseDecimal, ReadsSignedDecimalsWithBlanksAround) {
    EXPECT_EQ(ParseDecimal("1"), 1.0);
    EXPECT_EQ(ParseDecimal(" \t+01.50 "), 1.5);
    EXPECT_EQ(ParseDecimal("-.5"), -0.5);
    EXPECT_EQ(ParseDecimal("2."), 2.0);
    EXPECT_EQ(ParseDecimal("1e3"), 1000.0);
    EXPECT_EQ(ParseDecimal("1E-2"), 0.01);
}

TEST(ParseDecimal, RefusesWhatIsNotAPlainDecimal) {
    for (const char* text : {"", " ", ".", "+", "1 1", "1,5", "0x10", "inf", "nan", "1e", "1e+", "--1", "1.2.3",
                             "abc", "1abc", "１"}) {
        EXPECT_EQ(ParseDecimal(text), std::nullopt) << text;
    }
    EXPECT_EQ(ParseDecimal("1e3", false), std::nullopt);
}

TEST(ParseDecimal, OutOfRangeIsInfinityOrZero) {
    EXPECT_EQ(ParseDecimal("1e999"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(ParseDecimal("-1e999"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(ParseDecimal("1e-999"), 0.0);
    EXPECT_EQ(ParseDecimal(std::string(400, '9'), false), std::numeric_limits<double>::infinity());
}

// Every size and place of a window is rounded this way.
TEST(Rounding, HalvesGoToTheEvenNeighbour) {
    const struct {
        double in;
        int out;
    } cases[] = {
        {2.5, 2},   {3.5, 4},    {0.5, 0},    {1.5, 2},    {-0.5, 0},    {-2.5, -2},
        {-3.5, -4}, {2.49, 2},   {2.51, 3},   {-2.51, -3}, {-2.49, -2},  {0.0, 0},
        {7.0, 7},   {-7.0, -7},  {373.3333, 373}, {466.6667, 467}, {1e12, 2147483647}, {-1e12, -2147483647 - 1},
    };
    for (const auto& c : cases) EXPECT_EQ(RoundHalfEven(c.in), c.out) << c.in;
}

TEST(Rounding, TwipsConvertWithTheSameRounding) {
    const struct {
        double twips, tpp;
        int pixels;
    } cases[] = {
        {7800, 15, 520},
        {5600, 15, 373},  // 373.33
        {5600, 12, 467},  // 466.67 at 120 dpi
        {37.5, 15, 2},                 // 2.5
        {52.5, 15, 4},                 // 3.5
        {-37.5, 15, -2},
    };
    for (const auto& c : cases) EXPECT_EQ(TwipsToPixels(c.twips, c.tpp), c.pixels) << c.twips << " / " << c.tpp;
}

}  // namespace
}  // namespace velmora
