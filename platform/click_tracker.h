// A click on a picture or label as a button gives it: the left button
// pressed over the control and released over it again. The mouse is
// captured between the two, so a release elsewhere is seen and ignored.
#pragma once

#include <windows.h>

namespace velmora {

class ClickTracker {
public:
    // Feeds one message of `control`; true when it completes a click.
    bool Handle(HWND control, UINT msg, LPARAM lp) {
        switch (msg) {
            case WM_LBUTTONDOWN:
            case WM_LBUTTONDBLCLK:
                pressed_ = control;
                ::SetCapture(control);
                return false;
            case WM_LBUTTONUP: {
                const bool wasPressed = pressed_ == control;
                pressed_ = nullptr;
                if (::GetCapture() == control) ::ReleaseCapture();
                RECT r{};
                ::GetClientRect(control, &r);
                const POINT at{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
                return wasPressed && ::PtInRect(&r, at);
            }
            case WM_CAPTURECHANGED:
                if (pressed_ == control) pressed_ = nullptr;
                return false;
            default:
                return false;
        }
    }
    // Whether a press on `control` awaits its release.
    bool Pressed(HWND control) const { return pressed_ == control; }

private:
    HWND pressed_ = nullptr;
};

}  // namespace velmora
