#include "launcher/clock_line.h"

#include <gtest/gtest.h>

#include <string>

namespace velmora::clock {
namespace {

TEST(ClockLine, FormatsDateWeekdayAndTime) {
    const struct {
        LocalTime t;
        const char* line;
    } cases[] = {
        {{.year = 2009, .month = 2, .day = 28, .hour = 14, .minute = 5, .second = 9, .weekday = 6},
         "2009年02月28日 星期六 14:05:09"},
        // Leading zeros on every field.
        {{.year = 2009, .month = 2, .day = 8, .hour = 9, .minute = 5, .second = 3, .weekday = 0},
         "2009年02月08日 星期日 09:05:03"},
        // The 24-hour clock: 13, not 01.
        {{.year = 2009, .month = 12, .day = 31, .hour = 13, .minute = 0, .second = 0, .weekday = 4},
         "2009年12月31日 星期四 13:00:00"},
        {{.year = 2010, .month = 1, .day = 1, .hour = 0, .minute = 0, .second = 0, .weekday = 5},
         "2010年01月01日 星期五 00:00:00"},
        {{.year = 2024, .month = 11, .day = 30, .hour = 23, .minute = 59, .second = 59, .weekday = 6},
         "2024年11月30日 星期六 23:59:59"},
        // Four digits of year, always.
        {{.year = 987, .month = 7, .day = 4, .hour = 12, .minute = 0, .second = 0, .weekday = 3},
         "0987年07月04日 星期三 12:00:00"},
    };
    for (const auto& c : cases) EXPECT_EQ(ClockLine(c.t), c.line);
}

TEST(ClockLine, NamesEveryWeekdayWithABlankEachSide) {
    const char* const names[] = {
        " 星期日 ", " 星期一 ", " 星期二 ", " 星期三 ", " 星期四 ", " 星期五 ", " 星期六 ",
    };
    // 1-7 March 2009 ran from Sunday to Saturday.
    for (int weekday = 0; weekday < 7; ++weekday) {
        const LocalTime t{.year = 2009, .month = 3, .day = 1 + weekday, .hour = 8, .minute = 30, .second = 0,
                          .weekday = weekday};
        EXPECT_EQ(ClockLine(t), std::string("2009年03月0") + std::to_string(1 + weekday) + "日" + names[weekday] +
                                    "08:30:00");
    }
}

TEST(ClockLine, WeekdayOutOfRangeGivesNothing) {
    for (int weekday : {-1, 7, 100}) {
        const LocalTime t{.year = 2009, .month = 2, .day = 28, .hour = 14, .minute = 5, .second = 9,
                          .weekday = weekday};
        EXPECT_EQ(ClockLine(t), "") << weekday;
    }
}

}  // namespace
}  // namespace velmora::clock
