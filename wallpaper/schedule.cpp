#include "wallpaper/schedule.h"

#include <array>

#include "platform/numbers.h"
#include "platform/units.h"

namespace velmora::wallpaper {

namespace {

constexpr std::array<std::string_view, kScheduleCount> kCaptions = {"整点", "每半点", "每一刻钟", "每5分",
                                                                    "自定义"};

}  // namespace

std::string_view ScheduleCaption(Schedule schedule) { return kCaptions[static_cast<size_t>(schedule)]; }

std::optional<Schedule> ScheduleFromCaption(std::string_view caption) {
    for (size_t i = 0; i < kCaptions.size(); ++i) {
        if (kCaptions[i] == caption) return static_cast<Schedule>(i);
    }
    return std::nullopt;
}

bool IsChangeMoment(Schedule schedule, int minute, int second) {
    if (second != 0 || minute < 0 || minute > 59) return false;
    switch (schedule) {
        case Schedule::OnTheHour:
            return minute == 0;
        case Schedule::HalfPast:
            return minute == 30;
        case Schedule::QuarterHour:
            return minute % 15 == 0;
        case Schedule::FiveMinutes:
            return minute % 5 == 0;
        case Schedule::Interval:
            break;
    }
    return false;
}

void ChangeClock::Reset() {
    lastTick_.reset();
    lastApplied_.reset();
}

bool ChangeClock::Tick(Schedule schedule, const LocalTime& now) {
    const int64_t t = SecondsOf(now);
    const int64_t moment = t - now.second;  // second 0 of this minute
    bool change = false;
    if (IsChangeMoment(schedule, now.minute, 0) && lastApplied_ != moment) {
        // The tick of second 0 itself, or the first tick after it when that
        // one was lost (a late timer) and the schedule already ran before the
        // moment. A start in the middle of the minute waits for the next one.
        change = now.second == 0 || (lastTick_ && *lastTick_ < moment);
    }
    if (change) lastApplied_ = moment;
    lastTick_ = t;
    return change;
}

bool MomentMissedBetween(Schedule schedule, int64_t from, int64_t to) {
    if (schedule == Schedule::Interval || to <= from) return false;
    // Minutes count from a midnight, so a minute's number modulo 60 is its
    // minute of the hour; every schedule repeats within an hour.
    const auto floorDiv = [](int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); };
    const int64_t first = floorDiv(from, 60) + 1, last = floorDiv(to, 60) - 1;
    for (int64_t minute = first; minute <= last && minute < first + 60; ++minute) {
        if (IsChangeMoment(schedule, static_cast<int>(((minute % 60) + 60) % 60), 0)) return true;
    }
    return false;
}

int64_t SecondsOf(const LocalTime& t) {
    // Days from 0000-03-01: years start in March so the leap day comes last.
    const int64_t y = t.year - (t.month <= 2 ? 1 : 0);
    const int64_t m = t.month <= 2 ? t.month + 9 : t.month - 3;  // March = 0
    const int64_t days = 365 * y + y / 4 - y / 100 + y / 400 + (153 * m + 2) / 5 + (t.day - 1);
    return ((days * 24 + t.hour) * 60 + t.minute) * 60 + t.second;
}

IntervalValue ParseInterval(std::string_view text) {
    // Blanks around the number are forgiven, as the conversion of a typed
    // number always forgave them; anything else that is not a plain decimal
    // number (no exponent) is refused like an interval below one second.
    const std::optional<double> value = ParseDecimal(text, false);
    if (!value) return {IntervalError::TooShort, 0};
    // Halves to even: 2.5 -> 2, 3.5 -> 4, 60.5 -> 60.
    const int rounded = RoundHalfEven(*value);
    if (rounded > 60) return {IntervalError::TooLong, 0};
    if (rounded < 1) return {IntervalError::TooShort, 0};
    return {IntervalError::None, rounded};
}

std::string IntervalRefusalText(IntervalError error, bool fromStartButton) {
    std::string text;
    switch (error) {
        case IntervalError::None:
            return {};
        case IntervalError::TooLong:
            text = "出错了！最大只能为60秒！";
            break;
        case IntervalError::TooShort:
            text = "出错了！最小只能为1秒！";
            break;
    }
    if (!fromStartButton) text += "请重新设置更换桌面功能！";
    return text;
}

std::string ClockStatusText(Schedule schedule) {
    return "正在更换桌面：" + std::string(ScheduleCaption(schedule)) + " 更换！";
}

std::string IntervalStatusText(std::string_view intervalText) {
    return "正在更换桌面：每隔" + std::string(intervalText) + "秒更换！";
}

std::string ClockStartMessage(Schedule schedule) {
    return std::string(ScheduleCaption(schedule)) + "  更换桌面！    ";
}

std::string IntervalStartMessage(std::string_view intervalText) {
    return "每隔" + std::string(intervalText) + "秒  开始定时更换桌面！";
}

}  // namespace velmora::wallpaper
