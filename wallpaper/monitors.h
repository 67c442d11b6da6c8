// The monitors as the desktop lays them out now: the primary first, then
// the others from left to right and top to bottom, so that "monitor order"
// means the same thing from one change to the next.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "wallpaper/screen_layout.h"

namespace velmora::wallpaper {

std::vector<MonitorArea> DisplayMonitors();

// Where the monitors come from: the system's in the program, a fixed layout
// in tests.
using MonitorSource = std::function<std::vector<MonitorArea>()>;

// The index of the monitor holding `at`; the nearest one when none does
// (the pointer just left the screen), -1 without monitors.
int MonitorAt(const std::vector<MonitorArea>& monitors, POINT at);

// The desktop's own background colour as 0x00RRGGBB, where a fitted or
// centred picture leaves the monitor uncovered.
std::uint32_t DesktopBackground();

}  // namespace velmora::wallpaper
