#include "launcher/clock_line.h"

#include <cstdio>

namespace velmora::clock {

namespace {

constexpr const char* kWeekdays[] = {
    " 星期日 ", " 星期一 ", " 星期二 ", " 星期三 ", " 星期四 ", " 星期五 ", " 星期六 ",
};

}  // namespace

// A weekday outside 0..6 means the time did not come from the system clock;
// the whole line is then empty rather than a date and time run together.
std::string ClockLine(const LocalTime& t) {
    if (t.weekday < 0 || t.weekday >= 7) return {};
    // Each "%d" is at most 11 bytes, so even nonsense fields cannot
    // overflow this buffer; snprintf would cut the line rather than overrun.
    char date[64];
    char time[64];
    std::snprintf(date, sizeof date, "%04d年%02d月%02d日", t.year, t.month, t.day);
    std::snprintf(time, sizeof time, "%02d:%02d:%02d", t.hour, t.minute, t.second);
    return std::string(date) + kWeekdays[t.weekday] + time;
}

}  // namespace velmora::clock
