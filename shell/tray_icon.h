// The notification-area icon: one object that owns its record and its icon
// handle, adds itself again when the shell comes back (Explorer restarted)
// and removes itself when it goes. Every call reaches the shell through one
// function, Shell_NotifyIconW unless a test hands in another.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string_view>

#include "platform/handles.h"

namespace velmora {

// Named event set each time the icon has been added, for whoever launched
// the program and waits for it to be up (installers, test drivers).
inline constexpr wchar_t kTrayIconAddedEvent[] = L"Local\\Velmora.TrayIconAdded";
inline constexpr UINT kTrayIconId = 1;

// Shell_NotifyIconW's shape: NIM_ADD, NIM_MODIFY, NIM_SETVERSION or
// NIM_DELETE with a record.
using ShellNotify = std::function<BOOL(DWORD message, NOTIFYICONDATAW* record)>;

class TrayIcon {
public:
    // Fills the record: the whole of today's NOTIFYICONDATAW, message, icon
    // and tip, shown as a tip by version 4; nothing is shown yet.
    TrayIcon(HWND callbackWindow, UINT callbackMessage, UniqueIcon icon, std::wstring_view tip,
             ShellNotify notify = &::Shell_NotifyIconW);
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // NIM_ADD with the record, then version 4 asked for; true when the
    // shell holds the icon now. An add refused because the shell already
    // holds it (one that answered too late the last time, or a
    // TaskbarCreated that came without a new shell) counts as added: there
    // is never a second icon.
    bool Add();
    // NIM_DELETE with the record exactly as added.
    void Remove();
    // Another picture (the DPI changed): shown at once when the icon is up.
    void SetIcon(UniqueIcon icon);
    // The session is ending and the shell goes with it: the icon is left to
    // it, and the destructor removes nothing.
    void LeaveToShell() { added_ = false; }

    bool added() const { return added_; }
    // Whether the shell took version 4, and so sends its callbacks in that
    // layout (shell/tray_callback.h).
    bool version4() const { return version4_; }
    const NOTIFYICONDATAW& record() const { return record_; }

private:
    NOTIFYICONDATAW record_{};
    UniqueIcon icon_;
    ShellNotify notify_;
    bool added_ = false;
    bool version4_ = false;
};

}  // namespace velmora
