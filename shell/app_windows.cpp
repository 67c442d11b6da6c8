#include "shell/app_windows.h"

#include <array>

namespace velmora {

namespace {
std::array<HWND, static_cast<size_t>(WindowKind::Count)>& Live() {
    static std::array<HWND, static_cast<size_t>(WindowKind::Count)> live{};
    return live;
}
std::array<WindowFactory, static_cast<size_t>(WindowKind::Count)>& Factories() {
    static std::array<WindowFactory, static_cast<size_t>(WindowKind::Count)> factories{};
    return factories;
}
}  // namespace

void RegisterLiveWindow(WindowKind kind, HWND hwnd) { Live()[static_cast<size_t>(kind)] = hwnd; }

void ForgetLiveWindow(WindowKind kind, HWND hwnd) {
    HWND& slot = Live()[static_cast<size_t>(kind)];
    if (slot == hwnd) slot = nullptr;
}

HWND LiveWindow(WindowKind kind) { return Live()[static_cast<size_t>(kind)]; }

void CloseIfOpen(WindowKind kind) {
    if (HWND hwnd = LiveWindow(kind)) ::SendMessageW(hwnd, WM_CLOSE, 0, 0);
}

void SetWindowFactory(WindowKind kind, WindowFactory factory) { Factories()[static_cast<size_t>(kind)] = factory; }

HWND EnsureWindow(WindowKind kind) {
    if (HWND live = LiveWindow(kind)) return live;
    WindowFactory factory = Factories()[static_cast<size_t>(kind)];
    return factory ? factory() : nullptr;
}

HWND ShowWindowNormal(WindowKind kind) {
    HWND hwnd = EnsureWindow(kind);
    if (!hwnd) return nullptr;
    ::ShowWindow(hwnd, SW_SHOW);
    if (::IsIconic(hwnd) || ::IsZoomed(hwnd)) ::ShowWindow(hwnd, SW_RESTORE);
    ::SetForegroundWindow(hwnd);
    return hwnd;
}

}  // namespace velmora
