#include "shell/yindao.h"

#include "app/resource.h"
#include "launcher/cells.h"
#include "launcher/commands.h"
#include "launcher/frm_main.h"
#include "platform/text.h"
#include "settings/profile.h"
#include "settings/profile_codec.h"
#include "shell/app_windows.h"
#include "shell/auto_start.h"
#include "shell/single_instance.h"
#include "shell/tray_icon.h"
#include "wallpaper/ghzm.h"
#include "tools/qkhsz.h"
#include "tools/wlss.h"
#include "tools/form3.h"

namespace velmora {

namespace {

void ExitNow() { ::ExitProcess(0); }
Yindao* g_yindao = nullptr;
HWND CreatePanel() { return FrmMain::Instance().hwnd(); }
HWND CreateChanger() { return Ghzm::Instance().hwnd(); }
HWND CreateForm3() { return Form3::Instance().hwnd(); }
Yindao::ProcessEnder g_ender = &ExitNow;

// The order in which 退出程序 closes the windows that exist.
constexpr WindowKind kExitCloseOrder[] = {WindowKind::ghzm,    WindowKind::see,    WindowKind::Form3,
                                          WindowKind::frmMain, WindowKind::yindao, WindowKind::wlss};

}  // namespace

bool Picture2Window::Create(Yindao& owner) {
    owner_ = &owner;
    RegisterOnce();
    return CreateWin(0, L"", WS_CHILD, 0, 0, 16, 16, owner.hwnd(), reinterpret_cast<HMENU>(2));
}

LRESULT Picture2Window::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    // The shell reports every mouse event over the icon as this message.
    if (msg == WM_MOUSEMOVE) {
        owner_->Picture2_MouseMove(static_cast<UINT>(lp));
        return 0;
    }
    return Default(msg, wp, lp);
}

void Yindao::SetProcessEnder(ProcessEnder ender) { g_ender = ender ? ender : &ExitNow; }

void Yindao::EndProcess() { g_ender(); }

Yindao* TheYindao() { return g_yindao; }

Yindao::~Yindao() {
    if (g_yindao == this) g_yindao = nullptr;
}

bool Yindao::Create() {
    g_yindao = this;
    SetWindowFactory(WindowKind::frmMain, &CreatePanel);
    SetWindowFactory(WindowKind::ghzm, &CreateChanger);
    SetWindowFactory(WindowKind::qkhsz, &Qkhsz::CreateHidden);
    SetWindowFactory(WindowKind::wlss, &Wlss::CreateHidden);
    SetWindowFactory(WindowKind::Form3, &CreateForm3);
    RegisterOnce();
    // A real top-level window, never shown: the shell's TaskbarCreated
    // broadcast reaches top-level windows only.
    if (!CreateWin(0, L"Velmora", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT, CW_USEDEFAULT, 120, 40)) {
        return false;
    }
    taskbarCreated_ = ::RegisterWindowMessageW(L"TaskbarCreated");
    icon_.reset(static_cast<HICON>(
        ::LoadImageW(AppInstance(), MAKEINTRESOURCEW(IDI_VELMORA), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR)));
    picture2_.Create(*this);
    commandNames_.clear();
    cd_ = BuildMenu(menus::TrayMenu());
    gjj_ = BuildMenu(menus::PowerMenu());
    return true;
}

UniqueMenu Yindao::BuildMenu(std::span<const menus::Entry> entries) {
    UniqueMenu menu(::CreatePopupMenu());
    for (const menus::Entry& e : entries) {
        if (e.hidden) continue;
        const std::wstring caption = Widen(e.caption);
        switch (e.kind) {
            case menus::Kind::Separator:
                ::AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
                break;
            case menus::Kind::Submenu: {
                UniqueMenu sub = BuildMenu(e.children);
                // The parent menu owns its submenus from here on.
                if (::AppendMenuW(menu.get(), MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sub.get()),
                                  caption.c_str())) {
                    sub.release();
                }
                break;
            }
            case menus::Kind::Item:
                commandNames_.push_back(e.name);
                ::AppendMenuW(menu.get(), MF_STRING, commandNames_.size(), caption.c_str());
                break;
        }
    }
    return menu;
}

UINT Yindao::MenuCommandId(std::string_view name) const {
    for (size_t i = 0; i < commandNames_.size(); ++i) {
        if (commandNames_[i] == name) return static_cast<UINT>(i + 1);
    }
    return 0;
}

void Yindao::Form_Load() {
    // CheckExist: a second start ends here, before it touches the tray, the
    // profile or the registry, and without telling the first one.
    if (!ClaimSingleInstance()) {
        ::DestroyWindow(hwnd());
        EndProcess();
        return;
    }
    renwul();
    ::ShowWindow(hwnd(), SW_HIDE);
    // Timed wallpaper changing from the start: the changer is loaded (and
    // with it the panel) but neither is shown.
    if (profile::IsNumericOne(ProfileRead(kProfileSection, "qhzm"))) Ghzm::Instance().ghzmm();
    // The Run-key entry and the check mark of 开机自动启动 follow the profile.
    SyncAutoStart(cd(), MenuCommandId("kaijzdqd"));
}

void Yindao::renwul() {
    InstallTrayIcon(Picture2(), icon_.get());
    // Off the task list: a tool window never appears on the taskbar or in
    // the Alt+Tab list.
    const LONG_PTR ex = ::GetWindowLongPtrW(hwnd(), GWL_EXSTYLE);
    ::SetWindowLongPtrW(hwnd(), GWL_EXSTYLE, (ex | WS_EX_TOOLWINDOW) & ~static_cast<LONG_PTR>(WS_EX_APPWINDOW));
}

void Yindao::Picture2_MouseMove(UINT trayMessage) {
    trayMessage_ = trayMessage;
    if (trayBusy_) return;  // a menu or a command from it is still running
    trayBusy_ = true;
    switch (trayMessage_) {
        case WM_LBUTTONDBLCLK:
            RunMenuEntry("xszjm");
            break;
        case WM_RBUTTONUP: {
            POINT at{};
            ::GetCursorPos(&at);
            PopupMenu(cd(), at);
            break;
        }
        default:
            break;
    }
    trayBusy_ = false;
}

void Yindao::PopupMenu(HMENU menu, POINT at, HWND tracker) {
    if (!tracker) tracker = hwnd();
    // Foreground first, so the menu closes when the user clicks elsewhere;
    // the posted WM_NULL lets the next popup open at the first click.
    ::SetForegroundWindow(tracker);
    const UINT id = static_cast<UINT>(::TrackPopupMenu(
        menu, TPM_LEFTALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, at.x, at.y, 0, tracker, nullptr));
    ::PostMessageW(tracker, WM_NULL, 0, 0);
    if (id >= 1 && id <= commandNames_.size()) RunMenuEntry(commandNames_[id - 1]);
}

void Yindao::RunMenuEntry(std::string_view name) {
    // 关闭菜单 (gbcdd) has no action: choosing it only closes the menu.
    // Entries whose command needs the panel as owner create it, hidden.
    auto panel = [] { return EnsureWindow(WindowKind::frmMain); };
    if (name == "xszjm") {
        ShowWindowNormal(WindowKind::frmMain);
    } else if (name == "mycomputer") {
        commands::OpenMyComputer(panel());
    } else if (name == "zyglq") {
        commands::ExploreDriveC(panel());
    } else if (name == "xtss") {
        commands::SearchDriveC(panel());
    } else if (name == "dkhsz") {
        Qkhsz::EmptyRecycleBinRequest();
    } else if (name == "gbxsqq") {
        commands::MonitorOff(panel());
    } else if (name == "zx1" || name == "zx") {
        commands::LogOff();
    } else if (name == "gj1" || name == "gj") {
        commands::ShutDown();
    } else if (name == "cqjsj1" || name == "cqjsj") {
        commands::Restart();
    } else if (name == "wzdh") {
        commands::OpenWebNavigation(panel());
    } else if (name == "wanglss") {
        ShowWindowNormal(WindowKind::wlss);
    } else if (name == "chakxbb") {
        commands::OpenWebPage(hwnd(), launcher::kDownloadPageAddress);
    } else if (name == "guany") {
        HWND owner = panel();
        FrmMain* live = FrmMain::Live();
        commands::ShowAboutBox(owner, live ? live->Icon() : nullptr);
    } else if (name == "kaijzdqd") {
        kaijzdqd_Click(hwnd(), cd(), MenuCommandId("kaijzdqd"));
    } else if (name == "tuiccx") {
        tuiccx_Click();
    }
}

void Yindao::tuiccx_Click() {
    for (WindowKind kind : kExitCloseOrder) CloseIfOpen(kind);
    RemoveTrayIcon();
    EndProcess();
}

LRESULT Yindao::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == taskbarCreated_ && taskbarCreated_ != 0) {
        // Explorer restarted: its new notification area knows no icons.
        ReinstallTrayIcon();
        return 0;
    }
    switch (msg) {
        case WM_CREATE:
            RegisterLiveWindow(WindowKind::yindao, hwnd());
            return 0;
        case WM_CLOSE:
            ::DestroyWindow(hwnd());
            return 0;
        default:
            return Default(msg, wp, lp);
    }
}

void Yindao::OnWindowGone(HWND gone) { ForgetLiveWindow(WindowKind::yindao, gone); }

}  // namespace velmora
