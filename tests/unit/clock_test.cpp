#include "launcher/clock.h"

#include <gtest/gtest.h>

namespace velmora::clock {
namespace {

TEST(ClockLine, FormatsDateWeekdayAndTime) {
    const struct {
        LocalTime t;
        const char* line;
    } cases[] = {
        {{2009, 2, 28, 6, 14, 5, 9}, "2009年02月28日 星期六 14:05:09"},
        {{2009, 2, 8, 0, 9, 5, 3}, "2009年02月08日 星期日 09:05:03"},   // leading zeros
        {{2009, 12, 31, 4, 13, 0, 0}, "2009年12月31日 星期四 13:00:00"},  // 24-hour clock
        {{2010, 1, 1, 5, 0, 0, 0}, "2010年01月01日 星期五 00:00:00"},     // midnight
        {{2024, 11, 30, 6, 23, 59, 59}, "2024年11月30日 星期六 23:59:59"},
        {{987, 7, 4, 3, 12, 0, 0}, "0987年07月04日 星期三 12:00:00"},     // four-digit year
    };
    for (const auto& c : cases) EXPECT_EQ(ClockLine(c.t), c.line);
}

TEST(ClockLine, NamesEveryWeekdayWithABlankEachSide) {
    const char* const names[] = {
        " 星期日 ", " 星期一 ", " 星期二 ", " 星期三 ", " 星期四 ", " 星期五 ", " 星期六 ",
    };
    // 1-7 March 2009 ran from Sunday to Saturday.
    for (int weekday = 0; weekday < 7; ++weekday) {
        EXPECT_EQ(WeekdayText(weekday), names[weekday]) << weekday;
        const LocalTime t{2009, 3, 1 + weekday, weekday, 8, 30, 0};
        EXPECT_EQ(ClockLine(t), std::string("2009年03月0") + std::to_string(1 + weekday) + "日" + names[weekday] +
                                    "08:30:00");
    }
}

TEST(ClockLine, WeekdayOutOfRangeGivesNothing) {
    for (int weekday : {-1, 7, 100}) {
        EXPECT_EQ(WeekdayText(weekday), "") << weekday;
        EXPECT_EQ(ClockLine({2009, 2, 28, weekday, 14, 5, 9}), "") << weekday;
    }
}

}  // namespace
}  // namespace velmora::clock
