// The start-up window's tray icon, its callback and both popup menus, with
// the real shell of the prefix behind them.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/text.h"
#include "shell/app_windows.h"
#include "shell/tray_icon.h"
#include "shell/yindao.h"
#include "test_support.h"

namespace velmora {
namespace {

using namespace std::chrono_literals;
using testing::PressKeys;
using testing::WhileMenuIsOpen;

// Whether the notification area holds an icon for (hwnd, id): modifying a
// missing icon fails.
bool IconExists(HWND hwnd, UINT id = kTrayIconId) {
    NOTIFYICONDATAA probe{};
    probe.cbSize = NOTIFYICONDATAA_V1_SIZE;
    probe.hWnd = hwnd;
    probe.uID = id;
    probe.uFlags = NIF_TIP;
    std::strcpy(probe.szTip, "Velmora");
    return ::Shell_NotifyIconA(NIM_MODIFY, &probe) != FALSE;
}

struct MenuRow {
    std::wstring caption;  // "-" for a separator
    bool submenu;
};

std::vector<MenuRow> Rows(HMENU menu) {
    std::vector<MenuRow> rows;
    const int n = ::GetMenuItemCount(menu);
    for (int i = 0; i < n; ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_SUBMENU;
        ::GetMenuItemInfoW(menu, i, TRUE, &info);
        wchar_t text[64] = {};
        ::GetMenuStringW(menu, i, text, 64, MF_BYPOSITION);
        rows.push_back({(info.fType & MFT_SEPARATOR) ? L"-" : text, info.hSubMenu != nullptr});
    }
    return rows;
}

std::vector<std::wstring> Captions(HMENU menu) {
    std::vector<std::wstring> out;
    for (const MenuRow& r : Rows(menu)) out.push_back(r.caption);
    return out;
}

int g_endings = 0;
void CountEnding() { ++g_endings; }

class TrayWindow : public ::testing::Test {
protected:
    // Wine takes two seconds to take the last icon out of its tray; an icon
    // of the test's own keeps Velmora's from ever being the last one.
    static void SetUpTestSuite() { anchor_ = std::make_unique<testing::TrayAnchor>(); }
    static void TearDownTestSuite() { anchor_.reset(); }
    static inline std::unique_ptr<testing::TrayAnchor> anchor_;

    void SetUp() override {
        g_endings = 0;
        Yindao::SetProcessEnder(&CountEnding);
        ASSERT_TRUE(yindao_.Create());
    }
    void TearDown() override {
        RemoveTrayIcon();
        Yindao::SetProcessEnder(nullptr);
    }
    Yindao yindao_;
};

TEST_F(TrayWindow, TrayMenuShowsEveryEntryInOrderAndNoHiddenOne) {
    const std::vector<std::wstring> expected = {
        L"关闭菜单", L"-", L"显示主界面", L"-", L"我的电脑", L"资源管理器", L"系统搜索", L"清空回收站",
        L"-", L"关闭计算机", L"-", L"网站导航", L"网络搜索", L"-", L"设置", L"-", L"查看新版本", L"关于",
        L"-", L"退出程序"};
    EXPECT_EQ(Captions(yindao_.cd()), expected);
    const std::vector<MenuRow> rows = Rows(yindao_.cd());
    EXPECT_TRUE(rows[9].submenu);
    EXPECT_TRUE(rows[14].submenu);
    EXPECT_EQ(Captions(::GetSubMenu(yindao_.cd(), 9)),
              (std::vector<std::wstring>{L"关闭显示器", L"-", L"注销计算机", L"-", L"关闭计算机", L"-", L"重启计算机"}));
    EXPECT_EQ(Captions(::GetSubMenu(yindao_.cd(), 14)), (std::vector<std::wstring>{L"开机自动启动"}));
    // 开机自动启动 starts without a check mark.
    const UINT state = ::GetMenuState(::GetSubMenu(yindao_.cd(), 14), 0, MF_BYPOSITION);
    EXPECT_EQ(state & MF_CHECKED, 0u);
}

TEST_F(TrayWindow, PowerMenuHoldsLogOffShutDownRestart) {
    EXPECT_EQ(Captions(yindao_.gjj()),
              (std::vector<std::wstring>{L"注销计算机", L"-", L"关闭计算机", L"-", L"重启计算机"}));
}

TEST_F(TrayWindow, RenwulInstallsTheVersionOneRecordAndHidesFromTheTaskList) {
    yindao_.renwul();
    const NOTIFYICONDATAA& r = TrayIconData();
    EXPECT_EQ(r.cbSize, offsetof(NOTIFYICONDATAA, szTip) + 64);
    EXPECT_EQ(r.hWnd, yindao_.Picture2());
    EXPECT_EQ(r.uID, 1u);
    EXPECT_EQ(r.uFlags, 7u);
    EXPECT_EQ(r.uCallbackMessage, 0x200u);
    EXPECT_EQ(r.hIcon, yindao_.Picture2Icon());
    EXPECT_STREQ(r.szTip, "Velmora");
    ICONINFO info{};
    ASSERT_TRUE(::GetIconInfo(r.hIcon, &info));
    BITMAP bm{};
    ::GetObjectW(info.hbmColor, sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, 16);
    EXPECT_EQ(bm.bmHeight, 16);
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);

    EXPECT_TRUE(IconExists(yindao_.Picture2()));
    EXPECT_FALSE(::IsWindowVisible(yindao_.hwnd()));
    EXPECT_TRUE(::GetWindowLongPtrW(yindao_.hwnd(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
}

TEST_F(TrayWindow, IconComesBackWhenTheTaskbarIsRecreated) {
    yindao_.renwul();
    ASSERT_TRUE(IconExists(yindao_.Picture2()));
    NOTIFYICONDATAA gone = TrayIconData();
    ::Shell_NotifyIconA(NIM_DELETE, &gone);
    ASSERT_FALSE(IconExists(yindao_.Picture2()));
    ::SendMessageW(yindao_.hwnd(), ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(IconExists(yindao_.Picture2()));
}

TEST_F(TrayWindow, RightButtonUpPopsUpTheMenuAndFurtherCallbacksAreDropped) {
    yindao_.renwul();
    int menusWhileOpen = -1;
    bool busyWhileOpen = false;
    UINT messageSeen = 0;
    WhileMenuIsOpen during([&] {
        // The shell reports another right click while the menu is open.
        ::SendMessageW(yindao_.Picture2(), WM_MOUSEMOVE, 0, WM_RBUTTONUP);
        messageSeen = yindao_.TrayMessage();
        busyWhileOpen = yindao_.TrayBusy();
        menusWhileOpen = testing::VisibleMenuWindows();
        PressKeys(yindao_.hwnd(), {VK_ESCAPE});
    });
    ::SendMessageW(yindao_.Picture2(), WM_MOUSEMOVE, 0, WM_RBUTTONUP);
    EXPECT_TRUE(during.ran()) << "no menu appeared";
    EXPECT_EQ(menusWhileOpen, 1);
    EXPECT_TRUE(busyWhileOpen);
    EXPECT_EQ(messageSeen, static_cast<UINT>(WM_RBUTTONUP));
    EXPECT_FALSE(yindao_.TrayBusy());
    EXPECT_EQ(g_endings, 0);
}

TEST_F(TrayWindow, OtherMouseEventsOverTheIconDoNothing) {
    for (UINT m : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONDBLCLK, WM_MBUTTONUP}) {
        ::SendMessageW(yindao_.Picture2(), WM_MOUSEMOVE, 0, m);
        EXPECT_EQ(yindao_.TrayMessage(), m);
        EXPECT_FALSE(yindao_.TrayBusy());
        EXPECT_EQ(testing::VisibleMenuWindows(), 0) << "message " << m;
    }
}

TEST_F(TrayWindow, CloseMenuEntryOnlyClosesTheMenu) {
    yindao_.renwul();
    WhileMenuIsOpen during([&] { PressKeys(yindao_.hwnd(), {VK_DOWN, VK_RETURN}); });
    ::SendMessageW(yindao_.Picture2(), WM_MOUSEMOVE, 0, WM_RBUTTONUP);
    ASSERT_TRUE(during.ran());
    EXPECT_EQ(testing::VisibleMenuWindows(), 0);
    EXPECT_EQ(g_endings, 0);
    EXPECT_TRUE(::IsWindow(yindao_.hwnd()));
    EXPECT_TRUE(IconExists(yindao_.Picture2()));
}

// Stand-ins for the program's other windows, recording the order in which
// they are closed.
std::vector<WindowKind> g_closed;
bool g_yindaoAliveWhenPanelClosed = false;
bool g_yindaoAliveWhenSearchClosed = true;

LRESULT CALLBACK StandInProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_CLOSE) {
        const auto kind = static_cast<WindowKind>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        g_closed.push_back(kind);
        if (kind == WindowKind::frmMain) g_yindaoAliveWhenPanelClosed = LiveWindow(WindowKind::yindao) != nullptr;
        if (kind == WindowKind::wlss) g_yindaoAliveWhenSearchClosed = LiveWindow(WindowKind::yindao) != nullptr;
        ::DestroyWindow(hwnd);
        return 0;
    }
    if (msg == WM_DESTROY) {
        ForgetLiveWindow(static_cast<WindowKind>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA)), hwnd);
    }
    return ::DefWindowProcW(hwnd, msg, wp, lp);
}

HWND StandIn(WindowKind kind) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = StandInProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"VelmoraTestStandIn";
    ::RegisterClassW(&wc);
    HWND hwnd = ::CreateWindowW(L"VelmoraTestStandIn", L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                wc.hInstance, nullptr);
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, static_cast<LONG_PTR>(kind));
    RegisterLiveWindow(kind, hwnd);
    return hwnd;
}

TEST_F(TrayWindow, ExitClosesTheWindowsInOrderRemovesTheIconAndEndsTheProcess) {
    yindao_.renwul();
    const HWND picture2 = yindao_.Picture2();
    g_closed.clear();
    const HWND emptier = StandIn(WindowKind::qkhsz);
    for (WindowKind k : {WindowKind::wlss, WindowKind::frmMain, WindowKind::see, WindowKind::ghzm, WindowKind::Form3}) {
        StandIn(k);
    }
    // 退出程序 is the last entry: Up from the top wraps to it.
    WhileMenuIsOpen during([&] { PressKeys(yindao_.hwnd(), {VK_UP, VK_RETURN}); });
    ::SendMessageW(picture2, WM_MOUSEMOVE, 0, WM_RBUTTONUP);
    ASSERT_TRUE(during.ran());

    EXPECT_EQ(g_endings, 1);
    EXPECT_EQ(g_closed, (std::vector<WindowKind>{WindowKind::ghzm, WindowKind::see, WindowKind::Form3,
                                                 WindowKind::frmMain, WindowKind::wlss}));
    EXPECT_TRUE(g_yindaoAliveWhenPanelClosed);
    EXPECT_FALSE(g_yindaoAliveWhenSearchClosed);
    EXPECT_FALSE(::IsWindow(yindao_.hwnd()));
    EXPECT_EQ(LiveWindow(WindowKind::yindao), nullptr);
    EXPECT_FALSE(IconExists(picture2));
    // The recycle-bin emptier is left to the end of the process.
    EXPECT_TRUE(::IsWindow(emptier));
    ::DestroyWindow(emptier);
}

TEST_F(TrayWindow, PowerMenuPopsUpAtThePoint) {
    POINT shownAt{};
    WhileMenuIsOpen during([&] {
        HWND menu = ::FindWindowW(L"#32768", nullptr);
        RECT r{};
        ::GetWindowRect(menu, &r);
        shownAt = {r.left, r.top};
        PressKeys(yindao_.hwnd(), {VK_ESCAPE});
    });
    yindao_.PopupPowerMenu({200, 150});
    ASSERT_TRUE(during.ran());
    EXPECT_EQ(shownAt.x, 200);
    EXPECT_EQ(shownAt.y, 150);
    EXPECT_EQ(g_endings, 0);
}

}  // namespace
}  // namespace velmora
