// The wallpaper changer as a user meets it: the list of the pic folder and
// its thumbnail, the settings restored from and written to the profile, the
// buttons of each mode, change-now, and timed changing walked through a day
// with the clock handed in. System effects go to the recorder.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "launcher/frm_main.h"
#include "platform/app_dir.h"
#include "platform/effects.h"
#include "platform/handles.h"
#include "platform/message_box.h"
#include "platform/text.h"
#include "settings/placement.h"
#include "settings/profile.h"
#include "shell/app_windows.h"
#include "test_support.h"
#include "tools/see.h"
#include "wallpaper/ghzm.h"
#include "wallpaper/schedule.h"

namespace velmora {
namespace {

using testing::TextOf;
using testing::RectInParent;

using testing::TempFolder;
using wallpaper::LocalTime;

struct Box {
    std::wstring title, text;
};
std::vector<Box> g_boxes;
int RecordBox(HWND, const std::wstring& text, const std::wstring& title, UINT) {
    g_boxes.push_back({title, text});
    return IDOK;
}

// The window's own flag (a control of a hidden window is not "visible").
bool Visible(HWND hwnd) { return (::GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_VISIBLE) != 0; }
bool Enabled(HWND hwnd) { return ::IsWindowEnabled(hwnd) != FALSE; }
bool Checked(HWND hwnd) { return ::SendMessageW(hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED; }

// What the user does to a control: the notification its parent receives.
void Press(HWND control) { ::SendMessageW(control, BM_CLICK, 0, 0); }
void ChooseInList(HWND list, int index) {
    ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::SendMessageW(::GetParent(list), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(list), LBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(list));
}
void ChooseInCombo(HWND combo, int index) {
    ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::SendMessageW(::GetParent(combo), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(combo), CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(combo));
}

std::vector<std::wstring> ListItems(HWND list) {
    std::vector<std::wstring> items;
    const int count = static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t buf[MAX_PATH] = {};
        ::SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf));
        items.push_back(buf);
    }
    return items;
}

LocalTime At(int hour, int minute, int second) { return {2026, 12, 9, hour, minute, second}; }

class Changer : public ::testing::Test {
protected:
    void SetUp() override {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Velmora Program Settings");
        SetAppDirectory(app_.path());
        ::CreateDirectoryW(Pic().c_str(), nullptr);
        // The start-up window registers this in the program.
        SetWindowFactory(WindowKind::ghzm, [] { return Ghzm::Instance().hwnd(); });
        g_boxes.clear();
        SetEffects(&recorder_);
        SetMessageBoxHook(&RecordBox);
    }
    void TearDown() override {
        CloseIfOpen(WindowKind::see);
        CloseIfOpen(WindowKind::ghzm);
        CloseIfOpen(WindowKind::frmMain);
        SetMessageBoxHook(nullptr);
        SetEffects(nullptr);
        Ghzm::SetRandomSource(nullptr);
        SetAppDirectory(L"");
        ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Velmora Program Settings");
    }

    std::wstring Pic() const { return app_.path() + L"\\pic"; }
    void AddPicture(const std::wstring& name, int w = 40, int h = 30, COLORREF c = RGB(30, 120, 200)) {
        testing::WriteSolidBmp(Pic() + L"\\" + name, w, h, c);
    }
    void AddText(const std::wstring& name) { testing::WriteBytes(Pic() + L"\\" + name, "not a picture\r\n"); }
    void Profile(const char* key, const char* value) { ProfileWrite(kProfileSection, key, value); }
    std::string Profile(const char* key) { return ProfileRead(kProfileSection, key); }

    Ghzm& Open() {
        HWND hwnd = EnsureWindow(WindowKind::ghzm);
        EXPECT_NE(hwnd, nullptr);
        return *Ghzm::Live();
    }

    // The wallpaper calls recorded since the last look.
    std::vector<std::string> Wallpapers() {
        std::vector<std::string> set;
        for (const std::string& call : recorder_.Calls()) {
            if (call.rfind("SetDeskWallpaper(", 0) == 0) set.push_back(call);
        }
        recorder_.Clear();
        return set;
    }
    // Size of the bitmap handed to the desktop.
    SIZE WallpaperSize() {
        const std::string bytes = testing::ReadBytes(app_.path() + L"\\wallpaper.bmp");
        if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') return {};
        auto at = [&](size_t i) {
            return static_cast<int>(static_cast<unsigned char>(bytes[i]) |
                                    static_cast<unsigned char>(bytes[i + 1]) << 8 |
                                    static_cast<unsigned char>(bytes[i + 2]) << 16);
        };
        return {at(18), at(22)};
    }

    TempFolder app_;
    RecordingEffects recorder_;
};

// ---- the window and its controls

TEST_F(Changer, LoadsHiddenWithItsControlsWhereTheyWereDesigned) {
    Ghzm& g = Open();
    EXPECT_FALSE(Visible(g.hwnd()));
    EXPECT_EQ(TextOf(g.hwnd()), L"Velmora-更换桌面");
    RECT outer{};
    ::GetWindowRect(g.hwnd(), &outer);
    EXPECT_EQ(outer.right - outer.left, 520);
    EXPECT_EQ(outer.bottom - outer.top, 373);

    const RECT list = RectInParent(g.List1());
    EXPECT_EQ(list.left, 24);
    EXPECT_EQ(list.top, 48);
    EXPECT_EQ(list.right - list.left, 209);
    EXPECT_EQ(list.bottom - list.top, 242);
    const RECT image = RectInParent(g.Control(Ghzm::kImage3Id));
    EXPECT_EQ(image.left, 240);
    EXPECT_EQ(image.right - image.left, 144);
    EXPECT_EQ(image.bottom - image.top, 102);

    const wchar_t* captions[7] = {L"增加图片", L"更新图片", L"查看大图", L"开始更换", L"关闭/隐藏", L"停止更换", L"立即更换"};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(TextOf(g.Command1(i)), captions[i]) << i;
    EXPECT_EQ(RectInParent(g.Command1(3)).left, 248);
    EXPECT_EQ(RectInParent(g.Command1(3)).top, 288);
    // 关闭/隐藏 lies beyond the visible window, reachable by keyboard only.
    EXPECT_GE(RectInParent(g.Command1(4)).left, 520);

    EXPECT_EQ(TextOf(g.Label(6)), L"顺序更换");
    EXPECT_EQ(TextOf(g.Label(10)), L"拉伸");
    EXPECT_EQ(TextOf(g.Label(14)), L"软件启动 自动执行桌面更换功能");
    EXPECT_EQ(TextOf(g.Text1()), L"30");
    EXPECT_EQ(TextOf(g.Combo1()), L"整点");
    std::vector<std::wstring> choices;
    for (int i = 0; i < 5; ++i) {
        wchar_t buf[32] = {};
        ::SendMessageW(g.Combo1(), CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf));
        choices.push_back(buf);
    }
    EXPECT_EQ(choices, (std::vector<std::wstring>{L"整点", L"每半点", L"每一刻钟", L"每5分", L"自定义"}));

    // The design state: timed, sequential, centred, box clear, schedule
    // controls hidden, every button enabled.
    EXPECT_TRUE(Checked(g.Option(1)));
    EXPECT_FALSE(Checked(g.Option(3)));
    EXPECT_TRUE(Checked(g.Option(4)));
    EXPECT_TRUE(Checked(g.Option(8)));
    EXPECT_FALSE(Checked(g.Check1()));
    EXPECT_FALSE(Visible(g.Combo1()));
    EXPECT_FALSE(Visible(g.Text1()));
    for (int i = 0; i < 7; ++i) EXPECT_TRUE(Enabled(g.Command1(i))) << i;
    EXPECT_EQ(TextOf(g.Label(4)), L"");
}

TEST_F(Changer, LinesUpWithThePanelWhichItCreatesHidden) {
    ASSERT_EQ(FrmMain::Live(), nullptr);
    Ghzm& g = Open();
    FrmMain* panel = FrmMain::Live();
    ASSERT_NE(panel, nullptr);
    EXPECT_FALSE(Visible(panel->hwnd()));
    RECT p{}, c{};
    ::GetWindowRect(panel->hwnd(), &p);
    ::GetWindowRect(g.hwnd(), &c);
    EXPECT_EQ(c.right, p.right);
    EXPECT_EQ(c.top, p.top);
}

TEST_F(Changer, ListsThePicFolderAndPreviewsTheFirstWithoutSelectingIt) {
    AddPicture(L"b.jpg");  // any name: the header tells the format
    AddPicture(L"A.bmp", 64, 48);
    AddPicture(L"Thumbs.db");
    ::SetFileAttributesW((Pic() + L"\\Thumbs.db").c_str(), FILE_ATTRIBUTE_HIDDEN);
    AddPicture(L"sys.bmp");
    ::SetFileAttributesW((Pic() + L"\\sys.bmp").c_str(), FILE_ATTRIBUTE_SYSTEM);
    ::CreateDirectoryW((Pic() + L"\\folder").c_str(), nullptr);
    AddText(L"readme.txt");

    Ghzm& g = Open();
    EXPECT_EQ(ListItems(g.List1()), (std::vector<std::wstring>{L"A.bmp", L"b.jpg", L"readme.txt"}));
    EXPECT_EQ(::SendMessageW(g.List1(), LB_GETCURSEL, 0, 0), LB_ERR);
    ASSERT_TRUE(g.Preview());
    EXPECT_EQ(g.Preview().width(), 64);
    EXPECT_EQ(TextOf(g.Label(1)), L"文件名：A.bmp");
    EXPECT_EQ(TextOf(g.Label(2)), L"文件路径： " + Pic() + L"\\A.bmp");
}

TEST_F(Changer, AnEmptyOrMissingFolderGivesAnEmptyListAndNoPreview) {
    Ghzm& g = Open();
    EXPECT_TRUE(ListItems(g.List1()).empty());
    EXPECT_FALSE(g.Preview());
    EXPECT_EQ(TextOf(g.Label(2)), L"");
    CloseIfOpen(WindowKind::ghzm);

    ::RemoveDirectoryW(Pic().c_str());
    Ghzm& again = Open();
    EXPECT_TRUE(ListItems(again.List1()).empty());
}

TEST_F(Changer, ARebuildLeavesTheLabelsWhenTheFolderEmpties) {
    AddPicture(L"one.bmp");
    Ghzm& g = Open();
    ASSERT_EQ(TextOf(g.Label(1)), L"文件名：one.bmp");
    ::DeleteFileW((Pic() + L"\\one.bmp").c_str());
    g.sxtp();
    EXPECT_TRUE(ListItems(g.List1()).empty());
    EXPECT_FALSE(g.Preview());
    EXPECT_EQ(TextOf(g.Label(1)), L"文件名：one.bmp");
}

TEST_F(Changer, SelectingAPicturePreviewsItAndAnUnreadableOneClosesTheWindow) {
    AddPicture(L"a.bmp", 10, 10);
    AddPicture(L"b.bmp", 20, 10);
    AddText(L"c.txt");
    Ghzm& g = Open();
    ChooseInList(g.List1(), 1);
    EXPECT_EQ(g.Preview().width(), 20);
    EXPECT_EQ(TextOf(g.Label(1)), L"文件名：b.bmp");
    EXPECT_TRUE(g_boxes.empty());

    ChooseInList(g.List1(), 2);
    ASSERT_EQ(g_boxes.size(), 1u);
    EXPECT_EQ(g_boxes[0].text, L"需要更新图片，请重新打开更换桌面功能！");
    EXPECT_EQ(g_boxes[0].title, L" Velmora ");
    EXPECT_EQ(Ghzm::Live(), nullptr);
    EXPECT_EQ(LiveWindow(WindowKind::ghzm), nullptr);
}

TEST_F(Changer, MaintenanceButtonsSendTheUserToTheFolderAndClose) {
    Ghzm& g = Open();
    Press(g.Command1(0));
    const auto calls = recorder_.Calls();
    ASSERT_FALSE(calls.empty());
    EXPECT_NE(calls[0].find("\"open\""), std::string::npos);
    EXPECT_NE(calls[0].find(Narrow(Pic()) + "\""), std::string::npos) << calls[0];
    EXPECT_EQ(Ghzm::Live(), nullptr);

    Ghzm& again = Open();
    Press(again.Command1(1));
    ASSERT_EQ(g_boxes.size(), 1u);
    EXPECT_EQ(g_boxes[0].text, L"更新图片需要关闭更换桌面功能，请重新打开！");
    EXPECT_EQ(Ghzm::Live(), nullptr);
    // Closing stores the placement of the changer.
    wchar_t width[32] = {};
    DWORD bytes = sizeof width;
    EXPECT_EQ(::RegGetValueW(HKEY_CURRENT_USER, kPlacementKey, L"frmWidth", RRF_RT_REG_SZ, nullptr, width, &bytes),
              ERROR_SUCCESS);
    EXPECT_STREQ(width, L"7800");
}

// ---- settings

TEST_F(Changer, ImmediateModeFromTheProfile) {
    Profile("xz", "3");
    Ghzm& g = Open();
    EXPECT_FALSE(Checked(g.Option(1)));
    EXPECT_TRUE(Checked(g.Option(3)));
    EXPECT_FALSE(Visible(g.Combo1()));
    EXPECT_FALSE(Visible(g.Label(3)));
    EXPECT_FALSE(Enabled(g.Check1()));
    EXPECT_FALSE(Enabled(g.Command1(3)));
    EXPECT_FALSE(Enabled(g.Command1(5)));
    EXPECT_TRUE(Enabled(g.Command1(6)));
}

TEST_F(Changer, TimedModeWithAnIntervalFromTheProfile) {
    Profile("xz", "1");
    Profile("sj", "自定义");
    Profile("zdy", "45");
    Profile("sx", "2");
    Profile("wz", "1");
    Profile("qhzm", "1");
    Ghzm& g = Open();
    EXPECT_TRUE(Visible(g.Combo1()));
    EXPECT_EQ(TextOf(g.Combo1()), L"自定义");
    EXPECT_TRUE(Visible(g.Text1()));
    EXPECT_TRUE(Visible(g.Label(5)));
    EXPECT_EQ(TextOf(g.Text1()), L"45");
    EXPECT_TRUE(Checked(g.Option(5)));
    EXPECT_FALSE(Checked(g.Option(4)));
    EXPECT_TRUE(Checked(g.Option(6)));
    EXPECT_FALSE(Checked(g.Option(8)));
    EXPECT_TRUE(Checked(g.Check1()));
    EXPECT_TRUE(Enabled(g.Command1(3)));
    EXPECT_FALSE(Enabled(g.Command1(6)));
    EXPECT_EQ(TextOf(g.Label(4)), L"");  // loading never starts changing
    EXPECT_FALSE(g.Timer1On() || g.Timer2On());
}

TEST_F(Changer, EveryChoiceIsWrittenTheMomentItIsMade) {
    Ghzm& g = Open();
    Press(g.Option(7));
    EXPECT_EQ(Profile("wz"), "2");
    EXPECT_TRUE(Checked(g.Option(7)));
    EXPECT_FALSE(Checked(g.Option(8)));
    Press(g.Option(5));
    EXPECT_EQ(Profile("sx"), "2");
    Press(g.Option(3));
    EXPECT_EQ(Profile("xz"), "3");
    Press(g.Option(1));
    EXPECT_EQ(Profile("xz"), "1");
    ChooseInCombo(g.Combo1(), 4);
    EXPECT_EQ(Profile("sj"), "自定义");
    EXPECT_TRUE(Visible(g.Text1()));
    ChooseInCombo(g.Combo1(), 2);
    EXPECT_EQ(Profile("sj"), "每一刻钟");
    EXPECT_FALSE(Visible(g.Text1()));

    // The check box twice: back at its first value.
    Press(g.Check1());
    EXPECT_EQ(Profile("qhzm"), "1");
    Press(g.Check1());
    EXPECT_EQ(Profile("qhzm"), "0");

    // A caption beside an option selects it too.
    ::SendMessageW(g.hwnd(), WM_COMMAND, MAKEWPARAM(Ghzm::kLabelId + 9, STN_CLICKED),
                   reinterpret_cast<LPARAM>(g.Label(9)));
    EXPECT_TRUE(Checked(g.Option(6)));
    EXPECT_EQ(Profile("wz"), "1");
}

// ---- change now

TEST_F(Changer, ChangeNowAppliesThePreviewStretched) {
    AddPicture(L"sea.bmp", 96, 54);
    Ghzm& g = Open();
    Press(g.Option(7));
    recorder_.Clear();
    Press(g.Command1(6));
    const std::string bitmap = Narrow(app_.path()) + "\\wallpaper.bmp";
    EXPECT_EQ(recorder_.Calls(),
              (std::vector<std::string>{
                  "WritePrivateProfileString(\"Desktop\", \"Wallpaper\", \"" + bitmap + "\", \"Win.ini\")",
                  "WritePrivateProfileString(\"Desktop\", \"TileWallpaper\", \"0\", \"Win.ini\")",
                  "WritePrivateProfileString(\"Desktop\", \"WallpaperStyle\", \"2\", \"Win.ini\")",
                  "SetDeskWallpaper(\"" + bitmap + "\", 1)"}));
    const SIZE size = WallpaperSize();
    EXPECT_EQ(size.cx, 96);
    EXPECT_EQ(size.cy, 54);
    EXPECT_TRUE(g_boxes.empty());
}

TEST_F(Changer, ChangeNowWithoutAPictureAsksForOne) {
    Ghzm& g = Open();
    Press(g.Command1(6));
    ASSERT_EQ(g_boxes.size(), 1u);
    EXPECT_EQ(g_boxes[0].text, L"请选择要浏览的图片！");
    EXPECT_EQ(g_boxes[0].title, L"Velmora ");
    EXPECT_TRUE(Wallpapers().empty());
}

TEST_F(Changer, ChangeNowSaysSoWhenTheBitmapCannotBeWritten) {
    AddPicture(L"sea.bmp");
    // A folder in the bitmap's place: nothing can be written there.
    ::CreateDirectoryW((app_.path() + L"\\wallpaper.bmp").c_str(), nullptr);
    Ghzm& g = Open();
    Press(g.Command1(6));
    ASSERT_EQ(g_boxes.size(), 1u);
    EXPECT_NE(g_boxes[0].text.find(L"wallpaper.bmp"), std::wstring::npos);
    EXPECT_TRUE(recorder_.Calls().empty());
    ::RemoveDirectoryW((app_.path() + L"\\wallpaper.bmp").c_str());
}

// ---- timed changing

class Schedule : public Changer {
protected:
    Ghzm& StartWith(int choice) {
        Ghzm& g = Open();
        ChooseInCombo(g.Combo1(), choice);
        Press(g.Command1(3));
        g_boxes.clear();
        recorder_.Clear();
        return g;
    }
    // Walks the clock from one time to another, a tick a second.
    int Walk(Ghzm& g, LocalTime from, int seconds, int skipSecond = -1) {
        int changes = 0;
        LocalTime t = from;
        for (int i = 0; i < seconds; ++i) {
            if (t.second != skipSecond) {
                g.Timer1_Timer(t);
                changes += static_cast<int>(Wallpapers().size());
            }
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
    std::wstring Previewed(Ghzm& g) { return TextOf(g.Label(1)); }
};

TEST_F(Schedule, StartingAClockScheduleSaysSoAndLocksTheChoice) {
    AddPicture(L"a.bmp");
    Ghzm& g = Open();
    ChooseInCombo(g.Combo1(), 2);
    g_boxes.clear();
    Press(g.Command1(3));
    ASSERT_EQ(g_boxes.size(), 1u);
    EXPECT_EQ(g_boxes[0].text, L"每一刻钟  更换桌面！    ");
    EXPECT_EQ(g_boxes[0].title, L" Velmora ");
    EXPECT_EQ(TextOf(g.Label(4)), L"正在更换桌面：每一刻钟 更换！");
    EXPECT_FALSE(Enabled(g.Combo1()));
    EXPECT_TRUE(g.Timer1On());
    EXPECT_FALSE(g.Timer2On());
    EXPECT_FALSE(Enabled(g.Command1(3)));
    EXPECT_TRUE(Enabled(g.Command1(5)));
    EXPECT_FALSE(Enabled(g.Command1(6)));
    EXPECT_EQ(Profile("gh"), "1");
    EXPECT_EQ(Profile("zdy"), "30");

    Press(g.Command1(5));
    EXPECT_EQ(TextOf(g.Label(4)), L"");
    EXPECT_FALSE(g.Timer1On());
    EXPECT_TRUE(Enabled(g.Combo1()));
    EXPECT_TRUE(Enabled(g.Command1(3)));
    EXPECT_TRUE(Enabled(g.Command1(5)));
    EXPECT_FALSE(Enabled(g.Command1(6)));
    EXPECT_EQ(Profile("gh"), "0");
}

TEST_F(Schedule, QuarterHoursChangeAtExactlyTheirMomentsInSequentialOrder) {
    AddPicture(L"1.bmp", 11, 5);
    AddPicture(L"2.bmp", 12, 5);
    AddPicture(L"3.bmp", 13, 5);
    Ghzm& g = StartWith(2);
    EXPECT_EQ(Walk(g, At(10, 44, 58), 2), 0);
    g.Timer1_Timer(At(10, 45, 0));
    EXPECT_EQ(Wallpapers().size(), 1u);
    EXPECT_EQ(WallpaperSize().cx, 11);
    EXPECT_EQ(Previewed(g), L"文件名：1.bmp");
    EXPECT_EQ(Walk(g, At(10, 45, 1), 14 * 60 + 59), 0);
    g.Timer1_Timer(At(11, 0, 0));
    EXPECT_EQ(Wallpapers().size(), 1u);
    EXPECT_EQ(WallpaperSize().cx, 12);
    EXPECT_EQ(Walk(g, At(11, 0, 1), 30 * 60), 2);
    EXPECT_EQ(WallpaperSize().cx, 11);  // 3.bmp at 11:15, then round to 1.bmp at 11:30
    EXPECT_EQ(::SendMessageW(g.List1(), LB_GETCURSEL, 0, 0), 0);
}

TEST_F(Schedule, EveryClockScheduleChangesOnceAtEachOfItsMoments) {
    AddPicture(L"only.bmp");
    // Two hours from midnight, a tick a second.
    const struct {
        int choice;
        int changes;
    } schedules[] = {{0, 2}, {1, 2}, {2, 8}, {3, 24}};
    for (const auto& s : schedules) {
        Ghzm& g = StartWith(s.choice);
        EXPECT_EQ(Walk(g, At(0, 0, 0), 2 * 3600), s.changes) << s.choice;
        CloseIfOpen(WindowKind::ghzm);
    }
}

TEST_F(Schedule, AMissingTickAtSecondZeroIsMadeUpOnceInThatMinute) {
    AddPicture(L"only.bmp");
    Ghzm& g = StartWith(0);  // 整点
    // The tick of 11:00:00 never comes: the first one inside 11:00 changes.
    EXPECT_EQ(Walk(g, At(10, 59, 50), 30, /*skipSecond=*/0), 1);
    // Half past is not a moment of 整点.
    EXPECT_EQ(Walk(g, At(11, 29, 50), 20), 0);
}

TEST_F(Schedule, HalfPastChangesAtHalfPastOnly) {
    AddPicture(L"only.bmp");
    Ghzm& g = StartWith(1);
    g.Timer1_Timer(At(10, 30, 0));
    EXPECT_EQ(Wallpapers().size(), 1u);
    g.Timer1_Timer(At(11, 0, 0));
    EXPECT_EQ(Wallpapers().size(), 0u);
    g.Timer1_Timer(At(11, 30, 0));
    EXPECT_EQ(Wallpapers().size(), 1u);
}

TEST_F(Schedule, RandomOrderOverOnePictureAlwaysAppliesIt) {
    AddPicture(L"only.bmp", 33, 7);
    Ghzm& g = Open();
    Press(g.Option(5));
    ChooseInCombo(g.Combo1(), 3);
    Press(g.Command1(3));
    recorder_.Clear();
    static double next;
    Ghzm::SetRandomSource([] { return next; });
    int hour = 9;
    for (double r : {0.0, 0.5, 0.999999}) {
        next = r;
        g.Timer1_Timer(At(hour, 4, 59));
        g.Timer1_Timer(At(hour, 5, 0));
        EXPECT_EQ(Wallpapers().size(), 1u);
        EXPECT_EQ(WallpaperSize().cx, 33);
        g.Timer1_Timer(At(hour, 5, 1));  // never twice for one moment
        EXPECT_TRUE(Wallpapers().empty());
        ++hour;
    }
    // Random order leaves the list selection and the file labels alone.
    EXPECT_EQ(::SendMessageW(g.List1(), LB_GETCURSEL, 0, 0), LB_ERR);
    EXPECT_EQ(TextOf(g.Label(1)), L"文件名：only.bmp");
}

TEST_F(Schedule, APictureThatFailsIsSkippedAndTheScheduleGoesOn) {
    AddText(L"1.txt");
    AddPicture(L"2.bmp", 22, 5);
    AddPicture(L"3.bmp", 23, 5);
    Ghzm& g = StartWith(3);  // 每5分
    g.Timer1_Timer(At(8, 0, 0));
    EXPECT_TRUE(Wallpapers().empty());
    EXPECT_TRUE(g_boxes.empty());  // no message stops an unattended schedule
    ASSERT_NE(Ghzm::Live(), nullptr);
    EXPECT_TRUE(g.Timer1On());
    g.Timer1_Timer(At(8, 5, 0));
    EXPECT_EQ(Wallpapers().size(), 1u);
    EXPECT_EQ(WallpaperSize().cx, 22);
}

TEST_F(Schedule, AnEmptyFolderTurnsTheTimerOffAtTheFirstTick) {
    Ghzm& g = StartWith(0);
    EXPECT_TRUE(g.Timer1On());
    g.Timer1_Timer(At(12, 0, 0));
    EXPECT_FALSE(g.Timer1On());
    EXPECT_EQ(TextOf(g.Label(4)), L"正在更换桌面：整点 更换！");
}

TEST_F(Schedule, ResizingRestartsSequentialOrder) {
    AddPicture(L"1.bmp", 11, 5);
    AddPicture(L"2.bmp", 12, 5);
    Ghzm& g = StartWith(3);
    g.Timer1_Timer(At(8, 0, 0));
    EXPECT_EQ(WallpaperSize().cx, 11);
    ::SetWindowPos(g.hwnd(), nullptr, 0, 0, 600, 400, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(::SendMessageW(g.List1(), LB_GETCURSEL, 0, 0), LB_ERR);
    g.Timer1_Timer(At(8, 5, 0));
    EXPECT_EQ(WallpaperSize().cx, 11);
}

TEST_F(Schedule, IntervalsAreCheckedAndTimedInWholeSeconds) {
    AddPicture(L"a.bmp");
    Ghzm& g = Open();
    ChooseInCombo(g.Combo1(), 4);
    const struct {
        const wchar_t* text;
        UINT period;  // 0: refused
    } cases[] = {{L"60", 60000}, {L"2.5", 2000}, {L"61", 0}, {L"0", 0}, {L"abc", 0}, {L"", 0}};
    for (const auto& c : cases) {
        Press(g.Command1(5));
        ::SetWindowTextW(g.Text1(), c.text);
        ::DeleteFileW(ProfilePath().c_str());
        g_boxes.clear();
        Press(g.Command1(3));
        ASSERT_EQ(g_boxes.size(), 1u) << Narrow(c.text);
        if (c.period) {
            EXPECT_EQ(g_boxes[0].text, std::wstring(L"每隔") + c.text + L"秒  开始定时更换桌面！");
            EXPECT_TRUE(g.Timer2On());
            EXPECT_EQ(g.Timer2Period(), c.period);
            EXPECT_FALSE(g.Timer1On());
            EXPECT_EQ(TextOf(g.Label(4)), std::wstring(L"正在更换桌面：每隔") + c.text + L"秒更换！");
            EXPECT_TRUE(Enabled(g.Combo1()));
            EXPECT_EQ(Profile("zdy"), Narrow(c.text));
        } else {
            EXPECT_EQ(g_boxes[0].text.rfind(L"出错了！", 0), 0u) << Narrow(g_boxes[0].text);
            EXPECT_FALSE(g.Timer2On());
            EXPECT_TRUE(Enabled(g.Command1(3)));
            EXPECT_EQ(Profile("zdy"), "");  // nothing written
        }
    }
}

TEST_F(Schedule, AnIntervalTickChangesTheWallpaper) {
    AddPicture(L"a.bmp", 17, 3);
    Ghzm& g = Open();
    ChooseInCombo(g.Combo1(), 4);
    Press(g.Command1(3));
    recorder_.Clear();
    g.Timer2_Timer();
    EXPECT_EQ(Wallpapers().size(), 1u);
    EXPECT_EQ(WallpaperSize().cx, 17);
}

TEST_F(Schedule, ANewChoiceStopsTheTimersButLeavesStatusAndButtons) {
    AddPicture(L"a.bmp");
    Ghzm& g = Open();
    ChooseInCombo(g.Combo1(), 4);
    Press(g.Command1(3));
    ASSERT_TRUE(g.Timer2On());
    ChooseInCombo(g.Combo1(), 0);
    EXPECT_FALSE(g.Timer1On() || g.Timer2On());
    EXPECT_NE(TextOf(g.Label(4)), L"");
    EXPECT_FALSE(Enabled(g.Command1(3)));
}

TEST_F(Schedule, HidingKeepsTheScheduleAndImmediateModeDoesNotStopIt) {
    AddPicture(L"a.bmp");
    Ghzm& g = StartWith(3);
    Press(g.Option(3));
    EXPECT_TRUE(g.Timer1On());
    EXPECT_FALSE(Enabled(g.Command1(5)));
    Press(g.Option(1));
    EXPECT_TRUE(Enabled(g.Command1(5)));
    EXPECT_FALSE(Enabled(g.Command1(3)));

    ::ShowWindow(g.hwnd(), SW_SHOWNA);
    Press(g.Command1(4));
    EXPECT_FALSE(Visible(g.hwnd()));
    ASSERT_NE(Ghzm::Live(), nullptr);
    EXPECT_TRUE(g.Timer1On());
    ::ShowWindow(g.hwnd(), SW_SHOWNA);
    g.OnCaptionButtonRelease(2);
    EXPECT_FALSE(Visible(g.hwnd()));
    EXPECT_TRUE(g.Timer1On());
    g.Timer1_Timer(At(8, 10, 0));
    EXPECT_EQ(Wallpapers().size(), 1u);
}

TEST_F(Schedule, StartingFromTheProfileShowsNothing) {
    AddPicture(L"a.bmp");
    Profile("sj", "每5分");
    Ghzm::Instance().ghzmm();
    Ghzm* g = Ghzm::Live();
    ASSERT_NE(g, nullptr);
    EXPECT_TRUE(g_boxes.empty());
    EXPECT_TRUE(g->Timer1On());
    EXPECT_FALSE(Visible(g->hwnd()));
    ASSERT_NE(FrmMain::Live(), nullptr);
    EXPECT_FALSE(Visible(FrmMain::Live()->hwnd()));
}

TEST_F(Changer, NothingIsLeftBehindAcrossWindowLifetimes) {
    AddPicture(L"a.bmp", 200, 100);
    AddPicture(L"b.bmp", 100, 200);
    Open();
    CloseIfOpen(WindowKind::ghzm);
    const long bitmaps = UniqueBitmap::live(), gdi = UniqueGdiObject::live(), dcs = UniqueMemoryDc::live(),
               regions = UniqueRegion::live();
    for (int i = 0; i < 10; ++i) {
        Ghzm& g = Open();
        ChooseInList(g.List1(), 1);
        g.sxtp();
        CloseIfOpen(WindowKind::ghzm);
    }
    EXPECT_EQ(UniqueBitmap::live(), bitmaps);
    EXPECT_EQ(UniqueGdiObject::live(), gdi);
    EXPECT_EQ(UniqueMemoryDc::live(), dcs);
    EXPECT_EQ(UniqueRegion::live(), regions);
}

}  // namespace
}  // namespace velmora
