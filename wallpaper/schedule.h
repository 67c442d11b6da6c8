// The rotation scheduler's rules that need no window: the change moments of
// the clock schedules, the interval, the status texts, the wrap-around of
// the list selection and the random pick. Time comes in as an argument, so
// tests can walk a whole day.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velmora::wallpaper {

// The schedule choices of Combo1, in the order of its list.
inline constexpr std::string_view kOnTheHour = "整点";
inline constexpr std::string_view kHalfPast = "每半点";
inline constexpr std::string_view kQuarterHour = "每一刻钟";
inline constexpr std::string_view kFiveMinutes = "每5分";
inline constexpr std::string_view kInterval = "自定义";

// Local wall-clock time, as the system clock gives it.
struct LocalTime {
    int year = 2000, month = 1, day = 1;  // month 1..12
    int hour = 0, minute = 0, second = 0;
};

// Whether minute:second is a change moment of the clock schedule `choice`
// (second 0 of a matching minute). Any other text, "自定义" included, never.
bool IsChangeMoment(std::string_view choice, int minute, int second);

// Decides, tick by tick, when a clock schedule changes the wallpaper. A
// change moment is applied by the tick inside its second 0; when that tick
// is missing (a late timer), the first tick later in the same minute
// applies it, provided the schedule was already running before the moment.
// Each moment is applied at most once.
class ChangeClock {
public:
    // A new start: no tick seen yet.
    void Reset();
    // The tick at `now`: true when the wallpaper is to change now.
    bool Tick(std::string_view choice, const LocalTime& now);

private:
    std::optional<int64_t> lastTick_;     // seconds, of the previous tick
    std::optional<int64_t> lastApplied_;  // seconds, of the last applied moment
};

// Seconds from 0000-03-01 (proleptic Gregorian), for ordering times.
int64_t SecondsOf(const LocalTime& t);

// The interval text converted as the timer needs it: rounded to the
// nearest whole number, halves to even.
enum class IntervalError { None, TooLong, TooShort };  // TooShort: below 1 s, empty or not a number
struct IntervalValue {
    IntervalError error = IntervalError::None;
    int seconds = 0;  // valid when error is None: 1..60
};
IntervalValue ParseInterval(std::string_view text);

// The message refusing an interval: the start button's, or the longer one of
// ghzmm, the start without a user watching, which asks for the changer to be
// set up again. Empty for IntervalError::None.
std::string IntervalRefusalText(IntervalError error, bool fromStartButton);

// Label4 while running: "正在更换桌面：" + choice + " 更换！" or
// "正在更换桌面：每隔" + interval text + "秒更换！".
std::string ClockStatusText(std::string_view choice);
std::string IntervalStatusText(std::string_view intervalText);

// AdvanceSelection: the next selection of a list of `count` entries (the
// last wraps to the first; -1 becomes 0).
int AdvanceSelection(int selection, int count);

// The random pick: index floor(count * r) for r in [0, 1), kept inside
// 0..count-1.
int RandomIndex(int count, double r);

// Position options and the values written for them: TileWallpaper and
// WallpaperStyle.
enum class Position { Tile = 1, Stretch = 2, Centre = 3 };  // the "wz" codes
struct StyleValues {
    std::string_view tile;
    std::string_view style;
};
StyleValues StyleFor(Position position);

}  // namespace velmora::wallpaper
