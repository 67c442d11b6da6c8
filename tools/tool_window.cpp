#include "tools/tool_window.h"

#include <commctrl.h>

#include "platform/controls.h"
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

bool HandleClosePicture(HWND picture, UINT msg, LPARAM lp, ClickTracker& clicks, HWND window, LRESULT* result) {
    switch (msg) {
        case WM_SETCURSOR:
            ::SetCursor(HandCursor());
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
