#include "settings/profile_codec.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace velmora::profile {
namespace {

// GBK bytes of a few Chinese texts, written out so that the tests do not
// depend on a converter.
const std::string kAutoStartKey = "\xBF\xAA\xBB\xFA\xD7\xD4\xB6\xAF\xD4\xCB\xD0\xD0";  // 开机自动运行
const std::string kQuarterHour = "\xC3\xBF\xD2\xBB\xBF\xCC\xD6\xD3";                   // 每一刻钟
// A double-byte character whose trail byte is ']' (0x5D), and one whose
// trail byte is 'A' (0x41).
const std::string kTrailBracket = "\x81\x5D";
const std::string kTrailUpperA = "\x81\x41";

TEST(ProfileLookup, FindsKeysWithoutRegardToCaseAndTrimsBlanks) {
    const std::string file = "[VELMORA]\r\nXZ =   3  \r\nqhzm=1\r\n";
    EXPECT_EQ(Lookup(file, "Velmora", "xz"), "3");
    EXPECT_EQ(Lookup(file, "velmora", "QHZM"), "1");
    EXPECT_EQ(Lookup(file, "Velmora", "sj"), std::nullopt);
    EXPECT_EQ(Lookup(file, "Other", "xz"), std::nullopt);
    EXPECT_EQ(Lookup("", "Velmora", "xz"), std::nullopt);
}

TEST(ProfileLookup, KeysBelongToTheirOwnSection) {
    const std::string file = "[A]\nxz=1\n[Velmora]\nsx=2\n[B]\nxz=9\n";
    EXPECT_EQ(Lookup(file, "Velmora", "xz"), std::nullopt);
    EXPECT_EQ(Lookup(file, "Velmora", "sx"), "2");
    EXPECT_EQ(Lookup(file, "B", "xz"), "9");
}

TEST(ProfileLookup, FirstSectionAndFirstKeyWin) {
    const std::string file = "[Velmora]\nxz=1\nxz=3\n[Velmora]\nxz=5\n";
    EXPECT_EQ(Lookup(file, "Velmora", "xz"), "1");
}

TEST(ProfileLookup, SkipsCommentsAndLinesWithoutEquals) {
    const std::string file = "[Velmora]\n;xz=7\nxz\n  xz = 4\n";
    EXPECT_EQ(Lookup(file, "Velmora", "xz"), "4");
}

TEST(ProfileLookup, EmptyValueIsFoundAndEmpty) {
    EXPECT_EQ(Lookup("[Velmora]\nzdy=\n", "Velmora", "zdy"), "");
}

TEST(ProfileLookup, ChineseKeysAndValuesMatchByteForByte) {
    const std::string file = "[Velmora]\r\n" + kAutoStartKey + "=1\r\nsj=" + kQuarterHour + "\r\n";
    EXPECT_EQ(Lookup(file, "Velmora", kAutoStartKey), "1");
    EXPECT_EQ(Lookup(file, "Velmora", "sj"), kQuarterHour);
}

TEST(ProfileLookup, DoubleByteTrailBytesAreNeitherSplitNorFolded) {
    // The section name holds a trail byte equal to ']'; the key one equal to 'A'.
    const std::string file = "[x" + kTrailBracket + "y]\nk" + kTrailUpperA + "=1\n";
    EXPECT_EQ(Lookup(file, "x" + kTrailBracket + "y", "k" + kTrailUpperA), "1");
    // Folding 'A' to 'a' inside the character would make this match.
    EXPECT_EQ(Lookup(file, "x" + kTrailBracket + "y", "k\x81\x61"), std::nullopt);
}

TEST(ProfileClipRead, CutsAt127BytesNeverInsideACharacter) {
    EXPECT_EQ(ClipReadValue(std::string(200, 'a')), std::string(127, 'a'));
    // 126 ASCII bytes then a double-byte character: it would end at byte 128.
    EXPECT_EQ(ClipReadValue(std::string(126, 'a') + kTrailUpperA), std::string(126, 'a'));
    EXPECT_EQ(ClipReadValue(std::string(125, 'a') + kTrailUpperA), std::string(125, 'a') + kTrailUpperA);
}

TEST(ProfileClipRead, TrimsSpacesAndStopsAtNul) {
    EXPECT_EQ(ClipReadValue("  3  "), "3");
    EXPECT_EQ(ClipReadValue(std::string("30\0junk", 7)), "30");
    EXPECT_EQ(ClipReadValue("\t1\t"), "\t1\t");  // only the space character is trimmed here
}

TEST(ProfileClipWrite, KeepsAtMost128CharactersOfOneLine) {
    EXPECT_EQ(ClipWriteValue(std::string(300, 'x')), std::string(128, 'x'));
    std::string chinese;
    for (int i = 0; i < 130; ++i) chinese += "\xE4\xB8\xAD";  // 中
    EXPECT_EQ(ClipWriteValue(chinese), chinese.substr(0, 128 * 3));
    EXPECT_EQ(ClipWriteValue("1\r\nqhzm=1"), "1");
    EXPECT_EQ(ClipWriteValue("30\nx"), "30");
    EXPECT_EQ(ClipWriteValue(std::string("5\0" "7", 3)), "5");
}

TEST(ProfileUpdate, NewFileStartsWithTheSectionHeader) {
    EXPECT_EQ(Update("", "Velmora", "zdy", "30"), "[Velmora]\r\nzdy=30\r\n");
}

TEST(ProfileUpdate, RewritingAKeyReplacesItsLineInPlace) {
    const std::string file = "; my settings\r\n[Velmora]\r\nZdy = 10\r\nsx=1\r\n\r\n[Other]\r\nzdy=5\r\n";
    const std::string once = Update(file, "velmora", "zdy", "30");
    EXPECT_EQ(once, "; my settings\r\n[Velmora]\r\nZdy=30\r\nsx=1\r\n\r\n[Other]\r\nzdy=5\r\n");
    EXPECT_EQ(Update(once, "Velmora", "zdy", "30"), once);
    EXPECT_EQ(Lookup(Update(once, "Velmora", "ZDY", "45"), "Velmora", "zdy"), "45");
}

TEST(ProfileUpdate, NewKeyGoesAtTheEndOfItsSection) {
    const std::string file = "[Velmora]\r\nxz=1\r\n\r\n[Other]\r\na=b\r\n";
    EXPECT_EQ(Update(file, "Velmora", "sx", "2"), "[Velmora]\r\nxz=1\r\nsx=2\r\n\r\n[Other]\r\na=b\r\n");
    // A file that ends without a line break gets one.
    EXPECT_EQ(Update("[Velmora]\r\nxz=1", "Velmora", "sx", "2"), "[Velmora]\r\nxz=1\r\nsx=2\r\n");
    EXPECT_EQ(Update("[Velmora]", "Velmora", "sx", "2"), "[Velmora]\r\nsx=2\r\n");
}

TEST(ProfileUpdate, NewSectionGoesAtTheEndAfterABlankLine) {
    EXPECT_EQ(Update("[Other]\r\na=b", "Velmora", "xz", "3"), "[Other]\r\na=b\r\n\r\n[Velmora]\r\nxz=3\r\n");
}

TEST(ProfileUpdate, RoundTripsChineseKeyAndValue) {
    std::string file = Update("", "Velmora", kAutoStartKey, "1");
    file = Update(file, "Velmora", "sj", kQuarterHour);
    file = Update(file, "Velmora", kAutoStartKey, "0");
    EXPECT_EQ(file, "[Velmora]\r\n" + kAutoStartKey + "=0\r\nsj=" + kQuarterHour + "\r\n");
}

struct NumericCase {
    const char* text;
    bool one;
};

void PrintTo(const NumericCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }

class NumericOne : public ::testing::TestWithParam<NumericCase> {};

TEST_P(NumericOne, ComparesTheDecimalValueWithOne) {
    EXPECT_EQ(IsNumericOne(GetParam().text), GetParam().one) << "value \"" << GetParam().text << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    SwitchValues, NumericOne,
    ::testing::Values(NumericCase{"1", true}, NumericCase{"01", true}, NumericCase{"1.0", true},
                      NumericCase{" 1 ", true}, NumericCase{"\t1", true}, NumericCase{"+1", true},
                      NumericCase{"1e0", true}, NumericCase{"0", false}, NumericCase{"2", false},
                      NumericCase{"-1", false}, NumericCase{"", false}, NumericCase{"   ", false},
                      NumericCase{"abc", false}, NumericCase{"1abc", false}, NumericCase{"1 1", false},
                      NumericCase{"0.99999", false}, NumericCase{"inf", false}, NumericCase{"nan", false},
                      NumericCase{"1.", true}, NumericCase{".", false}),
    [](const ::testing::TestParamInfo<NumericCase>& info) {
        // "1.0" -> "n2_1x0": index first, then the text with other characters as 'x'.
        std::string name = "n" + std::to_string(info.index) + "_";
        for (const char* c = info.param.text; *c; ++c) name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : 'x';
        return name;
    });

TEST(ProfileText, ByteOrderMarksTellTheEncoding) {
    EXPECT_EQ(DetectEncoding(std::string("\xFF\xFE[\0", 4)), FileEncoding::Utf16Le);
    EXPECT_EQ(DetectEncoding("\xEF\xBB\xBF[Velmora]"), FileEncoding::Utf8);
    EXPECT_EQ(DetectEncoding("[Velmora]"), FileEncoding::Gbk);
    EXPECT_EQ(DetectEncoding(kAutoStartKey + "=1"), FileEncoding::Gbk);
    EXPECT_EQ(DetectEncoding("\xFF"), FileEncoding::Gbk);
    EXPECT_EQ(DetectEncoding(""), FileEncoding::Gbk);
}

TEST(ProfileText, EachEncodingRoundTripsAndBrokenBytesAreRefused) {
    EXPECT_EQ(DetectEncoding(std::string("\xFE\xFF\0[", 4)), FileEncoding::Utf16Be);
    // "[开]" and U+1F600, which needs a surrogate pair.
    const std::string utf8 = "[\xE5\xBC\x80]\xF0\x9F\x98\x80";
    const std::string le("\xFF\xFE[\0\x00\x5F]\0\x3D\xD8\x00\xDE", 12);
    const std::string be("\xFE\xFF\0[\x5F\x00\0]\xD8\x3D\xDE\x00", 12);
    for (const std::string& file : {le, be, "\xEF\xBB\xBF" + utf8, std::string("[\xBF\xAA]\x81")}) {
        const std::optional<ProfileText> p = DecodeFile(file);
        ASSERT_TRUE(p);
        if (p->encoding != FileEncoding::Gbk) EXPECT_EQ(p->text, utf8);
        EXPECT_EQ(EncodeFile(*p), file) << "byte for byte";
    }
    for (const std::string& broken : {le + "x", std::string("\xFE\xFF\xDC\x00", 4), std::string("\xFF\xFE\x00\xD8", 4),
                                      std::string("\xEF\xBB\xBF\xC0\xAF"), std::string("\xEF\xBB\xBF\xE5\xBC")}) {
        EXPECT_FALSE(DecodeFile(broken)) << broken.size();
    }
}

TEST(ProfileText, QuotesComeOffOnlyInMatchingPairs) {
    EXPECT_EQ(Unquoted("\"a b\""), "a b");
    EXPECT_EQ(Unquoted("'x'"), "x");
    EXPECT_EQ(Unquoted("\"\""), "");
    EXPECT_EQ(Unquoted("\""), "\"");
    EXPECT_EQ(Unquoted("\"x'"), "\"x'");
    EXPECT_EQ(Unquoted("a\"b\""), "a\"b\"");
    EXPECT_EQ(ClipReadValue("\" 2 \""), " 2 ") << "the blanks in the quotes stay";
    EXPECT_EQ(ClipReadValue(" 2 "), "2");
}

TEST(ProfileText, Utf8TextIsScannedBytewise) {
    // In UTF-8, 0xE5 0xBC 0x80 (开) read as GBK would pair 0x80 with the
    // next byte and swallow the '='.
    const std::string kai = "\xE5\xBC\x80";
    const std::string file = "[Velmora]\r\n" + kai + "=1\r\n";
    EXPECT_EQ(Lookup(file, "Velmora", kai, Scan::Utf8), "1");
    EXPECT_EQ(Update(file, "Velmora", kai, "0", Scan::Utf8), "[Velmora]\r\n" + kai + "=0\r\n");
    // Clipping never splits a character: 42 three-byte characters are 126
    // bytes, the 43rd would pass 127.
    std::string long_value;
    for (int i = 0; i < 50; ++i) long_value += kai;
    EXPECT_EQ(ClipReadValue(long_value, Scan::Utf8).size(), 126u);
}

}  // namespace
}  // namespace velmora::profile
