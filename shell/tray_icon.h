// The notification-area icon: one object that owns its record and its icon
// handle, adds itself again when the shell comes back (Explorer restarted)
// and removes itself when it goes. Every call reaches the shell through one
// function, Shell_NotifyIconA unless a test hands in another.
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

// Shell_NotifyIconA's shape: NIM_ADD, NIM_MODIFY or NIM_DELETE with a record.
using ShellNotify = std::function<BOOL(DWORD message, NOTIFYICONDATAA* record)>;

class TrayIcon {
public:
    // Fills the record: the first layout of NOTIFYICONDATA (up to the
    // 64-byte tip), message, icon and tip; nothing is shown yet.
    TrayIcon(HWND callbackWindow, UINT callbackMessage, UniqueIcon icon, std::string_view tipUtf8,
             ShellNotify notify = &::Shell_NotifyIconA);
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // NIM_ADD with the record; true when the shell holds the icon now. An
    // add refused because the shell already holds it (one that answered
    // too late the last time, or a TaskbarCreated that came without a new
    // shell) counts as added: there is never a second icon.
    bool Add();
    // NIM_DELETE with the record exactly as added.
    void Remove();
    // The session is ending and the shell goes with it: the icon is left to
    // it, and the destructor removes nothing.
    void LeaveToShell() { added_ = false; }

    bool added() const { return added_; }
    const NOTIFYICONDATAA& record() const { return record_; }

private:
    NOTIFYICONDATAA record_{};
    UniqueIcon icon_;
    ShellNotify notify_;
    bool added_ = false;
};

}  // namespace velmora
