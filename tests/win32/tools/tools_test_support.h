// What the tool windows' tests share: a hidden owner like the tray host,
// the colour key a window carries, and a real mouse drag.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <chrono>
#include <ostream>
#include <string>
#include <thread>

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
