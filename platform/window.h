// Base for every window of the program.
//
// WM_NCCREATE stores the object in GWLP_USERDATA, one switch in the derived
// class handles messages, and WM_NCDESTROY clears the pointer so that no
// message reaches an object whose window is gone.
#pragma once

#include <windows.h>

namespace velmora {

inline HINSTANCE AppInstance() { return ::GetModuleHandleW(nullptr); }

// Twips per pixel of the screen (15 at 96 dots per inch). Window places and
// sizes are kept in twips, as the placement record stores them. The program
// is not DPI-aware, so the value it sees stays the same for the whole run.
inline double ScreenTwipsPerPixel(int axis) {
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, axis);
    ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? 1440.0 / dpi : 15.0;
}
inline double TwipsPerPixelX() {
    static const double perPixel = ScreenTwipsPerPixel(LOGPIXELSX);
    return perPixel;
}
inline double TwipsPerPixelY() {
    static const double perPixel = ScreenTwipsPerPixel(LOGPIXELSY);
    return perPixel;
}

template <typename Derived>
class BaseWindow {
public:
    HWND hwnd() const noexcept { return hwnd_; }

protected:
    BaseWindow() = default;
    ~BaseWindow() {
        if (hwnd_) ::DestroyWindow(hwnd_);
    }
    BaseWindow(const BaseWindow&) = delete;
    BaseWindow& operator=(const BaseWindow&) = delete;

    // Registers the window class on first use; Derived::kClassName names it.
    static void RegisterOnce(UINT style = 0, HICON icon = nullptr, HCURSOR cursor = nullptr) {
        WNDCLASSEXW wc{};
        if (::GetClassInfoExW(AppInstance(), Derived::kClassName, &wc)) return;
        wc.cbSize = sizeof wc;
        wc.style = style;
        wc.lpfnWndProc = &BaseWindow::WindowProc;
        wc.hInstance = AppInstance();
        wc.hIcon = icon;
        wc.hCursor = cursor ? cursor : ::LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = Derived::kClassName;
        ::RegisterClassExW(&wc);
    }

    bool CreateWin(DWORD exStyle, const wchar_t* title, DWORD style, int x, int y, int w, int h,
                   HWND parent = nullptr, HMENU menuOrId = nullptr) {
        ::CreateWindowExW(exStyle, Derived::kClassName, title, style, x, y, w, h, parent, menuOrId,
                          AppInstance(), this);
        return hwnd_ != nullptr;
    }

    LRESULT Default(UINT msg, WPARAM wp, LPARAM lp) { return ::DefWindowProcW(hwnd_, msg, wp, lp); }

    // Called once the window is gone; the object itself lives on.
    void OnWindowGone(HWND) {}

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
        Derived* self = nullptr;
        if (msg == WM_NCCREATE) {
            auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
            self = static_cast<Derived*>(static_cast<BaseWindow*>(cs->lpCreateParams));
            self->hwnd_ = hwnd;
            ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        } else {
            self = reinterpret_cast<Derived*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        }
        if (!self) return ::DefWindowProcW(hwnd, msg, wp, lp);
        if (msg == WM_NCDESTROY) {
            ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            self->hwnd_ = nullptr;
            self->OnWindowGone(hwnd);
            return ::DefWindowProcW(hwnd, msg, wp, lp);
        }
        return self->HandleMessage(msg, wp, lp);
    }

    HWND hwnd_ = nullptr;
};

}  // namespace velmora
