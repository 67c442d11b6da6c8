// The emptier's flags and command-line rule, and the search box's address.
#include <gtest/gtest.h>

#include <string>

#include "tools/recycle_rules.h"
#include "tools/search_address.h"

namespace velmora {
namespace {

using recycle::CommandLineAction;

TEST(RecycleFlags, EachTickedBoxAddsItsOwnFlag) {
    using recycle::ComposeFlags;
    EXPECT_EQ(ComposeFlags(1, 1, 1), 7u);  // the window's defaults: silent
    EXPECT_EQ(ComposeFlags(0, 1, 1), 6u);
    EXPECT_EQ(ComposeFlags(0, 0, 0), 0u);
    EXPECT_EQ(ComposeFlags(1, 0, 0), 1u);
    EXPECT_EQ(ComposeFlags(0, 1, 0), 2u);
    EXPECT_EQ(ComposeFlags(0, 0, 1), 4u);
    EXPECT_EQ(ComposeFlags(1, 0, 1), 5u);
}

TEST(RecycleFlags, OnlyATickedBoxCountsNotAGreyedOne) {
    using recycle::ComposeFlags;
    EXPECT_EQ(ComposeFlags(2, 1, 1), 6u);
    EXPECT_EQ(ComposeFlags(1, 2, 1), 5u);
    EXPECT_EQ(ComposeFlags(1, 1, 2), 3u);
    EXPECT_EQ(ComposeFlags(2, 2, 2), 0u);
    // Values no check box holds add nothing either.
    EXPECT_EQ(ComposeFlags(-1, 3, 255), 0u);
}

TEST(RecycleCommandLine, ArgumentsFollowTheProgramName) {
    using recycle::CommandLineArguments;
    EXPECT_EQ(CommandLineArguments(R"("C:\Program Files\Velmora\Velmora.exe" 3)"), "3");
    EXPECT_EQ(CommandLineArguments(R"("C:\a b\Velmora.exe")"), "");
    EXPECT_EQ(CommandLineArguments(R"(C:\Velmora\Velmora.exe   2.5 )"), "2.5 ");
    EXPECT_EQ(CommandLineArguments("Velmora.exe\tabc def"), "abc def");
    EXPECT_EQ(CommandLineArguments("Velmora.exe"), "");
    EXPECT_EQ(CommandLineArguments("Velmora.exe   "), "");
    // A quoted name running into more text, and an unclosed quote.
    EXPECT_EQ(CommandLineArguments(R"("C:\v"x.exe 4)"), "4");
    EXPECT_EQ(CommandLineArguments(R"("C:\v\Velmora.exe 4)"), "");
    EXPECT_EQ(CommandLineArguments(""), "");
}

CommandLineAction Empties(unsigned flags) { return {CommandLineAction::EmptyAndClose, flags}; }
const CommandLineAction kClose{CommandLineAction::Close, 0};
const CommandLineAction kNothing{CommandLineAction::None, 0};

TEST(RecycleCommandLine, ANumberFromZeroToSevenEmptiesWithItAsFlags) {
    using recycle::ActOnCommandLine;
    EXPECT_EQ(ActOnCommandLine("3"), Empties(3));
    EXPECT_EQ(ActOnCommandLine("0"), Empties(0));
    EXPECT_EQ(ActOnCommandLine("7"), Empties(7));
    EXPECT_EQ(ActOnCommandLine("+5"), Empties(5));
    EXPECT_EQ(ActOnCommandLine("06"), Empties(6));
    EXPECT_EQ(ActOnCommandLine("4e0"), Empties(4));
    EXPECT_EQ(ActOnCommandLine("0.7E1"), Empties(7));
}

TEST(RecycleCommandLine, HalvesGoToTheEvenNeighbour) {
    using recycle::ActOnCommandLine;
    EXPECT_EQ(ActOnCommandLine("2.5"), Empties(2));
    EXPECT_EQ(ActOnCommandLine("3.5"), Empties(4));
    EXPECT_EQ(ActOnCommandLine("6.5"), Empties(6));
    EXPECT_EQ(ActOnCommandLine("2.51"), Empties(3));
    EXPECT_EQ(ActOnCommandLine(".5"), Empties(0));
    EXPECT_EQ(ActOnCommandLine("-0.5"), Empties(0));
    EXPECT_EQ(ActOnCommandLine("7.5"), kClose);  // 8
    EXPECT_EQ(ActOnCommandLine("-0.6"), kClose);  // -1
}

TEST(RecycleCommandLine, AnyOtherTextOnlyCloses) {
    using recycle::ActOnCommandLine;
    for (const char* text : {"8", "-1", "abc", "3abc", "3 4", "1,5", "0x3", "inf", "nan", "+", "-", ".", "e3",
                             "3e", "+-3", "1e400", "-1e400", "99999999999999999999999", "３", "/3"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(ActOnCommandLine(text), kClose);
    }
}

TEST(RecycleCommandLine, BlanksAroundTheNumberAreIgnoredAndBlanksAloneAreNoArguments) {
    using recycle::ActOnCommandLine;
    EXPECT_EQ(ActOnCommandLine(""), kNothing);
    EXPECT_EQ(ActOnCommandLine("   "), kNothing);
    EXPECT_EQ(ActOnCommandLine(" \t "), kNothing);
    EXPECT_EQ(ActOnCommandLine(" 3 "), Empties(3));
    EXPECT_EQ(ActOnCommandLine("\t2.5\t"), Empties(2));
    EXPECT_EQ(ActOnCommandLine(" 8 "), kClose);
    // A blank inside the number is not around it.
    EXPECT_EQ(ActOnCommandLine("- 3"), kClose);
}

TEST(SearchAddress, TheKeywordIsPercentEncodedUtf8) {
    using search::SearchAddress;
    EXPECT_EQ(SearchAddress("a b&c"), "http://www.baidu.com/s?wd=a%20b%26c&ie=utf-8");
    EXPECT_EQ(SearchAddress("C#"), "http://www.baidu.com/s?wd=C%23&ie=utf-8");
    EXPECT_EQ(SearchAddress("中文 搜索"),
              "http://www.baidu.com/s?wd=%E4%B8%AD%E6%96%87%20%E6%90%9C%E7%B4%A2&ie=utf-8");
    EXPECT_EQ(SearchAddress("C++ 1+1=2?"), "http://www.baidu.com/s?wd=C%2B%2B%201%2B1%3D2%3F&ie=utf-8");
    EXPECT_EQ(SearchAddress("100%"), "http://www.baidu.com/s?wd=100%25&ie=utf-8");
}

TEST(SearchAddress, BlanksAreSearchedAsTyped) {
    using search::SearchAddress;
    EXPECT_EQ(SearchAddress("   "), "http://www.baidu.com/s?wd=%20%20%20&ie=utf-8");
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
