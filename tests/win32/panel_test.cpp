// The launcher panel as a user meets it: created on demand from the tray,
// its cells and links running their commands (through the recorder), the
// highlight, the clock, and the placement record in the registry.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "launcher/cells.h"
#include "launcher/clock.h"
#include "launcher/frm_main.h"
#include "platform/effects.h"
#include "platform/handles.h"
#include "platform/message_box.h"
#include "platform/text.h"
#include "settings/placement.h"
#include "shell/app_windows.h"
#include "shell/tray_icon.h"
#include "shell/yindao.h"
#include "test_support.h"

namespace velmora {
namespace {

using testing::Hex;
using testing::TextOf;
using testing::RectInParent;

using namespace std::chrono_literals;
using testing::PressKeys;
using testing::PumpUntil;
using testing::WhileMenuIsOpen;

std::wstring ReadPlacementValue(const wchar_t* name) {
    wchar_t buf[64] = {};
    DWORD bytes = sizeof buf - sizeof(wchar_t);
    if (::RegGetValueW(HKEY_CURRENT_USER, kPlacementKey, name, RRF_RT_REG_SZ, nullptr, buf, &bytes) != ERROR_SUCCESS) {
        return L"<missing>";
    }
    return buf;
}

void WritePlacementValue(const wchar_t* name, const std::wstring& value) {
    HKEY raw = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, kPlacementKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &raw, nullptr),
              ERROR_SUCCESS);
    UniqueRegKey key(raw);
    ::RegSetValueExW(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

void ForgetPlacement() { ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Velmora Program Settings"); }

struct Box {
    std::wstring title, text;
    UINT type;
};
std::vector<Box> g_boxes;
int RecordBox(HWND, const std::wstring& text, const std::wstring& title, UINT type) {
    g_boxes.push_back({title, text, type});
    return IDOK;
}

int g_endings = 0;
void CountEnding() { ++g_endings; }

// Left click on a control: press and release inside it.
void Click(HWND control) {
    ::SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    ::SendMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

class Panel : public ::testing::Test {
protected:
    static void SetUpTestSuite() { anchor_ = std::make_unique<testing::TrayAnchor>(); }
    static void TearDownTestSuite() { anchor_.reset(); }
    static inline std::unique_ptr<testing::TrayAnchor> anchor_;

    void SetUp() override {
        ForgetPlacement();
        g_boxes.clear();
        g_endings = 0;
        SetEffects(&recorder_);
        SetMessageBoxHook(&RecordBox);
        Yindao::SetProcessEnder(&CountEnding);
        ASSERT_TRUE(yindao_.Create());
    }
    void TearDown() override {
        CloseIfOpen(WindowKind::frmMain);
        RemoveTrayIcon();
        Yindao::SetProcessEnder(nullptr);
        SetMessageBoxHook(nullptr);
        SetEffects(nullptr);
        ForgetPlacement();
    }

    FrmMain& Open() {
        EnsureWindow(WindowKind::frmMain);
        FrmMain* panel = FrmMain::Live();
        EXPECT_NE(panel, nullptr);
        return *panel;
    }

    RECT WindowRect() const {
        RECT r{};
        ::GetWindowRect(LiveWindow(WindowKind::frmMain), &r);
        return r;
    }

    RecordingEffects recorder_;
    Yindao yindao_;
};

TEST_F(Panel, FirstUseCreatesItHiddenAtTheDefaultPlaceWithEveryControl) {
    FrmMain& panel = Open();
    EXPECT_FALSE(::IsWindowVisible(panel.hwnd()));
    // 1000 twips = 66.7 pixels; the requested 9500 x 7500 is pinned to 520 x 373.
    const RECT r = WindowRect();
    EXPECT_EQ(r.left, 67);
    EXPECT_EQ(r.top, 67);
    EXPECT_EQ(r.right - r.left, 520);
    EXPECT_EQ(r.bottom - r.top, 373);
    EXPECT_EQ(TextOf(panel.hwnd()), L"Velmora2.2");

    // No cell highlighted.
    EXPECT_EQ(panel.Shape1Position().x, -200);
    EXPECT_EQ(panel.Shape1Position().y, -200);

    const auto cells = launcher::Cells();
    for (size_t i = 0; i < cells.size(); ++i) {
        SCOPED_TRACE(cells[i].image);
        const RECT image = RectInParent(panel.Image(i));
        EXPECT_EQ(image.left, cells[i].imageLeft);
        EXPECT_EQ(image.top, cells[i].imageTop);
        EXPECT_EQ(image.right - image.left, cells[i].imageWidth);
        EXPECT_EQ(image.bottom - image.top, cells[i].imageHeight);
        const RECT label = RectInParent(panel.Label(i));
        EXPECT_EQ(label.left, cells[i].labelLeft);
        EXPECT_EQ(label.top, cells[i].labelTop);
        EXPECT_EQ(TextOf(panel.Label(i)), Widen(cells[i].caption));
        wchar_t cls[32] = {};
        ::GetClassNameW(panel.Label(i), cls, 32);
        EXPECT_STRCASEEQ(Narrow(cls).c_str(), "Static");  // a real control that screen readers read
    }
    EXPECT_EQ(TextOf(panel.Label3()), L"打开光驱");
    for (size_t i = 0; i < 3; ++i) {
        const RECT link = RectInParent(panel.Link(i));
        EXPECT_EQ(link.top, 344);
        EXPECT_EQ(link.left, launcher::RecommendedLinks()[i].left);
    }
    // The caption buttons at the right of the frame, in their normal pictures.
    const int lefts[] = {416, 444, 471};
    for (int i = 0; i < 3; ++i) {
        const RECT b = RectInParent(panel.Frame().picBox(i));
        EXPECT_EQ(b.left, lefts[i]);
        EXPECT_EQ(b.top, 4);
        EXPECT_EQ(panel.Frame().ButtonState(i), frame::ButtonPicture::Normal);
    }
}

TEST_F(Panel, ClockLineIsFilledAtOnceAndKeptByTheTimer) {
    auto line = [] {
        SYSTEMTIME now{};
        ::GetLocalTime(&now);
        return Widen(clock::ClockLine(
            {now.wYear, now.wMonth, now.wDay, now.wDayOfWeek, now.wHour, now.wMinute, now.wSecond}));
    };
    const std::wstring before = line();
    FrmMain& panel = Open();
    const std::wstring shown = TextOf(panel.Label1());
    const std::wstring after = line();
    EXPECT_TRUE(shown == before || shown == after) << Narrow(shown);
    EXPECT_EQ(RectInParent(panel.Label1()).left, 32);
    EXPECT_EQ(RectInParent(panel.Label1()).top, 344);
    // The timer moves it on: within two seconds the line changes.
    EXPECT_TRUE(PumpUntil([&] { return TextOf(panel.Label1()) != shown; }, 2500ms));
}

TEST_F(Panel, HighlightFollowsPicturesAndCaptionPressesAndLeavesOnTheBackground) {
    FrmMain& panel = Open();
    const auto cells = launcher::Cells();
    for (size_t i = 0; i < cells.size(); ++i) {
        ::SendMessageW(panel.Image(i), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
        EXPECT_TRUE(panel.Shape1Visible());
        EXPECT_EQ(panel.Shape1Position().x, cells[i].highlightLeft) << cells[i].image;
        EXPECT_EQ(panel.Shape1Position().y, cells[i].highlightTop) << cells[i].image;
    }
    // Moving over a caption does not move it; any button pressed on one does.
    ::SendMessageW(panel.Label(0), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(panel.Shape1Position().x, cells[19].highlightLeft);
    ::SendMessageW(panel.Label(6), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(3, 3));
    ::SendMessageW(panel.Label(6), WM_RBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(panel.Shape1Position().x, cells[6].highlightLeft);
    EXPECT_EQ(panel.Shape1Position().y, cells[6].highlightTop);
    // ...but only a left click runs the command.
    EXPECT_TRUE(recorder_.Calls().empty());
    EXPECT_EQ(TextOf(panel.Label3()), L"打开光驱");

    // The background's interior hides it.
    RECT r = WindowRect();
    ::SetCursorPos(r.left + 260, r.top + 330);
    ::SendMessageW(panel.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(260, 330));
    EXPECT_EQ(panel.Frame().ResizeZone(), frame::Zone::Interior);
    EXPECT_FALSE(panel.Shape1Visible());
}

TEST_F(Panel, CellsRunTheirCommandsFromPictureAndCaption) {
    FrmMain& panel = Open();
    const std::string owner = Hex(panel.hwnd());
    struct Row {
        const char* image;
        std::vector<std::string> calls;
    };
    const Row rows[] = {
        {"Image5", {"ShellExecute(" + owner + ", \"open\", \"explorer\", \"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}\", NULL, 1)"}},
        {"Image18", {"ShellExecute(" + owner + ", \"open\", \"" + std::string(launcher::kWebNavigationAddress) + "\", NULL, NULL, 0)"}},
        {"Image12", {"StartProcess(\"control.exe\", 1)"}},
        {"Image22", {"StartProcess(\"taskmgr.exe\", 1)"}},
        {"Image11", {"StartProcess(\"control.exe appwiz.cpl\", 2)"}},
        {"Image14", {"ShellAbout(" + owner + ", \"Velmora V2.2  \", \"\", " + Hex(panel.Icon()) + ")"}},
        {"Image7", {"ShellExecute(" + owner + ", \"find\", \"c:\\\", NULL, NULL, 1)"}},
        {"Image16", {"StartProcess(\"calc.exe\", 1)"}},
        {"Image10", {"StartProcess(\"control.exe sysdm.cpl\", 2)"}},
        {"Image6", {"ShellExecute(" + owner + ", \"explore\", \"c:\\\", NULL, NULL, 1)"}},
        {"Image15", {"StartProcess(\"rundll32.exe shell32.dll,Control_RunDLL timedate.cpl\", 1)"}},
        {"Image4", {"StartProcess(\"notepad.exe\", 1)"}},
        {"Image9", {"StartProcess(\"control.exe desk.cpl\", 2)"}},
    };
    const auto cells = launcher::Cells();
    for (const Row& row : rows) {
        size_t i = 0;
        while (i < cells.size() && cells[i].image != row.image) ++i;
        ASSERT_LT(i, cells.size()) << row.image;
        for (HWND control : {panel.Image(i), panel.Label(i)}) {
            recorder_.Clear();
            Click(control);
            EXPECT_EQ(recorder_.Calls(), row.calls) << row.image;
        }
    }
    EXPECT_TRUE(g_boxes.empty());

    // A press on a cell released elsewhere is no click.
    recorder_.Clear();
    ::SendMessageW(panel.Image(0), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    ::SendMessageW(panel.Image(0), WM_LBUTTONUP, 0, MAKELPARAM(200, 200));
    EXPECT_TRUE(recorder_.Calls().empty());

    // The links open their pages with show command 0.
    for (size_t i = 0; i < 3; ++i) {
        recorder_.Clear();
        Click(panel.Link(i));
        EXPECT_EQ(recorder_.Calls(),
                  (std::vector<std::string>{"ShellExecute(" + owner + ", \"open\", \"" +
                                            std::string(launcher::RecommendedLinks()[i].address) + "\", NULL, NULL, 0)"}));
    }
}

TEST_F(Panel, CalculatorAndNotepadThatCannotStartSayWhyAndTheProgramGoesOn) {
    FrmMain& panel = Open();
    recorder_.SetStartSucceeds(false);
    const auto cells = launcher::Cells();
    for (size_t i = 0; i < cells.size(); ++i) {
        if (cells[i].command == launcher::Command::StartCalculator || cells[i].command == launcher::Command::StartNotepad ||
            cells[i].command == launcher::Command::TaskManager) {
            Click(panel.Image(i));
        }
    }
    ASSERT_EQ(g_boxes.size(), 2u);  // none for the task manager
    EXPECT_EQ(g_boxes[0].title, L" Velmora ");
    EXPECT_EQ(g_boxes[0].text, L"对不起，您的操作系统没有安装计算器！");
    EXPECT_EQ(g_boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
    EXPECT_EQ(g_boxes[1].text, L"对不起，您的操作系统没有安装记事本！");
    EXPECT_NE(LiveWindow(WindowKind::frmMain), nullptr);
    EXPECT_EQ(g_endings, 0);
}

TEST_F(Panel, CdCellAlternatesItsCaptionAndStartsOverWithANewPanel) {
    FrmMain& panel = Open();
    const auto cells = launcher::Cells();
    size_t cd = 0;
    while (cells[cd].command != launcher::Command::ToggleCdTray) ++cd;
    Click(panel.Image(cd));
    EXPECT_EQ(TextOf(panel.Label3()), L"关闭光驱");
    Click(panel.Label(cd));
    EXPECT_EQ(TextOf(panel.Label3()), L"打开光驱");
    Click(panel.Image(cd));
    EXPECT_EQ(recorder_.Calls(), (std::vector<std::string>{"mciSendString(\"set CDAudio door open\")",
                                                           "mciSendString(\"set CDAudio door closed\")",
                                                           "mciSendString(\"set CDAudio door open\")"}));
    // The caption is sized to its text, so it reads in full.
    const RECT label = RectInParent(panel.Label3());
    EXPECT_GT(label.right - label.left, 30);

    CloseIfOpen(WindowKind::frmMain);
    FrmMain& again = Open();
    EXPECT_EQ(TextOf(again.Label3()), L"打开光驱");
}

TEST_F(Panel, PowerCellPopsUpThePowerMenuAndOnlyTheMenuShutsDown) {
    FrmMain& panel = Open();
    ::ShowWindow(panel.hwnd(), SW_SHOW);
    const auto cells = launcher::Cells();
    size_t power = 0;
    while (cells[power].command != launcher::Command::PowerMenu) ++power;

    // Dismissed: nothing happens.
    WhileMenuIsOpen dismiss([&] { PressKeys(panel.hwnd(), {VK_ESCAPE}); });
    Click(panel.Image(power));
    EXPECT_TRUE(dismiss.ran());
    EXPECT_TRUE(recorder_.Calls().empty());

    // 关闭计算机 is the second entry, below a separator.
    WhileMenuIsOpen choose([&] { PressKeys(panel.hwnd(), {VK_DOWN, VK_DOWN, VK_RETURN}); });
    Click(panel.Label(power));
    EXPECT_TRUE(choose.ran());
    EXPECT_EQ(recorder_.Calls(), (std::vector<std::string>{"ExitWindowsEx(5, 0)"}));
}

TEST_F(Panel, PlacementComesFromTheRecordAndGoesBackOnClose) {
    WritePlacementValue(L"frmLeft", L"1500");
    WritePlacementValue(L"frmTop", L"2250");
    WritePlacementValue(L"frmWidth", L"9000");
    WritePlacementValue(L"frmHeight", L"9000");
    FrmMain& panel = Open();
    RECT r = WindowRect();
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.top, 150);
    EXPECT_EQ(r.right - r.left, 520);
    EXPECT_EQ(r.bottom - r.top, 373);

    // Closed by its caption button: the four values, in twips.
    ::SendMessageW(panel.Frame().picBox(2), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    ::SendMessageW(panel.Frame().picBox(2), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(LiveWindow(WindowKind::frmMain), nullptr);
    EXPECT_EQ(ReadPlacementValue(L"frmLeft"), L"1500");
    EXPECT_EQ(ReadPlacementValue(L"frmTop"), L"2250");
    EXPECT_EQ(ReadPlacementValue(L"frmWidth"), L"7800");
    EXPECT_EQ(ReadPlacementValue(L"frmHeight"), L"5600");
    // The program stays: the start-up window and the icon are untouched.
    EXPECT_NE(LiveWindow(WindowKind::yindao), nullptr);
    EXPECT_EQ(g_endings, 0);
}

TEST_F(Panel, UnusableRecordsFallBackAndAWindowLeftOfTheScreenStaysPartlyThere) {
    struct Row {
        const wchar_t* left;
        const wchar_t* top;
        int wantLeft, wantTop;
    };
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const Row rows[] = {
        {L"abc", L"12x", 67, 67},                       // not numbers: defaults
        {L" 3000 ", L"1.5e3", 200, 100},                // blanks and exponents are numbers
        {L"-300", L"-150", -20, -10},                   // partly off-screen: kept as it is
        {L"1000000", L"1000000", work.right - 520, work.bottom - 373},  // off every screen: back on
        {L"-1000000", L"450", work.left, 30},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(Narrow(row.left));
        WritePlacementValue(L"frmLeft", row.left);
        WritePlacementValue(L"frmTop", row.top);
        Open();
        const RECT r = WindowRect();
        EXPECT_EQ(r.left, row.wantLeft);
        EXPECT_EQ(r.top, row.wantTop);
        CloseIfOpen(WindowKind::frmMain);
    }
    // A negative position is stored as a negative number.
    WritePlacementValue(L"frmLeft", L"-300");
    WritePlacementValue(L"frmTop", L"1500");
    Open();
    CloseIfOpen(WindowKind::frmMain);
    EXPECT_EQ(ReadPlacementValue(L"frmLeft"), L"-300");
    EXPECT_EQ(ReadPlacementValue(L"frmTop"), L"1500");
}

TEST_F(Panel, TrayDoubleClickShowsAndRestoresThePanel) {
    yindao_.renwul();
    ASSERT_EQ(LiveWindow(WindowKind::frmMain), nullptr);
    ::SendMessageW(yindao_.Picture2(), WM_MOUSEMOVE, 0, WM_LBUTTONDBLCLK);
    HWND panel = LiveWindow(WindowKind::frmMain);
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(::IsWindowVisible(panel));
    EXPECT_FALSE(::IsIconic(panel));

    ::ShowWindow(panel, SW_MINIMIZE);
    ASSERT_TRUE(::IsIconic(panel));
    ::SendMessageW(yindao_.Picture2(), WM_MOUSEMOVE, 0, WM_LBUTTONDBLCLK);
    EXPECT_EQ(LiveWindow(WindowKind::frmMain), panel);  // the same panel, restored
    EXPECT_FALSE(::IsIconic(panel));
    EXPECT_TRUE(::IsWindowVisible(panel));
    RECT r{};
    ::GetWindowRect(panel, &r);
    EXPECT_EQ(r.right - r.left, 520);
}

TEST_F(Panel, TrayEntriesThatNeedThePanelCreateItHidden) {
    struct Row {
        const char* entry;
        std::string callPrefix;
    };
    const Row rows[] = {
        {"mycomputer", "ShellExecute("}, {"zyglq", "ShellExecute("}, {"xtss", "ShellExecute("},
        {"wzdh", "ShellExecute("},       {"guany", "ShellAbout("},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.entry);
        CloseIfOpen(WindowKind::frmMain);
        recorder_.Clear();
        yindao_.RunMenuEntry(row.entry);
        HWND panel = LiveWindow(WindowKind::frmMain);
        ASSERT_NE(panel, nullptr);
        EXPECT_FALSE(::IsWindowVisible(panel));
        ASSERT_EQ(recorder_.Calls().size(), 1u);
        EXPECT_EQ(recorder_.Calls()[0].rfind(row.callPrefix + Hex(panel), 0), 0u) << recorder_.Calls()[0];
    }
    // The monitor goes off twice, a second apart, through the panel.
    CloseIfOpen(WindowKind::frmMain);
    recorder_.Clear();
    const DWORD start = ::GetTickCount();
    yindao_.RunMenuEntry("gbxsqq");
    EXPECT_GE(::GetTickCount() - start, 900u);
    HWND panel = LiveWindow(WindowKind::frmMain);
    ASSERT_NE(panel, nullptr);
    EXPECT_FALSE(::IsWindowVisible(panel));
    EXPECT_EQ(recorder_.Calls(), (std::vector<std::string>{"MonitorPower(" + Hex(panel) + ", 2)",
                                                           "MonitorPower(" + Hex(panel) + ", 2)"}));

    // 查看新版本 belongs to the start-up window.
    recorder_.Clear();
    yindao_.RunMenuEntry("chakxbb");
    EXPECT_EQ(recorder_.Calls(),
              (std::vector<std::string>{"ShellExecute(" + Hex(yindao_.hwnd()) + ", \"open\", \"" +
                                        std::string(launcher::kDownloadPageAddress) + "\", NULL, NULL, 0)"}));
}

TEST_F(Panel, PowerEntriesShutDownAndRestartForcedAndLogOffEndsTheProgram) {
    yindao_.renwul();
    recorder_.Clear();
    yindao_.RunMenuEntry("gj1");
    yindao_.RunMenuEntry("cqjsj");
    EXPECT_EQ(recorder_.Calls(), (std::vector<std::string>{"ExitWindowsEx(5, 0)", "ExitWindowsEx(6, 0)"}));
    EXPECT_EQ(g_endings, 0);  // the system ends the program, not the program itself

    recorder_.Clear();
    yindao_.RunMenuEntry("zx1");
    EXPECT_EQ(recorder_.Calls(), (std::vector<std::string>{"ExitWindowsEx(0, 0)"}));
    EXPECT_EQ(LiveWindow(WindowKind::yindao), nullptr);
    EXPECT_EQ(g_endings, 1);
}

}  // namespace
}  // namespace velmora
