#include "shell/tray_callback.h"

namespace velmora {

TrayCallback DecodeTrayCallback(bool version4, std::uintptr_t wParam, std::intptr_t lParam) {
    const auto low = [](std::uintptr_t v) { return static_cast<unsigned>(v & 0xFFFF); };
    const auto high = [](std::uintptr_t v) { return static_cast<unsigned>((v >> 16) & 0xFFFF); };
    const auto l = static_cast<std::uintptr_t>(lParam);
    if (!version4) return {static_cast<unsigned>(l & 0xFFFFFFFF), static_cast<unsigned>(wParam & 0xFFFFFFFF)};
    // The anchor's words are signed: a monitor left of the primary one has
    // negative coordinates.
    return {low(l), high(l), static_cast<std::int16_t>(low(wParam)), static_cast<std::int16_t>(high(wParam))};
}

int SmallIconSizeAt(int dpi) {
    if (dpi <= 0) dpi = 96;
    const int size = (16 * dpi + 48) / 96;
    return size < 16 ? 16 : size > 256 ? 256 : size;
}

}  // namespace velmora
