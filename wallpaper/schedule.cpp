#include "wallpaper/schedule.h"

#include <cmath>
#include <cstdlib>

namespace velmora::wallpaper {

bool IsChangeMoment(std::string_view choice, int minute, int second) {
    if (second != 0 || minute < 0 || minute > 59) return false;
    if (choice == kOnTheHour) return minute == 0;
    if (choice == kHalfPast) return minute == 30;
    if (choice == kQuarterHour) return minute % 15 == 0;
    if (choice == kFiveMinutes) return minute % 5 == 0;
    return false;
}

void ChangeClock::Reset() {
    lastTick_.reset();
    lastApplied_.reset();
}

bool ChangeClock::Tick(std::string_view choice, const LocalTime& now) {
    const int64_t t = SecondsOf(now);
    const int64_t moment = t - now.second;  // second 0 of this minute
    bool change = false;
    if (IsChangeMoment(choice, now.minute, 0) && lastApplied_ != moment) {
        // The tick of second 0 itself, or the first tick after it when that
        // one was lost (a late timer) and the schedule already ran before the
        // moment. A start in the middle of the minute waits for the next one.
        change = now.second == 0 || (lastTick_ && *lastTick_ < moment);
    }
    if (change) lastApplied_ = moment;
    lastTick_ = t;
    return change;
}

int64_t SecondsOf(const LocalTime& t) {
    // Days from 0000-03-01: years start in March so the leap day comes last.
    const int64_t y = t.year - (t.month <= 2 ? 1 : 0);
    const int64_t m = t.month <= 2 ? t.month + 9 : t.month - 3;  // March = 0
    const int64_t days = 365 * y + y / 4 - y / 100 + y / 400 + (153 * m + 2) / 5 + (t.day - 1);
    return ((days * 24 + t.hour) * 60 + t.minute) * 60 + t.second;
}

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A plain decimal number: optional sign, digits with at most one point, at
// least one digit. No exponent, no hexadecimal, no "inf".
bool IsPlainNumber(std::string_view s) {
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    bool digit = false, point = false;
    for (; i < s.size(); ++i) {
        if (IsDigit(s[i])) {
            digit = true;
        } else if (s[i] == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return digit;
}

}  // namespace

IntervalValue ParseInterval(std::string_view text) {
    // Blanks around the number are forgiven, as the conversion of a typed
    // number always forgave them; anything else that is not a number is
    // refused like an interval below one second.
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    if (!IsPlainNumber(text)) return {IntervalError::TooShort, 0};
    const double value = std::strtod(std::string(text).c_str(), nullptr);
    // Halves to even: 2.5 -> 2, 3.5 -> 4, 60.5 -> 60.
    const double whole = std::floor(value);
    const double fraction = value - whole;
    double rounded = whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0)) rounded = whole + 1;
    if (rounded > 60) return {IntervalError::TooLong, 0};
    if (rounded < 1) return {IntervalError::TooShort, 0};
    return {IntervalError::None, static_cast<int>(rounded)};
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

std::string ClockStatusText(std::string_view choice) {
    return "正在更换桌面：" + std::string(choice) + " 更换！";
}

std::string IntervalStatusText(std::string_view intervalText) {
    return "正在更换桌面：每隔" + std::string(intervalText) + "秒更换！";
}

int AdvanceSelection(int selection, int count) {
    if (count <= 0) return -1;
    // The last entry wraps to the first; so does a selection left over from
    // a longer list.
    if (selection < -1 || selection + 1 >= count) return 0;
    return selection + 1;
}

int RandomIndex(int count, double r) {
    if (count <= 0) return -1;
    if (!(r >= 0)) r = 0;  // also NaN
    const double scaled = std::floor(static_cast<double>(count) * r);
    if (scaled >= count) return count - 1;
    return static_cast<int>(scaled);
}

StyleValues StyleFor(Position position) {
    switch (position) {
    case Position::Tile:
        return {"1", "0"};
    case Position::Stretch:
        return {"0", "2"};
    case Position::Centre:
        break;
    }
    return {"0", "0"};
}

}  // namespace velmora::wallpaper
