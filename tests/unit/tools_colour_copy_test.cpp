// What the colour picker copies: a colour as #RRGGBB, rgb() and hsl(), the
// history of copied colours, and the copy menu built from both.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "tools/colour_copy.h"

namespace velmora {
namespace {

using colour::CopyHistory;
using colour::Hsl;

constexpr std::uint32_t Rgb(unsigned r, unsigned g, unsigned b) { return r | (g << 8) | (b << 16); }

TEST(ColourCopy, KnownColoursInAllThreeForms) {
    const struct {
        std::uint32_t colour;
        const char *hex, *rgb, *hsl;
    } cases[] = {
        {Rgb(171, 205, 239), "#ABCDEF", "rgb(171, 205, 239)", "hsl(210, 68%, 80%)"},
        {Rgb(0, 0, 0), "#000000", "rgb(0, 0, 0)", "hsl(0, 0%, 0%)"},
        {Rgb(255, 255, 255), "#FFFFFF", "rgb(255, 255, 255)", "hsl(0, 0%, 100%)"},
        {Rgb(192, 192, 192), "#C0C0C0", "rgb(192, 192, 192)", "hsl(0, 0%, 75%)"},  // silver
        {Rgb(255, 0, 0), "#FF0000", "rgb(255, 0, 0)", "hsl(0, 100%, 50%)"},
        {Rgb(0, 255, 0), "#00FF00", "rgb(0, 255, 0)", "hsl(120, 100%, 50%)"},
        {Rgb(0, 0, 255), "#0000FF", "rgb(0, 0, 255)", "hsl(240, 100%, 50%)"},
        {Rgb(128, 128, 0), "#808000", "rgb(128, 128, 0)", "hsl(60, 100%, 25%)"},    // olive
        {Rgb(0, 128, 128), "#008080", "rgb(0, 128, 128)", "hsl(180, 100%, 25%)"},   // teal
        {Rgb(128, 0, 128), "#800080", "rgb(128, 0, 128)", "hsl(300, 100%, 25%)"},   // purple
        {Rgb(102, 51, 153), "#663399", "rgb(102, 51, 153)", "hsl(270, 50%, 40%)"},  // rebeccapurple
        {Rgb(255, 127, 80), "#FF7F50", "rgb(255, 127, 80)", "hsl(16, 100%, 66%)"},  // coral
        {Rgb(5, 0, 10), "#05000A", "rgb(5, 0, 10)", "hsl(270, 100%, 2%)"},          // zero-filled digits
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.hex);
        EXPECT_EQ(colour::HexText(c.colour), c.hex);
        EXPECT_EQ(colour::RgbText(c.colour), c.rgb);
        EXPECT_EQ(colour::HslText(c.colour), c.hsl);
    }
}

TEST(ColourCopy, HslRoundsToTheNearestHalvesUp) {
    // Hue 359.76 is 360, which is 0; 359.29 stays 359.
    EXPECT_EQ(colour::HslOf(Rgb(255, 0, 1)), (Hsl{0, 100, 50}));
    EXPECT_EQ(colour::HslOf(Rgb(255, 0, 3)), (Hsl{359, 100, 50}));
    // Exactly on a half: hue 0.5, saturation 2.5 %.
    EXPECT_EQ(colour::HslOf(Rgb(200, 81, 80)), (Hsl{1, 52, 55}));
    EXPECT_EQ(colour::HslOf(Rgb(41, 40, 39)), (Hsl{30, 3, 16}));
    // Lightness 0.196 % and 99.8 %.
    EXPECT_EQ(colour::HslOf(Rgb(1, 0, 0)), (Hsl{0, 100, 0}));
    EXPECT_EQ(colour::HslOf(Rgb(255, 254, 255)), (Hsl{300, 100, 100}));
}

// The usual conversion back, for the property below.
std::vector<double> RgbOf(const Hsl& hsl) {
    const double s = hsl.saturation / 100.0, l = hsl.lightness / 100.0;
    const double chroma = (1 - std::abs(2 * l - 1)) * s;
    const double h = hsl.hue / 60.0;
    const double x = chroma * (1 - std::abs(std::fmod(h, 2.0) - 1));
    double r = 0, g = 0, b = 0;
    switch (static_cast<int>(h)) {
        case 0: r = chroma, g = x; break;
        case 1: r = x, g = chroma; break;
        case 2: g = chroma, b = x; break;
        case 3: g = x, b = chroma; break;
        case 4: r = x, b = chroma; break;
        default: r = chroma, b = x; break;
    }
    const double m = l - chroma / 2;
    return {(r + m) * 255, (g + m) * 255, (b + m) * 255};
}

TEST(ColourCopy, HslLeadsBackToTheColourWithinItsRounding) {
    // Half a degree and half a percent each move a component by at most
    // about five of 255.
    for (unsigned r = 0; r < 256; r += 15) {
        for (unsigned g = 0; g < 256; g += 15) {
            for (unsigned b = 0; b < 256; b += 15) {
                const Hsl hsl = colour::HslOf(Rgb(r, g, b));
                ASSERT_GE(hsl.hue, 0);
                ASSERT_LT(hsl.hue, 360);
                const std::vector<double> back = RgbOf(hsl);
                const double worst = std::max({std::abs(back[0] - r), std::abs(back[1] - g), std::abs(back[2] - b)});
                ASSERT_LE(worst, 5.0) << r << "," << g << "," << b << " -> " << colour::HslText(Rgb(r, g, b));
            }
        }
    }
}

TEST(ColourCopy, TheHighByteOfAReadingIsNoPartOfTheColour) {
    EXPECT_EQ(colour::HexText(0x01EFCDABu), "#ABCDEF");
    EXPECT_EQ(colour::RgbText(0xFF000005u), "rgb(5, 0, 0)");
    EXPECT_EQ(colour::HslText(0x02FFFFFFu), "hsl(0, 0%, 100%)");
}

TEST(CopyHistory, NewestFirstEachOnceAtMostTen) {
    CopyHistory history;
    EXPECT_TRUE(history.Colours().empty());
    for (std::uint32_t c = 1; c <= 3; ++c) history.Add(c);
    EXPECT_EQ(history.Colours(), (std::vector<std::uint32_t>{3, 2, 1}));
    history.Add(1);  // copied again: back to the front, not twice
    EXPECT_EQ(history.Colours(), (std::vector<std::uint32_t>{1, 3, 2}));
    history.Add(0x05000003u);  // the same colour with a stray high byte
    EXPECT_EQ(history.Colours(), (std::vector<std::uint32_t>{3, 1, 2}));
    for (std::uint32_t c = 10; c < 20; ++c) history.Add(c);
    EXPECT_EQ(history.Colours(), (std::vector<std::uint32_t>{19, 18, 17, 16, 15, 14, 13, 12, 11, 10}));
    history.Add(20);
    EXPECT_EQ(history.Colours().size(), CopyHistory::kLimit);
    EXPECT_EQ(history.Colours().front(), 20u);
    EXPECT_EQ(history.Colours().back(), 11u);
}

TEST(CopyMenu, TheRememberedColourInThreeFormsThenTheHistory) {
    CopyHistory history;
    history.Add(Rgb(1, 2, 3));
    history.Add(Rgb(255, 0, 0));
    const auto menu = colour::CopyMenu(Rgb(171, 205, 239), history);
    ASSERT_EQ(menu.size(), 6u);
    EXPECT_EQ(menu[0].caption, "复制 #ABCDEF");
    EXPECT_EQ(menu[0].text, "#ABCDEF");
    EXPECT_EQ(menu[1].caption, "复制 rgb(171, 205, 239)");
    EXPECT_EQ(menu[1].text, "rgb(171, 205, 239)");
    EXPECT_EQ(menu[2].caption, "复制 hsl(210, 68%, 80%)");
    EXPECT_EQ(menu[2].text, "hsl(210, 68%, 80%)");
    for (int i = 0; i < 3; ++i) EXPECT_EQ(menu[i].colour, Rgb(171, 205, 239));
    EXPECT_TRUE(menu[3].IsSeparator());
    EXPECT_EQ(menu[4].caption, "#FF0000");
    EXPECT_EQ(menu[4].text, "#FF0000");
    EXPECT_EQ(menu[4].colour, Rgb(255, 0, 0));
    EXPECT_EQ(menu[5].caption, "#010203");
    EXPECT_EQ(menu[5].colour, Rgb(1, 2, 3));
}

TEST(CopyMenu, NothingRememberedOffersTheFormsGreyedAndNoEmptyHistory) {
    const auto menu = colour::CopyMenu(std::nullopt, CopyHistory{});
    ASSERT_EQ(menu.size(), 3u);
    EXPECT_EQ(menu[0].caption, "复制 #RRGGBB");
    EXPECT_EQ(menu[1].caption, "复制 rgb(r, g, b)");
    EXPECT_EQ(menu[2].caption, "复制 hsl(h, s%, l%)");
    for (const auto& entry : menu) {
        EXPECT_FALSE(entry.colour.has_value());
        EXPECT_FALSE(entry.IsSeparator());
    }
    EXPECT_EQ(colour::CopyMenu(Rgb(0, 0, 0), CopyHistory{}).size(), 3u) << "no separator before nothing";
}

}  // namespace
}  // namespace velmora
