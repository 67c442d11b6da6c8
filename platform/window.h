// Base for every window of the program.
//
// WM_NCCREATE stores the object in GWLP_USERDATA, one switch in the derived
// class handles messages, and WM_NCDESTROY clears the pointer so that no
// message reaches an object whose window is gone.
#pragma once

#include <windows.h>

#include <functional>
#include <utility>

#include "platform/dpi.h"
#include "platform/twips.h"

namespace velmora {

inline HINSTANCE AppInstance() { return ::GetModuleHandleW(nullptr); }

template <typename Derived>
class BaseWindow {
public:
    HWND hwnd() const noexcept { return hwnd_; }

    // Told once the window is gone (the object itself lives on); the slot
    // that owns the object uses it to let the object go.
    void SetGoneCallback(std::function<void()> gone) { gone_ = std::move(gone); }

protected:
    BaseWindow() = default;
    // The owner destroys the window while the whole object still exists. A
    // window still alive here is cut loose first: WM_DESTROY must not reach
    // an object whose derived part is already gone.
    ~BaseWindow() {
        if (HWND h = std::exchange(hwnd_, nullptr)) {
            ::SetWindowLongPtrW(h, GWLP_USERDATA, 0);
            ::DestroyWindow(h);
        }
    }
    BaseWindow(const BaseWindow&) = delete;
    BaseWindow& operator=(const BaseWindow&) = delete;

    // Registers the window class on first use; Derived::kClassName names it.
    static void RegisterClassOnce(UINT style = 0, HICON icon = nullptr, HCURSOR cursor = nullptr) {
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

    bool CreateWindowOf(DWORD exStyle, const wchar_t* title, DWORD style, int x, int y, int w, int h,
                        HWND parent = nullptr, HMENU menuOrId = nullptr) {
        ::CreateWindowExW(exStyle, Derived::kClassName, title, style, x, y, w, h, parent, menuOrId, AppInstance(),
                          this);
        return hwnd_ != nullptr;
    }

    LRESULT Default(UINT msg, WPARAM wp, LPARAM lp) { return ::DefWindowProcW(hwnd_, msg, wp, lp); }

    // Called once the window is gone, for what lives as long as the window.
    void OnWindowGone() {}

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
        // Noted before the window hears of it, so that every conversion it
        // makes while laying out again is at the new DPI.
        if (msg == WM_DPICHANGED) NoteWindowDpi(hwnd, DpiOfChange(wp));
        if (msg == WM_NCDESTROY) {
            ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            self->hwnd_ = nullptr;
            ForgetWindowTwips(hwnd);
            ForgetWindowDpi(hwnd);
            self->OnWindowGone();
            // Last: the callback may arrange for the object to go.
            if (self->gone_) self->gone_();
            return ::DefWindowProcW(hwnd, msg, wp, lp);
        }
        return self->HandleMessage(msg, wp, lp);
    }

    HWND hwnd_ = nullptr;
    std::function<void()> gone_;
};

}  // namespace velmora
