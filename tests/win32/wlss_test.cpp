// The web-search box: its keyed-out window and controls, the search from
// the button and from Enter (recorded, so no browser starts), the message
// for an empty field, the mushroom's cycle, moving by the left button only,
// closing by the ball, and what a window's life leaves behind.
#include <windows.h>
#include <commctrl.h>

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
#include "tools/wlss.h"

namespace velmora {
namespace {

using testing::Hex;
using testing::TextOf;
using testing::ClassOf;

using namespace std::chrono_literals;

struct Place {
    long left, top, width, height;
    friend bool operator==(const Place&, const Place&) = default;
};
std::ostream& operator<<(std::ostream& out, const Place& p) {
    return out << p.left << "," << p.top << " " << p.width << "x" << p.height;
}
Place PlaceInParent(HWND child) {
    RECT r{};
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, ::GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

bool Shown(HWND control) { return (::GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE) != 0; }

struct Box {
    HWND owner;
    std::wstring text, title;
    UINT type;
};
std::vector<Box> g_boxes;
int RecordBox(HWND owner, const std::wstring& text, const std::wstring& title, UINT type) {
    g_boxes.push_back({owner, text, title, type});
    return IDOK;
}

int g_endings = 0;
void CountEnding() { ++g_endings; }

// Records the WM_NCLBUTTONDOWN messages the search box sends itself: the
// start of the system's move loop.
HWND g_watched = nullptr;
std::vector<WPARAM> g_moveStarts;
HHOOK g_hook = nullptr;
LRESULT CALLBACK WatchSent(int code, WPARAM wp, LPARAM lp) {
    const auto* m = reinterpret_cast<const CWPSTRUCT*>(lp);
    if (code == HC_ACTION && m->hwnd == g_watched && m->message == WM_NCLBUTTONDOWN) {
        g_moveStarts.push_back(m->wParam);
        // Let the system's move loop end at once instead of waiting for
        // a mouse that nobody holds.
        ::PostMessageW(m->hwnd, WM_KEYDOWN, VK_ESCAPE, 0);
    }
    return ::CallNextHookEx(g_hook, code, wp, lp);
}

int ThreadWindows() {
    int n = 0;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(), [](HWND, LPARAM lp) { return ++*reinterpret_cast<int*>(lp), TRUE; },
        reinterpret_cast<LPARAM>(&n));
    return n;
}

class SearchBox : public ::testing::Test {
protected:
    static void SetUpTestSuite() { anchor_ = std::make_unique<testing::TrayAnchor>(); }
    static void TearDownTestSuite() { anchor_.reset(); }
    static inline std::unique_ptr<testing::TrayAnchor> anchor_;

    void SetUp() override {
        g_boxes.clear();
        g_endings = 0;
        SetEffects(&recorder_);
        SetMessageBoxHook(&RecordBox);
        Yindao::SetProcessEnder(&CountEnding);
        ASSERT_TRUE(yindao_.Create());
    }
    void TearDown() override {
        CloseIfOpen(WindowKind::wlss);
        CloseIfOpen(WindowKind::frmMain);
        RemoveTrayIcon();
        Yindao::SetProcessEnder(nullptr);
        SetMessageBoxHook(nullptr);
        SetEffects(nullptr);
    }

    Wlss& Open() {
        Wlss& w = Wlss::Instance();
        EXPECT_NE(w.hwnd(), nullptr);
        return w;
    }

    std::string Searched(HWND owner, const std::string& address) {
        return "ShellExecute(" + Hex(owner) + ", \"open\", \"" + address + "\", NULL, NULL, 0)";
    }

    RecordingEffects recorder_;
    Yindao yindao_;
};

TEST_F(SearchBox, AColourKeyedFramelessBoxWithEveryControl) {
    Wlss& w = Open();
    EXPECT_FALSE(::IsWindowVisible(w.hwnd()));
    EXPECT_EQ(TextOf(w.hwnd()), L"网络搜索");
    const LONG style = ::GetWindowLongW(w.hwnd(), GWL_STYLE);
    const LONG exStyle = ::GetWindowLongW(w.hwnd(), GWL_EXSTYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME | WS_BORDER), 0);
    // No taskbar button: a tool window, owned by a hidden window.
    EXPECT_NE(exStyle & WS_EX_TOOLWINDOW, 0);
    const HWND owner = ::GetWindow(w.hwnd(), GW_OWNER);
    ASSERT_NE(owner, nullptr);
    EXPECT_FALSE(::IsWindowVisible(owner));
    EXPECT_NE(exStyle & WS_EX_LAYERED, 0);
    COLORREF key = 0;
    BYTE alpha = 1;
    DWORD flags = 0;
    ASSERT_TRUE(::GetLayeredWindowAttributes(w.hwnd(), &key, &alpha, &flags));
    EXPECT_EQ(key, RGB(255, 255, 255));
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_COLORKEY));

    RECT client{}, outer{};
    ::GetClientRect(w.hwnd(), &client);
    ::GetWindowRect(w.hwnd(), &outer);
    EXPECT_EQ(client.right, 327);
    EXPECT_EQ(client.bottom, 111);
    const int sw = ::GetSystemMetrics(SM_CXSCREEN), sh = ::GetSystemMetrics(SM_CYSCREEN);
    EXPECT_LE(std::abs(outer.left - (sw - 327) / 2), 1) << outer.left;
    EXPECT_LE(std::abs(outer.top - (sh - 111) / 2), 1) << outer.top;

    // Five mushrooms stacked in the corner, all showing before the first tick.
    for (int i = 0; i < Wlss::kMushroomCount; ++i) {
        ASSERT_NE(w.Image1(i), nullptr);
        EXPECT_EQ(::GetParent(w.Image1(i)), w.hwnd());
        EXPECT_EQ(PlaceInParent(w.Image1(i)), (Place{0, 0, 65, 66})) << i;
        EXPECT_TRUE(Shown(w.Image1(i))) << i;
    }
    EXPECT_EQ(w.FrameIndex(), 0);
    // The grass strip overhangs the window and holds the other three.
    EXPECT_EQ(::GetParent(w.Picture1()), w.hwnd());
    EXPECT_EQ(PlaceInParent(w.Picture1()), (Place{0, 64, 329, 57}));
    EXPECT_EQ(::GetParent(w.Text1()), w.Picture1());
    EXPECT_STRCASEEQ(Narrow(ClassOf(w.Text1())).c_str(), "Edit");
    EXPECT_EQ(PlaceInParent(w.Text1()), (Place{8, 8, 257, 27}));  // 26.7 pixels high
    EXPECT_EQ(TextOf(w.Text1()), L"");
    LOGFONTW font{};
    ::GetObjectW(reinterpret_cast<HGDIOBJ>(::SendMessageW(w.Text1(), WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_STREQ(font.lfFaceName, L"宋体");
    EXPECT_EQ(font.lfHeight, -14);  // 10.5 point
    EXPECT_EQ(font.lfWeight, FW_NORMAL);
    EXPECT_EQ(font.lfCharSet, GB2312_CHARSET);
    EXPECT_EQ(::GetParent(w.Command1()), w.Picture1());
    EXPECT_STRCASEEQ(Narrow(ClassOf(w.Command1())).c_str(), "Button");
    EXPECT_EQ(TextOf(w.Command1()), L"搜");
    EXPECT_EQ(PlaceInParent(w.Command1()), (Place{272, 11, 25, 25}));  // top 10.7
    EXPECT_EQ(::GetParent(w.Image2()), w.Picture1());
    EXPECT_EQ(PlaceInParent(w.Image2()), (Place{304, 0, 17, 17}));

    // The field's colours, as it asks its container for them.
    UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    const auto brush = reinterpret_cast<HBRUSH>(::SendMessageW(
        w.Picture1(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc.get()), reinterpret_cast<LPARAM>(w.Text1())));
    EXPECT_EQ(::GetBkColor(dc.get()), RGB(246, 246, 250));
    EXPECT_EQ(::GetTextColor(dc.get()), RGB(0, 0, 0));
    LOGBRUSH lb{};
    ASSERT_TRUE(::GetObjectW(brush, sizeof lb, &lb));
    EXPECT_EQ(lb.lbColor, RGB(246, 246, 250));

    // The ball's tip is a tooltip of the system's own, saying 关闭.
    ASSERT_NE(w.Tooltip(), nullptr);
    EXPECT_STRCASEEQ(Narrow(ClassOf(w.Tooltip())).c_str(), "tooltips_class32");
    EXPECT_EQ(::SendMessageW(w.Tooltip(), TTM_GETTOOLCOUNT, 0, 0), 1);
    wchar_t tip[32] = {};
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.lpszText = tip;
    ASSERT_TRUE(::SendMessageW(w.Tooltip(), TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&tool)));
    EXPECT_EQ(reinterpret_cast<HWND>(tool.uId), w.Image2());
    EXPECT_STREQ(tip, L"关闭");
    // A hand over the ball.
    ::SendMessageW(w.Image2(), WM_SETCURSOR, reinterpret_cast<WPARAM>(w.Image2()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_NE(::GetCursor(), ::LoadCursorW(nullptr, IDC_ARROW));
}

TEST_F(SearchBox, ButtonAndEnterOpenTheSameEncodedAddress) {
    Wlss& w = Open();
    ::SetWindowTextW(w.Text1(), L"a b&c");
    ::SendMessageW(w.Command1(), BM_CLICK, 0, 0);
    ::SendMessageW(w.Text1(), WM_KEYDOWN, VK_RETURN, 0x001C0001);
    const std::string address = "http://www.baidu.com/s?wd=a%20b%26c&ie=utf-8";
    EXPECT_EQ(recorder_.Calls(),
              (std::vector<std::string>{Searched(w.hwnd(), address), Searched(w.hwnd(), address)}));
    // The keyword stays for another search; other keys search nothing.
    EXPECT_EQ(TextOf(w.Text1()), L"a b&c");
    ::SendMessageW(w.Text1(), WM_KEYDOWN, 'X', 0);
    ::SendMessageW(w.Text1(), WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(recorder_.Calls().size(), 2u);

    recorder_.Clear();
    ::SetWindowTextW(w.Text1(), L"中文 搜索");
    ::SendMessageW(w.Text1(), WM_KEYDOWN, VK_RETURN, 0x001C0001);
    ::SetWindowTextW(w.Text1(), L"C#");
    ::SendMessageW(w.Command1(), BM_CLICK, 0, 0);
    EXPECT_EQ(recorder_.Calls(),
              (std::vector<std::string>{
                  Searched(w.hwnd(), "http://www.baidu.com/s?wd=%E4%B8%AD%E6%96%87%20%E6%90%9C%E7%B4%A2&ie=utf-8"),
                  Searched(w.hwnd(), "http://www.baidu.com/s?wd=C%23&ie=utf-8")}));
    EXPECT_TRUE(g_boxes.empty());
}

TEST_F(SearchBox, AnEmptyFieldAsksForAKeywordButBlanksAreSearched) {
    Wlss& w = Open();
    ::SendMessageW(w.Command1(), BM_CLICK, 0, 0);
    ::SendMessageW(w.Text1(), WM_KEYDOWN, VK_RETURN, 0x001C0001);
    ASSERT_EQ(g_boxes.size(), 2u);
    for (const Box& box : g_boxes) {
        EXPECT_EQ(box.owner, w.hwnd());
        EXPECT_EQ(box.text, L"请先输入关键字！       ");
        EXPECT_EQ(box.title, L"Velmora");
        EXPECT_EQ(box.type, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
    }
    EXPECT_TRUE(recorder_.Calls().empty());
    ::SetWindowTextW(w.Text1(), L"   ");
    ::SendMessageW(w.Command1(), BM_CLICK, 0, 0);
    EXPECT_EQ(recorder_.Calls(),
              (std::vector<std::string>{Searched(w.hwnd(), "http://www.baidu.com/s?wd=%20%20%20&ie=utf-8")}));
    EXPECT_EQ(g_boxes.size(), 2u);
}

TEST_F(SearchBox, TheMushroomCyclesThroughFourOfItsFive) {
    Wlss& w = Open();
    auto shown = [&] {
        std::vector<int> out;
        for (int i = 0; i < Wlss::kMushroomCount; ++i)
            if (Shown(w.Image1(i))) out.push_back(i);
        return out;
    };
    EXPECT_EQ(shown(), (std::vector<int>{0, 1, 2, 3, 4}));
    const int expected[] = {1, 2, 3, 0, 1, 2, 3, 0, 1, 2, 3, 0};
    for (int tick : expected) {
        ::SendMessageW(w.hwnd(), WM_TIMER, Wlss::kTimer1, 0);
        EXPECT_EQ(w.FrameIndex(), tick);
        EXPECT_EQ(shown(), (std::vector<int>{tick}));
    }
    // Another timer's tick is none of its business.
    ::SendMessageW(w.hwnd(), WM_TIMER, Wlss::kTimer1 + 7, 0);
    EXPECT_EQ(w.FrameIndex(), 0);
    // And the real timer ticks by itself, every 1.5 seconds.
    EXPECT_TRUE(testing::PumpUntil([&] { return w.FrameIndex() == 1; }, 2500ms));
}

TEST_F(SearchBox, TheLeftButtonOnGrassOrMushroomMovesTheWindowNothingElseDoes) {
    Wlss& w = Open();
    ::ShowWindow(w.hwnd(), SW_SHOW);
    g_watched = w.hwnd();
    g_moveStarts.clear();
    g_hook = ::SetWindowsHookExW(WH_CALLWNDPROC, WatchSent, nullptr, ::GetCurrentThreadId());
    ASSERT_NE(g_hook, nullptr);
    auto press = [](HWND control, UINT msg) { ::SendMessageW(control, msg, 0, MAKELPARAM(3, 3)); };

    press(w.Picture1(), WM_RBUTTONDOWN);
    press(w.Picture1(), WM_MBUTTONDOWN);
    press(w.Image1(2), WM_RBUTTONDOWN);
    press(w.Text1(), WM_LBUTTONDOWN);
    press(w.Text1(), WM_LBUTTONUP);
    press(w.Image2(), WM_RBUTTONDOWN);
    EXPECT_TRUE(g_moveStarts.empty());

    press(w.Picture1(), WM_LBUTTONDOWN);
    press(w.Image1(0), WM_LBUTTONDOWN);
    press(w.Image1(4), WM_LBUTTONDOWN);
    ::UnhookWindowsHookEx(g_hook);
    g_hook = nullptr;
    EXPECT_EQ(g_moveStarts, (std::vector<WPARAM>{HTCAPTION, HTCAPTION, HTCAPTION}));
    EXPECT_TRUE(recorder_.Calls().empty());
    EXPECT_NE(Wlss::Live(), nullptr);
}

TEST_F(SearchBox, OpeningFocusesTheFieldAndOpeningAgainOnlyBringsItForward) {
    yindao_.RunMenuEntry("wanglss");
    Wlss* w = Wlss::Live();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(::IsWindowVisible(w->hwnd()));
    EXPECT_EQ(LiveWindow(WindowKind::frmMain), nullptr);  // the tray entry needs no panel
    EXPECT_TRUE(testing::PumpUntil([&] { return ::GetFocus() == w->Text1(); }, 1000ms));
    ::SetWindowTextW(w->Text1(), L"kept");
    ::SendMessageW(w->hwnd(), WM_TIMER, Wlss::kTimer1, 0);
    const HWND first = w->hwnd();
    // The panel's cell opens the same window; no load runs again.
    EnsureWindow(WindowKind::frmMain);
    FrmMain* panel = FrmMain::Live();
    ASSERT_NE(panel, nullptr);
    const auto cells = launcher::Cells();
    for (size_t i = 0; i < cells.size(); ++i) {
        if (cells[i].command == launcher::Command::ShowWebSearch) panel->RunCell(i);
    }
    EXPECT_EQ(LiveWindow(WindowKind::wlss), first);
    EXPECT_EQ(TextOf(w->Text1()), L"kept");
    EXPECT_EQ(w->FrameIndex(), 1);
    // Coming back to it from elsewhere puts the keyboard in the field again.
    ::SetFocus(w->Command1());
    ::SendMessageW(w->hwnd(), WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(::GetFocus(), w->Text1());
}

TEST_F(SearchBox, TheBallClosesItAndTheNextOpeningStartsAfresh) {
    Wlss& w = Open();
    ::SetWindowTextW(w.Text1(), L"old keyword");
    ::SendMessageW(w.hwnd(), WM_TIMER, Wlss::kTimer1, 0);
    ::SendMessageW(w.hwnd(), WM_TIMER, Wlss::kTimer1, 0);
    // Pressed on the ball and released elsewhere: no click.
    ::SendMessageW(w.Image2(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    ::SendMessageW(w.Image2(), WM_LBUTTONUP, 0, MAKELPARAM(60, 3));
    ASSERT_NE(Wlss::Live(), nullptr);
    ::SendMessageW(w.Image2(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    ::SendMessageW(w.Image2(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(Wlss::Live(), nullptr);
    EXPECT_EQ(LiveWindow(WindowKind::wlss), nullptr);

    const HWND again = ShowWindowNormal(WindowKind::wlss);
    Wlss* fresh = Wlss::Live();
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(fresh->hwnd(), again);
    EXPECT_EQ(TextOf(fresh->Text1()), L"");
    EXPECT_EQ(fresh->FrameIndex(), 0);
    for (int i = 0; i < Wlss::kMushroomCount; ++i) EXPECT_TRUE(Shown(fresh->Image1(i))) << i;
    // The exit closes the box with the other windows.
    yindao_.tuiccx_Click();
    EXPECT_EQ(Wlss::Live(), nullptr);
    EXPECT_EQ(g_endings, 1);
}

TEST_F(SearchBox, NothingIsLeftBehindAcrossManyWindows) {
    Open();
    CloseIfOpen(WindowKind::wlss);
    const int windows = ThreadWindows();
    const long objects = UniqueGdiObject::live(), bitmaps = UniqueBitmap::live(), icons = UniqueIcon::live(),
               dcs = UniqueMemoryDc::live(), regions = UniqueRegion::live();
    // Wine takes two seconds to let go of a shown window on a display
    // without a window manager: a few windows are shown and painted over
    // and over, many more only loaded.
    for (int i = 0; i < 44; ++i) {
        const bool show = i % 11 == 0;
        const HWND hwnd = show ? ShowWindowNormal(WindowKind::wlss) : EnsureWindow(WindowKind::wlss);
        Wlss* w = Wlss::Live();
        ASSERT_NE(w, nullptr);
        ::SetWindowTextW(w->Text1(), L"x");
        for (int tick = 0; tick < (show ? 10 : 1); ++tick) {
            ::SendMessageW(hwnd, WM_TIMER, Wlss::kTimer1, 0);
            ::SetFocus(tick % 2 ? w->Command1() : w->Text1());
            ::RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        }
        ::SendMessageW(w->Command1(), BM_SETSTATE, TRUE, 0);
        ::UpdateWindow(w->Command1());
        ::SendMessageW(w->Image2(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        ::SendMessageW(w->Image2(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
        ASSERT_FALSE(::IsWindow(hwnd));
    }
    EXPECT_EQ(UniqueGdiObject::live(), objects);
    EXPECT_EQ(UniqueBitmap::live(), bitmaps);
    EXPECT_EQ(UniqueIcon::live(), icons);
    EXPECT_EQ(UniqueMemoryDc::live(), dcs);
    EXPECT_EQ(UniqueRegion::live(), regions);
    // The tooltip goes with its window.
    EXPECT_EQ(ThreadWindows(), windows);
}

}  // namespace
}  // namespace velmora
