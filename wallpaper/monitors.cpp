#include "wallpaper/monitors.h"

#include <algorithm>
#include <climits>

namespace velmora::wallpaper {

namespace {

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    auto* found = reinterpret_cast<std::vector<std::pair<MonitorArea, bool>>*>(data);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!::GetMonitorInfoW(monitor, &info)) return TRUE;
    const RECT& r = info.rcMonitor;
    if (r.right <= r.left || r.bottom <= r.top) return TRUE;
    found->push_back({{r.left, r.top, r.right - r.left, r.bottom - r.top}, (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
    return TRUE;
}

}  // namespace

std::vector<MonitorArea> DisplayMonitors() {
    std::vector<std::pair<MonitorArea, bool>> found;
    ::EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&found));
    std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        if (a.second != b.second) return a.second;
        return a.first.left != b.first.left ? a.first.left < b.first.left : a.first.top < b.first.top;
    });
    std::vector<MonitorArea> monitors;
    for (const auto& [area, primary] : found) monitors.push_back(area);
    if (monitors.empty()) {
        // No answer (a session without a display): the primary's metrics.
        monitors.push_back({0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)});
    }
    return monitors;
}

int MonitorAt(const std::vector<MonitorArea>& monitors, POINT at) {
    int best = -1;
    long long bestDistance = LLONG_MAX;
    for (size_t i = 0; i < monitors.size(); ++i) {
        const MonitorArea& m = monitors[i];
        const long long dx = at.x < m.left ? m.left - at.x : at.x >= m.left + m.width ? at.x - (m.left + m.width - 1) : 0;
        const long long dy = at.y < m.top ? m.top - at.y : at.y >= m.top + m.height ? at.y - (m.top + m.height - 1) : 0;
        const long long distance = dx * dx + dy * dy;
        if (distance < bestDistance) best = static_cast<int>(i), bestDistance = distance;
    }
    return best;
}

std::uint32_t DesktopBackground() {
    const COLORREF c = ::GetSysColor(COLOR_DESKTOP);
    return static_cast<std::uint32_t>(GetRValue(c)) << 16 | static_cast<std::uint32_t>(GetGValue(c)) << 8 |
           GetBValue(c);
}

}  // namespace velmora::wallpaper
