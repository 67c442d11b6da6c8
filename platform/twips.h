// Window places and sizes in twips. The program sets them in twips and the
// window holds pixels, so 5600 twips become 373 pixels and would read back
// as 5595. The last value set for each side is remembered and read back for
// as long as the window's pixels still match it, as the user and the saved
// placement expect.
#pragma once

#include <windows.h>

namespace velmora {

enum class TwipsField { Left, Top, Width, Height };

// Moves or sizes the window so that the field becomes `twips` (one field,
// one change: sizes reach the window's resize handler).
void SetWindowTwips(HWND window, TwipsField field, double twips);

// The field's current value in twips.
double WindowTwips(HWND window, TwipsField field);

// Drops what is remembered for a window that is gone.
void ForgetWindowTwips(HWND window);

}  // namespace velmora
