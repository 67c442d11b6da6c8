// The wallpaper rotation, with the changer window and without it: the next
// and the previous picture in the saved order and position, the history
// file across runs, the shuffled round the schedule, next and change-now
// share, the watched picture folder, paths the ANSI code page cannot spell
// or that are longer than the old limit, and the changer hiding whichever
// way it is closed from outside.
#include <algorithm>
#include <set>
#include <thread>

#include "wallpaper/changer_fixture.h"

namespace velmora {
namespace {

using namespace std::chrono_literals;
using namespace changer_control;
using testing::ChooseInList;
using testing::ListItems;
using testing::Press;
using testing::ProgramFolder;
using testing::PumpWithWatch;
using testing::ReadBytes;
using testing::TextOf;
using testing::WriteBytes;
using wallpaper::WallpaperRotation;

class Rotation : public testing::Changer {
protected:
    // Pictures 1.bmp, 2.bmp, ... whose widths 11, 12, ... tell them apart on
    // the desktop.
    void Pictures(int count) {
        for (int i = 1; i <= count; ++i) program_.AddPicture(std::to_wstring(i) + L".bmp", 10 + i, 5);
    }
    int Shown() const { return program_.BitmapSize().cx; }
    std::string HistoryFile() const { return ReadBytes(rotation_.HistoryPath()); }
    static std::string History(std::initializer_list<const char*> names) {
        return wallpaper::EncodeHistory({names.begin(), names.end()});
    }
    WallpaperRotation Restarted() { return WallpaperRotation({effects_, settings_, random_, later_, program_.path()}); }
};

// ---- next and previous without the window

TEST_F(Rotation, NextNeedsNoChangerAndTakesTheSavedOrderAndPosition) {
    Pictures(3);
    settings_.Set("wz", "2");
    std::vector<int> shown;
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(rotation_.Next());
        shown.push_back(Shown());
    }
    EXPECT_EQ(shown, (std::vector<int>{11, 12, 13, 11}));
    const auto calls = effects_.Calls();
    EXPECT_NE(std::find(calls.begin(), calls.end(),
                        "WritePrivateProfileString(\"Desktop\", \"WallpaperStyle\", \"2\", \"Win.ini\")"),
              calls.end());
}

TEST_F(Rotation, NextInRandomOrderShowsEachPictureOnceARoundNeverTwiceInARow) {
    Pictures(3);
    settings_.Set("sx", "2");
    random_.values = {0.9, 0.9, 0.9, 0.0, 0.0, 0.0, 0.5, 0.5, 0.5};
    std::vector<int> shown;
    for (int i = 0; i < 9; ++i) {
        ASSERT_TRUE(rotation_.Next());
        shown.push_back(Shown());
    }
    for (size_t round = 0; round < 9; round += 3) {
        EXPECT_EQ(std::set<int>(shown.begin() + round, shown.begin() + round + 3), (std::set<int>{11, 12, 13}));
    }
    for (size_t i = 1; i < shown.size(); ++i) EXPECT_NE(shown[i], shown[i - 1]) << i;
}

TEST_F(Rotation, NextPassesOverWhatCannotBeReadAndWithoutAPictureDoesNothing) {
    EXPECT_FALSE(rotation_.Next());  // an empty folder
    program_.AddText(L"1.txt");
    program_.AddPicture(L"2.bmp", 22, 5);
    ASSERT_TRUE(rotation_.Next());
    EXPECT_EQ(Shown(), 22);
    ASSERT_TRUE(rotation_.Next());  // round past 1.txt to 2.bmp again
    EXPECT_EQ(Shown(), 22);
    ::DeleteFileW(program_.InPic(L"2.bmp").c_str());
    program_.AddText(L"3.txt");
    effects_.Clear();
    EXPECT_FALSE(rotation_.Next());
    EXPECT_TRUE(effects_.Calls().empty());
    EXPECT_EQ(Shown(), 22);
}

TEST_F(Rotation, PreviousWalksBackThroughAHistoryKeptAcrossRuns) {
    Pictures(3);
    for (int i = 0; i < 3; ++i) rotation_.Next();
    EXPECT_EQ(HistoryFile(), History({"1.bmp", "2.bmp", "3.bmp"}));

    WallpaperRotation again = Restarted();  // the program started anew
    ASSERT_TRUE(again.Previous());
    EXPECT_EQ(Shown(), 12);
    EXPECT_EQ(HistoryFile(), History({"1.bmp", "2.bmp"}));
    ASSERT_TRUE(again.Previous());
    EXPECT_EQ(Shown(), 11);
    effects_.Clear();
    EXPECT_FALSE(again.Previous());  // the oldest: nothing happens
    EXPECT_TRUE(effects_.Calls().empty());
    EXPECT_EQ(HistoryFile(), History({"1.bmp"}));
    // Sequential order goes on from the picture put back.
    ASSERT_TRUE(again.Next());
    EXPECT_EQ(Shown(), 12);
    EXPECT_EQ(HistoryFile(), History({"1.bmp", "2.bmp"}));
}

TEST_F(Rotation, PreviousPassesOverPicturesThatAreGone) {
    Pictures(3);
    for (int i = 0; i < 3; ++i) rotation_.Next();
    ::DeleteFileW(program_.InPic(L"2.bmp").c_str());
    ASSERT_TRUE(rotation_.Previous());
    EXPECT_EQ(Shown(), 11);
    EXPECT_EQ(HistoryFile(), History({"1.bmp"}));
}

TEST_F(Rotation, AHistoryFileThatIsCutShortOrJunkIsIgnoredAndWrittenAfreshWhole) {
    Pictures(2);
    EXPECT_TRUE(rotation_.History().Entries().empty());
    EXPECT_FALSE(testing::FileExists(rotation_.HistoryPath())) << "a missing file stays missing until there is history";
    const std::string whole = History({"1.bmp", "2.bmp"});
    for (const std::string& bad : {whole.substr(0, whole.size() - 3), std::string("\x01\x02junk\xFF\n"), std::string(),
                                   whole + "..\\..\\boot.ini\n", std::string(100000, 'x')}) {
        WriteBytes(rotation_.HistoryPath(), bad);
        WallpaperRotation again = Restarted();
        EXPECT_TRUE(again.History().Entries().empty()) << bad.substr(0, 40);
        EXPECT_EQ(HistoryFile(), History({}));
        EXPECT_FALSE(testing::FileExists(rotation_.HistoryPath() + L".new"));
        EXPECT_FALSE(again.Previous());
    }
}

TEST_F(Rotation, APictureDeeperThanTheOldPathLimitIsReadAndApplied) {
    // Long in characters, short enough in bytes for the Unix disk under Wine.
    const std::wstring name = L"长" + std::wstring(235, L'x') + L".bmp";
    ASSERT_GT(program_.InPic(name).size(), 260u);
    program_.AddPicture(name, 31, 7);
    ASSERT_TRUE(rotation_.Next());
    EXPECT_EQ(Shown(), 31);
    EXPECT_EQ(rotation_.History().Entries(), std::vector<std::string>{Narrow(name)});
}

TEST_F(Rotation, AFolderTheAnsiCodePageCannotSpellReachesTheSystemByItsWidePath) {
    // 한 has no place in code page 936: the wide setter gets the path, and
    // Win.ini, an ANSI profile, is not given one with question marks.
    const std::wstring dir = program_.path() + L"\\图片 한글";
    ::CreateDirectoryW(dir.c_str(), nullptr);
    ::CreateDirectoryW((dir + L"\\pic").c_str(), nullptr);
    testing::WriteSolidBmp(dir + L"\\pic\\a.bmp", 9, 9, RGB(1, 2, 3));
    Win32SystemEffects system;
    WallpaperRotation rotation({system, settings_, random_, later_, dir});
    ASSERT_TRUE(rotation.Next());
    wchar_t value[MAX_PATH] = {};
    DWORD bytes = sizeof value;
    ASSERT_EQ(::RegGetValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"Wallpaper", RRF_RT_REG_SZ, nullptr,
                             value, &bytes),
              ERROR_SUCCESS);
    EXPECT_EQ(std::wstring(value), dir + L"\\wallpaper.bmp");

    WallpaperRotation recorded({effects_, settings_, random_, later_, dir});
    ASSERT_TRUE(recorded.Next());
    for (const std::string& call : effects_.Calls()) EXPECT_EQ(call.find("\"Wallpaper\""), std::string::npos) << call;
    EXPECT_EQ(effects_.Calls().back(), "SetDeskWallpaper(\"" + Narrow(dir) + "\\wallpaper.bmp\", 1)");
    ProgramFolder::RemoveTree(dir);
}

// ---- the watched folder

TEST_F(Rotation, PicturesAddedOrRemovedAreTakenWithinTwoSeconds) {
    Pictures(1);
    ASSERT_EQ(rotation_.Names().size(), 1u);
    program_.AddPicture(L"2.bmp");
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(PumpWithWatch(rotation_, [&] { return rotation_.WatchUpdates() == 1; }, 5s));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
    EXPECT_EQ(rotation_.Names(), (std::vector<std::string>{"1.bmp", "2.bmp"}));
    ::DeleteFileW(program_.InPic(L"1.bmp").c_str());
    ASSERT_TRUE(PumpWithWatch(rotation_, [&] { return rotation_.WatchUpdates() == 2; }, 5s));
    EXPECT_EQ(rotation_.Names(), std::vector<std::string>{"2.bmp"});
}

TEST_F(Rotation, NextTakesAChangeTheLoopHasNotGotRoundTo) {
    Pictures(1);
    ASSERT_TRUE(rotation_.Next());
    program_.AddPicture(L"0.bmp", 40, 5);  // before 1.bmp: the next after it in order, round the end
    ASSERT_TRUE(rotation_.Next());
    EXPECT_EQ(Shown(), 40);
}

TEST_F(Rotation, AThousandFilesCopiedInAtOnceAreOneUpdate) {
    Pictures(1);
    ASSERT_EQ(rotation_.Names().size(), 1u);
    const std::wstring pic = program_.Pic();
    std::thread copier([pic] {
        for (int i = 0; i < 1000; ++i) {
            const std::wstring path = pic + L"\\copy " + std::to_wstring(i) + L".jpg";
            UniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        }
    });
    const bool taken = PumpWithWatch(rotation_, [&] { return rotation_.Names().size() == 1001; }, 10s);
    copier.join();
    PumpWithWatch(rotation_, [] { return false; }, 1500ms);  // any update still to come
    EXPECT_TRUE(taken);
    EXPECT_EQ(rotation_.WatchUpdates(), 1);
    EXPECT_EQ(rotation_.Names().size(), 1001u);
}

// ---- with the changer open

TEST_F(Rotation, NextMovesTheOpenChangersSelectionWithIt) {
    Pictures(3);
    WallpaperChanger& c = Open();
    rotation_.Next();
    EXPECT_EQ(::SendMessageW(C(kPictureList), LB_GETCURSEL, 0, 0), 0);
    rotation_.Next();
    EXPECT_EQ(::SendMessageW(C(kPictureList), LB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(TextOf(C(kFileNameLabel)), L"文件名：2.bmp");
    EXPECT_EQ(c.Preview().width(), 12);
    rotation_.Previous();
    EXPECT_EQ(::SendMessageW(C(kPictureList), LB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(c.Preview().width(), 11);
}

TEST_F(Rotation, NextStopsAtTheFirstPictureWhenTheBitmapCannotBeWritten) {
    Pictures(3);
    Open();
    ::CreateDirectoryW(program_.Bitmap().c_str(), nullptr);  // nothing can be written there
    EXPECT_FALSE(rotation_.Next());
    EXPECT_EQ(::SendMessageW(C(kPictureList), LB_GETCURSEL, 0, 0), 0) << "one picture tried, not each in turn";
    EXPECT_EQ(Wallpapers(), 0);
    ::RemoveDirectoryW(program_.Bitmap().c_str());
}

TEST_F(Rotation, TheScheduleNextAndChangeNowShareOneRound) {
    Pictures(3);
    Open();
    Press(C(kRandomOption));
    Press(B(ChangerButton::ChangeNow));  // the preview: 1.bmp
    std::vector<int> shown = {Shown()};
    random_.values = {0.0, 0.0};
    rotation_.Next();
    shown.push_back(Shown());
    testing::ChooseInCombo(C(kScheduleBox), 4);
    Press(B(ChangerButton::Start));
    IntervalTick();
    shown.push_back(Shown());
    EXPECT_EQ(std::set<int>(shown.begin(), shown.end()), (std::set<int>{11, 12, 13})) << "one round";
}

TEST_F(Rotation, TheOpenListFollowsTheFolderKeepingItsSelectionAndPreview) {
    Pictures(3);
    WallpaperChanger& c = Open();
    ChooseInList(C(kPictureList), 1);
    program_.AddPicture(L"15.bmp", 50, 5);
    ASSERT_TRUE(PumpWithWatch(rotation_, [&] { return ListItems(C(kPictureList)).size() == 4; }, 2s));
    EXPECT_EQ(ListItems(C(kPictureList)), (std::vector<std::wstring>{L"1.bmp", L"15.bmp", L"2.bmp", L"3.bmp"}));
    EXPECT_EQ(::SendMessageW(C(kPictureList), LB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(c.Preview().width(), 12);

    ::DeleteFileW(program_.InPic(L"2.bmp").c_str());
    ASSERT_TRUE(PumpWithWatch(rotation_, [&] { return ListItems(C(kPictureList)).size() == 3; }, 2s));
    EXPECT_EQ(::SendMessageW(C(kPictureList), LB_GETCURSEL, 0, 0), LB_ERR);
    EXPECT_EQ(c.Preview().width(), 11) << "its picture gone, the preview shows the first";
    EXPECT_TRUE(prompts_.boxes.empty());
    rotation_.Next();  // the one that followed the picture that went
    EXPECT_EQ(Shown(), 13);
}

TEST_F(Rotation, ChangeNowSaysWhenWinIniCannotBeGivenThePath) {
    const std::wstring dir = program_.path() + L"\\图片 한글";
    ::CreateDirectoryW(dir.c_str(), nullptr);
    ::CreateDirectoryW((dir + L"\\pic").c_str(), nullptr);
    testing::WriteSolidBmp(dir + L"\\pic\\a.bmp", 9, 9, RGB(1, 2, 3));
    {
        WallpaperRotation rotation({effects_, settings_, random_, later_, dir, one_});
        wallpaper::WallpaperSchedule schedule(rotation, settings_, clock_);
        auto changer = WallpaperChanger::Create({rotation, schedule, effects_, prompts_, settings_, clock_, nullptr,
                                                 nullptr});
        ASSERT_NE(changer, nullptr);
        Press(changer->Button(ChangerButton::ChangeNow));
        ASSERT_EQ(prompts_.boxes.size(), 1u);
        EXPECT_NE(prompts_.boxes[0].text.find(L"Win.ini"), std::wstring::npos);
        EXPECT_EQ(prompts_.boxes[0].text.rfind(L"桌面已经更换。", 0), 0u);
        EXPECT_EQ(Wallpapers(), 1);
    }
    ProgramFolder::RemoveTree(dir);
}

TEST_F(Rotation, EveryWayOfClosingTheChangerFromOutsideOnlyHidesIt) {
    Pictures(1);
    WallpaperChanger& c = Open();
    testing::ChooseInCombo(C(kScheduleBox), 4);
    Press(B(ChangerButton::Start));
    effects_.Clear();
    for (auto close : {+[](HWND w) { ::SendMessageW(w, WM_SYSCOMMAND, SC_CLOSE, 0); },
                       +[](HWND w) { ::SendMessageW(w, WM_CLOSE, 0, 0); }}) {
        ::ShowWindow(c.hwnd(), SW_SHOWNA);
        close(c.hwnd());
        ASSERT_NE(c.hwnd(), nullptr);
        EXPECT_FALSE(HasVisibleFlag(c.hwnd()));
        EXPECT_TRUE(c.IntervalTimerOn());
    }
    IntervalTick();
    EXPECT_EQ(Wallpapers(), 1);
    c.CloseForGood();  // the program's own close
    EXPECT_EQ(c.hwnd(), nullptr);
}

}  // namespace
}  // namespace velmora
