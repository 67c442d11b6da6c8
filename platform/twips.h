// Window places and sizes in twips. The program sets them in twips and the
// window holds pixels, so 5600 twips become 373 pixels and would read back
// as 5595. The last value set for each side is remembered and read back for
// as long as the window's pixels still match it, as the user and the saved
// placement expect.
#pragma once

#include <windows.h>

namespace velmora {

// Twips per pixel at the system's DPI (15 at 96 dots per inch), for what
// is placed before it has a window. A window's own places convert at its
// DPI (WindowDpi): twips mean the same on every monitor, pixels do not.
double TwipsPerPixelX();
double TwipsPerPixelY();
// Twips to pixels at the system's DPI, halves to even.
int PixelsX(double twips);
int PixelsY(double twips);

enum class TwipsField { Left, Top, Width, Height };

// A window's outer place and size in twips.
struct TwipsRect {
    double left = 0, top = 0, width = 0, height = 0;
};
// The window's place as WindowTwips reads it.
TwipsRect WindowTwipsRect(HWND window);

// Moves or sizes the window so that the field becomes `twips` at the
// window's DPI (one field, one change: sizes reach the window's resize
// handler).
void SetWindowTwips(HWND window, TwipsField field, double twips);

// The field's current value in twips at the window's DPI; for a minimised
// window, the value it has when restored.
double WindowTwips(HWND window, TwipsField field);

// Drops what is remembered for a window that is gone.
void ForgetWindowTwips(HWND window);

}  // namespace velmora
