// What the tool windows' tests share: a hidden owner like the tray host,
// the colour key a window carries, a real mouse drag and click, the rows of
// an open popup menu, and the clipboard.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "platform/handles.h"
#include "platform/window.h"
#include "support/test_support.h"

namespace velmora::testing {

using namespace std::chrono_literals;

inline void Pump(std::chrono::milliseconds time = 50ms) {
    PumpUntil([] { return false; }, time);
}

// A hidden top-level window, as the tray host is.
inline UniqueWindow HiddenOwner() {
    return UniqueWindow(::CreateWindowW(L"STATIC", L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                        AppInstance(), nullptr));
}

struct ColourKey {
    COLORREF key = 0;
    DWORD flags = 0;
};
inline ColourKey KeyOf(HWND window) {
    ColourKey out;
    BYTE alpha = 0;
    if (!(::GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_LAYERED)) return out;
    ::GetLayeredWindowAttributes(window, &out.key, &alpha, &out.flags);
    return out;
}

// left, top, width, height
struct Place {
    long left, top, width, height;
    friend bool operator==(const Place&, const Place&) = default;
};
inline std::ostream& operator<<(std::ostream& out, const Place& p) {
    return out << p.left << "," << p.top << " " << p.width << "x" << p.height;
}
inline Place PlaceOf(const RECT& r) { return {r.left, r.top, r.right - r.left, r.bottom - r.top}; }
inline Place PlaceInParent(HWND child) { return PlaceOf(RectInParent(child)); }
inline Place WindowPlace(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    return PlaceOf(r);
}

inline void MouseInput(DWORD flags, int x = 0, int y = 0) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    if (flags & MOUSEEVENTF_MOVE) {
        in.mi.dwFlags |= MOUSEEVENTF_ABSOLUTE;
        in.mi.dx = (x * 65536 + 32768) / ::GetSystemMetrics(SM_CXSCREEN);
        in.mi.dy = (y * 65536 + 32768) / ::GetSystemMetrics(SM_CYSCREEN);
    }
    ::SendInput(1, &in, sizeof in);
}

// Presses `down` at client point `at` of `window`, drags by (40, 30) and
// releases; returns where the window is then. The input comes from another
// thread: a left press enters the system's move loop on this one, which
// returns only once the button is up.
inline RECT Drag(HWND window, POINT at, DWORD down, DWORD up) {
    ::ClientToScreen(window, &at);
    std::atomic<bool> done{false};
    std::thread user([&] {
        MouseInput(MOUSEEVENTF_MOVE, at.x, at.y);
        ::Sleep(100);
        MouseInput(down);
        ::Sleep(100);
        for (int step = 1; step <= 4; ++step) {
            MouseInput(MOUSEEVENTF_MOVE, at.x + 10 * step, at.y + 7 * step + (step == 4 ? 2 : 0));
            ::Sleep(60);
        }
        MouseInput(up);
        ::Sleep(150);
        done = true;
    });
    PumpUntil([&] { return done.load(); }, 5000ms);
    user.join();
    Pump();
    RECT r{};
    ::GetWindowRect(window, &r);
    return r;
}

// Presses and releases `down`/`up` at client point `at` of `window`
// without moving, from another thread as Drag does: a right click opens a
// menu whose loop runs on this one.
inline void ClickAt(HWND window, POINT at, DWORD down, DWORD up) {
    ::ClientToScreen(window, &at);
    std::atomic<bool> done{false};
    std::thread user([&] {
        MouseInput(MOUSEEVENTF_MOVE, at.x, at.y);
        ::Sleep(100);
        MouseInput(down);
        ::Sleep(60);
        MouseInput(up);
        ::Sleep(150);
        done = true;
    });
    PumpUntil([&] { return done.load(); }, 5000ms);
    user.join();
    Pump();
}

struct MenuRow {
    std::wstring caption;  // empty for a separator
    UINT state;            // MF_GRAYED, MF_CHECKED ... from GetMenuState
    bool has_picture;      // a bitmap beside the caption
};

// The rows of the popup menu open now (call from inside its loop, e.g. in
// WhileMenuIsOpen).
inline std::vector<MenuRow> OpenMenuRows() {
    std::vector<MenuRow> rows;
    HWND window = ::FindWindowW(L"#32768", nullptr);
    const auto menu = reinterpret_cast<HMENU>(::SendMessageW(window, MN_GETHMENU, 0, 0));
    for (int i = 0; menu && i < ::GetMenuItemCount(menu); ++i) {
        wchar_t caption[128] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STRING | MIIM_BITMAP;
        info.dwTypeData = caption;
        info.cch = 128;
        ::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
        rows.push_back({caption, ::GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION),
                        info.hbmpItem != nullptr});
    }
    return rows;
}
inline std::vector<std::wstring> Captions(const std::vector<MenuRow>& rows) {
    std::vector<std::wstring> out;
    for (const MenuRow& row : rows) out.push_back(row.caption);
    return out;
}
// The top-left corner of the popup menu open now, in screen coordinates.
inline POINT OpenMenuCorner() {
    RECT r{};
    ::GetWindowRect(::FindWindowW(L"#32768", nullptr), &r);
    return {r.left, r.top};
}

// The clipboard's Unicode text: "(none)" when it holds none, "(held)" when
// another thread has it open.
inline std::wstring ClipboardText() {
    if (!::OpenClipboard(nullptr)) return L"(held)";
    std::wstring text = L"(none)";
    if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(::GlobalLock(data))) {
            text = chars;
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    return text;
}
inline void SetClipboardText(const std::wstring& text) {
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    std::memcpy(::GlobalLock(memory), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    ::GlobalUnlock(memory);
    if (!::SetClipboardData(CF_UNICODETEXT, memory)) ::GlobalFree(memory);
    ::CloseClipboard();
}

// Another thread holding the clipboard open, as a clipboard manager does
// for a moment, until Release() or the end of the scope.
class ClipboardHolder {
public:
    ClipboardHolder()
        : opened_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)),
          release_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)),
          thread_([this] {
              // The clipboard is held by a window: one of this thread's own.
              UniqueWindow window(::CreateWindowW(L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                                  AppInstance(), nullptr));
              held_ = ::OpenClipboard(window.get()) != FALSE;
              ::SetEvent(opened_.get());
              ::WaitForSingleObject(release_.get(), 10000);
              ::Sleep(delay_);
              if (held_) ::CloseClipboard();
          }) {
        ::WaitForSingleObject(opened_.get(), 5000);
    }
    ~ClipboardHolder() { Release(); }
    ClipboardHolder(const ClipboardHolder&) = delete;
    ClipboardHolder& operator=(const ClipboardHolder&) = delete;
    bool held() const { return held_; }
    // Lets go, `after` milliseconds from now, without waiting for it.
    void ReleaseAfter(DWORD after) {
        delay_ = after;
        ::SetEvent(release_.get());
    }
    void Release() {
        ::SetEvent(release_.get());
        if (thread_.joinable()) thread_.join();
    }

private:
    UniqueKernelHandle opened_, release_;
    std::atomic<bool> held_{false};
    std::atomic<DWORD> delay_{0};
    std::thread thread_;
};

// The text a tooltip shows over `tool`, a child of `toolParent`.
inline std::wstring TipText(HWND tip, HWND toolParent, HWND tool) {
    wchar_t text[64] = {};
    TTTOOLINFOW info{sizeof info};
    info.hwnd = toolParent;
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.lpszText = text;
    ::SendMessageW(tip, TTM_GETTEXTW, 64, reinterpret_cast<LPARAM>(&info));
    return text;
}

inline int ThreadWindows() {
    int n = 0;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(), [](HWND, LPARAM lp) { return ++*reinterpret_cast<int*>(lp), TRUE; },
        reinterpret_cast<LPARAM>(&n));
    return n;
}

}  // namespace velmora::testing
