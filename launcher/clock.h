// The panel's clock line: "yyyy年mm月dd日", the weekday with a blank on each
// side, "hh:mm:ss" on the 24-hour clock, nothing else between them.
#pragma once

#include <string>

namespace velmora::clock {

struct LocalTime {
    int year = 0, month = 0, day = 0;
    int weekday = 0;  // 0 = Sunday ... 6 = Saturday (as SYSTEMTIME and struct tm count)
    int hour = 0, minute = 0, second = 0;
};

// " 星期日 " ... " 星期六 " for weekday 0 ... 6 (UTF-8).
std::string WeekdayText(int weekday);

// The whole line, UTF-8, e.g. "2009年02月28日 星期六 14:05:09".
std::string ClockLine(const LocalTime& t);

}  // namespace velmora::clock
