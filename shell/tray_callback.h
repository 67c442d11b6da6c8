// What a callback of the tray icon says, stated without a window. An icon
// of version 4 (NOTIFYICON_VERSION_4) gets the event in the low word of
// lParam, its id in the high word and the anchor point (screen
// coordinates, for a menu shown from the keyboard) in wParam; a shell that
// keeps the first version sends the event as lParam and the id as wParam.
#pragma once

#include <cstdint>

namespace velmora {

struct TrayCallback {
    unsigned event = 0;    // a mouse message, WM_CONTEXTMENU, NIN_SELECT, ...
    unsigned iconId = 0;
    int anchorX = 0, anchorY = 0;  // version 4 only
};

TrayCallback DecodeTrayCallback(bool version4, std::uintptr_t wParam, std::intptr_t lParam);

// The tray icon's size in pixels for a DPI, when the system cannot say:
// the small-icon size, 16 at 96 dpi scaled as Windows scales it.
int SmallIconSizeAt(int dpi);

}  // namespace velmora
