// The recycle-bin emptier: the hidden window that the panel cell and the
// tray entry 清空回收站 empty the bin through (recorded, so the prefix's bin
// is left alone), its check boxes, the command-line rule of its load step
// and what becomes of a request whose window that rule has closed.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "launcher/cells.h"
#include "launcher/frm_main.h"
#include "platform/effects.h"
#include "platform/handles.h"
#include "platform/message_box.h"
#include "platform/text.h"
#include "shell/app_windows.h"
#include "shell/tray_icon.h"
#include "shell/yindao.h"
#include "test_support.h"
#include "tools/qkhsz.h"

namespace velmora {
namespace {

using testing::Hex;
using testing::TextOf;
using testing::ClassOf;
using testing::RectIn;

// left, top, width, height
struct Place {
    long left, top, width, height;
    friend bool operator==(const Place&, const Place&) = default;
};
Place PlaceOf(const RECT& r) { return {r.left, r.top, r.right - r.left, r.bottom - r.top}; }
std::ostream& operator<<(std::ostream& out, const Place& p) {
    return out << p.left << "," << p.top << " " << p.width << "x" << p.height;
}

LOGFONTW FontOf(HWND control) {
    LOGFONTW font{};
    auto handle = reinterpret_cast<HGDIOBJ>(::SendMessageW(control, WM_GETFONT, 0, 0));
    ::GetObjectW(handle, sizeof font, &font);
    return font;
}

int CheckOf(HWND box) { return static_cast<int>(::SendMessageW(box, BM_GETCHECK, 0, 0)); }

void Click(HWND control) {
    ::SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    ::SendMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

BOOL CALLBACK CountVisible(HWND hwnd, LPARAM lp) {
    if (::IsWindowVisible(hwnd)) ++*reinterpret_cast<int*>(lp);
    return TRUE;
}
int ThreadWindows() {
    int n = 0;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(), [](HWND, LPARAM lp) { return ++*reinterpret_cast<int*>(lp), TRUE; },
        reinterpret_cast<LPARAM>(&n));
    return n;
}
int VisibleThreadWindows() {
    int n = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), CountVisible, reinterpret_cast<LPARAM>(&n));
    return n;
}

int g_boxes = 0;
int CountBox(HWND, const std::wstring&, const std::wstring&, UINT) {
    ++g_boxes;
    return IDOK;
}

int g_endings = 0;
void CountEnding() { ++g_endings; }

std::string Emptied(HWND owner, int flags) {
    return "SHEmptyRecycleBin(" + Hex(owner) + ", NULL, " + std::to_string(flags) + ")";
}

class Emptier : public ::testing::Test {
protected:
    static void SetUpTestSuite() { anchor_ = std::make_unique<testing::TrayAnchor>(); }
    static void TearDownTestSuite() { anchor_.reset(); }
    static inline std::unique_ptr<testing::TrayAnchor> anchor_;

    void SetUp() override {
        g_boxes = 0;
        g_endings = 0;
        SetEffects(&recorder_);
        SetMessageBoxHook(&CountBox);
        Yindao::SetProcessEnder(&CountEnding);
        // Tests run as "velmora_win32_tests.exe [--gtest_filter=...]": the
        // load step must see a plain start.
        Qkhsz::SetCommandLineForLoad(L"\"C:\\Velmora\\Velmora.exe\"");
        ASSERT_TRUE(yindao_.Create());
    }
    void TearDown() override {
        CloseIfOpen(WindowKind::qkhsz);
        CloseIfOpen(WindowKind::frmMain);
        RemoveTrayIcon();
        Qkhsz::SetCommandLineForLoad(std::nullopt);
        Yindao::SetProcessEnder(nullptr);
        SetMessageBoxHook(nullptr);
        SetEffects(nullptr);
    }

    Qkhsz& Open() {
        Qkhsz& window = Qkhsz::Instance();
        EXPECT_NE(window.hwnd(), nullptr);
        return window;
    }

    // The panel's 清空回收站 cell, clicked.
    void ClickPanelCell() {
        EnsureWindow(WindowKind::frmMain);
        FrmMain* panel = FrmMain::Live();
        ASSERT_NE(panel, nullptr);
        const auto cells = launcher::Cells();
        for (size_t i = 0; i < cells.size(); ++i) {
            if (cells[i].command == launcher::Command::EmptyRecycleBin) Click(panel->Image(i));
        }
    }

    RecordingEffects recorder_;
    Yindao yindao_;
};

TEST_F(Emptier, LoadsHiddenCentredWithEveryControlInPlace) {
    Qkhsz& w = Open();
    EXPECT_FALSE(::IsWindowVisible(w.hwnd()));
    EXPECT_EQ(LiveWindow(WindowKind::qkhsz), w.hwnd());
    EXPECT_EQ(TextOf(w.hwnd()), L"清空回收站");
    // No frame, no taskbar button.
    const LONG style = ::GetWindowLongW(w.hwnd(), GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME | WS_BORDER), 0);
    EXPECT_NE(::GetWindowLongW(w.hwnd(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
    RECT client{}, outer{};
    ::GetClientRect(w.hwnd(), &client);
    ::GetWindowRect(w.hwnd(), &outer);
    EXPECT_EQ(PlaceOf(client), (Place{0, 0, 321, 145}));
    // Centred: half the screen less half the window, in twips, rounded.
    const int sw = ::GetSystemMetrics(SM_CXSCREEN), sh = ::GetSystemMetrics(SM_CYSCREEN);
    EXPECT_LE(std::abs(outer.left - (sw - 321) / 2), 1) << outer.left;
    EXPECT_LE(std::abs(outer.top - (sh - 145) / 2), 1) << outer.top;

    struct Row {
        HWND control;
        const wchar_t* cls;
        const wchar_t* text;
        Place place;  // in the window, check boxes in fraOptions
    };
    const Row rows[] = {
        {w.ImgTitle(), L"Static", L"", {0, 0, 420, 26}},
        {w.Image1(), L"Static", L"", {4, 4, 16, 16}},
        {w.Label4(), L"Static", L"X", {304, 5, 9, 16}},
        {w.fraOptions(), L"Button", L"选项", {8, 32, 305, 73}},
        {w.cmdRecBin(), L"Button", L"清空回收站", {24, 112, 73, 17}},
        {w.cmdQuit(), L"Button", L"退出", {144, 112, 81, 17}},
        {w.chkNoConf(), L"Button", L"不出现提示信息", {8, 16, 193, 17}},
        {w.chkNoProgress(), L"Button", L"不显示进度", {8, 32, 201, 17}},
        {w.chkNoSound(), L"Button", L"没有声效", {8, 48, 193, 17}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(Narrow(row.text));
        ASSERT_NE(row.control, nullptr);
        EXPECT_STRCASEEQ(Narrow(ClassOf(row.control)).c_str(), Narrow(row.cls).c_str());
        EXPECT_EQ(TextOf(row.control), row.text);
        const bool inFrame = row.control == w.chkNoConf() || row.control == w.chkNoProgress() ||
                             row.control == w.chkNoSound();
        RECT r = RectIn(row.control, w.hwnd());
        if (inFrame) {
            const RECT frame = RectIn(w.fraOptions(), w.hwnd());
            ::OffsetRect(&r, -frame.left, -frame.top);
        }
        EXPECT_EQ(PlaceOf(r), row.place);
    }
    // The check boxes start ticked, the frame holds them.
    for (HWND box : {w.chkNoConf(), w.chkNoProgress(), w.chkNoSound()}) {
        EXPECT_EQ(CheckOf(box), BST_CHECKED);
        EXPECT_EQ(::GetWindowLongW(box, GWL_STYLE) & BS_TYPEMASK, BS_3STATE);
    }
    // The caption and its shadow: one pixel apart, sized to the text, 宋体
    // 9 point bold.
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(TextOf(w.Label3(i)), L"清空回收站");
        const LOGFONTW f = FontOf(w.Label3(i));
        EXPECT_STREQ(f.lfFaceName, L"宋体");
        EXPECT_EQ(f.lfHeight, -12);
        EXPECT_EQ(f.lfWeight, FW_BOLD);
        EXPECT_EQ(f.lfCharSet, GB2312_CHARSET);
    }
    const Place text = PlaceOf(RectIn(w.Label3(1), w.hwnd()));
    const Place shadow = PlaceOf(RectIn(w.Label3(0), w.hwnd()));
    EXPECT_EQ(text.left, 23);
    EXPECT_EQ(text.top, 7);
    EXPECT_EQ(shadow.left, text.left + 1);
    EXPECT_EQ(shadow.top, text.top + 1);
    EXPECT_GE(text.width, 60);  // five characters of 12 pixels
    EXPECT_LE(text.width, 70);
    EXPECT_EQ(shadow.width, text.width);
    EXPECT_EQ(FontOf(w.Label4()).lfHeight, -16);  // 12 point
    EXPECT_EQ(FontOf(w.Label4()).lfWeight, FW_BOLD);
    EXPECT_EQ(w.Label4Colour(), RGB(255, 255, 255));
}

TEST_F(Emptier, PanelCellEmptiesEveryBinSilentlyThroughTheHiddenWindow) {
    ClickPanelCell();
    Qkhsz* w = Qkhsz::Live();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(recorder_.Calls(), (std::vector<std::string>{Emptied(w->hwnd(), 7)}));
    EXPECT_FALSE(::IsWindowVisible(w->hwnd()));
    EXPECT_EQ(VisibleThreadWindows(), 0);
    EXPECT_EQ(g_boxes, 0);
    // The window stays loaded; the next request reuses it.
    const HWND first = w->hwnd();
    ClickPanelCell();
    EXPECT_EQ(LiveWindow(WindowKind::qkhsz), first);
    EXPECT_EQ(recorder_.Calls(), (std::vector<std::string>{Emptied(first, 7), Emptied(first, 7)}));
}

TEST_F(Emptier, TrayEntryEmptiesTheSameWayWithoutCreatingThePanel) {
    yindao_.RunMenuEntry("dkhsz");
    const HWND w = LiveWindow(WindowKind::qkhsz);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(recorder_.Calls(), (std::vector<std::string>{Emptied(w, 7)}));
    EXPECT_EQ(LiveWindow(WindowKind::frmMain), nullptr);
    EXPECT_EQ(VisibleThreadWindows(), 0);
}

TEST_F(Emptier, TheBoxesDecideTheFlagsAtTheMomentOfEmptying) {
    Qkhsz& w = Open();
    // A click on a box: ticked boxes clear, clear or greyed ones tick.
    ::SendMessageW(w.chkNoConf(), BM_CLICK, 0, 0);
    EXPECT_EQ(CheckOf(w.chkNoConf()), BST_UNCHECKED);
    w.cmdRecBin_Click();
    ::SendMessageW(w.chkNoProgress(), BM_CLICK, 0, 0);
    ::SendMessageW(w.chkNoSound(), BM_CLICK, 0, 0);
    ::SendMessageW(w.cmdRecBin(), BM_CLICK, 0, 0);  // the window's own button
    // A greyed box counts for nothing.
    ::SendMessageW(w.chkNoConf(), BM_SETCHECK, BST_INDETERMINATE, 0);
    ::SendMessageW(w.chkNoSound(), BM_SETCHECK, BST_CHECKED, 0);
    yindao_.RunMenuEntry("dkhsz");
    ::SendMessageW(w.chkNoConf(), BM_CLICK, 0, 0);
    EXPECT_EQ(CheckOf(w.chkNoConf()), BST_CHECKED);
    yindao_.RunMenuEntry("dkhsz");
    const HWND h = w.hwnd();
    EXPECT_EQ(recorder_.Calls(),
              (std::vector<std::string>{Emptied(h, 6), Emptied(h, 0), Emptied(h, 4), Emptied(h, 5)}));
}

TEST_F(Emptier, QuitAndTheCrossCloseItAndTheNextRequestStartsAfresh) {
    Qkhsz& w = Open();
    ::SendMessageW(w.chkNoConf(), BM_CLICK, 0, 0);
    ::SendMessageW(w.cmdQuit(), BM_CLICK, 0, 0);
    EXPECT_EQ(Qkhsz::Live(), nullptr);
    EXPECT_EQ(LiveWindow(WindowKind::qkhsz), nullptr);
    // A fresh window: the boxes ticked again.
    yindao_.RunMenuEntry("dkhsz");
    Qkhsz* again = Qkhsz::Live();
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(recorder_.Calls(), (std::vector<std::string>{Emptied(again->hwnd(), 7)}));

    // The "X": red under the pointer, white again over the title, and a
    // click closes.
    ::SendMessageW(again->Label4(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(again->Label4Colour(), RGB(255, 0, 0));
    ::SendMessageW(again->ImgTitle(), WM_MOUSEMOVE, 0, MAKELPARAM(200, 10));
    EXPECT_EQ(again->Label4Colour(), RGB(255, 255, 255));
    // Pressed on the X and released off it is no click.
    ::SendMessageW(again->Label4(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    ::SendMessageW(again->Label4(), WM_LBUTTONUP, 0, MAKELPARAM(40, 40));
    EXPECT_NE(Qkhsz::Live(), nullptr);
    Click(again->Label4());
    EXPECT_EQ(Qkhsz::Live(), nullptr);
    EXPECT_EQ(recorder_.Calls().size(), 1u);
}

struct LineCase {
    const wchar_t* line;
    int flags;  // -1: nothing emptied
    bool staysLoaded;
};

TEST_F(Emptier, CommandLineOfTheLoadStep) {
    const LineCase cases[] = {
        {L"\"C:\\Velmora\\Velmora.exe\" 3", 3, false},
        {L"\"C:\\Velmora\\Velmora.exe\" 2.5", 2, false},
        {L"\"C:\\Velmora\\Velmora.exe\" 0", 0, false},
        {L"C:\\Velmora\\Velmora.exe  7 ", 7, false},
        {L"\"C:\\Velmora\\Velmora.exe\" 8", -1, false},
        {L"\"C:\\Velmora\\Velmora.exe\" -1", -1, false},
        {L"\"C:\\Velmora\\Velmora.exe\" abc", -1, false},
        {L"\"C:\\Velmora\\Velmora.exe\" 清空", -1, false},
        {L"\"C:\\Velmora\\Velmora.exe\"", 7, true},
        {L"\"C:\\Velmora\\Velmora.exe\"    ", 7, true},
    };
    for (const LineCase& c : cases) {
        SCOPED_TRACE(Narrow(c.line));
        recorder_.Clear();
        Qkhsz::SetCommandLineForLoad(c.line);
        // The tray's request loads the window, whose load step acts on the
        // command line; the request then goes on only while the window
        // lives, so there is never a second emptying.
        yindao_.RunMenuEntry("dkhsz");
        const std::vector<std::string> calls = recorder_.Calls();
        if (c.flags < 0) {
            EXPECT_TRUE(calls.empty());
        } else {
            ASSERT_EQ(calls.size(), 1u);
            EXPECT_NE(calls[0].find(", NULL, " + std::to_string(c.flags) + ")"), std::string::npos) << calls[0];
        }
        EXPECT_EQ(LiveWindow(WindowKind::qkhsz) != nullptr, c.staysLoaded);
        EXPECT_EQ(Qkhsz::Live() != nullptr, c.staysLoaded);
        EXPECT_EQ(VisibleThreadWindows(), 0);
        EXPECT_EQ(g_boxes, 0);
        EXPECT_EQ(g_endings, 0);
        CloseIfOpen(WindowKind::qkhsz);
    }
    // The panel's cell takes the same road.
    recorder_.Clear();
    Qkhsz::SetCommandLineForLoad(L"Velmora.exe 3");
    ClickPanelCell();
    ClickPanelCell();
    ASSERT_EQ(recorder_.Calls().size(), 2u);  // each request loads the window anew
    EXPECT_NE(recorder_.Calls()[1].find(", NULL, 3)"), std::string::npos);
    EXPECT_EQ(Qkhsz::Live(), nullptr);
}

TEST_F(Emptier, NothingIsLeftBehindAcrossManyWindows) {
    // Warm up the class registration and the shared cursor.
    Open();
    CloseIfOpen(WindowKind::qkhsz);
    const int windows = ThreadWindows();
    const long objects = UniqueGdiObject::live(), bitmaps = UniqueBitmap::live(), icons = UniqueIcon::live(),
               dcs = UniqueMemoryDc::live();
    for (int i = 0; i < 40; ++i) {
        Qkhsz& w = Open();
        ::ShowWindow(w.hwnd(), SW_SHOWNA);
        ::UpdateWindow(w.hwnd());
        ::SendMessageW(w.Label4(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
        ::UpdateWindow(w.Label4());
        ::SendMessageW(w.cmdQuit(), BM_CLICK, 0, 0);
    }
    EXPECT_EQ(UniqueGdiObject::live(), objects);
    EXPECT_EQ(UniqueBitmap::live(), bitmaps);
    EXPECT_EQ(UniqueIcon::live(), icons);
    EXPECT_EQ(UniqueMemoryDc::live(), dcs);
    EXPECT_EQ(LiveWindow(WindowKind::qkhsz), nullptr);
    EXPECT_EQ(ThreadWindows(), windows);
}

}  // namespace
}  // namespace velmora
