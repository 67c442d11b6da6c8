// What the command line asks the recycle-bin emptier for, and the search
// box's address on each engine.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

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

TEST(SearchAddress, EveryEngineGetsTheEncodedKeyword) {
    using search::Engine;
    const std::string keyword = "a b&c 中文";
    const std::string encoded = "a%20b%26c%20%E4%B8%AD%E6%96%87";
    EXPECT_EQ(search::SearchAddress(keyword, Engine::Baidu), "http://www.baidu.com/s?wd=" + encoded + "&ie=utf-8");
    EXPECT_EQ(search::SearchAddress(keyword, Engine::Bing), "https://www.bing.com/search?q=" + encoded);
    EXPECT_EQ(search::SearchAddress(keyword, Engine::Sogou), "https://www.sogou.com/web?query=" + encoded);
    EXPECT_EQ(search::SearchAddress(keyword, Engine::So360), "https://www.so.com/s?q=" + encoded);
    EXPECT_EQ(search::SearchAddress(keyword, Engine::Google), "https://www.google.com/search?q=" + encoded);
    EXPECT_EQ(search::SearchAddress("x"), search::SearchAddress("x", Engine::Baidu)) << "百度 by default";
}

TEST(SearchEngine, TheStoredCaptionNamesTheEngine) {
    using search::Engine;
    EXPECT_EQ(search::EngineNamed("百度"), Engine::Baidu);
    EXPECT_EQ(search::EngineNamed("必应"), Engine::Bing);
    EXPECT_EQ(search::EngineNamed("搜狗"), Engine::Sogou);
    EXPECT_EQ(search::EngineNamed("360搜索"), Engine::So360);
    EXPECT_EQ(search::EngineNamed("Google"), Engine::Google);
    // The menu offers them in this order, each under its own caption.
    std::vector<std::string> captions;
    for (const auto& info : search::kEngines) {
        captions.emplace_back(info.caption);
        EXPECT_EQ(search::EngineNamed(info.caption), info.engine);
        EXPECT_EQ(&search::InfoOf(info.engine), &info);
    }
    EXPECT_EQ(captions, (std::vector<std::string>{"百度", "必应", "搜狗", "360搜索", "Google"}));
}

TEST(SearchEngine, AnyOtherStoredValueIsBaidu) {
    for (const std::string value : {
             std::string(), std::string("google"), std::string("GOOGLE"), std::string("Bing"),
             std::string("360"), std::string("360搜"),       // cut short
             std::string("必应必应"),                          // repeated
             std::string("\xB1\xD8\xD3\xA6"),                 // 必应 in GBK, not UTF-8
             std::string("\xE5\xBF"),                         // half a character
             std::string("必应\0x", 7),                       // a NUL inside
             std::string(5000, 'G'),                           // far too long
         }) {
        SCOPED_TRACE(value.substr(0, 20));
        EXPECT_EQ(search::EngineNamed(value), search::Engine::Baidu);
    }
}

}  // namespace
}  // namespace velmora
