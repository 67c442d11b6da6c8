#include "platform/dpi.h"

#include <map>

#include "platform/lazy_library.h"

namespace velmora {

namespace {

// user32 is loaded anyway; these of its functions may be missing.
LazyLibrary user32{L"user32.dll", true};

template <typename Function>
Function Find(const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(user32.Find(name)));
}

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetDpiForSystemFn = UINT(WINAPI*)();
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using SystemParametersInfoForDpiFn = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);

int ScreenDpi() {
    HDC screen = ::GetDC(nullptr);
    const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen) ::ReleaseDC(nullptr, screen);
    return dpi;
}

// One entry per window that noted its DPI, dropped with the window.
std::map<HWND, int>& Noted() {
    static std::map<HWND, int> noted;
    return noted;
}

}  // namespace

int SystemDpi() {
    static const GetDpiForSystemFn forSystem = Find<GetDpiForSystemFn>("GetDpiForSystem");
    const UINT dpi = forSystem ? forSystem() : 0;
    return UsableDpi(dpi ? dpi : ScreenDpi());
}

int WindowDpi(HWND window) {
    if (const auto it = Noted().find(window); it != Noted().end()) return it->second;
    static const GetDpiForWindowFn forWindow = Find<GetDpiForWindowFn>("GetDpiForWindow");
    const UINT dpi = forWindow && window ? forWindow(window) : 0;
    return dpi ? UsableDpi(dpi) : SystemDpi();
}

void NoteWindowDpi(HWND window, int dpi) {
    if (window) Noted()[window] = UsableDpi(dpi);
}

void ForgetWindowDpi(HWND window) { Noted().erase(window); }

int DpiOfChange(WPARAM wp) { return UsableDpi(LOWORD(wp)); }

void MoveToSuggestedRect(HWND window, LPARAM lp) {
    const auto* r = reinterpret_cast<const RECT*>(lp);
    if (!r) return;
    ::SetWindowPos(window, nullptr, r->left, r->top, r->right - r->left, r->bottom - r->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT WorkAreaOf(HWND window) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (::GetMonitorInfoW(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info)) return info.rcWork;
    RECT area{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

int DpiThatFitsMonitor(HWND window, int width, int height) {
    const RECT area = WorkAreaOf(window);
    return DpiThatFits(WindowDpi(window), width, height, area.right - area.left, area.bottom - area.top);
}

int MetricAt(int index, int dpi) {
    static const GetSystemMetricsForDpiFn forDpi = Find<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi");
    if (forDpi) {
        if (const int value = forDpi(index, static_cast<UINT>(dpi))) return value;
    }
    // The plain call answers at the system's DPI.
    return ::MulDiv(::GetSystemMetrics(index), dpi, SystemDpi());
}

RECT OuterRectAt(RECT client, DWORD style, DWORD exStyle, int dpi) {
    static const AdjustWindowRectExForDpiFn forDpi = Find<AdjustWindowRectExForDpiFn>("AdjustWindowRectExForDpi");
    RECT outer = client;
    if (forDpi && forDpi(&outer, style, FALSE, exStyle, static_cast<UINT>(dpi))) return outer;
    outer = client;
    ::AdjustWindowRectEx(&outer, style, FALSE, exStyle);
    return outer;
}

UniqueGdiObject MessageFontAt(int designHeight, int dpi) {
    static const SystemParametersInfoForDpiFn forDpi =
        Find<SystemParametersInfoForDpiFn>("SystemParametersInfoForDpi");
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    LOGFONTW lf{};
    if ((forDpi && forDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, static_cast<UINT>(dpi))) ||
        ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        lf = metrics.lfMessageFont;
    }
    // Only the face and its properties are taken: the height is the design's.
    lf.lfHeight = -ScaleDesign(designHeight, dpi);
    lf.lfWidth = 0;
    if (!lf.lfFaceName[0]) ::lstrcpynW(lf.lfFaceName, L"MS Shell Dlg 2", LF_FACESIZE);
    return UniqueGdiObject(::CreateFontIndirectW(&lf));
}

}  // namespace velmora
