// When timed changing changes the wallpaper: the five schedules and their
// captions, the change moments of the four clock schedules, the interval of
// the fifth, and the status texts. Time comes in as an argument, so tests can
// walk a whole day.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/local_time.h"

namespace velmora::wallpaper {

// In the order of the schedule box's list.
enum class Schedule { OnTheHour, HalfPast, QuarterHour, FiveMinutes, Interval };
inline constexpr int kScheduleCount = 5;

// The caption shown in the schedule box and stored in the profile ("sj"):
// "整点", "每半点", "每一刻钟", "每5分", "自定义".
std::string_view ScheduleCaption(Schedule schedule);
// The schedule of a caption; nullopt for any other text.
std::optional<Schedule> ScheduleFromCaption(std::string_view caption);

// Whether minute:second is a change moment of a clock schedule (second 0 of
// a matching minute). The interval schedule has none.
bool IsChangeMoment(Schedule schedule, int minute, int second);

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
    bool Tick(Schedule schedule, const LocalTime& now);

private:
    std::optional<int64_t> lastTick_;     // seconds, of the previous tick
    std::optional<int64_t> lastApplied_;  // seconds, of the last applied moment
};

// Whether a change moment of a clock schedule fell after `from` and before
// the minute of `to` began (seconds as SecondsOf gives them): one the
// program slept through. The moment of `to`'s own minute is ChangeClock's.
bool MomentMissedBetween(Schedule schedule, int64_t from, int64_t to);

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

// The message refusing an interval: the start button's, or the longer one
// of a start without a user watching (the program's start), which asks for
// the changer to be set up again. Empty for IntervalError::None.
std::string IntervalRefusalText(IntervalError error, bool fromStartButton);

// The status line while running: "正在更换桌面：" + caption + " 更换！" or
// "正在更换桌面：每隔" + interval text + "秒更换！".
std::string ClockStatusText(Schedule schedule);
std::string IntervalStatusText(std::string_view intervalText);

// The messages of the start button: caption + "  更换桌面！    " and
// "每隔" + interval text + "秒  开始定时更换桌面！".
std::string ClockStartMessage(Schedule schedule);
std::string IntervalStartMessage(std::string_view intervalText);

}  // namespace velmora::wallpaper
