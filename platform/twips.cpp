#include "platform/twips.h"

#include <map>

#include "frame/frame_layout.h"
#include "platform/window.h"

namespace velmora {

namespace {

struct Noted {
    bool set[4] = {};
    double twips[4] = {};
};

std::map<HWND, Noted>& Memory() {
    static std::map<HWND, Noted> memory;
    return memory;
}

int PixelsOf(HWND window, TwipsField field) {
    RECT r{};
    ::GetWindowRect(window, &r);
    switch (field) {
        case TwipsField::Left: return r.left;
        case TwipsField::Top: return r.top;
        case TwipsField::Width: return r.right - r.left;
        case TwipsField::Height: return r.bottom - r.top;
    }
    return 0;
}

double PerPixel(TwipsField field) {
    return field == TwipsField::Left || field == TwipsField::Width ? TwipsPerPixelX() : TwipsPerPixelY();
}

}  // namespace

void SetWindowTwips(HWND window, TwipsField field, double twips) {
    const int pixels = frame::TwipsToPixels(twips, PerPixel(field));
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
    const double perPixel = PerPixel(field);
    const auto it = Memory().find(window);
    if (it != Memory().end() && it->second.set[static_cast<int>(field)]) {
        const double noted = it->second.twips[static_cast<int>(field)];
        if (frame::TwipsToPixels(noted, perPixel) == pixels) return noted;
    }
    return pixels * perPixel;
}

void ForgetWindowTwips(HWND window) { Memory().erase(window); }

}  // namespace velmora
