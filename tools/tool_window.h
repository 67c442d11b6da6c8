// What the frameless tool windows (the search box and the colour picker)
// share: the white colour key, moving by the system's own move loop, the
// tip over a close button, and their right-click menus.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <span>
#include <string>

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

// One entry of a right-click menu; an empty caption is a separator.
struct MenuChoice {
    std::wstring caption;
    bool enabled = true;
    bool checked = false;            // a bullet: the one chosen of several
    std::optional<COLORREF> swatch;  // a small square of this colour beside it
};

// Pops up a menu of `choices` at `at` (screen) for `window`, brought to the
// foreground first so that a click elsewhere closes the menu; the menu
// belongs to the window's owner, if it has one. Returns the index of the
// chosen entry once the menu is closed; nullopt when none was.
std::optional<std::size_t> PopupChoices(HWND window, POINT at, std::span<const MenuChoice> choices);

// Where the menu of a WM_CONTEXTMENU opens: at the click, or, when the
// keyboard asked for it (Shift+F10, the menu key), in the middle of `anchor`.
POINT ContextMenuPoint(LPARAM lp, HWND anchor);

}  // namespace velmora
