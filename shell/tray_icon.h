// The notification-area icon: one object that owns its record and its icon
// handle, adds itself again when the shell comes back (Explorer restarted)
// and removes itself when it goes.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string_view>

#include "platform/handles.h"

namespace velmora {

// Named event set each time the icon has been added, for whoever launched
// the program and waits for it to be up (installers, test drivers).
inline constexpr wchar_t kTrayIconAddedEvent[] = L"Local\\Velmora.TrayIconAdded";
inline constexpr UINT kTrayIconId = 1;

class TrayIcon {
public:
    // Fills the record: the first layout of NOTIFYICONDATA (up to the
    // 64-byte tip), message, icon and tip; nothing is shown yet.
    TrayIcon(HWND callbackWindow, UINT callbackMessage, UniqueIcon icon, std::string_view tipUtf8);
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // NIM_ADD with the record; what the shell answered.
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
    bool added_ = false;
};

}  // namespace velmora
