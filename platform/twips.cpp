#include "platform/twips.h"

#include <map>

#include "platform/dpi.h"
#include "platform/units.h"

namespace velmora {

namespace {

struct Noted {
    bool set[4] = {};
    double twips[4] = {};
};

// One entry per window whose twips the program set; dropped when the window
// goes (ForgetWindowTwips), so it never outgrows the windows alive.
std::map<HWND, Noted>& Memory() {
    static std::map<HWND, Noted> memory;
    return memory;
}

// Where the window is, or for a minimised one where it comes back to (a
// minimised window sits at about -32000, which no one wants to keep).
RECT OuterRect(HWND window) {
    RECT r{};
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!::IsIconic(window) || !::GetWindowPlacement(window, &placement)) {
        ::GetWindowRect(window, &r);
        return r;
    }
    r = placement.rcNormalPosition;
    // Except for tool windows that rectangle counts from the work area's
    // corner, not the screen's.
    if (!(::GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW)) {
        MONITORINFO info{};
        info.cbSize = sizeof info;
        if (::GetMonitorInfoW(::MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &info)) {
            ::OffsetRect(&r, info.rcWork.left - info.rcMonitor.left, info.rcWork.top - info.rcMonitor.top);
        }
    }
    return r;
}

int PixelsOf(HWND window, TwipsField field) {
    const RECT r = OuterRect(window);
    switch (field) {
        case TwipsField::Left: return r.left;
        case TwipsField::Top: return r.top;
        case TwipsField::Width: return r.right - r.left;
        case TwipsField::Height: return r.bottom - r.top;
    }
    return 0;
}

// Square pixels: one DPI for both axes, as Windows has had since Vista.
double PerPixel(HWND window) { return TwipsPerPixelAt(WindowDpi(window)); }

}  // namespace

double TwipsPerPixelX() { return TwipsPerPixelAt(SystemDpi()); }
double TwipsPerPixelY() { return TwipsPerPixelAt(SystemDpi()); }

int PixelsX(double twips) { return TwipsToPixels(twips, TwipsPerPixelX()); }
int PixelsY(double twips) { return TwipsToPixels(twips, TwipsPerPixelY()); }

void SetWindowTwips(HWND window, TwipsField field, double twips) {
    const int pixels = TwipsToPixels(twips, PerPixel(window));
    Noted& noted = Memory()[window];
    noted.set[static_cast<int>(field)] = true;
    noted.twips[static_cast<int>(field)] = twips;
    RECT r{};
    ::GetWindowRect(window, &r);
    int x = r.left, y = r.top, w = r.right - r.left, h = r.bottom - r.top;
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    switch (field) {
        case TwipsField::Left: x = pixels; flags |= SWP_NOSIZE; break;
        case TwipsField::Top: y = pixels; flags |= SWP_NOSIZE; break;
        case TwipsField::Width: w = pixels; flags |= SWP_NOMOVE; break;
        case TwipsField::Height: h = pixels; flags |= SWP_NOMOVE; break;
    }
    ::SetWindowPos(window, nullptr, x, y, w, h, flags);
}

double WindowTwips(HWND window, TwipsField field) {
    const int pixels = PixelsOf(window, field);
    const double perPixel = PerPixel(window);
    const auto it = Memory().find(window);
    if (it != Memory().end() && it->second.set[static_cast<int>(field)]) {
        const double noted = it->second.twips[static_cast<int>(field)];
        if (TwipsToPixels(noted, perPixel) == pixels) return noted;
    }
    return pixels * perPixel;
}

TwipsRect WindowTwipsRect(HWND window) {
    return {WindowTwips(window, TwipsField::Left), WindowTwips(window, TwipsField::Top),
            WindowTwips(window, TwipsField::Width), WindowTwips(window, TwipsField::Height)};
}

void ForgetWindowTwips(HWND window) { Memory().erase(window); }

}  // namespace velmora
