// What the command line asks the recycle-bin emptier for, and the search
// box's address.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "tools/recycle_rules.h"
#include "tools/search_address.h"

namespace velmora {
namespace {

using recycle::EmptyingFlags;

TEST(RecycleCommandLine, ArgumentsFollowTheProgramName) {
    using recycle::CommandLineArguments;
    EXPECT_EQ(CommandLineArguments(R"("C:\Program Files\Velmora\Velmora.exe" 3)"), "3");
    EXPECT_EQ(CommandLineArguments(R"("C:\a b\Velmora.exe")"), "");
    EXPECT_EQ(CommandLineArguments(R"(C:\Velmora\Velmora.exe   2.5 )"), "2.5 ");
    EXPECT_EQ(CommandLineArguments("Velmora.exe\tabc def"), "abc def");
    EXPECT_EQ(CommandLineArguments("Velmora.exe   "), "");
    // A quoted name running into more text, and an unclosed quote.
    EXPECT_EQ(CommandLineArguments(R"("C:\v"x.exe 4)"), "4");
    EXPECT_EQ(CommandLineArguments(R"("C:\v\Velmora.exe 4)"), "");
    EXPECT_EQ(CommandLineArguments(""), "");
}

TEST(RecycleCommandLine, NoArgumentsEmptySilently) {
    // No question, no progress, no sound: the platform's three flags.
    EXPECT_EQ(EmptyingFlags(""), 7u);
    // A launcher that leaves blanks after the program name asks for nothing.
    EXPECT_EQ(EmptyingFlags(" \t "), 7u);
}

TEST(RecycleCommandLine, ANumberFromZeroToSevenIsTheFlags) {
    EXPECT_EQ(EmptyingFlags("3"), 3u);
    EXPECT_EQ(EmptyingFlags("0"), 0u);
    EXPECT_EQ(EmptyingFlags("+5"), 5u);
    EXPECT_EQ(EmptyingFlags("06"), 6u);
    EXPECT_EQ(EmptyingFlags("0.7E1"), 7u);
    EXPECT_EQ(EmptyingFlags(" 3 "), 3u);
    EXPECT_EQ(EmptyingFlags("\t2.5\t"), 2u);
}

TEST(RecycleCommandLine, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(EmptyingFlags("2.5"), 2u);
    EXPECT_EQ(EmptyingFlags("3.5"), 4u);
    EXPECT_EQ(EmptyingFlags("2.51"), 3u);
    EXPECT_EQ(EmptyingFlags("-0.5"), 0u);
    EXPECT_EQ(EmptyingFlags("7.5"), std::nullopt);   // 8
    EXPECT_EQ(EmptyingFlags("-0.6"), std::nullopt);  // -1
}

TEST(RecycleCommandLine, AnyOtherArgumentsEmptyNothing) {
    for (const char* text : {"8", "-1", "abc", "3abc", "3 4", "1,5", "0x3", "inf", "nan", "+", ".", "e3", "- 3",
                             "1e400", "-1e400", "99999999999999999999999", "３"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(EmptyingFlags(text), std::nullopt);
    }
}

TEST(SearchAddress, TheKeywordIsPercentEncodedUtf8) {
    using search::SearchAddress;
    EXPECT_EQ(SearchAddress("a b&c"), "http://www.baidu.com/s?wd=a%20b%26c&ie=utf-8");
    EXPECT_EQ(SearchAddress("中文"), "http://www.baidu.com/s?wd=%E4%B8%AD%E6%96%87&ie=utf-8");
    EXPECT_EQ(SearchAddress("C++ 1+1=2?#"), "http://www.baidu.com/s?wd=C%2B%2B%201%2B1%3D2%3F%23&ie=utf-8");
    EXPECT_EQ(SearchAddress("100%"), "http://www.baidu.com/s?wd=100%25&ie=utf-8");
    // Blanks are searched as typed, nothing trimmed.
    EXPECT_EQ(SearchAddress(" x "), "http://www.baidu.com/s?wd=%20x%20&ie=utf-8");
}

TEST(SearchAddress, LettersDigitsAndTheUnreservedMarksStayAsTheyAre) {
    EXPECT_EQ(search::PercentEncode("AZaz09-._~"), "AZaz09-._~");
    EXPECT_EQ(search::PercentEncode("/?:@!$'()*,;"), "%2F%3F%3A%40%21%24%27%28%29%2A%2C%3B");
    EXPECT_EQ(search::PercentEncode(std::string("a\0b", 3)), "a%00b");
    EXPECT_EQ(search::PercentEncode("\xFF"), "%FF");
}

}  // namespace
}  // namespace velmora
