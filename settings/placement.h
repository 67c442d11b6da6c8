// The one placement record shared by the launcher panel and
// the wallpaper changer, kept in the per-user registry settings as four
// text values in twips. Whichever window is closed last wins.
#pragma once

#include <windows.h>

namespace velmora {

// HKEY_CURRENT_USER\<kPlacementKey>: values frmLeft, frmTop, frmWidth,
// frmHeight (REG_SZ, decimal twips).
inline constexpr wchar_t kPlacementKey[] = L"Software\\Velmora Program Settings\\Velmora\\Settings";

// Applies the record to the window at the start of its load: left, then
// top, then width, then height, each at once (a size change reaches the
// window's resize handler). A missing or non-numeric value takes its
// default; a window that would end up on no screen is brought back onto the
// nearest one.
void RestorePlacement(HWND window);

// Writes the window's current outer left, top, width and height in twips.
void SavePlacement(HWND window);

}  // namespace velmora
