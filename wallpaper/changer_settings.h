// The wallpaper changer's settings as the user chose them, and the one place
// that knows how they are kept in the profile: "xz" the mode (1 timed, 3
// immediate), "sj" the schedule's caption, "zdy" the interval text, "sx" the
// order (1 sequential, 2 random), "wz" the position (1 tile, 2 stretch, 3
// centre, 4 fill, 5 fit), "qhzm" the start with the program (1 or 0), "gh"
// whether timed changing was last started (1) or stopped (0), and "mgxsq"
// whether each monitor gets a picture of its own (missing: it does).
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

// The "wz" codes. Fill covers the monitor keeping the proportions, cut
// evenly; Fit shows the whole picture, the rest in the background colour.
enum class Position { Tile = 1, Stretch = 2, Centre = 3, Fill = 4, Fit = 5 };
inline constexpr int kPositionCount = 5;

// "TileWallpaper" and "WallpaperStyle" for a position, as the desktop is
// handed a picture at its own size; a bitmap the program composed for the
// monitors itself is always handed over tiled (TiledStyle).
struct StyleValues {
    std::string_view tile;
    std::string_view style;
};
StyleValues StyleFor(Position position);
inline constexpr StyleValues kTiledStyle{"1", "0"};

struct ChangerSettings {
    ChangeMode mode = ChangeMode::Design;
    Schedule schedule = Schedule::OnTheHour;
    std::string intervalText = "30";  // as typed: the status line repeats it
    Order order = Order::Sequential;
    Position position = Position::Centre;
    bool startWithProgram = false;
    bool picturePerMonitor = true;
    friend bool operator==(const ChangerSettings&, const ChangerSettings&) = default;
};

// What the profile holds; a value missing or not one of the codes keeps the
// design's choice (an unknown schedule caption too: 整点).
ChangerSettings LoadChangerSettings(SettingsStore& store);

enum class ChangerSetting { Mode, Schedule, IntervalText, Order, Position, StartWithProgram, PicturePerMonitor };
// Writes one setting's current value. The design mode is never written.
void SaveChangerSetting(SettingsStore& store, const ChangerSettings& settings, ChangerSetting which);
// "gh": 1 when timed changing starts, 0 when it is stopped.
void SaveChangingStarted(SettingsStore& store, bool started);

}  // namespace velmora::wallpaper
