#include "wallpaper/history.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace velmora::wallpaper {
namespace {

using Entries = std::vector<std::string>;

TEST(WallpaperHistory, RecordsEachNewWallpaperAndKeepsTheLastFifty) {
    WallpaperHistory history;
    EXPECT_TRUE(history.Record("a.jpg"));
    EXPECT_FALSE(history.Record("a.jpg"));  // the change-now button twice: one entry
    EXPECT_TRUE(history.Record("b.jpg"));
    EXPECT_TRUE(history.Record("a.jpg"));
    EXPECT_FALSE(history.Record("..\\x.jpg"));  // no name of the folder's: it could not be read back
    EXPECT_EQ(history.Entries(), (Entries{"a.jpg", "b.jpg", "a.jpg"}));
    for (int i = 0; i < 60; ++i) history.Record(std::to_string(i) + ".jpg");
    ASSERT_EQ(history.Entries().size(), kHistoryLength);
    EXPECT_EQ(history.Entries().front(), "10.jpg");
    EXPECT_EQ(history.Entries().back(), "59.jpg");

    Entries many;
    for (int i = 0; i < 70; ++i) many.push_back(std::to_string(i) + ".jpg");
    const WallpaperHistory loaded(many);
    EXPECT_EQ(loaded.Entries().size(), kHistoryLength);
    EXPECT_EQ(loaded.Entries().front(), "20.jpg");
}

TEST(WallpaperHistory, StepsBackPastPicturesThatAreGoneAndStopsAtTheOldest) {
    WallpaperHistory history(Entries{"a.jpg", "b.jpg", "gone.jpg", "c.jpg", "d.jpg"});
    const std::set<std::string> present = {"a.jpg", "b.jpg", "c.jpg", "d.jpg"};
    std::vector<std::string> asked;
    const auto reapply = [&](const std::string& name) {
        asked.push_back(name);
        return present.contains(name);
    };
    EXPECT_TRUE(history.StepBack(reapply));
    EXPECT_EQ(history.Entries(), (Entries{"a.jpg", "b.jpg", "gone.jpg", "c.jpg"}));
    EXPECT_TRUE(history.StepBack(reapply));
    EXPECT_EQ(history.Entries(), (Entries{"a.jpg", "b.jpg"}));
    EXPECT_EQ(asked, (Entries{"c.jpg", "gone.jpg", "b.jpg"}));
    // A new wallpaper goes on top of where the walk back stopped.
    history.Record("e.jpg");
    EXPECT_TRUE(history.StepBack(reapply));
    EXPECT_EQ(history.Entries(), (Entries{"a.jpg", "b.jpg"}));
    EXPECT_TRUE(history.StepBack(reapply));
    EXPECT_EQ(history.Entries(), (Entries{"a.jpg"}));
    asked.clear();
    EXPECT_FALSE(history.StepBack(reapply));  // the oldest: nothing to go back to
    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(history.Entries(), (Entries{"a.jpg"}));
}

TEST(WallpaperHistory, NothingChangesWhenNoOlderPictureCanBePutBack) {
    WallpaperHistory history(Entries{"gone1.jpg", "gone2.jpg", "now.jpg"});
    EXPECT_FALSE(history.StepBack([](const std::string&) { return false; }));
    EXPECT_EQ(history.Entries(), (Entries{"gone1.jpg", "gone2.jpg", "now.jpg"}));
    EXPECT_FALSE(WallpaperHistory().StepBack([](const std::string&) { return true; }));
}

TEST(HistoryFile, RoundTripsNamesInAnyScript) {
    const Entries entries = {"a.jpg", "海边 1.JPG", "한글.png", "x y (2).bmp", "emoji \xF0\x9F\x8C\x8A.jpg"};
    const std::string text = EncodeHistory(entries);
    EXPECT_EQ(text.substr(0, text.find('\n')), kHistoryHeader);
    EXPECT_EQ(DecodeHistory(text), entries);
    EXPECT_EQ(DecodeHistory(EncodeHistory({})), Entries{});
    // Saved again by an editor of Windows.
    EXPECT_EQ(DecodeHistory(std::string(kHistoryHeader) + "\r\na.jpg\r\nb.jpg\r\n"), (Entries{"a.jpg", "b.jpg"}));
}

TEST(HistoryFile, AnythingButAWholeFileOfNamesIsRefused) {
    const std::string good = EncodeHistory({"a.jpg", "b.jpg"});
    const std::string header = std::string(kHistoryHeader) + "\n";
    const std::vector<std::string> refused = {
        "",
        good.substr(0, good.size() - 1),       // cut short in its last line
        good.substr(0, 10),                    // cut short in the header
        "a.jpg\nb.jpg\n",                      // no header
        "Velmora wallpaper history 3\na.jpg\n",
        header + "a.jpg|b.jpg\n",             // a set, under the header of single names
        std::string(kHistorySetsHeader) + "\na.jpg|\n",
        std::string(kHistorySetsHeader) + "\n|a.jpg\n",
        header + "\n",                         // an empty line
        header + "..\\..\\Windows\\win.ini\n",
        header + "C:\\pictures\\a.jpg\n",
        header + "sub/a.jpg\n",
        header + "..\n",
        header + "a\tb.jpg\n",
        header + "a.jpg\0b.jpg\n",
        header + "\xFF\xFE junk\n",
        header + "\xE6\xB5.jpg\n",             // a character cut in half
        header + "\xC0\xAF.jpg\n",             // an overlong slash
        header + "\xED\xA0\x80.jpg\n",         // a lone surrogate
        header + std::string(1100, 'x') + "\n",
        std::string(4096, '\x01') + "\n",
    };
    for (const std::string& text : refused) EXPECT_EQ(DecodeHistory(text), std::nullopt) << text.substr(0, 60);
}

TEST(HistoryFile, SetsOfSeveralMonitorsRoundTripAndSinglePicturesKeepTheOldFile) {
    // One monitor: the file as it always was.
    EXPECT_EQ(EncodeHistory({"a.jpg", "海边.jpg"}), "Velmora wallpaper history 1\na.jpg\n海边.jpg\n");
    // Sets: the second header, the old entries still single names.
    const std::vector<std::string> entries = {"a.jpg", JoinSet({"b.jpg", "海边.jpg"}), JoinSet({"c.jpg", "c.jpg"})};
    const std::string text = EncodeHistory(entries);
    EXPECT_EQ(text, "Velmora wallpaper history 2\na.jpg\nb.jpg|海边.jpg\nc.jpg|c.jpg\n");
    EXPECT_EQ(DecodeHistory(text), entries);
    EXPECT_EQ(SplitSet(entries[1]), (std::vector<std::string>{"b.jpg", "海边.jpg"}));
    EXPECT_EQ(SplitSet("a.jpg"), (std::vector<std::string>{"a.jpg"}));
    WallpaperHistory history(entries);
    EXPECT_FALSE(history.Record("c.jpg|c.jpg"));  // the newest already
    EXPECT_FALSE(history.Record("c.jpg|sub/d.jpg"));
    EXPECT_TRUE(history.Record("c.jpg|d.jpg"));
}

}  // namespace
}  // namespace velmora::wallpaper
