#include "settings/placement.h"

#include <string>
#include <vector>

#include "platform/dpi.h"
#include "platform/handles.h"
#include "platform/text.h"
#include "platform/twips.h"
#include "settings/placement_codec.h"

namespace velmora {

namespace {

std::optional<double> ReadValue(HKEY key, std::string_view name) {
    if (!key) return std::nullopt;
    const std::wstring wname = Widen(name);
    wchar_t buffer[64]{};
    DWORD type = 0, bytes = sizeof buffer - sizeof(wchar_t);
    if (::RegQueryValueExW(key, wname.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer), &bytes) !=
            ERROR_SUCCESS ||
        type != REG_SZ) {
        return std::nullopt;
    }
    return placement::ParseValue(Narrow(buffer));
}

BOOL CALLBACK CollectWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (::GetMonitorInfoW(monitor, &info)) {
        const RECT& r = info.rcWork;
        reinterpret_cast<std::vector<placement::Box>*>(data)->push_back({r.left, r.top, r.right, r.bottom});
    }
    return TRUE;
}

}  // namespace

void RestorePlacement(HWND window) {
    HKEY raw = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kPlacementKey, 0, KEY_QUERY_VALUE, &raw) != ERROR_SUCCESS) raw = nullptr;
    UniqueRegKey key(raw);

    constexpr TwipsField kOrder[] = {TwipsField::Left, TwipsField::Top, TwipsField::Width, TwipsField::Height};
    const auto fields = placement::Fields();
    for (size_t i = 0; i < fields.size(); ++i) {
        // Each assignment on its own: moved, then sized (the resize handler runs).
        SetWindowTwips(window, kOrder[i], ReadValue(key.get(), fields[i].name).value_or(fields[i].fallback));
    }

    // A window nobody can see cannot be used: bring it back onto a screen.
    std::vector<placement::Box> areas;
    ::EnumDisplayMonitors(nullptr, nullptr, &CollectWorkArea, reinterpret_cast<LPARAM>(&areas));
    RECT r{};
    ::GetWindowRect(window, &r);
    const placement::Box now{r.left, r.top, r.right, r.bottom};
    placement::Box fixed = placement::KeepOnScreen(now, areas);
    // Grown with the scale over the edge of the monitor it opens on?
    const RECT place{fixed.left, fixed.top, fixed.right, fixed.bottom};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ::GetMonitorInfoW(::MonitorFromRect(&place, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const int dpi = WindowDpi(window);
    fixed = placement::KeepGrownWindowInside(fixed, ::MulDiv(r.right - r.left, kDesignDpi, dpi),
                                             ::MulDiv(r.bottom - r.top, kDesignDpi, dpi),
                                             {work.left, work.top, work.right, work.bottom});
    if (!(fixed == now)) {
        ::SetWindowPos(window, nullptr, fixed.left, fixed.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void SavePlacement(HWND window) {
    HKEY raw = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, kPlacementKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &raw, nullptr) !=
        ERROR_SUCCESS) {
        return;  // nowhere to keep it; the next load takes the defaults
    }
    UniqueRegKey key(raw);
    constexpr TwipsField kOrder[] = {TwipsField::Left, TwipsField::Top, TwipsField::Width, TwipsField::Height};
    const auto fields = placement::Fields();
    for (size_t i = 0; i < fields.size(); ++i) {
        // Each value is read just before it is written.
        const double twips = WindowTwips(window, kOrder[i]);
        const std::wstring text = Widen(placement::FormatValue(twips));
        const std::wstring name = Widen(fields[i].name);
        ::RegSetValueExW(key.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                         static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }
}

}  // namespace velmora
