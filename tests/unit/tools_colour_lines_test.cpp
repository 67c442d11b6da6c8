// The colour picker's two lines.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>

#include "tools/colour_lines.h"

namespace velmora {
namespace {

constexpr std::uint32_t Rgb(unsigned r, unsigned g, unsigned b) { return r | (g << 8) | (b << 16); }

TEST(ColourLines, KnownColours) {
    const struct {
        std::uint32_t colour;
        const char *six, *decimal, *hex;
    } cases[] = {
        {Rgb(0, 0, 0), "000000", "Red:0 Green:0 Blue:0", "Red:00 Green:00 Blue:00"},
        {Rgb(255, 255, 255), "FFFFFF", "Red:255 Green:255 Blue:255", "Red:FF Green:FF Blue:FF"},
        {Rgb(1, 128, 255), "FF8001", "Red:1 Green:128 Blue:255", "Red:01 Green:80 Blue:FF"},
        {Rgb(171, 205, 239), "EFCDAB", "Red:171 Green:205 Blue:239", "Red:AB Green:CD Blue:EF"},
        {Rgb(5, 0, 0), "000005", "Red:5 Green:0 Blue:0", "Red:05 Green:00 Blue:00"},  // zero-filled
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.six);
        EXPECT_EQ(colour::SixDigits(c.colour), c.six);
        EXPECT_EQ(colour::LinesFor(c.colour).decimal, c.decimal);
        EXPECT_EQ(colour::LinesFor(c.colour).hex, c.hex);
    }
}

TEST(ColourLines, EveryComponentValueComesBackThroughBothLines) {
    for (unsigned v = 0; v < 256; ++v) {
        const colour::Lines lines = colour::LinesFor(Rgb(v, 255 - v, v ^ 0x5A));
        char decimal[64], hex[64];
        std::snprintf(decimal, sizeof decimal, "Red:%u Green:%u Blue:%u", v, 255 - v, v ^ 0x5A);
        std::snprintf(hex, sizeof hex, "Red:%02X Green:%02X Blue:%02X", v, 255 - v, v ^ 0x5A);
        ASSERT_EQ(lines.decimal, decimal) << v;
        ASSERT_EQ(lines.hex, hex) << v;
    }
}

TEST(ColourLines, TheHighByteDoesNotLeakIntoTheLines) {
    // Only the last six digits count, as the zero-fill keeps them.
    EXPECT_EQ(colour::SixDigits(0x01ABCDEFu), "ABCDEF");
    EXPECT_EQ(colour::LinesFor(0x02000005u).decimal, "Red:5 Green:0 Blue:0");
}

}  // namespace
}  // namespace velmora
