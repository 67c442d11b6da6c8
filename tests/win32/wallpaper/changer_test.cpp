// The wallpaper changer as a user meets it: the list of the pic folder and
// its thumbnail, the settings restored from and written to the profile, the
// buttons of each mode, change-now, and timed changing walked through a day
// with the clock handed in. System effects go to the recorder, message boxes
// to a recording prompter.
#include "wallpaper/changer_fixture.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

#include "platform/controls.h"

namespace velmora {
namespace {

using namespace changer_control;
using testing::Changer;
using testing::ProgramFolder;
using testing::TextOf;
using testing::At;
using testing::ChooseInCombo;
using testing::ChooseInList;
using testing::Enabled;
using testing::ListItems;
using testing::Notify;
using testing::Press;

// ---- the window and its controls

TEST_F(Changer, LoadsHiddenInTheStateItWasDesignedIn) {
    WallpaperChanger& c = Open();
    EXPECT_FALSE(HasVisibleFlag(c.hwnd()));
    EXPECT_EQ(TextOf(c.hwnd()), L"Velmora-更换桌面");
    EXPECT_EQ(testing::ClassOf(c.hwnd()), L"Velmora.WallpaperChanger");
    const wchar_t* captions[7] = {L"增加图片", L"更新图片", L"查看大图", L"开始更换", L"关闭/隐藏", L"停止更换", L"立即更换"};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(TextOf(B(static_cast<ChangerButton>(i))), captions[i]) << i;
    // 关闭/隐藏 lies beyond the visible window, reachable by the tab key only.
    RECT client{};
    ::GetClientRect(c.hwnd(), &client);
    EXPECT_GE(ChildRect(B(ChangerButton::Hide)).left, client.right);
    EXPECT_TRUE(::GetWindowLongPtrW(B(ChangerButton::Hide), GWL_STYLE) & WS_TABSTOP);

    // The schedules are picked from a list: nothing can be typed.
    EXPECT_EQ(::GetWindowLongPtrW(C(kScheduleBox), GWL_STYLE) & 3, CBS_DROPDOWNLIST);
    EXPECT_EQ(::SendMessageW(C(kScheduleBox), CB_GETCOUNT, 0, 0), 5);
    EXPECT_EQ(TextOf(C(kScheduleBox)), L"整点");
    EXPECT_EQ(TextOf(C(kIntervalField)), L"30");

    // Timed, sequential, centred, the box clear, the schedule hidden, every
    // button enabled, no status, and nothing written.
    for (int option : {kTimedOption, kSequentialOption, kCentreOption}) EXPECT_TRUE(IsChecked(C(option))) << option;
    for (int option : {kImmediateOption, kRandomOption, kTileOption, kStretchOption, kStartWithProgramBox}) {
        EXPECT_FALSE(IsChecked(C(option))) << option;
    }
    EXPECT_FALSE(HasVisibleFlag(C(kScheduleBox)));
    EXPECT_FALSE(HasVisibleFlag(C(kIntervalField)));
    for (int i = 0; i < 7; ++i) EXPECT_TRUE(Enabled(B(static_cast<ChangerButton>(i)))) << i;
    EXPECT_EQ(TextOf(C(kStatusLabel)), L"");
    for (const char* key : {"xz", "sj", "zdy", "sx", "wz", "qhzm", "gh"}) EXPECT_FALSE(settings_.Written(key)) << key;
}

TEST_F(Changer, LinesUpWithThePanelOrKeepsItsOwnPlace) {
    panel_ = TwipsRect{.left = 1500, .top = 900, .width = 9000, .height = 5600};
    WallpaperChanger& beside = Open();
    EXPECT_EQ(WindowTwips(beside.hwnd(), TwipsField::Left), 1500 + 9000 - 7800);  // right edges lined up
    EXPECT_EQ(WindowTwips(beside.hwnd(), TwipsField::Top), 900);

    // No panel: the placement record, where a panel would open too.
    panel_.reset();
    ::RegSetKeyValueW(HKEY_CURRENT_USER, kPlacementKey, L"frmLeft", REG_SZ, L"3000", 10);
    ::RegSetKeyValueW(HKEY_CURRENT_USER, kPlacementKey, L"frmTop", REG_SZ, L"1200", 10);
    WallpaperChanger& alone = Open();
    EXPECT_EQ(WindowTwips(alone.hwnd(), TwipsField::Left), 3000);
    EXPECT_EQ(WindowTwips(alone.hwnd(), TwipsField::Top), 1200);
}

TEST_F(Changer, ListsThePicFolderAndPreviewsTheFirstWithoutSelectingIt) {
    program_.AddPicture(L"b.jpg");  // any name: the header tells the format
    program_.AddPicture(L"A.bmp", 64, 48);
    program_.AddPicture(L"Thumbs.db");
    ::SetFileAttributesW(program_.InPic(L"Thumbs.db").c_str(), FILE_ATTRIBUTE_HIDDEN);
    program_.AddText(L"readme.txt");

    WallpaperChanger& c = Open();
    EXPECT_EQ(ListItems(C(kPictureList)), (std::vector<std::wstring>{L"A.bmp", L"b.jpg", L"readme.txt"}));
    EXPECT_EQ(::SendMessageW(C(kPictureList), LB_GETCURSEL, 0, 0), LB_ERR);
    ASSERT_TRUE(c.Preview());
    EXPECT_EQ(c.Preview().width(), 64);
    EXPECT_EQ(TextOf(C(kFileNameLabel)), L"文件名：A.bmp");
    EXPECT_EQ(TextOf(C(kFilePathLabel)), L"文件路径： " + program_.InPic(L"A.bmp"));
}

TEST_F(Changer, AnEmptyOrMissingFolderGivesAnEmptyListAndNoPreview) {
    WallpaperChanger& c = Open();
    EXPECT_TRUE(ListItems(C(kPictureList)).empty());
    EXPECT_FALSE(c.Preview());
    EXPECT_EQ(TextOf(C(kFilePathLabel)), L"");

    ProgramFolder::RemoveTree(program_.Pic());
    Open();
    EXPECT_TRUE(ListItems(C(kPictureList)).empty());
}

TEST_F(Changer, ResizingNeitherReadsTheFolderAgainNorLosesTheSelection) {
    program_.AddPicture(L"1.bmp", 11, 5);
    program_.AddPicture(L"2.bmp", 12, 5);
    WallpaperChanger& c = Open();
    ChooseInList(C(kPictureList), 1);
    program_.AddPicture(L"0.bmp");
    for (int i = 0; i < 3; ++i) {
        ::SetWindowPos(c.hwnd(), nullptr, 0, 0, 600 + i, 400, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    EXPECT_EQ(ListItems(C(kPictureList)), (std::vector<std::wstring>{L"1.bmp", L"2.bmp"}));
    EXPECT_EQ(::SendMessageW(C(kPictureList), LB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(c.Preview().width(), 12);
}

TEST_F(Changer, SelectingAPicturePreviewsItAndAnUnreadableOneClosesTheWindow) {
    program_.AddPicture(L"a.bmp", 10, 10);
    program_.AddPicture(L"b.bmp", 20, 10);
    program_.AddText(L"c.txt");
    WallpaperChanger& c = Open();
    ChooseInList(C(kPictureList), 1);
    EXPECT_EQ(c.Preview().width(), 20);
    EXPECT_EQ(TextOf(C(kFileNameLabel)), L"文件名：b.bmp");
    EXPECT_TRUE(prompts_.boxes.empty());

    ChooseInList(C(kPictureList), 2);
    ASSERT_EQ(prompts_.boxes.size(), 1u);
    EXPECT_EQ(Box(0), L"需要更新图片，请重新打开更换桌面功能！");
    EXPECT_EQ(prompts_.boxes[0].title, L" Velmora ");
    EXPECT_EQ(c.hwnd(), nullptr);
}

TEST_F(Changer, TheViewerOpensOnThePictureTheLabelsName) {
    Open();
    Press(B(ChangerButton::ViewFullSize));  // nothing previewed: an open viewer only closes
    program_.AddPicture(L"a.bmp");
    program_.AddPicture(L"b.bmp");
    Open();
    ChooseInList(C(kPictureList), 1);
    Notify(C(kPreview), STN_DBLCLK);
    EXPECT_EQ(viewerPaths_, (std::vector<std::wstring>{L"", program_.InPic(L"b.bmp")}));
}

TEST_F(Changer, MaintenanceButtonsSendTheUserToTheFolderAndClose) {
    WallpaperChanger& c = Open();
    Press(B(ChangerButton::AddPictures));
    ASSERT_FALSE(effects_.Calls().empty());
    const std::string call = effects_.Calls()[0];
    EXPECT_EQ(call.find("ShellExecute("), 0u) << call;
    EXPECT_NE(call.find(", \"open\", \"" + Narrow(program_.Pic()) + "\", NULL, \"" + Narrow(program_.path()) +
                        "\", 1)"),
              std::string::npos)
        << call;
    EXPECT_EQ(c.hwnd(), nullptr);

    WallpaperChanger& again = Open();
    Press(B(ChangerButton::UpdatePictures));
    EXPECT_EQ(Box(0), L"更新图片需要关闭更换桌面功能，请重新打开！");
    EXPECT_EQ(again.hwnd(), nullptr);
    // Closing keeps the changer's placement.
    wchar_t width[32] = {};
    DWORD bytes = sizeof width;
    EXPECT_EQ(::RegGetValueW(HKEY_CURRENT_USER, kPlacementKey, L"frmWidth", RRF_RT_REG_SZ, nullptr, width, &bytes),
              ERROR_SUCCESS);
    EXPECT_STREQ(width, L"7800");
}

// ---- settings

TEST_F(Changer, ImmediateModeFromTheProfile) {
    settings_.Set("xz", "3");
    Open();
    EXPECT_FALSE(IsChecked(C(kTimedOption)));
    EXPECT_TRUE(IsChecked(C(kImmediateOption)));
    EXPECT_FALSE(HasVisibleFlag(C(kScheduleBox)));
    EXPECT_FALSE(HasVisibleFlag(C(kScheduleLabel)));
    EXPECT_FALSE(Enabled(C(kStartWithProgramBox)));
    EXPECT_FALSE(Enabled(B(ChangerButton::Start)));
    EXPECT_FALSE(Enabled(B(ChangerButton::Stop)));
    EXPECT_TRUE(Enabled(B(ChangerButton::ChangeNow)));
}

TEST_F(Changer, TimedModeWithAnIntervalFromTheProfile) {
    const char* profile[][2] = {{"xz", "1"}, {"sj", "自定义"}, {"zdy", "45"}, {"sx", "2"}, {"wz", "1"}, {"qhzm", "1"}};
    for (const auto& [key, value] : profile) settings_.Set(key, value);
    WallpaperChanger& c = Open();
    EXPECT_TRUE(HasVisibleFlag(C(kScheduleBox)));
    EXPECT_EQ(TextOf(C(kScheduleBox)), L"自定义");
    EXPECT_TRUE(HasVisibleFlag(C(kIntervalField)));
    EXPECT_TRUE(HasVisibleFlag(C(kSecondsLabel)));
    EXPECT_EQ(TextOf(C(kIntervalField)), L"45");
    EXPECT_TRUE(IsChecked(C(kRandomOption)));
    EXPECT_FALSE(IsChecked(C(kSequentialOption)));
    EXPECT_TRUE(IsChecked(C(kTileOption)));
    EXPECT_FALSE(IsChecked(C(kCentreOption)));
    EXPECT_TRUE(IsChecked(C(kStartWithProgramBox)));
    EXPECT_TRUE(Enabled(B(ChangerButton::Start)));
    EXPECT_FALSE(Enabled(B(ChangerButton::ChangeNow)));
    EXPECT_EQ(TextOf(C(kStatusLabel)), L"");  // loading never starts changing
    EXPECT_FALSE(c.ClockTimerOn() || c.IntervalTimerOn());
}

TEST_F(Changer, AScheduleTheListDoesNotHoldShowsOnTheHourAndRunsIt) {
    program_.AddPicture(L"a.bmp");
    settings_.Set("xz", "1");
    settings_.Set("sj", "每10分");
    WallpaperChanger& c = Open();
    EXPECT_EQ(TextOf(C(kScheduleBox)), L"整点");
    Press(B(ChangerButton::Start));
    EXPECT_EQ(Box(0), L"整点  更换桌面！    ");
    Tick(At(9, 59, 59));
    Tick(At(10, 0, 0));
    EXPECT_EQ(Wallpapers(), 1);
    EXPECT_TRUE(c.ClockTimerOn());
}

TEST_F(Changer, FiveChoicesOfPositionFitTheGroupAndOnePicturePerMonitorNeedsTwo) {
    WallpaperChanger& c = Open();
    RECT before{};
    ::GetWindowRect(c.hwnd(), &before);
    // Every choice inside the group, left to right, none over the next.
    const RECT group = ChildRect(C(kPositionGroup));
    RECT client{};
    ::GetClientRect(c.hwnd(), &client);
    LONG lastRight = group.left;
    for (const auto& [option, caption] : {std::pair{kTileOption, kTileCaption}, {kStretchOption, kStretchCaption},
                                          {kCentreOption, kCentreCaption}, {kFillOption, kFillCaption},
                                          {kFitOption, kFitCaption}}) {
        const RECT box = ChildRect(C(option)), label = ChildRect(C(caption));
        EXPECT_GE(box.left, lastRight) << caption;
        EXPECT_GE(label.left, box.right) << caption;
        EXPECT_LE(label.right, group.right) << caption;
        lastRight = label.right;
    }
    EXPECT_EQ(TextOf(C(kFillCaption)), L"填充");
    EXPECT_EQ(TextOf(C(kFitCaption)), L"适应");
    const RECT own = ChildRect(C(kPicturePerMonitorCaption));
    EXPECT_LE(own.right, client.right);
    EXPECT_LE(own.bottom, client.bottom);

    Notify(C(kFillCaption), STN_CLICKED);
    EXPECT_EQ(settings_.Read("wz"), "4");
    EXPECT_TRUE(IsChecked(C(kFillOption)));
    EXPECT_FALSE(IsChecked(C(kCentreOption)));
    Press(C(kFitOption));
    EXPECT_EQ(settings_.Read("wz"), "5");
    EXPECT_FALSE(IsChecked(C(kFillOption)));

    // One monitor: nothing to choose. Two: on unless turned off.
    EXPECT_FALSE(Enabled(C(kPicturePerMonitorBox)));
    Notify(C(kPicturePerMonitorCaption), STN_CLICKED);
    EXPECT_FALSE(settings_.Written("mgxsq"));
    monitors_.push_back({1280, 0, 800, 1280});
    Open();
    EXPECT_TRUE(Enabled(C(kPicturePerMonitorBox)));
    EXPECT_TRUE(IsChecked(C(kPicturePerMonitorBox)));
    EXPECT_TRUE(IsChecked(C(kFitOption)));
    Press(C(kPicturePerMonitorBox));
    EXPECT_EQ(settings_.Read("mgxsq"), "0");
    EXPECT_FALSE(IsChecked(C(kPicturePerMonitorBox)));
    RECT after{};
    ::GetWindowRect(changer_->hwnd(), &after);
    EXPECT_EQ(after.right - after.left, before.right - before.left);
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
}

TEST_F(Changer, EveryChoiceIsWrittenTheMomentItIsMade) {
    Open();
    Press(C(kStretchOption));
    EXPECT_EQ(settings_.Read("wz"), "2");
    EXPECT_TRUE(IsChecked(C(kStretchOption)));
    EXPECT_FALSE(IsChecked(C(kCentreOption)));
    Press(C(kRandomOption));
    EXPECT_EQ(settings_.Read("sx"), "2");
    Press(C(kImmediateOption));
    EXPECT_EQ(settings_.Read("xz"), "3");
    Press(C(kTimedOption));
    EXPECT_EQ(settings_.Read("xz"), "1");
    ChooseInCombo(C(kScheduleBox), 4);
    EXPECT_EQ(settings_.Read("sj"), "自定义");
    EXPECT_TRUE(HasVisibleFlag(C(kIntervalField)));
    ChooseInCombo(C(kScheduleBox), 2);
    EXPECT_EQ(settings_.Read("sj"), "每一刻钟");
    EXPECT_FALSE(HasVisibleFlag(C(kIntervalField)));
    EXPECT_FALSE(settings_.Written("zdy"));  // the interval only with a start

    // The check box twice: back at its first value; its caption ticks it too.
    Press(C(kStartWithProgramBox));
    EXPECT_EQ(settings_.Read("qhzm"), "1");
    EXPECT_TRUE(IsChecked(C(kStartWithProgramBox)));
    Notify(C(kStartWithProgramCaption), STN_CLICKED);
    EXPECT_EQ(settings_.Read("qhzm"), "0");
    EXPECT_FALSE(IsChecked(C(kStartWithProgramBox)));

    // A caption beside an option selects it too.
    Notify(C(kTileCaption), STN_CLICKED);
    EXPECT_TRUE(IsChecked(C(kTileOption)));
    EXPECT_EQ(settings_.Read("wz"), "1");
}

// ---- change now

TEST_F(Changer, ChangeNowAppliesThePreviewStretched) {
    program_.AddPicture(L"sea.bmp", 96, 54);
    Open();
    Press(C(kStretchOption));
    effects_.Clear();
    Press(B(ChangerButton::ChangeNow));
    const std::string bitmap = Narrow(program_.Bitmap());
    EXPECT_EQ(effects_.Calls(),
              (std::vector<std::string>{
                  "WritePrivateProfileString(\"Desktop\", \"Wallpaper\", \"" + bitmap + "\", \"Win.ini\")",
                  "WritePrivateProfileString(\"Desktop\", \"TileWallpaper\", \"0\", \"Win.ini\")",
                  "WritePrivateProfileString(\"Desktop\", \"WallpaperStyle\", \"2\", \"Win.ini\")",
                  "SetDeskWallpaper(\"" + bitmap + "\", 1)"}));
    EXPECT_EQ(program_.BitmapSize().cx, 96);
    EXPECT_EQ(program_.BitmapSize().cy, 54);
    EXPECT_TRUE(prompts_.boxes.empty());
}

TEST_F(Changer, ChangeNowWithoutAPictureAsksForOne) {
    Open();
    Press(B(ChangerButton::ChangeNow));
    EXPECT_EQ(Box(0), L"请选择要浏览的图片！");
    EXPECT_EQ(prompts_.boxes[0].title, L"Velmora ");
    EXPECT_EQ(Wallpapers(), 0);
}

TEST_F(Changer, ChangeNowSaysSoWhenTheBitmapCannotBeWritten) {
    program_.AddPicture(L"sea.bmp");
    // A folder in the bitmap's place: nothing can be written there.
    ::CreateDirectoryW(program_.Bitmap().c_str(), nullptr);
    Open();
    Press(B(ChangerButton::ChangeNow));
    EXPECT_NE(Box(0).find(L"wallpaper.bmp"), std::wstring::npos);
    EXPECT_TRUE(effects_.Calls().empty());
    ::RemoveDirectoryW(program_.Bitmap().c_str());
}

// ---- timed changing

class TimedChanging : public Changer {
protected:
    WallpaperChanger& StartWith(int schedule) {
        WallpaperChanger& c = Open();
        ChooseInCombo(C(kScheduleBox), schedule);
        Press(B(ChangerButton::Start));
        prompts_.boxes.clear();
        effects_.Clear();
        return c;
    }
    // Walks the clock from one time on, a tick a second; the changes made.
    int Walk(LocalTime t, int seconds) {
        int changes = 0;
        for (int i = 0; i < seconds; ++i) {
            Tick(t);
            changes += Wallpapers();
            if (++t.second == 60) {
                t.second = 0;
                if (++t.minute == 60) {
                    t.minute = 0;
                    ++t.hour;
                }
            }
        }
        return changes;
    }
};

TEST_F(TimedChanging, StartingAClockScheduleSaysSoAndLocksTheChoiceUntilStopped) {
    program_.AddPicture(L"a.bmp");
    WallpaperChanger& c = Open();
    ChooseInCombo(C(kScheduleBox), 2);
    Press(B(ChangerButton::Start));
    EXPECT_EQ(Box(0), L"每一刻钟  更换桌面！    ");
    EXPECT_EQ(prompts_.boxes[0].title, L" Velmora ");
    EXPECT_EQ(TextOf(C(kStatusLabel)), L"正在更换桌面：每一刻钟 更换！");
    EXPECT_FALSE(Enabled(C(kScheduleBox)));
    EXPECT_TRUE(c.ClockTimerOn());
    EXPECT_FALSE(c.IntervalTimerOn());
    EXPECT_FALSE(Enabled(B(ChangerButton::Start)));
    EXPECT_TRUE(Enabled(B(ChangerButton::Stop)));
    EXPECT_FALSE(Enabled(B(ChangerButton::ChangeNow)));
    EXPECT_EQ(settings_.Read("gh"), "1");
    EXPECT_EQ(settings_.Read("zdy"), "30");

    Press(B(ChangerButton::Stop));
    EXPECT_EQ(TextOf(C(kStatusLabel)), L"");
    EXPECT_FALSE(c.ClockTimerOn());
    EXPECT_TRUE(Enabled(C(kScheduleBox)));
    EXPECT_TRUE(Enabled(B(ChangerButton::Start)));
    EXPECT_TRUE(Enabled(B(ChangerButton::Stop)));
    EXPECT_FALSE(Enabled(B(ChangerButton::ChangeNow)));  // no longer the design state
    EXPECT_EQ(settings_.Read("gh"), "0");
    // A tick still queued from before the stop changes nothing.
    Tick(At(11, 0, 0));
    IntervalTick();
    EXPECT_EQ(Wallpapers(), 0);
}

TEST_F(TimedChanging, QuarterHoursChangeAtExactlyTheirMomentsInSequentialOrder) {
    program_.AddPicture(L"1.bmp", 11, 5);
    program_.AddPicture(L"2.bmp", 12, 5);
    program_.AddPicture(L"3.bmp", 13, 5);
    StartWith(2);
    EXPECT_EQ(Walk(At(10, 44, 58), 2), 0);
    EXPECT_EQ(Walk(At(10, 45, 0), 1), 1);
    EXPECT_EQ(program_.BitmapSize().cx, 11);
    EXPECT_EQ(TextOf(C(kFileNameLabel)), L"文件名：1.bmp");
    EXPECT_EQ(Walk(At(10, 45, 1), 14 * 60 + 59), 0);
    EXPECT_EQ(Walk(At(11, 0, 0), 1), 1);
    EXPECT_EQ(program_.BitmapSize().cx, 12);
    EXPECT_EQ(Walk(At(11, 0, 1), 30 * 60), 2);
    EXPECT_EQ(program_.BitmapSize().cx, 11);  // 3.bmp at 11:15, then round to 1.bmp at 11:30
    EXPECT_EQ(::SendMessageW(C(kPictureList), LB_GETCURSEL, 0, 0), 0);
}

TEST_F(TimedChanging, EveryClockScheduleChangesOnceAtEachOfItsMoments) {
    program_.AddPicture(L"only.bmp");
    // Two hours from midnight, a tick a second.
    const struct {
        int schedule;
        int changes;
    } schedules[] = {{0, 2}, {1, 2}, {2, 8}, {3, 24}};
    for (const auto& s : schedules) {
        StartWith(s.schedule);
        EXPECT_EQ(Walk(At(0, 0, 0), 2 * 3600), s.changes) << s.schedule;
    }
}

TEST_F(TimedChanging, RandomOrderShowsEachPictureOnceARoundAndLeavesTheList) {
    program_.AddPicture(L"1.bmp", 31, 5);
    program_.AddPicture(L"2.bmp", 32, 5);
    program_.AddPicture(L"3.bmp", 33, 5);
    Open();
    Press(C(kRandomOption));
    ChooseInCombo(C(kScheduleBox), 3);
    Press(B(ChangerButton::Start));
    effects_.Clear();
    random_.values = {0.9, 0.0, 0.5, 0.5};
    // Drawn from the pictures the round has not shown: 3 of 3, 1 of the two
    // left, 2 alone; then a new round without the last one shown.
    const int expected[] = {33, 31, 32, 33};
    for (int i = 0; i < 4; ++i) {
        Tick(At(9, 5 * i + 4, 59));
        Tick(At(9, 5 * i + 5, 0));
        EXPECT_EQ(Wallpapers(), 1);
        EXPECT_EQ(program_.BitmapSize().cx, expected[i]);
    }
    EXPECT_EQ(::SendMessageW(C(kPictureList), LB_GETCURSEL, 0, 0), LB_ERR);
    EXPECT_EQ(TextOf(C(kFileNameLabel)), L"文件名：1.bmp");
}

TEST_F(TimedChanging, APictureThatFailsIsSkippedAndTheScheduleGoesOn) {
    program_.AddText(L"1.txt");
    program_.AddPicture(L"2.bmp", 22, 5);
    WallpaperChanger& c = StartWith(3);  // 每5分
    Tick(At(8, 0, 0));
    EXPECT_EQ(Wallpapers(), 0);
    EXPECT_TRUE(prompts_.boxes.empty());  // no message stops an unattended schedule
    ASSERT_NE(c.hwnd(), nullptr);
    EXPECT_TRUE(c.ClockTimerOn());
    Tick(At(8, 5, 0));
    EXPECT_EQ(Wallpapers(), 1);
    EXPECT_EQ(program_.BitmapSize().cx, 22);
}

TEST_F(TimedChanging, AnEmptyFolderTurnsTheTimerOffAtTheFirstTick) {
    WallpaperChanger& c = StartWith(0);
    EXPECT_TRUE(c.ClockTimerOn());
    Tick(At(12, 0, 0));
    EXPECT_FALSE(c.ClockTimerOn());
    EXPECT_EQ(TextOf(C(kStatusLabel)), L"正在更换桌面：整点 更换！");
}

TEST_F(TimedChanging, IntervalsAreCheckedAndTimedInWholeSeconds) {
    program_.AddPicture(L"a.bmp");
    WallpaperChanger& c = Open();
    ChooseInCombo(C(kScheduleBox), 4);
    const struct {
        const wchar_t* text;
        UINT period;  // 0: refused
    } cases[] = {{L"61", 0}, {L"0", 0}, {L"abc", 0}, {L"", 0}, {L"60", 60000}, {L"2.5", 2000}};
    for (const auto& k : cases) {
        SCOPED_TRACE(Narrow(k.text));
        Press(B(ChangerButton::Stop));
        ::SetWindowTextW(C(kIntervalField), k.text);
        prompts_.boxes.clear();
        Press(B(ChangerButton::Start));
        ASSERT_EQ(prompts_.boxes.size(), 1u);
        if (k.period) {
            EXPECT_EQ(Box(0), std::wstring(L"每隔") + k.text + L"秒  开始定时更换桌面！");
            EXPECT_EQ(c.IntervalPeriod(), k.period);
            EXPECT_FALSE(c.ClockTimerOn());
            EXPECT_EQ(TextOf(C(kStatusLabel)), std::wstring(L"正在更换桌面：每隔") + k.text + L"秒更换！");
            EXPECT_TRUE(Enabled(C(kScheduleBox)));
            EXPECT_EQ(settings_.Read("zdy"), Narrow(k.text));
        } else {
            EXPECT_EQ(Box(0).rfind(L"出错了！", 0), 0u) << Narrow(Box(0));
            EXPECT_FALSE(c.IntervalTimerOn());
            EXPECT_TRUE(Enabled(B(ChangerButton::Start)));
            EXPECT_FALSE(settings_.Written("zdy"));  // nothing written
        }
    }
}

TEST_F(TimedChanging, AnIntervalTickChangesTheWallpaper) {
    program_.AddPicture(L"a.bmp", 17, 3);
    StartWith(4);
    IntervalTick();
    EXPECT_EQ(Wallpapers(), 1);
    EXPECT_EQ(program_.BitmapSize().cx, 17);
}

TEST_F(TimedChanging, ANewChoiceStopsTheTimersButLeavesStatusAndButtons) {
    program_.AddPicture(L"a.bmp");
    WallpaperChanger& c = StartWith(4);
    ASSERT_TRUE(c.IntervalTimerOn());
    ChooseInCombo(C(kScheduleBox), 0);
    EXPECT_FALSE(c.ClockTimerOn() || c.IntervalTimerOn());
    EXPECT_EQ(TextOf(C(kStatusLabel)), L"正在更换桌面：每隔30秒更换！");
    EXPECT_FALSE(Enabled(B(ChangerButton::Start)));
    IntervalTick();
    EXPECT_EQ(Wallpapers(), 0);
}

TEST_F(TimedChanging, HidingKeepsTheScheduleAndImmediateModeDoesNotStopIt) {
    program_.AddPicture(L"a.bmp");
    WallpaperChanger& c = StartWith(3);
    Press(C(kImmediateOption));
    EXPECT_TRUE(c.ClockTimerOn());
    EXPECT_FALSE(Enabled(B(ChangerButton::Stop)));
    Press(C(kTimedOption));
    EXPECT_TRUE(Enabled(B(ChangerButton::Stop)));
    EXPECT_FALSE(Enabled(B(ChangerButton::Start)));

    ::ShowWindow(c.hwnd(), SW_SHOWNA);
    Press(B(ChangerButton::Hide));
    EXPECT_FALSE(HasVisibleFlag(c.hwnd()));
    ::ShowWindow(c.hwnd(), SW_SHOWNA);
    c.OnCaptionButtonRelease(frame::CaptionButton::Close);
    EXPECT_FALSE(HasVisibleFlag(c.hwnd()));
    ASSERT_NE(c.hwnd(), nullptr);
    EXPECT_TRUE(c.ClockTimerOn());
    Tick(At(8, 10, 0));
    EXPECT_EQ(Wallpapers(), 1);
}

TEST_F(TimedChanging, StartingFromTheProfileShowsNothingButARefusal) {
    program_.AddPicture(L"a.bmp");
    settings_.Set("sj", "每5分");
    settings_.Set("xz", "3");  // the mode is not asked
    Open().StartTimedChanging();
    EXPECT_TRUE(prompts_.boxes.empty());
    EXPECT_TRUE(changer_->ClockTimerOn());
    EXPECT_FALSE(HasVisibleFlag(changer_->hwnd()));
    EXPECT_TRUE(Enabled(B(ChangerButton::Stop)));  // so the user can stop it

    settings_.Set("sj", "自定义");
    settings_.Set("zdy", "90");
    Open().StartTimedChanging();
    EXPECT_EQ(Box(0), L"出错了！最大只能为60秒！请重新设置更换桌面功能！");
    EXPECT_FALSE(changer_->IntervalTimerOn());
}

// ---- window lifetimes

TEST_F(Changer, ThePreviewGoesWithTheWindowNotWithTheObject) {
    const long bitmaps = UniqueBitmap::live();
    program_.AddPicture(L"large.bmp", 1600, 900);
    WallpaperChanger& c = Open();
    ASSERT_TRUE(c.Preview());
    Close();
    ASSERT_NE(changer_, nullptr);
    EXPECT_FALSE(c.Preview());
    EXPECT_EQ(UniqueBitmap::live(), bitmaps);
}

TEST_F(Changer, NothingIsLeftBehindAcrossWindowLifetimes) {
    program_.AddPicture(L"a.bmp", 200, 100);
    program_.AddPicture(L"b.bmp", 100, 200);
    Open();
    changer_.reset();
    const long bitmaps = UniqueBitmap::live(), gdi = UniqueGdiObject::live(), dcs = UniqueMemoryDc::live(),
               regions = UniqueRegion::live();
    for (int i = 0; i < 10; ++i) {
        Open();
        ChooseInList(C(kPictureList), 1);
        Close();
        changer_.reset();
    }
    EXPECT_EQ(UniqueBitmap::live(), bitmaps);
    EXPECT_EQ(UniqueGdiObject::live(), gdi);
    EXPECT_EQ(UniqueMemoryDc::live(), dcs);
    EXPECT_EQ(UniqueRegion::live(), regions);
}

TEST_F(Changer, ADpiChangeScalesEveryControlAndKeepsEveryLabelWhole) {
    WallpaperChanger& changer = Open();
    HWND hwnd = changer.hwnd();
    struct Seen {
        HWND control;
        RECT at96;
    };
    std::vector<Seen> controls;
    for (HWND c = ::GetWindow(hwnd, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
        controls.push_back({c, testing::RectInParent(c)});
    }
    ASSERT_GT(controls.size(), 30u);
    RECT r{};
    ::GetWindowRect(hwnd, &r);
    RECT suggested{r.left, r.top, r.left + (r.right - r.left) * 2, r.top + (r.bottom - r.top) * 2};
    ::SendMessageW(hwnd, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
    ::GetWindowRect(hwnd, &r);
    EXPECT_EQ(r.right - r.left, 1040);
    EXPECT_EQ(r.bottom - r.top, 747);
    const HFONT font = reinterpret_cast<HFONT>(::SendMessageW(C(changer_control::kPictureList), WM_GETFONT, 0, 0));
    LOGFONTW lf{};
    ::GetObjectW(font, sizeof lf, &lf);
    EXPECT_EQ(lf.lfHeight, -24) << "the controls hold the font for the new scale";
    for (const Seen& seen : controls) {
        const RECT now = testing::RectInParent(seen.control);
        const int id = ::GetDlgCtrlID(seen.control);
        EXPECT_NEAR(now.left, seen.at96.left * 2, 2) << id;
        EXPECT_NEAR(now.top, seen.at96.top * 2, 2) << id;
        wchar_t cls[32] = {};
        ::GetClassNameW(seen.control, cls, 32);
        const std::wstring text = testing::TextOf(seen.control);
        if (std::wstring(cls) == L"Static" && !text.empty() && id != changer_control::kFilePathLabel) {
            // A label is never shorter or narrower than its line at the font.
            const HFONT labelFont = reinterpret_cast<HFONT>(::SendMessageW(seen.control, WM_GETFONT, 0, 0));
            const SIZE line = TextSize(labelFont, text);
            EXPECT_GE(now.right - now.left, line.cx) << id;
            EXPECT_GE(now.bottom - now.top, line.cy) << id;
        } else if (std::wstring(cls) != L"ComboBox") {
            EXPECT_NEAR(now.right, seen.at96.right * 2, 2) << id;
            EXPECT_NEAR(now.bottom, seen.at96.bottom * 2, 2) << id;
        }
    }
}

// ---- the keyboard and a screen reader

LONG_PTR StyleOf(HWND w) { return ::GetWindowLongPtrW(w, GWL_STYLE); }
bool ClassIs(HWND w, const wchar_t* name) { return _wcsicmp(testing::ClassOf(w).c_str(), name) == 0; }

// a comes before b as the eye reads: on the same line to its left, or in
// the same column above it.
bool ReadBefore(const RECT& a, const RECT& b) {
    const bool line = a.top < b.bottom && b.top < a.bottom, column = a.left < b.right && b.left < a.right;
    return (line && a.right <= b.left) || (column && a.bottom <= b.top);
}

// The changer with every control of the timed mode shown: the schedule box
// and the interval field.
class ChangerKeys : public Changer {
protected:
    WallpaperChanger& OpenAll() {
        settings_.Set("xz", "1");
        settings_.Set("sj", "自定义");
        return Open();
    }
    void OpenShownInFront() {
        HWND w = OpenAll().hwnd();
        ::SetWindowPos(w, nullptr, 40, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        ::ShowWindow(w, SW_SHOW);
        ::SetForegroundWindow(w);
    }
    // A key through the dialog keys' handling, as the program's loop does.
    void Key(WPARAM key) {
        MSG msg{::GetFocus(), WM_KEYDOWN, key, 0, 0, {}};
        ASSERT_TRUE(::IsDialogMessageW(changer_->hwnd(), &msg));
    }
    void Cues(bool shown) {
        ::SendMessageW(changer_->hwnd(), WM_UPDATEUISTATE, MAKEWPARAM(shown ? UIS_CLEAR : UIS_SET, UISF_HIDEFOCUS), 0);
    }
    // The window's pixels in r (client coordinates), read back from the
    // screen, row by row.
    std::vector<COLORREF> Pixels(const RECT& r) {
        ::UpdateWindow(changer_->hwnd());
        POINT at{r.left, r.top};
        ::ClientToScreen(changer_->hwnd(), &at);
        const int w = r.right - r.left, h = r.bottom - r.top;
        HDC screen = ::GetDC(nullptr);
        UniqueMemoryDc copy(::CreateCompatibleDC(screen));
        UniqueBitmap bitmap(::CreateCompatibleBitmap(screen, w, h));
        SelectGuard select(copy.get(), bitmap.get());
        ::BitBlt(copy.get(), 0, 0, w, h, screen, at.x, at.y, SRCCOPY);
        ::ReleaseDC(nullptr, screen);
        std::vector<COLORREF> pixels;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) pixels.push_back(::GetPixel(copy.get(), x, y));
        }
        return pixels;
    }
};

TEST_F(ChangerKeys, EveryControlThatTakesTheFocusHasAName) {
    HWND w = OpenAll().hwnd();
    for (HWND c = ::GetWindow(w, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
        const bool focusable = ClassIs(c, L"Edit") || ClassIs(c, L"ListBox") || ClassIs(c, L"ComboBox") ||
                               (ClassIs(c, L"Button") && (StyleOf(c) & BS_TYPEMASK) != BS_GROUPBOX);
        if (focusable) EXPECT_FALSE(testing::AccessibleName(c).empty()) << ::GetDlgCtrlID(c);
    }
}

TEST_F(ChangerKeys, TabVisitsEveryStopOnceInReadingOrderAndEntersAGroupAtItsChoice) {
    HWND w = OpenAll().hwnd();
    std::vector<HWND> stops, frames;
    for (HWND c = ::GetWindow(w, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
        if ((StyleOf(c) & (WS_TABSTOP | WS_VISIBLE | WS_DISABLED)) == (WS_TABSTOP | WS_VISIBLE)) stops.push_back(c);
        if (ClassIs(c, L"Button") && (StyleOf(c) & BS_TYPEMASK) == BS_GROUPBOX) frames.push_back(c);
    }
    std::vector<HWND> visited{::GetNextDlgTabItem(w, nullptr, FALSE)};
    while (visited.size() <= stops.size()) {
        HWND next = ::GetNextDlgTabItem(w, visited.back(), FALSE);
        if (next == visited.front()) break;
        visited.push_back(next);
    }
    ASSERT_EQ(visited.size(), stops.size()) << "back to the first after each stop once";
    EXPECT_TRUE(std::is_permutation(visited.begin(), visited.end(), stops.begin()));

    for (size_t i = 0; i < visited.size(); ++i) {
        if (ClassIs(visited[i], L"Button") && (StyleOf(visited[i]) & BS_TYPEMASK) == BS_RADIOBUTTON) {
            EXPECT_TRUE(IsChecked(visited[i])) << ::GetDlgCtrlID(visited[i]);
        }
        for (size_t j = i + 1; j < visited.size(); ++j) {
            EXPECT_FALSE(ReadBefore(ChildRect(visited[j]), ChildRect(visited[i])))
                << ::GetDlgCtrlID(visited[j]) << " is read before " << ::GetDlgCtrlID(visited[i]);
        }
    }
    // The stops inside a group's frame one after another.
    for (HWND frame : frames) {
        const RECT outline = ChildRect(frame);
        std::vector<size_t> inside;
        for (size_t i = 0; i < visited.size(); ++i) {
            const RECT r = ChildRect(visited[i]);
            RECT both{};
            if (::IntersectRect(&both, &r, &outline) && ::EqualRect(&both, &r)) inside.push_back(i);
        }
        ASSERT_FALSE(inside.empty()) << ::GetDlgCtrlID(frame);
        EXPECT_EQ(inside.back() - inside.front() + 1, inside.size()) << ::GetDlgCtrlID(frame);
    }
}

TEST_F(ChangerKeys, ArrowKeysChooseWithinAGroupAndTabGoesOnToTheNextGroupsChoice) {
    OpenShownInFront();
    ::SetFocus(C(kSequentialOption));
    Key(VK_RIGHT);
    EXPECT_EQ(::GetFocus(), C(kRandomOption));
    EXPECT_TRUE(IsChecked(C(kRandomOption)));
    EXPECT_EQ(settings_.Read("sx"), "2");
    Key(VK_DOWN);  // past the group's last option: its first, never the next group's
    EXPECT_EQ(::GetFocus(), C(kSequentialOption));
    EXPECT_TRUE(IsChecked(C(kSequentialOption)));
    EXPECT_FALSE(IsChecked(C(kRandomOption)));

    Key(VK_TAB);
    EXPECT_EQ(::GetFocus(), C(kCentreOption));
    Key(VK_LEFT);
    EXPECT_EQ(::GetFocus(), C(kStretchOption));
    EXPECT_EQ(settings_.Read("wz"), "2");
    Key(VK_TAB);
    EXPECT_EQ(::GetFocus(), C(kTimedOption));
    Key(VK_RIGHT);
    EXPECT_EQ(settings_.Read("xz"), "3");
    EXPECT_FALSE(HasVisibleFlag(C(kScheduleBox)));
}

TEST_F(ChangerKeys, AFocusedBoxIsMarkedAroundItsCaptionWhileKeyboardCuesShow) {
    OpenShownInFront();
    HWND box = C(kSequentialOption), elsewhere = C(kPictureList);
    const RECT text = ChildRect(C(kSequentialCaption));
    const LONG margin = (text.bottom - text.top) / 2;
    const RECT around{text.left - margin, text.top - margin, text.right + margin, text.bottom + margin};
    // Where two pictures of `around` differ: above, below, left of, right of
    // the caption, or on it.
    auto changes = [&](const std::vector<COLORREF>& a, const std::vector<COLORREF>& b) {
        std::array<int, 5> sides{};
        const LONG width = around.right - around.left;
        for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
            const LONG x = around.left + static_cast<LONG>(i) % width, y = around.top + static_cast<LONG>(i) / width;
            if (a[i] != b[i]) {
                ++sides[y < text.top ? 0 : y >= text.bottom ? 1 : x < text.left ? 2 : x >= text.right ? 3 : 4];
            }
        }
        return sides;
    };
    for (const bool contrast : {false, true}) {
        SCOPED_TRACE(contrast ? "high contrast" : "skin");
        std::optional<testing::StoredHighContrast> theme;
        if (contrast) theme.emplace(L"127");  // on, with every other flag the system sets
        ::SendMessageW(changer_->hwnd(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
        Cues(true);
        ::SetFocus(elsewhere);
        const std::vector<COLORREF> plain = Pixels(around);
        ::SetFocus(box);
        const std::array<int, 5> marked = changes(plain, Pixels(around));
        for (int side = 0; side < 4; ++side) EXPECT_GT(marked[side], 0) << side;
        EXPECT_EQ(marked[4], 0) << "the caption itself stays as it is";
        ::SetFocus(elsewhere);
        EXPECT_EQ(Pixels(around), plain);

        // The focus moved by the mouse: no cues, no mark.
        Cues(false);
        ::SetFocus(box);
        EXPECT_EQ(Pixels(around), plain);
    }
}

}  // namespace
}  // namespace velmora
