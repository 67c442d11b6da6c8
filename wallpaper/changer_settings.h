// The wallpaper changer's settings as the user chose them, and the one place
// that knows how they are kept in the profile: "xz" the mode (1 timed, 3
// immediate), "sj" the schedule's caption, "zdy" the interval text, "sx" the
// order (1 sequential, 2 random), "wz" the position (1 tile, 2 stretch, 3
// centre), "qhzm" the start with the program (1 or 0), and "gh" whether
// timed changing was last started (1) or stopped (0).
#pragma once

#include <string>
#include <string_view>

#include "settings/settings_store.h"
#include "wallpaper/rotation.h"
#include "wallpaper/schedule.h"

namespace velmora::wallpaper {

// Design: no mode in the profile. The window then shows the state it was
// designed in: timed selected, the schedule controls hidden, every button
// enabled. Any choice of mode leaves it for good.
enum class ChangeMode { Design, Timed, Immediate };

enum class Position { Tile = 1, Stretch = 2, Centre = 3 };  // the "wz" codes

// "TileWallpaper" and "WallpaperStyle" for a position.
struct StyleValues {
    std::string_view tile;
    std::string_view style;
};
StyleValues StyleFor(Position position);

struct ChangerSettings {
    ChangeMode mode = ChangeMode::Design;
    Schedule schedule = Schedule::OnTheHour;
    std::string intervalText = "30";  // as typed: the status line repeats it
    Order order = Order::Sequential;
    Position position = Position::Centre;
    bool startWithProgram = false;
    friend bool operator==(const ChangerSettings&, const ChangerSettings&) = default;
};

// What the profile holds; a value missing or not one of the codes keeps the
// design's choice (an unknown schedule caption too: 整点).
ChangerSettings LoadChangerSettings(SettingsStore& store);

enum class ChangerSetting { Mode, Schedule, IntervalText, Order, Position, StartWithProgram };
// Writes one setting's current value. The design mode is never written.
void SaveChangerSetting(SettingsStore& store, const ChangerSettings& settings, ChangerSetting which);
// "gh": 1 when timed changing starts, 0 when it is stopped.
void SaveChangingStarted(SettingsStore& store, bool started);

}  // namespace velmora::wallpaper
