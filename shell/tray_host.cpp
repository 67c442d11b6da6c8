#include "shell/tray_host.h"

#include <algorithm>

#include "platform/controls.h"
#include "platform/text.h"
#include "resources/ids.h"
#include "shell/tray_callback.h"

namespace velmora {

TrayHost::~TrayHost() {
    icon_.reset();  // removed while the window it names still exists
    if (HWND h = hwnd()) ::DestroyWindow(h);
}

bool TrayHost::ForwardVerb(Verb verb, DWORD timeoutMs) {
    const std::string_view text = VerbText(verb);
    if (text.empty()) return false;
    COPYDATASTRUCT data{kVerbCopyDataTag, static_cast<DWORD>(text.size()), const_cast<char*>(text.data())};
    // The running copy may still be starting: its window comes a moment
    // after it has claimed the single instance.
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    for (;;) {
        if (HWND host = ::FindWindowW(kClassName, kTitle)) {
            // A verb may bring a window forward (/panel). The system lets only
            // the process the user just started do that, so the right is
            // passed on to the running copy.
            DWORD pid = 0;
            if (::GetWindowThreadProcessId(host, &pid) && pid) ::AllowSetForegroundWindow(pid);
            DWORD_PTR answer = 0;
            const ULONGLONG now = ::GetTickCount64();
            const UINT left = static_cast<UINT>(now < end ? end - now : 1);
            return ::SendMessageTimeoutW(host, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                                         SMTO_ABORTIFHUNG | SMTO_BLOCK, left, &answer) != 0 &&
                   answer == TRUE;
        }
        if (::GetTickCount64() >= end) return false;
        ::Sleep(20);
    }
}

bool TrayHost::OnVerbData(const COPYDATASTRUCT* data) {
    // Anything may send this message: only our tag, a short text and a verb
    // we know are taken; the rest is let go without a word.
    if (!data || data->dwData != kVerbCopyDataTag || !data->lpData || data->cbData == 0 ||
        data->cbData > kMaxVerbBytes) {
        return false;
    }
    const Verb verb = VerbOfText(std::string_view(static_cast<const char*>(data->lpData), data->cbData));
    if (verb == Verb::None || !verb_) return false;
    verb_(verb);
    return true;
}

int TrayHost::RegisterHotKeys(bool wallpaperKeys, std::optional<KeyChord> panelKey) {
    UnregisterHotKeys();
    // Held by another program: the program goes on without it. A key held
    // down does not repeat: the panel's key would open and close by turns.
    const auto hold = [this](int id, unsigned modifiers, unsigned key) {
        if (::RegisterHotKey(hwnd(), id, modifiers | MOD_NOREPEAT, key)) hotKeys_.push_back(id);
    };
    if (wallpaperKeys) {
        for (const HotKey& key : kHotKeys) hold(key.id, key.modifiers, key.key);
    }
    if (panelKey) hold(kPanelHotKeyId, panelKey->modifiers, panelKey->key);
    return HotKeysHeld();
}

bool TrayHost::HoldsHotKey(int id) const { return std::find(hotKeys_.begin(), hotKeys_.end(), id) != hotKeys_.end(); }

void TrayHost::UnregisterHotKeys() {
    for (int id : hotKeys_) ::UnregisterHotKey(hwnd(), id);
    hotKeys_.clear();
}

bool TrayHost::Create() {
    RegisterClassOnce();
    if (!CreateWindowOf(0, kTitle, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT, CW_USEDEFAULT, 120, 40)) {
        return false;
    }
    taskbarCreated_ = ::RegisterWindowMessageW(L"TaskbarCreated");
    commands_.clear();
    trayMenu_ = BuildMenu(menus::TrayMenu());
    powerMenu_ = BuildMenu(menus::PowerMenu());
    iconSize_ = IconSize();
    icon_ = std::make_unique<TrayIcon>(hwnd(), kTrayCallbackMessage, LoadIconResource(IDI_VELMORA, iconSize_),
                                       L"Velmora", shell_.notify);
    return true;
}

UniqueMenu TrayHost::BuildMenu(std::span<const menus::Entry> entries) {
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
                commands_.push_back(e.action);
                ::AppendMenuW(menu.get(), MF_STRING, commands_.size(), caption.c_str());
                break;
        }
    }
    return menu;
}

UINT TrayHost::CommandIdOf(Action action) const {
    for (size_t i = 0; i < commands_.size(); ++i) {
        if (commands_[i] == action) return static_cast<UINT>(i + 1);
    }
    return 0;
}

void TrayHost::ShowIcon() {
    AddIcon();
    // Off the task list: a tool window never appears on the taskbar or in
    // the Alt+Tab list.
    const LONG_PTR ex = ::GetWindowLongPtrW(hwnd(), GWL_EXSTYLE);
    ::SetWindowLongPtrW(hwnd(), GWL_EXSTYLE, (ex | WS_EX_TOOLWINDOW) & ~static_cast<LONG_PTR>(WS_EX_APPWINDOW));
}

void TrayHost::AddIcon() {
    if (!icon_) return;
    if (icon_->Add()) {
        StopIconRetry();
        return;
    }
    // Refused: the shell may not be up yet. A retry already under way keeps
    // its count.
    if (retriesLeft_ > 0 || shell_.retryIntervalMs == 0) return;
    retriesLeft_ = shell_.retryForMs / shell_.retryIntervalMs;
    if (retriesLeft_ > 0) {
        ::SetTimer(hwnd(), static_cast<UINT_PTR>(TimerId::IconRetry), shell_.retryIntervalMs, nullptr);
    }
}

void TrayHost::OnIconRetryTimer() {
    if (retriesLeft_ == 0) return;
    --retriesLeft_;
    if ((icon_ && icon_->Add()) || retriesLeft_ == 0) StopIconRetry();
}

void TrayHost::StopIconRetry() {
    retriesLeft_ = 0;
    if (hwnd()) ::KillTimer(hwnd(), static_cast<UINT_PTR>(TimerId::IconRetry));
}

int TrayHost::IconSize() const {
    // Windows 10 1607 and later tell a window's DPI and the metrics at it;
    // before, and when they fail, the system's small-icon size is the one.
    using DpiOfWindow = UINT(WINAPI*)(HWND);
    using MetricForDpi = int(WINAPI*)(int, UINT);
    HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    static const auto dpiOf = reinterpret_cast<DpiOfWindow>(
        reinterpret_cast<void*>(::GetProcAddress(user32, "GetDpiForWindow")));
    static const auto metricAt = reinterpret_cast<MetricForDpi>(
        reinterpret_cast<void*>(::GetProcAddress(user32, "GetSystemMetricsForDpi")));
    if (dpiOf && metricAt && hwnd()) {
        if (const UINT dpi = dpiOf(hwnd()); dpi > 0) {
            if (const int size = metricAt(SM_CXSMICON, dpi); size > 0) return size;
            return SmallIconSizeAt(static_cast<int>(dpi));
        }
    }
    const int size = ::GetSystemMetrics(SM_CXSMICON);
    return size > 0 ? size : SmallIconSizeAt(96);
}

void TrayHost::FitIconToDpi() {
    const int size = IconSize();
    if (!icon_ || size == iconSize_) return;
    if (UniqueIcon icon = LoadIconResource(IDI_VELMORA, size)) {
        iconSize_ = size;
        icon_->SetIcon(std::move(icon));
    }
}

void TrayHost::OnTrayCallback(WPARAM wp, LPARAM lp) {
    const TrayCallback call = DecodeTrayCallback(icon_ && icon_->version4(), wp, lp);
    if (call.iconId != kTrayIconId) return;
    // Version 4 follows a right-button release with WM_CONTEXTMENU; the
    // release has shown the menu already, and one menu is enough.
    const bool echoOfRelease = call.event == WM_CONTEXTMENU && afterRightRelease_;
    if (call.event != WM_MOUSEMOVE) afterRightRelease_ = call.event == WM_RBUTTONUP;
    if (echoOfRelease || busy_) return;  // busy: a menu or a command from it is still running
    busy_ = true;
    if (call.event == WM_LBUTTONDBLCLK || call.event == NIN_KEYSELECT) {
        // Some versions of Windows send NIN_KEYSELECT twice for one Enter:
        // showing a shown panel only brings it forward.
        run_(Action::ShowPanel);
    } else if (call.event == WM_RBUTTONUP) {
        POINT at{};
        ::GetCursorPos(&at);
        PopupTrayMenu(at);
    } else if (call.event == WM_CONTEXTMENU) {
        // From the keyboard: the menu opens where the shell says the icon is.
        PopupTrayMenu({call.anchorX, call.anchorY});
    }
    busy_ = false;
}

void TrayHost::PopupTrayMenu(POINT at) { Popup(trayMenu_.get(), at, hwnd()); }

void TrayHost::PopupPowerMenu(POINT at, HWND tracker) { Popup(powerMenu_.get(), at, tracker ? tracker : hwnd()); }

void TrayHost::Popup(HMENU menu, POINT at, HWND tracker) {
    // Foreground first, so the menu closes when the user clicks elsewhere;
    // the posted WM_NULL lets the next popup open at the first click.
    ::SetForegroundWindow(tracker);
    const UINT id = static_cast<UINT>(::TrackPopupMenu(
        menu, TPM_LEFTALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, at.x, at.y, 0, tracker, nullptr));
    ::PostMessageW(tracker, WM_NULL, 0, 0);
    if (id >= 1 && id <= commands_.size()) run_(commands_[id - 1]);
}

void TrayHost::SetStartAtLogonCheck(bool on) {
    ::CheckMenuItem(trayMenu_.get(), CommandIdOf(Action::ToggleStartAtLogon),
                    MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
}

bool TrayHost::StartAtLogonChecked() const {
    const UINT state = ::GetMenuState(trayMenu_.get(), CommandIdOf(Action::ToggleStartAtLogon), MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && (state & MF_CHECKED) != 0;
}

LRESULT TrayHost::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == taskbarCreated_ && taskbarCreated_ != 0) {
        // Explorer restarted: its new notification area knows no icons, and
        // the scale may have changed meanwhile.
        FitIconToDpi();
        AddIcon();
        return 0;
    }
    switch (msg) {
        case WM_TIMER:
            if (wp == static_cast<WPARAM>(TimerId::IconRetry)) OnIconRetryTimer();
            return 0;
        case kTrayCallbackMessage:
            OnTrayCallback(wp, lp);
            return 0;
        case WM_DPICHANGED:
        case WM_SETTINGCHANGE:
            // A hidden window may never get WM_DPICHANGED; a change of the
            // scale also comes as a change of settings or of the display.
            FitIconToDpi();
            return Default(msg, wp, lp);
        case WM_COPYDATA:
            return OnVerbData(reinterpret_cast<const COPYDATASTRUCT*>(lp)) ? TRUE : FALSE;
        case WM_HOTKEY: {
            // Only the keys this window holds.
            const int id = static_cast<int>(wp);
            if (HoldsHotKey(id) && verb_) verb_(VerbOfHotKey(id));
            return 0;
        }
        case WM_DISPLAYCHANGE:
            FitIconToDpi();
            if (displayChange_) displayChange_(false);
            return 0;
        case WM_POWERBROADCAST:
            if ((wp == PBT_APMRESUMEAUTOMATIC || wp == PBT_APMRESUMESUSPEND) && displayChange_) displayChange_(true);
            return TRUE;
        case WM_DESTROY:
            UnregisterHotKeys();
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;  // nothing here to keep the session alive for
        case WM_ENDSESSION:
            if (wp && sessionEnd_) sessionEnd_();
            return 0;
        case WM_CLOSE:
            // Whoever closes this window politely (taskkill without /F, a
            // script) means the program: it ends as 退出程序 ends it.
            run_(Action::ExitProgram);
            return 0;
        default:
            return Default(msg, wp, lp);
    }
}

void TrayHost::OnWindowGone() {
    retriesLeft_ = 0;  // the timer went with the window
    icon_.reset();
}

}  // namespace velmora
