#include "tools/tool_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include <vector>

#include "platform/controls.h"
#include "platform/dpi.h"
#include "platform/window.h"

namespace velmora {

void KeyOutWhite(HWND window) {
    const LONG_PTR exStyle = ::GetWindowLongPtrW(window, GWL_EXSTYLE);
    ::SetWindowLongPtrW(window, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
    ::SetLayeredWindowAttributes(window, kKeyedOut, 0, LWA_COLORKEY);
}

void StartWindowMove(HWND window) {
    POINT at{};
    ::GetCursorPos(&at);
    ::ReleaseCapture();
    ::SendMessageW(window, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(at.x, at.y));
}

UniqueWindow MakeToolTip(HWND owner, HWND toolParent, HWND tool, const wchar_t* text) {
    UniqueWindow tip(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                       CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                                       AppInstance(), nullptr));
    TTTOOLINFOW info{};
    info.cbSize = sizeof info;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = toolParent;
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.lpszText = const_cast<wchar_t*>(text);
    ::SendMessageW(tip.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    return tip;
}

void DrawBlended(HDC dc, HBITMAP bitmap, int x, int y) {
    if (!bitmap) return;
    BITMAP bm{};
    ::GetObjectW(bitmap, sizeof bm, &bm);
    UniqueMemoryDc source(::CreateCompatibleDC(dc));
    SelectGuard select(source.get(), bitmap);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ::GdiAlphaBlend(dc, x, y, bm.bmWidth, bm.bmHeight, source.get(), 0, 0, bm.bmWidth, bm.bmHeight, blend);
}

namespace {

// A square of the colour in a dark frame, at the size of a menu's check mark
// at the DPI of the window the menu opens for.
UniqueBitmap SwatchPicture(COLORREF colour, int dpi) {
    const int size = MetricAt(SM_CXMENUCHECK, dpi);
    WindowDc screen(nullptr);
    UniqueBitmap picture(::CreateCompatibleBitmap(screen.get(), size, size));
    UniqueMemoryDc dc(::CreateCompatibleDC(screen.get()));
    if (!picture || !dc) return UniqueBitmap();
    SelectGuard select(dc.get(), picture.get());
    const RECT all{0, 0, size, size};
    UniqueGdiObject frame(::CreateSolidBrush(RGB(64, 64, 64)));
    ::FillRect(dc.get(), &all, static_cast<HBRUSH>(frame.get()));
    const int rim = ScaleDesign(1, dpi);
    const RECT inside{rim, rim, size - rim, size - rim};
    UniqueGdiObject fill(::CreateSolidBrush(colour));
    ::FillRect(dc.get(), &inside, static_cast<HBRUSH>(fill.get()));
    return picture;
}

}  // namespace

std::optional<std::size_t> PopupChoices(HWND window, POINT at, std::span<const MenuChoice> choices) {
    // The pictures outlive the menu that shows them.
    std::vector<UniqueBitmap> swatches;
    UniqueMenu menu(::CreatePopupMenu());
    if (!menu) return std::nullopt;
    for (std::size_t i = 0; i < choices.size(); ++i) {
        const MenuChoice& choice = choices[i];
        MENUITEMINFOW item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_STRING;
        item.fType = choice.caption.empty() ? MFT_SEPARATOR : MFT_STRING | (choice.checked ? MFT_RADIOCHECK : 0);
        item.fState = (choice.enabled ? MFS_ENABLED : MFS_GRAYED) | (choice.checked ? MFS_CHECKED : 0);
        item.wID = static_cast<UINT>(i + 1);
        item.dwTypeData = const_cast<wchar_t*>(choice.caption.c_str());
        if (choice.swatch) {
            swatches.push_back(SwatchPicture(*choice.swatch, WindowDpi(window)));
            item.fMask |= MIIM_BITMAP;
            item.hbmpItem = swatches.back().get();
        }
        ::InsertMenuItemW(menu.get(), static_cast<UINT>(i), TRUE, &item);
    }
    // Foreground first, so the menu closes when the user clicks elsewhere
    // and the window stays the active one afterwards; the posted WM_NULL
    // lets the next menu open at the first click. The menu itself belongs
    // to the window's hidden owner, of the same thread: under Wine a menu
    // owned by a colour-keyed window is drawn all black.
    ::SetForegroundWindow(window);
    HWND tracker = ::GetWindow(window, GW_OWNER);
    if (!tracker) tracker = window;
    const auto chosen = static_cast<UINT>(::TrackPopupMenu(
        menu.get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, at.x, at.y, 0, tracker, nullptr));
    ::PostMessageW(tracker, WM_NULL, 0, 0);
    if (chosen < 1 || chosen > choices.size()) return std::nullopt;
    return chosen - 1;
}

POINT ContextMenuPoint(LPARAM lp, HWND anchor) {
    if (lp != -1) return {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    RECT r{};
    ::GetWindowRect(anchor, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

bool HandleClosePicture(HWND picture, UINT msg, LPARAM lp, ClickTracker& clicks, HWND window, LRESULT* result) {
    switch (msg) {
        case WM_SETCURSOR:
            ::SetCursor(HandCursor(WindowDpi(window)));
            *result = TRUE;
            return true;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_LBUTTONUP:
            if (clicks.Handle(picture, msg, lp)) ::SendMessageW(window, WM_CLOSE, 0, 0);
            *result = 0;
            return true;
        case WM_CAPTURECHANGED:
            clicks.Handle(picture, msg, lp);
            return false;
        default:
            return false;
    }
}

}  // namespace velmora
