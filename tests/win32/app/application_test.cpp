// The application as a whole, built with fakes: the start-up sequence, the
// single running copy, the actions of menus and cells reaching the right
// windows and commands, the verbs of a second start and of the hot keys,
// and the two ways the program ends.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/application.h"
#include "platform/effects.h"
#include "platform/handles.h"
#include "platform/text.h"
#include "support/fakes.h"
#include "support/test_support.h"

namespace velmora {
namespace {

using namespace std::chrono_literals;

constexpr wchar_t kPlacementKey[] = L"Software\\Velmora Program Settings";
constexpr wchar_t kTestInstance[] = L"Local\\Velmora.Tests.Application";

bool IconExists(HWND hwnd) {
    NOTIFYICONDATAA probe{};
    probe.cbSize = NOTIFYICONDATAA_V1_SIZE;
    probe.hWnd = hwnd;
    probe.uID = kTrayIconId;
    probe.uFlags = NIF_TIP;
    lstrcpyA(probe.szTip, "Velmora");
    return ::Shell_NotifyIconA(NIM_MODIFY, &probe) != FALSE;
}

// Takes the WM_QUIT the program posts when it ends, so that it cannot end
// the next test's loops; true when there was one.
bool TakeQuit() {
    MSG msg;
    return ::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
}

constexpr wchar_t kSettingsKey[] = L"Software\\Velmora Program Settings\\Velmora\\Settings";

bool PlacementSaved() {
    HKEY raw = nullptr;
    const bool saved = ::RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_QUERY_VALUE, &raw) == ERROR_SUCCESS;
    const UniqueRegKey key(raw);
    return saved;
}

std::wstring SavedPlacement(const wchar_t* name) {
    wchar_t buf[64] = {};
    DWORD bytes = sizeof buf - sizeof(wchar_t);
    if (::RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, name, RRF_RT_REG_SZ, nullptr, buf, &bytes) != ERROR_SUCCESS) {
        return L"<missing>";
    }
    return buf;
}

// The four saved values in twips, "left top width height".
std::wstring SavedBox() {
    return SavedPlacement(L"frmLeft") + L" " + SavedPlacement(L"frmTop") + L" " + SavedPlacement(L"frmWidth") + L" " +
           SavedPlacement(L"frmHeight");
}

// Puts the window at (x, y) pixels, its size kept.
void MoveTo(HWND window, int x, int y) {
    ::SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

class App : public ::testing::Test {
protected:
    static void SetUpTestSuite() { anchor_ = std::make_unique<testing::TrayAnchor>(); }
    static void TearDownTestSuite() { anchor_.reset(); }
    static inline std::unique_ptr<testing::TrayAnchor> anchor_;

    void SetUp() override {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kPlacementKey);
        ::CreateDirectoryW(folder_.File(L"pic").c_str(), nullptr);
    }
    void TearDown() override {
        app_.reset();
        TakeQuit();
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kPlacementKey);
    }
    void Profile(const std::string& text) { testing::WriteBytes(folder_.File(L"vlmr.INI"), text); }
    Application& Make(const std::wstring& commandLine = L"\"Velmora.exe\"") {
        app_ = std::make_unique<Application>(AppServices{recorder_, prompts_, clock_, ticks_, random_, pixels_,
                                                         runKeys_, folder_.path(), commandLine, kTestInstance});
        return *app_;
    }
    Application& Started(const std::wstring& commandLine = L"\"Velmora.exe\"") {
        Application& app = Make(commandLine);
        EXPECT_TRUE(app.Start());
        return app;
    }
    std::vector<std::string> CallsStartingWith(const std::string& prefix) {
        std::vector<std::string> out;
        for (const std::string& c : recorder_.Calls()) {
            if (c.rfind(prefix, 0) == 0) out.push_back(c);
        }
        return out;
    }

    testing::TempFolder folder_;
    RecordingEffects recorder_;
    testing::RecordingPrompter prompts_;
    testing::FakeClock clock_;
    testing::FakeTicks ticks_;
    testing::SequenceRandom random_;
    testing::FakePixels pixels_;
    // No registry writes that outlive the test: the machine key refuses,
    // and nothing here turns starting at logon on.
    SystemRunKeys runKeys_;
    std::unique_ptr<Application> app_;
};

TEST_F(App, StartsWithTheIconAloneAndNoWindowMade) {
    Application& app = Started();
    EXPECT_TRUE(IconExists(app.Tray().hwnd()));
    EXPECT_FALSE(::IsWindowVisible(app.Tray().hwnd()));
    EXPECT_EQ(app.Panel().Live(), nullptr);
    EXPECT_EQ(app.Changer().Live(), nullptr);
    EXPECT_FALSE(app.Tray().StartAtLogonChecked());
    EXPECT_TRUE(recorder_.Calls().empty()) << "start-up reaches nothing of the system";
    EXPECT_FALSE(testing::FileExists(folder_.File(L"vlmr.INI"))) << "and writes no profile";
}

TEST_F(App, ASecondCopyEndsBeforeTouchingAnything) {
    Application& first = Started();
    Application second(
        {recorder_, prompts_, clock_, ticks_, random_, pixels_, runKeys_, folder_.path(), L"", kTestInstance});
    EXPECT_FALSE(second.Start());
    EXPECT_TRUE(IconExists(first.Tray().hwnd()));
    EXPECT_EQ(::FindWindowW(TrayHost::kClassName, nullptr), first.Tray().hwnd()) << "one tray host only";
}

TEST_F(App, TimedChangingAtStartRunsWithNoChangerOrPanelMade) {
    Profile("[Velmora]\r\nqhzm=1\r\nxz=1\r\nsj=" + ToCodePage("自定义", 936) + "\r\nzdy=1\r\n");
    testing::WriteSolidBmp(folder_.File(L"pic\\a.bmp"), 8, 6, RGB(10, 20, 30));
    Application& app = Started();
    EXPECT_EQ(app.Changer().Live(), nullptr);
    EXPECT_EQ(::FindWindowW(WallpaperChanger::kClassName, nullptr), nullptr);
    EXPECT_EQ(app.Schedule().IntervalPeriod(), 1000u);
    EXPECT_EQ(app.Panel().Live(), nullptr);
    EXPECT_TRUE(testing::PumpUntil([&] { return !CallsStartingWith("SetDeskWallpaper(").empty(); }, 5s));
}

TEST_F(App, TrayEntriesThatNeedThePanelAsOwnerMakeItHidden) {
    Application& app = Started();
    app.Run(Action::OpenMyComputer);
    LauncherPanel* panel = app.Panel().Live();
    ASSERT_NE(panel, nullptr);
    EXPECT_FALSE(::IsWindowVisible(panel->hwnd()));
    const auto calls = CallsStartingWith("ShellExecute(");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].rfind("ShellExecute(" + testing::Hex(panel->hwnd()) + ", \"open\", \"", 0), 0u);

    app.Run(Action::ShowPanel);
    EXPECT_EQ(app.Panel().Live(), panel) << "the same panel, now shown";
    EXPECT_TRUE(::IsWindowVisible(panel->hwnd()));
}

TEST_F(App, TheRecycleBinIsEmptiedWithTheOptionsTheCommandLineGives) {
    struct Case {
        const wchar_t* commandLine;
        std::vector<std::string> expected;
    };
    // A verb is the program's: to the emptier, no arguments were given.
    for (const Case& c : {Case{L"\"C:\\a b\\Velmora.exe\"", {"7"}}, Case{L"Velmora.exe 3", {"3"}},
                          Case{L"Velmora.exe  abc", {}}, Case{L"Velmora.exe 8", {}}, Case{L"Velmora.exe /next", {"7"}},
                          Case{L"Velmora.exe -PREV ", {"7"}}, Case{L"Velmora.exe /nextt", {}}}) {
        recorder_.Clear();
        Application& app = Started(c.commandLine);
        app.Run(Action::EmptyRecycleBin);
        std::vector<std::string> flags;
        for (const std::string& call : CallsStartingWith("SHEmptyRecycleBin(")) {
            EXPECT_EQ(call.rfind("SHEmptyRecycleBin(" + testing::Hex(app.Tray().hwnd()) + ", NULL, ", 0), 0u);
            flags.push_back(call.substr(call.rfind(' ') + 1, call.size() - call.rfind(' ') - 2));
        }
        EXPECT_EQ(flags, c.expected) << Narrow(c.commandLine);
        EXPECT_EQ(::FindWindowW(nullptr, L"清空回收站"), nullptr) << "no window of its own";
        app_.reset();
    }
}

TEST_F(App, ExitClosesTheWindowsSavesThePlacementRemovesTheIconAndEndsTheLoop) {
    Application& app = Started();
    app.Run(Action::ShowPanel);
    app.Run(Action::ShowSearchBox);
    app.Run(Action::ShowColourPicker);
    ASSERT_NE(app.Search().Live(), nullptr);
    const HWND host = app.Tray().hwnd();
    ASSERT_FALSE(PlacementSaved());

    app.Run(Action::ExitProgram);
    EXPECT_EQ(app.Panel().Live(), nullptr);
    EXPECT_EQ(app.Search().Live(), nullptr);
    EXPECT_EQ(app.Picker().Live(), nullptr);
    EXPECT_FALSE(::IsWindow(host));
    EXPECT_FALSE(IconExists(host));
    EXPECT_TRUE(PlacementSaved()) << "the panel's close logic ran";
    EXPECT_TRUE(app.Ended());
    EXPECT_TRUE(TakeQuit());
}

TEST_F(App, APoliteCloseOfTheTrayHostEndsTheProgramLikeExit) {
    Application& app = Started();
    app.Run(Action::ShowPanel);
    const HWND host = app.Tray().hwnd();
    ::SendMessageW(host, WM_CLOSE, 0, 0);
    EXPECT_FALSE(::IsWindow(host));
    EXPECT_FALSE(IconExists(host));
    EXPECT_TRUE(PlacementSaved());
    EXPECT_TRUE(app.Ended());
    EXPECT_TRUE(TakeQuit());
}

TEST_F(App, LogOffAsksTheSystemAndEndsLeavingTheIconAndSavingNothing) {
    Application& app = Started();
    app.Run(Action::ShowPanel);
    const HWND host = app.Tray().hwnd();
    app.Run(Action::LogOff);
    EXPECT_EQ(CallsStartingWith("ExitWindowsEx("), std::vector<std::string>{"ExitWindowsEx(0, 0)"});
    EXPECT_TRUE(app.Ended());
    EXPECT_TRUE(TakeQuit());
    EXPECT_TRUE(IconExists(host)) << "the icon is left to the shell";
    app_.reset();  // what the end of wWinMain does
    EXPECT_FALSE(PlacementSaved()) << "the session ends; nothing saves on the way out";
}

TEST_F(App, SessionEndSavesTheOpenPanelsPlacementAsItsCloseWould) {
    Application& app = Started();
    app.Run(Action::ShowPanel);
    const HWND panel = app.Panel().LiveWindow();
    ASSERT_NE(panel, nullptr);
    MoveTo(panel, 100, 150);
    const HWND host = app.Tray().hwnd();
    EXPECT_EQ(::SendMessageW(host, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE) << "the session may end";
    ::SendMessageW(host, WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);
    EXPECT_FALSE(PlacementSaved()) << "a session end called off saves nothing";

    ::SendMessageW(host, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    EXPECT_EQ(SavedBox(), L"1500 2250 7800 5600");
}

TEST_F(App, APanelClosedWhileMinimisedSavesWhereItComesBackTo) {
    Application& app = Started();
    app.Run(Action::ShowPanel);
    const HWND panel = app.Panel().LiveWindow();
    MoveTo(panel, 100, 150);
    ::ShowWindow(panel, SW_MINIMIZE);
    ASSERT_TRUE(::IsIconic(panel));
    app.Panel().Close();
    EXPECT_EQ(SavedBox(), L"1500 2250 7800 5600") << "not the minimised place";
}

TEST_F(App, SessionEndSavesAMinimisedChangersRestoredPlacement) {
    Application& app = Started();
    app.Run(Action::ShowWallpaperChanger);
    app.Panel().Close();  // made by the changer's load; closed, it is out of the way
    ASSERT_EQ(app.Panel().Live(), nullptr);
    const HWND changer = app.Changer().LiveWindow();
    ASSERT_NE(changer, nullptr);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kPlacementKey);
    MoveTo(changer, 200, 120);
    ::ShowWindow(changer, SW_MINIMIZE);
    ASSERT_TRUE(::IsIconic(changer));
    ::SendMessageW(app.Tray().hwnd(), WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(SavedPlacement(L"frmLeft"), L"3000");
    EXPECT_EQ(SavedPlacement(L"frmTop"), L"1800");
}

TEST_F(App, FromThePanelsKeysThePowerMenuShutsDownOrRestartsLettingProgramsSaveTheirWork) {
    Application& app = Started();
    app.Run(Action::ShowPanel);
    const HWND panel = app.Panel().LiveWindow();
    ASSERT_NE(panel, nullptr);
    // 关闭计算机 typed by its initials and run with Enter pops up the power
    // menu; `keys` choose in it.
    const auto choose = [&](std::initializer_list<UINT> keys) {
        testing::WhileMenuIsOpen during([&] { testing::PressKeys(panel, keys); });
        for (const char c : std::string("gbjsj")) ::SendMessageW(panel, WM_CHAR, static_cast<WPARAM>(c), 1);
        ::SendMessageW(panel, WM_KEYDOWN, VK_RETURN, 1);
        EXPECT_TRUE(during.ran()) << "no power menu appeared";
    };
    choose({VK_DOWN, VK_DOWN, VK_RETURN});  // 关闭计算机
    choose({VK_UP, VK_RETURN});             // up from the top: 重启计算机
    // EWX_SHUTDOWN and EWX_REBOOT with EWX_FORCEIFHUNG, never EWX_FORCE.
    EXPECT_EQ(CallsStartingWith("ExitWindowsEx("),
              (std::vector<std::string>{"ExitWindowsEx(17, 0)", "ExitWindowsEx(18, 0)"}));
    EXPECT_EQ(app.Panel().LiveWindow(), panel);
}

TEST_F(App, EnterOnThePowerCellOpensItsMenuAtTheCellNotAtThePointer) {
    Application& app = Started();
    app.Run(Action::ShowPanel);
    const HWND panel = app.Panel().LiveWindow();
    ASSERT_NE(panel, nullptr);
    ::SetCursorPos(3, 3);
    RECT menu{};
    testing::WhileMenuIsOpen during([&] {
        ::GetWindowRect(::FindWindowW(L"#32768", nullptr), &menu);
        testing::PressKeys(panel, {VK_ESCAPE});
    });
    for (const char c : std::string("gbjsj")) ::SendMessageW(panel, WM_CHAR, static_cast<WPARAM>(c), 1);
    ::SendMessageW(panel, WM_KEYDOWN, VK_RETURN, 1);
    ASSERT_TRUE(during.ran());
    const std::optional<POINT> anchor = app.Panel().Live()->MenuAnchor();
    ASSERT_TRUE(anchor);
    EXPECT_TRUE(::PtInRect(&menu, *anchor) || (menu.left == anchor->x && menu.top == anchor->y))
        << "menu at " << menu.left << "," << menu.top << ", cell at " << anchor->x << "," << anchor->y;
    RECT frame{};
    ::GetWindowRect(panel, &frame);
    EXPECT_TRUE(::PtInRect(&frame, *anchor)) << "the cell is in the panel";
}

TEST_F(App, TheViewerShowsThePreviewedPictureOrSaysOverTheChangerWhyNot) {
    testing::WriteSolidBmp(folder_.File(L"pic\\a.bmp"), 40, 30, RGB(10, 20, 30));
    Application& app = Started();
    app.Run(Action::ShowWallpaperChanger);
    const HWND changer = app.Changer().LiveWindow();
    ASSERT_NE(changer, nullptr);
    const auto look = [&] { ::SendMessageW(changer, WM_COMMAND, MAKEWPARAM(2102, BN_CLICKED), 0); };
    look();  // 查看大图
    ASSERT_NE(app.Viewer().Live(), nullptr);
    EXPECT_TRUE(::IsWindowVisible(app.Viewer().LiveWindow()));
    EXPECT_TRUE(prompts_.boxes.empty());

    // The picture goes from the disk behind the changer's back.
    ::DeleteFileW(folder_.File(L"pic\\a.bmp").c_str());
    look();
    EXPECT_EQ(app.Viewer().Live(), nullptr) << "the old viewer closed, no new one";
    ASSERT_EQ(prompts_.boxes.size(), 1u);
    EXPECT_EQ(prompts_.boxes[0].owner, changer);
    EXPECT_NE(prompts_.boxes[0].text.find(L"a.bmp"), std::wstring::npos);
}

TEST_F(App, TheChosenEngineAndTheCopiedColoursOutliveTheirWindows) {
    Application& app = Started();
    app.Run(Action::ShowSearchBox);
    ASSERT_NE(app.Search().Live(), nullptr);
    testing::WhileMenuIsOpen chooseBing(
        [&] { testing::PressKeys(app.Search().LiveWindow(), {VK_DOWN, VK_DOWN, VK_RETURN}); });
    app.Search().Live()->ShowEngineMenu({300, 300});
    app.Search().Close();
    app.Run(Action::ShowSearchBox);
    EXPECT_EQ(app.Search().Live()->Engine(), search::Engine::Bing);
    EXPECT_NE(testing::ReadBytes(folder_.File(L"vlmr.INI")).find("sousuo=\xB1\xD8\xD3\xA6"), std::string::npos)
        << "in the profile, in GBK";

    app.Run(Action::ShowColourPicker);
    ::SetCursorPos(1000, 700);  // away from the picker
    pixels_.reading = PixelReading{{1000, 700}, RGB(171, 205, 239)};
    ::SendMessageW(app.Picker().LiveWindow(), WM_TIMER, ColourPicker::kReadingTimer, 0);
    app.Picker().Live()->CopyRemembered();
    app.Picker().Close();
    app.Run(Action::ShowColourPicker);
    std::wstring last;
    testing::WhileMenuIsOpen look([&] {
        HMENU menu = reinterpret_cast<HMENU>(::SendMessageW(::FindWindowW(L"#32768", nullptr), MN_GETHMENU, 0, 0));
        wchar_t caption[64] = {};
        ::GetMenuStringW(menu, ::GetMenuItemCount(menu) - 1, caption, 64, MF_BYPOSITION);
        last = caption;
        testing::PressKeys(app.Picker().LiveWindow(), {VK_ESCAPE});
    });
    app.Picker().Live()->ShowCopyMenu({300, 300});
    EXPECT_EQ(last, L"#ABCDEF") << "the new picker's menu lists the colour the old one copied";
}

// ---- verbs: a second start's, the hot keys'

class Verbs : public App {
protected:
    void SetUp() override {
        App::SetUp();
        testing::WriteSolidBmp(folder_.File(L"pic\\a.bmp"), 11, 5, RGB(10, 20, 30));
        testing::WriteSolidBmp(folder_.File(L"pic\\b.bmp"), 12, 5, RGB(10, 20, 30));
    }
    int Wallpapers() { return static_cast<int>(CallsStartingWith("SetDeskWallpaper(").size()); }
    // The width of wallpaper.bmp: which picture is on the desktop.
    int Shown() {
        const std::string bytes = testing::ReadBytes(folder_.File(L"wallpaper.bmp"));
        return bytes.size() < 54 ? 0 : static_cast<unsigned char>(bytes[18]);
    }
    bool WallpapersReach(int count) { return testing::PumpUntil([&] { return Wallpapers() >= count; }, 5s); }
    // Another start of the program with this command line, as wWinMain makes it.
    bool SecondStart(const std::wstring& commandLine) {
        Application second({recorder_, prompts_, clock_, ticks_, random_, pixels_, runKeys_, folder_.path(),
                            L"\"C:\\Velmora\\Velmora.exe\" " + commandLine, kTestInstance});
        return second.Start();
    }
    void Idle(std::chrono::milliseconds time) { testing::PumpUntil([] { return false; }, time); }
};

TEST_F(Verbs, ASecondStartHandsItsVerbToTheRunningCopyAndEnds) {
    Started();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(SecondStart(L"/NEXT"));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
    EXPECT_EQ(Wallpapers(), 0) << "done from the running copy's loop, not inside the second start's call";
    ASSERT_TRUE(WallpapersReach(1));
    EXPECT_EQ(Shown(), 11);
    EXPECT_FALSE(SecondStart(L"-next"));
    ASSERT_TRUE(WallpapersReach(2));
    EXPECT_EQ(Shown(), 12);
    EXPECT_FALSE(SecondStart(L"/prev"));
    ASSERT_TRUE(WallpapersReach(3));
    EXPECT_EQ(Shown(), 11);
    EXPECT_TRUE(prompts_.boxes.empty());
    EXPECT_EQ(::FindWindowW(nullptr, L"Velmora-更换桌面"), nullptr) << "no changer made for it";
}

// The name held by what a start cannot open (a copy run as administrator,
// another kind of object): the start is a second one, and its verb still
// reaches the running copy.
TEST_F(Verbs, ANameThatCannotBeOpenedMakesEveryStartASecondOne) {
    Started();
    constexpr wchar_t kSquatted[] = L"Local\\Velmora.Tests.Squatted";
    const UniqueKernelHandle squatter(::CreateEventW(nullptr, TRUE, FALSE, kSquatted));
    ASSERT_TRUE(squatter);
    for (const wchar_t* line : {L"", L"/next"}) {
        Application other({recorder_, prompts_, clock_, ticks_, random_, pixels_, runKeys_, folder_.path(),
                           std::wstring(L"Velmora.exe ") + line, kSquatted});
        EXPECT_FALSE(other.Start()) << "started beside a running copy with: " << Narrow(line);
    }
    EXPECT_EQ(::FindWindowW(TrayHost::kClassName, nullptr), app_->Tray().hwnd()) << "one tray host only";
    ASSERT_TRUE(WallpapersReach(1)) << "the verb was handed over";
    EXPECT_EQ(Shown(), 11);
}

TEST_F(Verbs, AnUnknownVerbOrStrangeDataIsLetGoWithoutAWord) {
    Application& app = Started();
    EXPECT_FALSE(SecondStart(L"/shuffle"));
    EXPECT_FALSE(SecondStart(L"/next /prev"));
    const std::string next = "next";
    const struct {
        ULONG_PTR tag;
        std::string text;
    } strange[] = {{0x1234, next}, {kVerbCopyDataTag, "shutdown"}, {kVerbCopyDataTag, std::string(200, 'n')},
                   {kVerbCopyDataTag, ""}};
    for (const auto& s : strange) {
        COPYDATASTRUCT data{s.tag, static_cast<DWORD>(s.text.size()), const_cast<char*>(s.text.data())};
        EXPECT_EQ(::SendMessageW(app.Tray().hwnd(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)), FALSE);
    }
    Idle(300ms);
    EXPECT_EQ(Wallpapers(), 0);
    EXPECT_TRUE(prompts_.boxes.empty());
}

TEST_F(Verbs, AVerbOnTheFirstStartIsDoneOnceTheProgramIsUp) {
    Application& app = Started(L"Velmora.exe -Next");
    EXPECT_TRUE(IconExists(app.Tray().hwnd()));
    ASSERT_TRUE(WallpapersReach(1));
    EXPECT_EQ(Shown(), 11);
}

// A message box that stays up while `whileUp` runs, the program's messages
// going on beneath it as they do under a real one.
class PumpingPrompter final : public Prompter {
public:
    int Show(HWND, const std::wstring& text, const std::wstring&, UINT) override {
        texts.push_back(text);
        if (whileUp) whileUp();
        return IDOK;
    }
    std::function<void()> whileUp;
    std::vector<std::wstring> texts;
};

TEST_F(Verbs, AVerbSentWhileAMessageBoxIsUpWaitsForIt) {
    testing::WriteBytes(folder_.File(L"pic\\0.txt"), "first in the list, and no picture");
    PumpingPrompter box;
    app_ = std::make_unique<Application>(AppServices{recorder_, box, clock_, ticks_, random_, pixels_, runKeys_,
                                                     folder_.path(), L"Velmora.exe", kTestInstance});
    ASSERT_TRUE(app_->Start());
    app_->Run(Action::ShowWallpaperChanger);
    int whileUp = -1;
    box.whileUp = [&] {
        EXPECT_FALSE(SecondStart(L"/next"));
        Idle(500ms);
        whileUp = Wallpapers();
    };
    // 立即更换 with nothing previewed: "请选择要浏览的图片！" is up.
    ::SendMessageW(app_->Changer().LiveWindow(), WM_COMMAND, MAKEWPARAM(2106, BN_CLICKED), 0);
    ASSERT_EQ(box.texts.size(), 1u);
    EXPECT_EQ(whileUp, 0);
    ASSERT_TRUE(WallpapersReach(1));
    EXPECT_EQ(Shown(), 11) << "the text file passed over";
}

TEST_F(Verbs, AVerbWaitsForTheSearchBoxesEmptyKeywordBox) {
    PumpingPrompter box;
    app_ = std::make_unique<Application>(AppServices{recorder_, box, clock_, ticks_, random_, pixels_, runKeys_,
                                                     folder_.path(), L"Velmora.exe", kTestInstance});
    ASSERT_TRUE(app_->Start());
    app_->Run(Action::ShowSearchBox);
    int whileUp = -1;
    box.whileUp = [&] {
        EXPECT_FALSE(SecondStart(L"/next"));
        Idle(500ms);
        whileUp = Wallpapers();
    };
    ::SendMessageW(app_->Search().Live()->KeywordField(), WM_KEYDOWN, VK_RETURN, 0x001C0001);
    ASSERT_EQ(box.texts.size(), 1u);
    EXPECT_EQ(whileUp, 0);
    EXPECT_TRUE(WallpapersReach(1));
}

// The recorder, with an about box that stays up while `whileUp` runs.
class AboutBoxEffects final : public SystemEffects {
public:
    explicit AboutBoxEffects(RecordingEffects& r) : r_(r) {}
    int ShellAboutA(HWND owner, std::string_view app, std::string_view other, HICON icon) override {
        if (whileUp) whileUp();
        return r_.ShellAboutA(owner, app, other, icon);
    }
    INT_PTR ShellExecuteA(HWND o, std::string_view v, std::string_view f, std::string_view p, std::string_view d,
                         int s) override {
        return r_.ShellExecuteA(o, v, f, p, d, s);
    }
    BOOL ExitWindowsEx(UINT f, DWORD r) override { return r_.ExitWindowsEx(f, r); }
    LRESULT MonitorPower(HWND o, LPARAM s) override { return r_.MonitorPower(o, s); }
    HRESULT SHEmptyRecycleBinA(HWND o, DWORD f) override { return r_.SHEmptyRecycleBinA(o, f); }
    INT_PTR ShellExecuteW(HWND o, std::wstring_view v, std::wstring_view f, std::wstring_view p, std::wstring_view d,
                         int s) override {
        return r_.ShellExecuteW(o, v, f, p, d, s);
    }
    BOOL SetDeskWallpaper(std::wstring_view p, UINT f) override { return r_.SetDeskWallpaper(p, f); }
    BOOL WritePrivateProfileStringA(std::string_view s, std::string_view k, std::string_view v,
                                    std::string_view f) override {
        return r_.WritePrivateProfileStringA(s, k, v, f);
    }
    DWORD mciSendStringA(std::string_view c) override { return r_.mciSendStringA(c); }
    bool StartProcess(std::string_view c, int s) override { return r_.StartProcess(c, s); }
    std::function<void()> whileUp;

private:
    RecordingEffects& r_;
};

TEST_F(Verbs, AVerbWaitsForTheAboutBox) {
    AboutBoxEffects effects(recorder_);
    app_ = std::make_unique<Application>(AppServices{effects, prompts_, clock_, ticks_, random_, pixels_, runKeys_,
                                                     folder_.path(), L"Velmora.exe", kTestInstance});
    ASSERT_TRUE(app_->Start());
    int whileUp = -1;
    effects.whileUp = [&] {
        EXPECT_FALSE(SecondStart(L"/next"));
        Idle(500ms);
        whileUp = Wallpapers();
    };
    app_->Run(Action::ShowAboutBox);
    EXPECT_EQ(whileUp, 0);
    EXPECT_TRUE(WallpapersReach(1));
    app_.reset();
}

TEST_F(Verbs, TheHotKeysGiveTheNextAndThePreviousWallpaper) {
    Application& app = Started();
    EXPECT_EQ(app.Tray().HotKeysHeld(), 4) << "three for the wallpaper, one for the panel";
    EXPECT_FALSE(::RegisterHotKey(nullptr, 0x100, MOD_CONTROL | MOD_ALT, VK_RIGHT)) << "held by the program";
    const HWND host = app.Tray().hwnd();
    // On a bare display no key press reaches the program: the message the
    // system would send is posted.
    const auto press = [&](int id) { ::PostMessageW(host, WM_HOTKEY, static_cast<WPARAM>(id), 0); };
    press(kHotKeys[0].id);
    ASSERT_TRUE(WallpapersReach(1));
    press(kHotKeys[0].id);
    ASSERT_TRUE(WallpapersReach(2));
    EXPECT_EQ(Shown(), 12);
    press(kHotKeys[1].id);
    ASSERT_TRUE(WallpapersReach(3));
    EXPECT_EQ(Shown(), 11);
    press(99);
    Idle(300ms);
    EXPECT_EQ(Wallpapers(), 3);
}

TEST_F(Verbs, TheProfileTurnsTheHotKeysOffAndAKeyHeldElsewhereIsDoneWithout) {
    Profile("[Velmora]\r\nhotkeys=0\r\n");
    Application& off = Started();
    EXPECT_EQ(off.Tray().HotKeysHeld(), 1);
    EXPECT_TRUE(off.Tray().HoldsHotKey(kPanelHotKeyId)) << "the panel's key has a switch of its own";
    ::PostMessageW(off.Tray().hwnd(), WM_HOTKEY, static_cast<WPARAM>(kHotKeys[0].id), 0);
    Idle(300ms);
    EXPECT_EQ(Wallpapers(), 0);
    app_.reset();

    Profile("[Velmora]\r\n");
    ASSERT_TRUE(::RegisterHotKey(nullptr, 0x100, MOD_CONTROL | MOD_ALT, VK_RIGHT)) << "another program's";
    Application& shared = Started();
    EXPECT_EQ(shared.Tray().HotKeysHeld(), 3);
    ::UnregisterHotKey(nullptr, 0x100);
    app_.reset();
    EXPECT_TRUE(::RegisterHotKey(nullptr, 0x101, MOD_CONTROL | MOD_ALT, VK_LEFT)) << "given back at the end";
    ::UnregisterHotKey(nullptr, 0x101);
}

TEST_F(Verbs, ExitClosesTheChangerForGoodWithItsCloseLogic) {
    Application& app = Started();
    app.Run(Action::ShowWallpaperChanger);
    ASSERT_NE(app.Changer().Live(), nullptr);
    ::SendMessageW(app.Changer().LiveWindow(), WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_NE(app.Changer().Live(), nullptr) << "Alt+F4 only hides it";
    app.Run(Action::ExitProgram);
    EXPECT_EQ(app.Changer().Live(), nullptr);
    EXPECT_TRUE(PlacementSaved()) << "the changer's close logic ran";
    EXPECT_TRUE(TakeQuit());
}

// ---- the panel from the keyboard: the tray icon, the hot key, /panel

// Whether the panel is up, in front and taking the keys: the first key
// pressed reaches it.
bool PanelTakesTheKeys(Application& app) {
    HWND panel = app.Panel().LiveWindow();
    return panel && ::IsWindowVisible(panel) && !::IsIconic(panel) && ::GetForegroundWindow() == panel &&
           ::GetFocus() == panel;
}

TEST_F(App, EachToolShownFromAMenuOrACellIsInFrontTakingTheKeys) {
    Application& app = Started();
    // The window a first key pressed reaches: the focus's top-level window.
    const auto takesTheKeys = [](HWND tool) {
        return tool && ::IsWindowVisible(tool) && ::GetForegroundWindow() == tool && ::GetFocus() &&
               ::GetAncestor(::GetFocus(), GA_ROOT) == tool;
    };
    app.Run(Action::ShowWallpaperChanger);
    EXPECT_TRUE(testing::PumpUntil([&] { return takesTheKeys(app.Changer().LiveWindow()); }, 5s));
    app.Run(Action::ShowSearchBox);
    EXPECT_TRUE(testing::PumpUntil([&] { return takesTheKeys(app.Search().LiveWindow()); }, 5s));
    EXPECT_EQ(::GetFocus(), app.Search().Live()->KeywordField());
    app.Run(Action::ShowColourPicker);
    EXPECT_TRUE(testing::PumpUntil([&] { return takesTheKeys(app.Picker().LiveWindow()); }, 5s));
    // Back to one already open, behind the others.
    app.Run(Action::ShowWallpaperChanger);
    EXPECT_TRUE(testing::PumpUntil([&] { return takesTheKeys(app.Changer().LiveWindow()); }, 5s));
}

// The panel's windows, and those of them shown (a closed panel rests hidden).
int PanelWindows(bool shownOnly = false) {
    int count = 0;
    for (HWND w = nullptr; (w = ::FindWindowExW(nullptr, w, LauncherPanel::kClassName, nullptr)) != nullptr;) {
        if (!shownOnly || ::IsWindowVisible(w)) ++count;
    }
    return count;
}

// A callback of the icon as the shell sends it in version 4.
void IconCallback(Application& app, UINT event, POINT anchor = {}) {
    ::SendMessageW(app.Tray().hwnd(), TrayHost::kTrayCallbackMessage, MAKEWPARAM(anchor.x, anchor.y),
                   MAKELPARAM(event, kTrayIconId));
}

TEST_F(App, EnterOnTheFocusedIconShowsThePanelInFrontAndASingleClickDoesNot) {
    Application& app = Started();
    // Something else in front first, as when the user tabs to the icon.
    const HWND other = ::CreateWindowW(L"STATIC", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                       nullptr, nullptr, nullptr);
    ::SetForegroundWindow(other);
    IconCallback(app, NIN_SELECT);
    EXPECT_EQ(app.Panel().Live(), nullptr) << "a single click is half a double-click";
    IconCallback(app, NIN_KEYSELECT, {300, 200});
    EXPECT_TRUE(PanelTakesTheKeys(app));
    const HWND shown = app.Panel().LiveWindow();
    // Windows may send NIN_KEYSELECT twice for one Enter.
    ::SetForegroundWindow(other);
    IconCallback(app, NIN_KEYSELECT, {300, 200});
    EXPECT_EQ(app.Panel().LiveWindow(), shown);
    EXPECT_TRUE(PanelTakesTheKeys(app)) << "brought forward again";
    EXPECT_EQ(PanelWindows(), 1);
    ::DestroyWindow(other);
}

TEST_F(App, TheContextMenuKeyOnTheIconOpensTheTrayMenuAtItsAnchorAndShowPanelThere) {
    Application& app = Started();
    POINT shownAt{-1, -1};
    testing::WhileMenuIsOpen during([&] {
        RECT r{};
        ::GetWindowRect(::FindWindowW(L"#32768", nullptr), &r);
        shownAt = {r.left, r.top};
        testing::PressKeys(app.Tray().hwnd(), {VK_DOWN, VK_DOWN, VK_RETURN});  // 显示主界面
    });
    IconCallback(app, WM_CONTEXTMENU, {320, 240});
    ASSERT_TRUE(during.ran()) << "no menu appeared";
    EXPECT_EQ(shownAt.x, 320);
    EXPECT_EQ(shownAt.y, 240);
    EXPECT_TRUE(PanelTakesTheKeys(app));
}

TEST_F(Verbs, ThePanelKeyShowsThePanelAndClosesItWhenInFrontAsItsCloseButtonWould) {
    Application& app = Started();
    EXPECT_TRUE(app.Tray().HoldsHotKey(kPanelHotKeyId));
    EXPECT_FALSE(::RegisterHotKey(nullptr, 0x100, MOD_CONTROL | MOD_ALT, VK_SPACE)) << "Ctrl+Alt+Space is the program's";
    const auto press = [&] { ::PostMessageW(app.Tray().hwnd(), WM_HOTKEY, kPanelHotKeyId, 0); };
    press();
    ASSERT_TRUE(testing::PumpUntil([&] { return PanelTakesTheKeys(app); }, 5s));
    press();
    ASSERT_TRUE(testing::PumpUntil([&] { return app.Panel().LiveWindow() == nullptr; }, 5s));
    EXPECT_TRUE(PlacementSaved()) << "the panel's close logic ran";
    // The next panel is made hidden once the closed one has gone.
    ASSERT_TRUE(testing::PumpUntil([&] { return app.Panel().HasSpare(); }, 5s));
    EXPECT_EQ(PanelWindows(true), 0);
    const HWND spare = ::FindWindowW(LauncherPanel::kClassName, nullptr);
    press();
    ASSERT_TRUE(testing::PumpUntil([&] { return PanelTakesTheKeys(app); }, 5s));
    EXPECT_EQ(app.Panel().LiveWindow(), spare) << "the panel made after the close is the one shown";
    // Behind another window it is brought forward, not closed.
    const HWND other = ::CreateWindowW(L"STATIC", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                       nullptr, nullptr, nullptr);
    ::SetForegroundWindow(other);
    press();
    ASSERT_TRUE(testing::PumpUntil([&] { return PanelTakesTheKeys(app); }, 5s));
    ::DestroyWindow(other);

    // Pressed in a burst: one panel at most, and either up in front or gone.
    for (int i = 0; i < 20; ++i) press();
    ASSERT_TRUE(testing::PumpUntil([] { return HIWORD(::GetQueueStatus(QS_ALLPOSTMESSAGE)) == 0; }, 5s));
    EXPECT_LE(PanelWindows(), 1);
    if (app.Panel().LiveWindow()) EXPECT_TRUE(PanelTakesTheKeys(app));
    EXPECT_EQ(PanelWindows(true), app.Panel().LiveWindow() ? 1 : 0);
}

TEST_F(Verbs, TheProfileNamesThePanelKeyOrTurnsItOffAndJunkKeepsTheDefault) {
    Profile("[Velmora]\r\npanelkey=ctrl + shift + F12\r\n");
    Started();
    EXPECT_TRUE(app_->Tray().HoldsHotKey(kPanelHotKeyId));
    EXPECT_FALSE(::RegisterHotKey(nullptr, 0x100, MOD_CONTROL | MOD_SHIFT, VK_F12)) << "the named key is held";
    EXPECT_TRUE(::RegisterHotKey(nullptr, 0x101, MOD_CONTROL | MOD_ALT, VK_SPACE)) << "and the default is not";
    ::UnregisterHotKey(nullptr, 0x101);
    app_.reset();

    Profile("[Velmora]\r\npanelkey=Off\r\n");
    Started();
    EXPECT_FALSE(app_->Tray().HoldsHotKey(kPanelHotKeyId));
    EXPECT_EQ(app_->Tray().HotKeysHeld(), 3) << "the wallpaper's keys stay";
    EXPECT_TRUE(::RegisterHotKey(nullptr, 0x101, MOD_CONTROL | MOD_ALT, VK_SPACE)) << "nothing held for the panel";
    ::UnregisterHotKey(nullptr, 0x101);
    app_.reset();

    Profile("[Velmora]\r\npanelkey=Ctrl+Alt+Nothing\r\n");
    Started();
    EXPECT_TRUE(app_->Tray().HoldsHotKey(kPanelHotKeyId));
    EXPECT_FALSE(::RegisterHotKey(nullptr, 0x101, MOD_CONTROL | MOD_ALT, VK_SPACE)) << "the default instead";
}

TEST_F(Verbs, PanelFromASecondStartOrTheFirstShowsThePanelInFront) {
    Application& app = Started();
    EXPECT_FALSE(SecondStart(L"/Panel"));
    ASSERT_TRUE(testing::PumpUntil([&] { return PanelTakesTheKeys(app); }, 5s));
    EXPECT_FALSE(SecondStart(L"-panel"));
    EXPECT_FALSE(SecondStart(L"/next"));
    ASSERT_TRUE(WallpapersReach(1)) << "and the verbs after it are done in turn";
    EXPECT_EQ(PanelWindows(), 1);
    EXPECT_TRUE(PanelTakesTheKeys(app));
    app_.reset();
    EXPECT_EQ(PanelWindows(), 0);

    Application& first = Started(L"Velmora.exe -PANEL");
    ASSERT_TRUE(testing::PumpUntil([&] { return PanelTakesTheKeys(first); }, 5s));
    EXPECT_TRUE(prompts_.boxes.empty());
}

// ---- two monitors: the layout the application is handed

class TwoMonitors : public Verbs {
protected:
    Application& StartedWith(std::vector<wallpaper::MonitorArea> layout) {
        layout_ = std::move(layout);
        app_ = std::make_unique<Application>(AppServices{recorder_, prompts_, clock_, ticks_, random_, pixels_,
                                                         runKeys_, folder_.path(), L"Velmora.exe", kTestInstance,
                                                         [this] { return layout_; }});
        EXPECT_TRUE(app_->Start());
        return *app_;
    }
    SIZE BitmapSize() {
        const std::string b = testing::ReadBytes(folder_.File(L"wallpaper.bmp"));
        if (b.size() < 54) return {};
        const auto at = [&](size_t i) { return static_cast<unsigned char>(b[i]) | static_cast<unsigned char>(b[i + 1]) << 8; };
        return {at(18), at(22)};
    }
    std::vector<wallpaper::MonitorArea> layout_;
};

TEST_F(TwoMonitors, ADisplayChangeRendersThePicturesAgainWithoutMovingOn) {
    testing::WriteSolidBmp(folder_.File(L"pic\\c.bmp"), 13, 5, RGB(10, 20, 30));
    Application& app = StartedWith({{0, 0, 640, 800}, {640, 0, 640, 800}});
    app.RunVerb(Verb::NextWallpaper);
    ASSERT_TRUE(WallpapersReach(1));
    EXPECT_EQ(BitmapSize().cx, 1280);
    const std::vector<std::string> shown = app.Rotation().Current();
    const int position = app.Rotation().Selection();

    layout_ = {{0, 0, 640, 800}, {640, 0, 800, 640}};
    const auto start = std::chrono::steady_clock::now();
    ::SendMessageW(app.Tray().hwnd(), WM_DISPLAYCHANGE, 32, MAKELPARAM(1440, 800));
    ::SendMessageW(app.Tray().hwnd(), WM_DISPLAYCHANGE, 32, MAKELPARAM(1440, 800));  // a burst: one render
    ASSERT_TRUE(WallpapersReach(2));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
    Idle(600ms);
    EXPECT_EQ(Wallpapers(), 2);
    EXPECT_EQ(BitmapSize().cx, 1440);
    EXPECT_EQ(app.Rotation().Current(), shown);
    EXPECT_EQ(app.Rotation().Selection(), position);
    // Waking from sleep: rendered again too, nothing moved on.
    ::SendMessageW(app.Tray().hwnd(), WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
    ASSERT_TRUE(WallpapersReach(3));
    EXPECT_EQ(app.Rotation().Current(), shown);

    // Ctrl+Alt+Down with the pointer on the second monitor: only its picture moves on.
    ASSERT_TRUE(::SetCursorPos(900, 100));
    ::PostMessageW(app.Tray().hwnd(), WM_HOTKEY, static_cast<WPARAM>(kHotKeys[2].id), 0);
    ASSERT_TRUE(WallpapersReach(4));
    EXPECT_EQ(app.Rotation().Current()[0], shown[0]);
    EXPECT_NE(app.Rotation().Current()[1], shown[1]);
}

}  // namespace
}  // namespace velmora
