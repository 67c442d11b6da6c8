// Helpers for child controls, fonts and resources that every window uses.
#pragma once

#include <windows.h>

#include <string>

#include "platform/handles.h"
#include "platform/scale.h"

namespace velmora {

// A window's text.
std::wstring WindowText(HWND hwnd);

// A child's rectangle in the client coordinates of `reference`, or of its
// parent.
RECT RectIn(HWND child, HWND reference);
RECT ChildRect(HWND child);

// Check state of a check box or option button.
bool IsChecked(HWND button);
void SetChecked(HWND button, bool checked);

// The control's own visibility flag: a control of a hidden window keeps it,
// though IsWindowVisible says no.
bool HasVisibleFlag(HWND control);
// Shows or hides without activating; false when nothing changed.
bool ShowOwnFlag(HWND control, bool shown);

// Centres the window on the primary screen, computed in twips as the tool
// windows have always placed themselves.
void CentreOnScreen(HWND window);

// A child control with the given class, text, style and place (pixels).
HWND CreateChild(HWND parent, const wchar_t* cls, const std::wstring& text, DWORD style, int x, int y, int width,
                 int height, int id, DWORD exStyle = WS_EX_NOPARENTNOTIFY);

// A font of the given face and size in tenths of a point, for a screen of
// `dpi` dots per inch.
UniqueGdiObject MakeFont(const wchar_t* face, int tenthsOfPoint, bool bold = false,
                         BYTE charset = DEFAULT_CHARSET, int dpi = kDesignDpi);
// 宋体 in the GB2312 character set, the tool windows' font.
UniqueGdiObject SongTi(int tenthsOfPoint, bool bold = false, int dpi = kDesignDpi);
// The text's width and the font's line height, in pixels (width at least 1).
SIZE TextSize(HFONT font, const std::wstring& text);
// The same in `dc`, for a window measuring many texts with one DC.
SIZE TextSize(HDC dc, HFONT font, const std::wstring& text);

// Resources of this program (platform/art_loader.cpp). The bitmap for
// `dpi` is the 96-dpi artwork drawn at dpi / 96 of its size, every design
// coordinate scaled; at 96 it is the stored picture. An icon comes
// `size` pixels square, from its resource or drawn at that size.
UniqueBitmap LoadBitmapResource(int id, unsigned dpi = 96);
// Unpacks or draws the bitmap at `dpi` ahead of its first use, so that the
// window needing it later only copies it.
void PrepareBitmapResource(int id, unsigned dpi);
UniqueIcon LoadIconResource(int id, int size);
// The pointing hand over clickable pictures and links at the pointer size of
// `dpi`: ours, else the system's. Loaded once per size and kept for the run.
HCURSOR HandCursor(int dpi = kDesignDpi);

}  // namespace velmora
