// The colour picker's lines and the logon entry's text.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "shell/auto_start_rules.h"
#include "tools/colour_lines.h"

namespace velmora {
namespace {

constexpr std::uint32_t Rgb(unsigned r, unsigned g, unsigned b) { return r | (g << 8) | (b << 16); }

struct ColourCase {
    const char* name;
    std::uint32_t colour;
    const char* six;
    const char* decimal;
    const char* hex;
};

class ColourLines : public ::testing::TestWithParam<ColourCase> {};

TEST_P(ColourLines, SixDigitsAndBothLines) {
    const ColourCase& c = GetParam();
    EXPECT_EQ(colour::SixDigits(c.colour), c.six);
    const colour::Lines lines = colour::LinesFor(c.colour);
    EXPECT_EQ(lines.decimal, c.decimal);
    EXPECT_EQ(lines.hex, c.hex);
}

INSTANTIATE_TEST_SUITE_P(
    Readings, ColourLines,
    ::testing::Values(ColourCase{"black", Rgb(0, 0, 0), "000000", "Red:0 Green:0 Blue:0", "Red:00 Green:00 Blue:00"},
                      ColourCase{"white", Rgb(255, 255, 255), "FFFFFF", "Red:255 Green:255 Blue:255",
                                 "Red:FF Green:FF Blue:FF"},
                      ColourCase{"rgb_1_128_255", Rgb(1, 128, 255), "FF8001", "Red:1 Green:128 Blue:255",
                                 "Red:01 Green:80 Blue:FF"},
                      ColourCase{"rgb_171_205_239", Rgb(171, 205, 239), "EFCDAB", "Red:171 Green:205 Blue:239",
                                 "Red:AB Green:CD Blue:EF"},
                      ColourCase{"rgb_5_0_0", Rgb(5, 0, 0), "000005", "Red:5 Green:0 Blue:0",
                                 "Red:05 Green:00 Blue:00"},
                      ColourCase{"rgb_16_0_160", Rgb(16, 0, 160), "A00010", "Red:16 Green:0 Blue:160",
                                 "Red:10 Green:00 Blue:A0"}),
    [](const ::testing::TestParamInfo<ColourCase>& info) { return std::string(info.param.name); });

TEST(ColourLines, PairValueCountsZeroAsMissingFromTheTable) {
    EXPECT_EQ(colour::PairValue("00"), 0);
    EXPECT_EQ(colour::PairValue("0F"), 15);
    EXPECT_EQ(colour::PairValue("F0"), 240);
    EXPECT_EQ(colour::PairValue("10"), 16);
    EXPECT_EQ(colour::PairValue("9A"), 154);
    EXPECT_EQ(colour::PairValue("FF"), 255);
}

TEST(ColourLines, EveryComponentValueRoundTripsThroughBothLines) {
    // Red alone walks 0..255: the decimal line gives the value back and the
    // hexadecimal pair keeps its leading zero.
    for (unsigned v = 0; v < 256; ++v) {
        const colour::Lines lines = colour::LinesFor(Rgb(v, 255 - v, v ^ 0x5A));
        char expectDec[64], expectHex[64];
        std::snprintf(expectDec, sizeof expectDec, "Red:%u Green:%u Blue:%u", v, 255 - v, v ^ 0x5A);
        std::snprintf(expectHex, sizeof expectHex, "Red:%02X Green:%02X Blue:%02X", v, 255 - v, v ^ 0x5A);
        ASSERT_EQ(lines.decimal, expectDec) << v;
        ASSERT_EQ(lines.hex, expectHex) << v;
    }
}

TEST(ColourLines, HighByteDoesNotLeakIntoTheLines) {
    // Only the last six digits count, as the zero-fill keeps them.
    EXPECT_EQ(colour::SixDigits(0x01ABCDEFu), "ABCDEF");
    EXPECT_EQ(colour::LinesFor(0x02000005u).decimal, "Red:5 Green:0 Blue:0");
}

TEST(AutoStartRules, RunCommandIsTheFolderAndVelmoraExe) {
    const std::string data = autostart::RunCommand("D:\\Tools");
    EXPECT_EQ(data, "D:\\Tools\\Velmora.exe");
    EXPECT_EQ(data.size(), 20u);
    EXPECT_EQ(autostart::StoredLength(data), 21u);
}

TEST(AutoStartRules, AFolderWithABlankIsQuoted) {
    const std::string data = autostart::RunCommand("C:\\Program Files\\Velmora");
    EXPECT_EQ(data, "\"C:\\Program Files\\Velmora\\Velmora.exe\"");
    EXPECT_EQ(autostart::StoredLength(data), data.size() + 1);
    EXPECT_EQ(autostart::RunCommand("D:\\a b"), "\"D:\\a b\\Velmora.exe\"");
}

TEST(AutoStartRules, ChineseFolderIsKeptAsItIsAndDriveRootsGetOneSeparator) {
    EXPECT_EQ(autostart::RunCommand("D:\\工具"), "D:\\工具\\Velmora.exe");
    EXPECT_EQ(autostart::RunCommand("D:"), "D:\\Velmora.exe");
    EXPECT_EQ(autostart::RunCommand("D:\\"), "D:\\Velmora.exe");
}

}  // namespace
}  // namespace velmora
