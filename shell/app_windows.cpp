#include "shell/app_windows.h"

#include <array>

namespace velmora {

namespace {
std::array<HWND, static_cast<size_t>(WindowKind::Count)>& Live() {
    static std::array<HWND, static_cast<size_t>(WindowKind::Count)> live{};
    return live;
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

}  // namespace velmora
