// The notification-area icon: one program-wide record, filled once by
// renwul and used unchanged to put the icon back (Explorer restarted) and to
// remove it at exit.
#pragma once

#include <windows.h>
#include <shellapi.h>

namespace velmora {

// Callback message of the icon: the shell sends it to Picture2 with the
// mouse message number in lParam (0x200 is WM_MOUSEMOVE's number).
inline constexpr UINT kTrayCallbackMessage = 0x200;
inline constexpr UINT kTrayIconId = 1;
// Named event set each time the icon has been added, for whoever launched
// the program and waits for it to be up (installers, test drivers).
inline constexpr wchar_t kTrayIconAddedEvent[] = L"Local\\Velmora.TrayIconAdded";

// The record as installed (cbSize is 0 before the first install).
const NOTIFYICONDATAA& TrayIconData();

// Fills the record (version-1 layout, uFlags 7, tip "Velmora") and adds the
// icon; returns what the shell answered.
bool InstallTrayIcon(HWND callbackWindow, HICON icon);
// Adds the icon again from the record as installed.
bool ReinstallTrayIcon();
// NIM_DELETE with the record exactly as installed.
void RemoveTrayIcon();

}  // namespace velmora
