// Local wall-clock time, as the system clock gives it. Rules that depend on
// the time take one of these as an argument, so tests can walk a whole day.
#pragma once

namespace velmora {

struct LocalTime {
    int year = 2000, month = 1, day = 1;  // month 1..12
    int hour = 0, minute = 0, second = 0;
    int weekday = 0;                      // 0 = Sunday ... 6 = Saturday
};

}  // namespace velmora
