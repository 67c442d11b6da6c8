#include "shell/verbs.h"

#include <gtest/gtest.h>

#include <string>

namespace velmora {
namespace {

TEST(Verbs, AreTheWholeCommandLineInAnyCaseWithEitherMark) {
    for (const char* line : {"/next", "-next", "/NEXT", "-Next", "  /next  ", "\t-nExT"}) {
        EXPECT_EQ(VerbOfArguments(line), Verb::NextWallpaper) << line;
    }
    for (const char* line : {"/prev", "-prev", "/PREV", " -Prev "}) {
        EXPECT_EQ(VerbOfArguments(line), Verb::PreviousWallpaper) << line;
    }
    for (const char* line : {"/panel", "-PANEL", " /Panel\t"}) {
        EXPECT_EQ(VerbOfArguments(line), Verb::ShowPanel) << line;
    }
    // Anything else is no verb: the recycle-bin emptier's numbers among them.
    for (const char* line : {"", "next", "/", "-", "/nex", "/nextt", "/next /prev", "/next x", "--next", "/previous", "/panels", "/pane",
                             "-1", "7", "/?", "\\next"}) {
        EXPECT_EQ(VerbOfArguments(line), Verb::None) << line;
    }
}

TEST(Verbs, TravelAsTheirTextAndComeBackTheSame) {
    for (Verb verb : {Verb::NextWallpaper, Verb::PreviousWallpaper, Verb::ShowPanel}) {
        EXPECT_EQ(VerbOfText(VerbText(verb)), verb);
        EXPECT_LE(VerbText(verb).size(), kMaxVerbBytes);
    }
    EXPECT_EQ(VerbOfText(""), Verb::None);
    EXPECT_EQ(VerbOfText(std::string("next\0", 5)), Verb::None);
    EXPECT_EQ(VerbOfText("shutdown"), Verb::None);
}

TEST(Verbs, EachHotKeyHasItsOwnIdAndVerb) {
    EXPECT_EQ(VerbOfHotKey(kHotKeys[0].id), Verb::NextWallpaper);
    EXPECT_EQ(VerbOfHotKey(kHotKeys[1].id), Verb::PreviousWallpaper);
    EXPECT_NE(kHotKeys[0].key, kHotKeys[1].key);
    EXPECT_EQ(VerbOfHotKey(kPanelHotKeyId), Verb::TogglePanel);
    for (const HotKey& key : kHotKeys) EXPECT_NE(key.id, kPanelHotKeyId);
    // The panel's toggle is a key's only: no second start can ask for it.
    EXPECT_TRUE(VerbText(Verb::TogglePanel).empty());
    EXPECT_EQ(VerbOfHotKey(0), Verb::None);
    EXPECT_EQ(VerbOfHotKey(99), Verb::None);
}

TEST(Verbs, TheHotKeysAreOnUnlessTheProfileSaysZero) {
    MemorySettings settings;
    EXPECT_TRUE(HotKeysWanted(settings));
    for (const char* on : {"1", "yes", "", "2"}) {
        settings.Set(kHotKeysProfileKey, on);
        EXPECT_TRUE(HotKeysWanted(settings)) << on;
    }
    for (const char* off : {"0", " 0 ", "0.0", "00"}) {
        settings.Set(kHotKeysProfileKey, off);
        EXPECT_FALSE(HotKeysWanted(settings)) << off;
    }
}

}  // namespace
}  // namespace velmora
