// What the frameless tool windows (the search box and the colour picker)
// share: the white colour key, moving by the system's own move loop, and
// the tip over a close button.
#pragma once

#include <windows.h>

#include "platform/click_tracker.h"
#include "platform/handles.h"

namespace velmora {

// Pure white, the colour both windows key out: it is not drawn, and
// clicks on it reach whatever lies beneath.
inline constexpr COLORREF kKeyedOut = RGB(255, 255, 255);

// Makes every kKeyedOut pixel of the window transparent.
void KeyOutWhite(HWND window);

// Hands the pressed left button to the system's move loop, as if the
// window's caption had been pressed. The pointer goes along, so that the
// loop starts where the press was.
void StartWindowMove(HWND window);

// A tooltip of the system's own saying `text` over `tool`, a child of
// `toolParent`; owned by `owner`, so it goes with it at the latest.
UniqueWindow MakeToolTip(HWND owner, HWND toolParent, HWND tool, const wchar_t* text);

// A close picture (the search box's ball, the picker's cross): the hand
// pointer over it, and a click on it closes `window`. True when the message
// was handled, with its result in *result.
bool HandleClosePicture(HWND picture, UINT msg, LPARAM lp, ClickTracker& clicks, HWND window, LRESULT* result);

// Draws a 32-bit premultiplied bitmap blended at its own size.
void DrawBlended(HDC dc, HBITMAP bitmap, int x, int y);

}  // namespace velmora
