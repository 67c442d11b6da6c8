// The hidden start-up window. It lives for the whole run, receives the tray
// icon's callbacks, owns the tray menu and the power menu, and hands every
// chosen entry to the application as an Action. It is never shown; the
// shell's TaskbarCreated broadcast reaches top-level windows only, so it is
// one. It is also where verbs arrive: from a second start of the program
// (WM_COPYDATA) and from the hot keys of the wallpaper and the panel
// (WM_HOTKEY).
//
// At logon the program may start before the shell is ready to take icons.
// An icon the shell refuses is offered again every two seconds for two
// minutes, and again whenever the shell announces itself (TaskbarCreated).
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "commands/actions.h"
#include "platform/handles.h"
#include "platform/window.h"
#include "shell/key_chord.h"
#include "shell/menus.h"
#include "shell/tray_icon.h"
#include "shell/verbs.h"

namespace velmora {

// How the tray icon reaches the shell, and how often and how long an icon
// the shell refuses is offered again.
struct TrayIconShell {
    ShellNotify notify = &::Shell_NotifyIconW;
    UINT retryIntervalMs = 2000;
    UINT retryForMs = 120000;
};

class TrayHost : public BaseWindow<TrayHost> {
public:
    static constexpr wchar_t kClassName[] = L"Velmora.TrayHost";
    static constexpr wchar_t kTitle[] = L"Velmora";
    // The icon's callback: a message of our own, never taken for real input.
    static constexpr UINT kTrayCallbackMessage = WM_APP + 1;

    enum class TimerId : UINT_PTR {
        IconRetry = 1,  // offers a refused icon to the shell again
    };

    // `run`: what a menu entry or the icon asks for; `verb`: what another
    // start of the program or a hot key asks for; `shell`: how the icon
    // reaches the shell.
    explicit TrayHost(std::function<void(Action)> run, std::function<void(Verb)> verb = nullptr,
                      TrayIconShell shell = {})
        : run_(std::move(run)), verb_(std::move(verb)), shell_(std::move(shell)) {}
    ~TrayHost();

    // From a second start of the program: hands the verb to the running
    // copy's tray host and returns once it has taken it; false when no copy
    // answered within the time.
    static bool ForwardVerb(Verb verb, DWORD timeoutMs);

    // Registers the wallpaper hot keys (when `wallpaperKeys`) and the
    // panel's key (when there is one) that no other program holds; the
    // number registered.
    int RegisterHotKeys(bool wallpaperKeys, std::optional<KeyChord> panelKey);
    int HotKeysHeld() const { return static_cast<int>(hotKeys_.size()); }
    bool HoldsHotKey(int id) const;

    // Creates the window (never shown) and both menus; the icon is not shown
    // yet.
    bool Create();
    // Shows the icon (offering it again while the shell refuses it) and
    // takes the program off the task list.
    void ShowIcon();
    bool RetryingIcon() const { return retriesLeft_ > 0; }
    TrayIcon* Icon() { return icon_.get(); }

    // Every callback of the icon, as the shell sent it (shell/tray_callback.h).
    // A double-click shows the panel, and so do Enter and Space on the icon
    // focused in the notification area (NIN_KEYSELECT); a single click
    // (NIN_SELECT) does nothing, so that a double-click acts once. A
    // right-button release pops up the tray menu, and so does the
    // context-menu key or Shift+F10 on the icon, but not the context-menu
    // event the shell sends just after that release; callbacks arriving
    // while a menu or its command runs are dropped.
    void OnTrayCallback(WPARAM wp, LPARAM lp);
    bool Busy() const { return busy_; }

    // Pops up a menu at the point (screen coordinates), tracked by `tracker`
    // (this window when null), then runs the chosen entry's action.
    void PopupTrayMenu(POINT at);
    void PopupPowerMenu(POINT at, HWND tracker);

    // What runs when the session ends (log-off or shutdown) and the system
    // is about to end the process without closing a window.
    void OnSessionEnd(std::function<void()> ending) { sessionEnd_ = std::move(ending); }
    // The monitors changed (WM_DISPLAYCHANGE, `resumed` false) or the system
    // woke from sleep (`resumed` true).
    void OnDisplayChange(std::function<void(bool resumed)> changed) { displayChange_ = std::move(changed); }

    // The check mark of 开机自动启动.
    void SetStartAtLogonCheck(bool on);
    bool StartAtLogonChecked() const;

    HMENU TrayMenu() const { return trayMenu_.get(); }
    HMENU PowerMenu() const { return powerMenu_.get(); }
    // The command id an entry's action has in the built menus (0 when none).
    UINT CommandIdOf(Action action) const;

    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
    void OnWindowGone();

private:
    UniqueMenu BuildMenu(std::span<const menus::Entry> entries);
    void Popup(HMENU menu, POINT at, HWND tracker);
    void AddIcon();
    // The notification area's icon size now (the small-icon size of this
    // window's DPI), and the icon redrawn at it when it changed.
    int IconSize() const;
    void FitIconToDpi();
    void OnIconRetryTimer();
    void StopIconRetry();
    bool OnVerbData(const COPYDATASTRUCT* data);
    void UnregisterHotKeys();

    std::function<void(Action)> run_;
    std::function<void(Verb)> verb_;
    std::function<void()> sessionEnd_;
    std::function<void(bool)> displayChange_;
    TrayIconShell shell_;
    std::vector<int> hotKeys_;  // the ids registered
    std::unique_ptr<TrayIcon> icon_;
    UINT retriesLeft_ = 0;  // offers of the refused icon still to come
    UniqueMenu trayMenu_;
    UniqueMenu powerMenu_;
    std::vector<Action> commands_;  // menu command id - 1 -> action
    UINT taskbarCreated_ = 0;
    int iconSize_ = 0;
    bool busy_ = false;
    bool afterRightRelease_ = false;  // the shell's WM_CONTEXTMENU for it is still to come
};

}  // namespace velmora
