// The DPI each window lays out at, and the system's measures at a DPI.
//
// The program is per-monitor aware (see the manifest): a window lays out
// at the DPI of the monitor it is on and again at each WM_DPICHANGED. The
// calls that tell a window's DPI exist from Windows 10 1607 on; they are
// found at run time, and without them everything falls back to the
// system's DPI, so that start-up never depends on one of them.
#pragma once

#include <windows.h>

#include "platform/handles.h"
#include "platform/scale.h"

namespace velmora {

// The system's DPI (the primary monitor's at logon), in the usable range.
int SystemDpi();

// The DPI the window lays out at: the one it noted (NoteWindowDpi) if any,
// else its monitor's, else the system's.
int WindowDpi(HWND window);
// What the window lays out at from now on. A window notes the DPI a
// WM_DPICHANGED carries (the window base does it for every window), or a
// lower one when its monitor is too small for it. Forgotten with the window.
void NoteWindowDpi(HWND window, int dpi);
void ForgetWindowDpi(HWND window);

// The DPI a WM_DPICHANGED announces, in the usable range.
int DpiOfChange(WPARAM wp);
// Moves and sizes the window to the rectangle a WM_DPICHANGED suggests.
void MoveToSuggestedRect(HWND window, LPARAM lp);

// The work area of the monitor nearest the window.
RECT WorkAreaOf(HWND window);
// The DPI for a window of `width` x `height` 96-dpi pixels: its own, or
// less when the window would not fit its monitor's work area at it.
int DpiThatFitsMonitor(HWND window, int width, int height);

// GetSystemMetrics at `dpi`.
int MetricAt(int index, int dpi);
// The outer rectangle for a client rectangle at `dpi`.
RECT OuterRectAt(RECT client, DWORD style, DWORD exStyle, int dpi);
// The system's message font at `dpi` with its height set to `designHeight`
// pixels of the 96-dpi design.
UniqueGdiObject MessageFontAt(int designHeight, int dpi);

}  // namespace velmora
