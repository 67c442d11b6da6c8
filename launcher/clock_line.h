// The panel's clock line: "yyyy年mm月dd日", the weekday with a blank on each
// side, "hh:mm:ss" on the 24-hour clock, nothing else between them.
#pragma once

#include <string>

#include "platform/local_time.h"

namespace velmora::clock {

// The whole line, UTF-8, e.g. "2009年02月28日 星期六 14:05:09"; empty when
// the weekday is not 0 (Sunday) ... 6 (Saturday).
std::string ClockLine(const LocalTime& t);

}  // namespace velmora::clock
