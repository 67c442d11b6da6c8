// The tray host: its icon, the icon's callbacks and both popup menus, with
// the real shell of the prefix behind them, and the actions the chosen
// entries hand to the application; the icon offered again while a shell
// that is not ready yet refuses it.
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
#include "shell/tray_host.h"
#include "shell/tray_icon.h"
#include "support/test_support.h"

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

class TrayWindow : public ::testing::Test {
protected:
    // Wine takes two seconds to take the last icon out of its tray; an icon
    // of the test's own keeps Velmora's from ever being the last one.
    static void SetUpTestSuite() { anchor_ = std::make_unique<testing::TrayAnchor>(); }
    static void TearDownTestSuite() { anchor_.reset(); }
    static inline std::unique_ptr<testing::TrayAnchor> anchor_;

    // The icon is up, in version 4, as the program shows it.
    void SetUp() override {
        ASSERT_TRUE(tray_.Create());
        tray_.ShowIcon();
        ASSERT_TRUE(tray_.Icon()->version4()) << "the prefix's shell refused version 4";
    }
    // A callback in version 4's layout: the event and the icon's id in
    // lParam, the anchor point in wParam.
    void Callback(UINT event, POINT anchor = {0, 0}) {
        ::SendMessageW(tray_.hwnd(), TrayHost::kTrayCallbackMessage, MAKEWPARAM(anchor.x, anchor.y),
                       MAKELPARAM(event, kTrayIconId));
    }
    // Pops up the tray menu with a right click and presses `keys` in it.
    void ChooseWithKeys(std::initializer_list<UINT> keys) {
        WhileMenuIsOpen during([&] { PressKeys(tray_.hwnd(), keys); });
        Callback(WM_RBUTTONUP);
        ASSERT_TRUE(during.ran()) << "no menu appeared";
    }

    std::vector<Action> actions_;
    TrayHost tray_{[this](Action a) { actions_.push_back(a); }};
};

TEST_F(TrayWindow, TrayMenuShowsEveryEntryInOrderAndNoHiddenOne) {
    const std::vector<std::wstring> expected = {
        L"关闭菜单", L"-", L"显示主界面", L"-", L"我的电脑", L"资源管理器", L"系统搜索", L"清空回收站",
        L"-", L"关闭计算机", L"-", L"网站导航", L"网络搜索", L"-", L"设置", L"-", L"查看新版本", L"关于",
        L"-", L"退出程序"};
    EXPECT_EQ(Captions(tray_.TrayMenu()), expected);
    const std::vector<MenuRow> rows = Rows(tray_.TrayMenu());
    EXPECT_TRUE(rows[9].submenu);
    EXPECT_TRUE(rows[14].submenu);
    EXPECT_EQ(Captions(::GetSubMenu(tray_.TrayMenu(), 9)),
              (std::vector<std::wstring>{L"关闭显示器", L"-", L"注销计算机", L"-", L"关闭计算机", L"-", L"重启计算机"}));
    EXPECT_EQ(Captions(::GetSubMenu(tray_.TrayMenu(), 14)), (std::vector<std::wstring>{L"开机自动启动"}));
    EXPECT_FALSE(tray_.StartAtLogonChecked());
    tray_.SetStartAtLogonCheck(true);
    EXPECT_TRUE(::GetMenuState(::GetSubMenu(tray_.TrayMenu(), 14), 0, MF_BYPOSITION) & MF_CHECKED);
    EXPECT_TRUE(tray_.StartAtLogonChecked());
}

TEST_F(TrayWindow, PowerMenuHoldsLogOffShutDownRestart) {
    EXPECT_EQ(Captions(tray_.PowerMenu()),
              (std::vector<std::wstring>{L"注销计算机", L"-", L"关闭计算机", L"-", L"重启计算机"}));
}

// The size of an icon's picture.
SIZE IconPixels(HICON icon) {
    ICONINFO info{};
    if (!::GetIconInfo(icon, &info)) return {0, 0};
    BITMAP bm{};
    ::GetObjectW(info.hbmColor, sizeof bm, &bm);
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    return {bm.bmWidth, bm.bmHeight};
}

TEST_F(TrayWindow, TheIconIsTodaysWideRecordInVersionFourAndTheHostLeavesTheTaskList) {
    ASSERT_NE(tray_.Icon(), nullptr);
    const NOTIFYICONDATAW& r = tray_.Icon()->record();
    EXPECT_EQ(r.cbSize, sizeof(NOTIFYICONDATAW));
    EXPECT_EQ(r.hWnd, tray_.hwnd());
    EXPECT_EQ(r.uID, 1u);
    EXPECT_EQ(r.uFlags, UINT(NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP));
    EXPECT_EQ(r.uVersion, UINT(NOTIFYICON_VERSION_4));
    EXPECT_STREQ(r.szTip, L"Velmora");
    // the small-icon size of the session's DPI
    const SIZE size = IconPixels(r.hIcon);
    EXPECT_EQ(size.cx, ::GetSystemMetrics(SM_CXSMICON));
    EXPECT_EQ(size.cy, ::GetSystemMetrics(SM_CYSMICON));

    EXPECT_TRUE(IconExists(tray_.hwnd()));
    EXPECT_FALSE(::IsWindowVisible(tray_.hwnd()));
    EXPECT_TRUE(::GetWindowLongPtrW(tray_.hwnd(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
}

TEST_F(TrayWindow, TheIconComesBackWhenTheTaskbarIsRecreatedAndGoesWithItsOwner) {
    ASSERT_TRUE(IconExists(tray_.hwnd()));
    NOTIFYICONDATAW gone = tray_.Icon()->record();
    ::Shell_NotifyIconW(NIM_DELETE, &gone);
    ASSERT_FALSE(IconExists(tray_.hwnd()));
    ::SendMessageW(tray_.hwnd(), ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(IconExists(tray_.hwnd()));
    const HWND host = tray_.hwnd();
    ::DestroyWindow(host);
    EXPECT_FALSE(IconExists(host));
}

TEST_F(TrayWindow, ADoubleClickOrEnterOnTheIconShowsThePanelAndOtherEventsDoNothing) {
    // NIN_SELECT: the single click the shell reports before a double-click.
    for (UINT m : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONDBLCLK, WM_MBUTTONUP,
                   NIN_SELECT}) {
        Callback(m);
        EXPECT_EQ(testing::VisibleMenuWindows(), 0) << "message " << m;
    }
    EXPECT_TRUE(actions_.empty());
    Callback(WM_LBUTTONDBLCLK);
    EXPECT_EQ(actions_, std::vector<Action>{Action::ShowPanel});
    // Enter or Space on the icon focused in the notification area
    Callback(NIN_KEYSELECT, {300, 200});
    EXPECT_EQ(actions_, (std::vector<Action>{Action::ShowPanel, Action::ShowPanel}));
}

TEST_F(TrayWindow, RightButtonUpPopsUpTheMenuAndFurtherCallbacksAreDropped) {
    int menusWhileOpen = -1;
    bool busyWhileOpen = false;
    WhileMenuIsOpen during([&] {
        // The shell reports another right click and a double-click while
        // the menu is open.
        Callback(WM_RBUTTONUP);
        Callback(WM_LBUTTONDBLCLK);
        busyWhileOpen = tray_.Busy();
        menusWhileOpen = testing::VisibleMenuWindows();
        PressKeys(tray_.hwnd(), {VK_ESCAPE});
    });
    Callback(WM_RBUTTONUP);
    EXPECT_TRUE(during.ran()) << "no menu appeared";
    EXPECT_EQ(menusWhileOpen, 1);
    EXPECT_TRUE(busyWhileOpen);
    EXPECT_FALSE(tray_.Busy());
    EXPECT_TRUE(actions_.empty());
}

TEST_F(TrayWindow, TheContextMenuEventAfterARightReleaseOpensNoSecondMenuButFromTheKeyboardItOpensOne) {
    int menus = 0;
    WhileMenuIsOpen release([&] {
        ++menus;
        PressKeys(tray_.hwnd(), {VK_ESCAPE});
    });
    Callback(WM_RBUTTONUP);
    ASSERT_TRUE(release.ran());
    // the shell's echo of that release
    WhileMenuIsOpen echo([&] { PressKeys(tray_.hwnd(), {VK_ESCAPE}); });
    Callback(WM_CONTEXTMENU, {300, 200});
    EXPECT_FALSE(echo.ran()) << "a second menu for one right click";
    // the context-menu key on the focused icon: the menu at the anchor
    POINT shownAt{};
    WhileMenuIsOpen key([&] {
        RECT r{};
        ::GetWindowRect(::FindWindowW(L"#32768", nullptr), &r);
        shownAt = {r.left, r.top};
        PressKeys(tray_.hwnd(), {VK_ESCAPE});
    });
    Callback(WM_CONTEXTMENU, {300, 200});
    ASSERT_TRUE(key.ran());
    EXPECT_EQ(shownAt.x, 300);
    EXPECT_EQ(shownAt.y, 200);
    EXPECT_EQ(menus, 1);
    // another icon's callbacks are not ours
    ::SendMessageW(tray_.hwnd(), TrayHost::kTrayCallbackMessage, 0, MAKELPARAM(WM_LBUTTONDBLCLK, kTrayIconId + 1));
    EXPECT_TRUE(actions_.empty());
}

TEST_F(TrayWindow, ADisplayOrSettingChangeKeepsTheIconAtTheSmallIconSize) {
    const HICON before = tray_.Icon()->record().hIcon;
    ::SendMessageW(tray_.hwnd(), WM_SETTINGCHANGE, 0, 0);
    ::SendMessageW(tray_.hwnd(), WM_DISPLAYCHANGE, 32, MAKELPARAM(1280, 800));
    // the size has not changed: the same picture, still in the tray
    EXPECT_EQ(tray_.Icon()->record().hIcon, before);
    EXPECT_EQ(IconPixels(tray_.Icon()->record().hIcon).cx, ::GetSystemMetrics(SM_CXSMICON));
    EXPECT_TRUE(IconExists(tray_.hwnd()));
}

TEST_F(TrayWindow, ChosenEntriesHandTheirActionsOn) {
    ChooseWithKeys({VK_DOWN, VK_RETURN});
    ChooseWithKeys({VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
    ChooseWithKeys({VK_UP, VK_RETURN});  // Up from the top wraps to 退出程序
    EXPECT_EQ(actions_, (std::vector<Action>{Action::None, Action::OpenMyComputer, Action::ExitProgram}));
    EXPECT_EQ(testing::VisibleMenuWindows(), 0);
}

TEST_F(TrayWindow, APoliteCloseFromOutsideEndsTheProgram) {
    ::SendMessageW(tray_.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(actions_, std::vector<Action>{Action::ExitProgram});
}

TEST_F(TrayWindow, PowerMenuPopsUpAtThePointAndRunsTheChosenEntry) {
    POINT shownAt{};
    WhileMenuIsOpen during([&] {
        HWND menu = ::FindWindowW(L"#32768", nullptr);
        RECT r{};
        ::GetWindowRect(menu, &r);
        shownAt = {r.left, r.top};
        PressKeys(tray_.hwnd(), {VK_DOWN, VK_DOWN, VK_RETURN});
    });
    tray_.PopupPowerMenu({200, 150}, nullptr);
    ASSERT_TRUE(during.ran());
    EXPECT_EQ(shownAt.x, 200);
    EXPECT_EQ(shownAt.y, 150);
    EXPECT_EQ(actions_, std::vector<Action>{Action::ShutDown});
}

// ---- a shell that is not ready: the icon is offered again

// The shell at logon as the tests play it: the first `refusals` adds are
// refused (and so is the look for an icon it does not hold); whatever comes
// after reaches the real shell of the prefix. `addedLate`: the first add
// reaches the shell but is answered as refused, as a busy shell may.
struct ShellAtLogon {
    int refusals = 0;
    bool addedLate = false;
    int adds = 0;
    BOOL Notify(DWORD message, NOTIFYICONDATAW* record) {
        if (message == NIM_ADD) ++adds;
        if (message == NIM_ADD && addedLate && adds == 1) {
            ::Shell_NotifyIconW(message, record);
            return FALSE;
        }
        if (refusals > 0 && message != NIM_DELETE) {
            if (message == NIM_ADD) --refusals;
            return FALSE;
        }
        return ::Shell_NotifyIconW(message, record);
    }
};

class IconRetry : public ::testing::Test {
protected:
    static void SetUpTestSuite() { anchor_ = std::make_unique<testing::TrayAnchor>(); }
    static void TearDownTestSuite() { anchor_.reset(); }
    static inline std::unique_ptr<testing::TrayAnchor> anchor_;

    // A tray host whose icon goes through `shell_`, retried every
    // `intervalMs` for `forMs`.
    TrayHost& Host(UINT intervalMs, UINT forMs) {
        host_ = std::make_unique<TrayHost>(
            [](Action) {}, nullptr,
            TrayIconShell{[this](DWORD m, NOTIFYICONDATAW* r) { return shell_.Notify(m, r); }, intervalMs, forMs});
        EXPECT_TRUE(host_->Create());
        return *host_;
    }
    // Pumps for `ms`, long enough for several retries that should not come.
    static void Pump(int ms) { testing::PumpUntil([] { return false; }, std::chrono::milliseconds(ms)); }
    void TaskbarCreated() { ::SendMessageW(host_->hwnd(), ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0); }

    ShellAtLogon shell_;
    std::unique_ptr<TrayHost> host_;
};

TEST_F(IconRetry, ARefusedIconIsOfferedAgainUntilTheShellTakesItThenNoMore) {
    shell_.refusals = 3;
    TrayHost& host = Host(30, 5000);
    host.ShowIcon();
    EXPECT_FALSE(IconExists(host.hwnd()));
    EXPECT_TRUE(host.RetryingIcon());
    EXPECT_TRUE(testing::PumpUntil([&] { return IconExists(host.hwnd()); }, 3s));
    EXPECT_EQ(shell_.adds, 4);
    Pump(200);
    EXPECT_EQ(shell_.adds, 4) << "offered again after the shell took it";
    EXPECT_FALSE(host.RetryingIcon());
    const HWND window = host.hwnd();
    host_.reset();
    EXPECT_FALSE(IconExists(window)) << "removed with its owner";
}

TEST_F(IconRetry, OfferingStopsAtTheLimit) {
    shell_.refusals = 1000;
    TrayHost& host = Host(20, 200);
    host.ShowIcon();
    // The first offer and one every 20 ms for 200 ms.
    EXPECT_TRUE(testing::PumpUntil([&] { return !host.RetryingIcon(); }, 3s));
    EXPECT_EQ(shell_.adds, 11);
    Pump(200);
    EXPECT_EQ(shell_.adds, 11);
    EXPECT_FALSE(IconExists(host.hwnd()));

    // The shell announces itself: the icon is offered at once, and again
    // for as long while it is refused.
    shell_.refusals = 1;
    TaskbarCreated();
    EXPECT_TRUE(host.RetryingIcon());
    EXPECT_TRUE(testing::PumpUntil([&] { return IconExists(host.hwnd()); }, 3s));
    EXPECT_EQ(shell_.adds, 13);
}

TEST_F(IconRetry, TaskbarCreatedAddsTheIconAtOnceAndEndsTheRetry) {
    shell_.refusals = 1;
    TrayHost& host = Host(100, 5000);
    host.ShowIcon();
    ASSERT_TRUE(host.RetryingIcon());
    TaskbarCreated();
    EXPECT_TRUE(IconExists(host.hwnd()));
    EXPECT_FALSE(host.RetryingIcon());
    Pump(300);
    EXPECT_EQ(shell_.adds, 2);
}

TEST_F(IconRetry, AnIconTheShellAlreadyHoldsIsNeverAddedTwice) {
    // Added, though the shell answered no: the icon is found there, and
    // not offered again.
    shell_.addedLate = true;
    TrayHost& host = Host(30, 5000);
    host.ShowIcon();
    EXPECT_TRUE(IconExists(host.hwnd()));
    EXPECT_FALSE(host.RetryingIcon());
    Pump(200);
    EXPECT_EQ(shell_.adds, 1);
    // A TaskbarCreated from a shell that kept its icons: the shell refuses
    // a second one, and no retry starts.
    TaskbarCreated();
    EXPECT_FALSE(host.RetryingIcon());
    Pump(200);
    EXPECT_EQ(shell_.adds, 2);
    // The host still knows its icon is shown, and removes it when it goes.
    const HWND window = host.hwnd();
    host_.reset();
    EXPECT_FALSE(IconExists(window));
}

}  // namespace
}  // namespace velmora
