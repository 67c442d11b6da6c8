#include "wallpaper/schedule.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <vector>

namespace velmora::wallpaper {
namespace {

constexpr Schedule kOnTheHour = Schedule::OnTheHour, kHalfPast = Schedule::HalfPast,
                   kQuarterHour = Schedule::QuarterHour, kFiveMinutes = Schedule::FiveMinutes,
                   kInterval = Schedule::Interval;

// Every minute of an hour that is a change moment of the schedule.
std::set<int> MomentMinutes(Schedule schedule) {
    std::set<int> minutes;
    for (int m = 0; m < 60; ++m) {
        if (IsChangeMoment(schedule, m, 0)) minutes.insert(m);
    }
    return minutes;
}

TEST(Schedules, EachCaptionReadsBackAsItsScheduleAndNothingElseDoes) {
    for (int i = 0; i < kScheduleCount; ++i) {
        const auto schedule = static_cast<Schedule>(i);
        EXPECT_EQ(ScheduleFromCaption(ScheduleCaption(schedule)), schedule);
    }
    for (const char* other : {"", "每10分", " 整点", "整点 ", "自定"}) {
        EXPECT_FALSE(ScheduleFromCaption(other).has_value()) << other;
    }
}

TEST(ChangeMoments, FollowTheScheduleTable) {
    EXPECT_EQ(MomentMinutes(kOnTheHour), (std::set<int>{0}));
    EXPECT_EQ(MomentMinutes(kHalfPast), (std::set<int>{30}));
    EXPECT_EQ(MomentMinutes(kQuarterHour), (std::set<int>{0, 15, 30, 45}));
    EXPECT_EQ(MomentMinutes(kFiveMinutes), (std::set<int>{0, 5, 10, 15, 20, 25, 30, 35, 40, 45, 50, 55}));
    EXPECT_TRUE(MomentMinutes(kInterval).empty());
}

TEST(ChangeMoments, OnlySecondZero) {
    for (int s = 1; s < 60; ++s) {
        EXPECT_FALSE(IsChangeMoment(kFiveMinutes, 45, s));
        EXPECT_FALSE(IsChangeMoment(kOnTheHour, 0, s));
    }
    EXPECT_TRUE(IsChangeMoment(kQuarterHour, 45, 0));
    EXPECT_FALSE(IsChangeMoment(kQuarterHour, 46, 0));
    EXPECT_FALSE(IsChangeMoment(kHalfPast, 0, 0));  // half past only, not the hour
    EXPECT_FALSE(IsChangeMoment(kFiveMinutes, 60, 0));
}

LocalTime At(int64_t secondsOfDay, int day = 9) {
    return {.year = 2026,
            .month = 12,
            .day = day,
            .hour = static_cast<int>(secondsOfDay / 3600),
            .minute = static_cast<int>(secondsOfDay / 60 % 60),
            .second = static_cast<int>(secondsOfDay % 60)};
}

LocalTime Date(int year, int month, int day, int hour, int minute, int second) {
    return {.year = year, .month = month, .day = day, .hour = hour, .minute = minute, .second = second};
}

// Runs a clock schedule over one day with ticks at the given seconds of the
// day (ascending) and gives back the seconds at which it changed.
std::vector<int64_t> ChangesOver(Schedule choice, const std::vector<int64_t>& ticks) {
    ChangeClock clock;
    clock.Reset();
    std::vector<int64_t> changes;
    for (int64_t t : ticks) {
        if (clock.Tick(choice, At(t))) changes.push_back(t);
    }
    return changes;
}

std::vector<int64_t> MomentsOfTheDay(Schedule choice, int64_t from = 0, int64_t to = 86400) {
    std::vector<int64_t> moments;
    for (int64_t t = from; t < to; t += 60) {
        if (IsChangeMoment(choice, static_cast<int>(t / 60 % 60), 0)) moments.push_back(t);
    }
    return moments;
}

const Schedule kClockChoices[] = {kOnTheHour, kHalfPast, kQuarterHour, kFiveMinutes};

TEST(ChangeClock, AWholeDayOfSteadyTicksChangesAtEveryMomentOnce) {
    std::vector<int64_t> ticks;
    for (int64_t t = 0; t < 86400; ++t) ticks.push_back(t);
    for (Schedule choice : kClockChoices) {
        const auto changes = ChangesOver(choice, ticks);
        EXPECT_EQ(changes, MomentsOfTheDay(choice)) << ScheduleCaption(choice);
    }
    EXPECT_EQ(ChangesOver(kFiveMinutes, ticks).size(), 288u);
    EXPECT_EQ(ChangesOver(kOnTheHour, ticks).size(), 24u);
    EXPECT_EQ(ChangesOver(kHalfPast, ticks).size(), 24u);
    EXPECT_EQ(ChangesOver(kQuarterHour, ticks).size(), 96u);
    EXPECT_TRUE(ChangesOver(kInterval, ticks).empty());
}

TEST(ChangeClock, AMissingTickOfSecondZeroIsMadeUpByTheNextTickOfThatMinute) {
    for (Schedule choice : kClockChoices) {
        std::vector<int64_t> ticks;
        std::vector<int64_t> expected;
        for (int64_t t = 0; t < 86400; ++t) {
            if (t % 60 == 0) continue;  // the timer never lands on second 0
            ticks.push_back(t);
        }
        for (int64_t m : MomentsOfTheDay(choice)) {
            if (m > 0) expected.push_back(m + 1);  // midnight: no tick ran before it
        }
        EXPECT_EQ(ChangesOver(choice, ticks), expected) << ScheduleCaption(choice);
    }
}

TEST(ChangeClock, IrregularTicksChangeOncePerMomentAndOnlyInsideItsMinute) {
    // Ticks that drift: gaps of 1 to 3 seconds, sometimes two in the same
    // second, now and then a gap of several seconds.
    std::vector<int64_t> ticks;
    uint32_t seed = 12345;
    for (int64_t t = 3; t < 86400;) {
        ticks.push_back(t);
        seed = seed * 1103515245 + 12345;
        const uint32_t r = (seed >> 16) % 100;
        t += r < 5 ? 0 : r < 80 ? 1 : r < 95 ? 2 : 7;
    }
    for (Schedule choice : kClockChoices) {
        const auto changes = ChangesOver(choice, ticks);
        // Exactly one change per moment whose minute received a tick, made by
        // that minute's first tick.
        std::vector<int64_t> expected;
        for (int64_t m : MomentsOfTheDay(choice)) {
            for (int64_t t : ticks) {
                if (t >= m && t < m + 60) {
                    if (t > ticks.front()) expected.push_back(t);
                    break;
                }
            }
        }
        EXPECT_EQ(changes, expected) << ScheduleCaption(choice);
        EXPECT_GE(changes.size(), MomentsOfTheDay(choice).size() * 9 / 10) << ScheduleCaption(choice);
    }
}

TEST(ChangeClock, AStartInsideAMatchingMinuteWaitsForTheNextMoment) {
    ChangeClock clock;
    clock.Reset();
    // Started at 10:15:20 with "每一刻钟": nothing until 10:30:00.
    std::vector<int64_t> changes;
    for (int64_t t = 10 * 3600 + 15 * 60 + 20; t <= 10 * 3600 + 31 * 60; ++t) {
        if (clock.Tick(kQuarterHour, At(t))) changes.push_back(t);
    }
    EXPECT_EQ(changes, (std::vector<int64_t>{10 * 3600 + 30 * 60}));
}

TEST(ChangeClock, AStartExactlyAtSecondZeroChanges) {
    ChangeClock clock;
    clock.Reset();
    EXPECT_TRUE(clock.Tick(kOnTheHour, At(11 * 3600)));
    EXPECT_FALSE(clock.Tick(kOnTheHour, At(11 * 3600 + 1)));
}

TEST(ChangeClock, TwoTicksInsideSecondZeroChangeOnce) {
    ChangeClock clock;
    clock.Reset();
    EXPECT_FALSE(clock.Tick(kHalfPast, At(10 * 3600 + 29 * 60 + 59)));
    EXPECT_TRUE(clock.Tick(kHalfPast, At(10 * 3600 + 30 * 60)));
    EXPECT_FALSE(clock.Tick(kHalfPast, At(10 * 3600 + 30 * 60)));
    EXPECT_FALSE(clock.Tick(kHalfPast, At(10 * 3600 + 30 * 60 + 1)));
}

TEST(ChangeClock, AClockSetBackAcrossAnAppliedMomentDoesNotApplyItAgain) {
    ChangeClock clock;
    clock.Reset();
    const int64_t moment = 10 * 3600 + 45 * 60;
    EXPECT_FALSE(clock.Tick(kQuarterHour, At(moment - 1)));
    EXPECT_TRUE(clock.Tick(kQuarterHour, At(moment)));
    EXPECT_FALSE(clock.Tick(kQuarterHour, At(moment - 5)));
    EXPECT_FALSE(clock.Tick(kQuarterHour, At(moment)));
    EXPECT_FALSE(clock.Tick(kQuarterHour, At(moment + 1)));  // 10:45:01: nothing
}

TEST(ChangeClock, ResetForgetsTheRunBefore) {
    ChangeClock clock;
    clock.Reset();
    const int64_t moment = 12 * 3600;
    EXPECT_FALSE(clock.Tick(kOnTheHour, At(moment - 1)));
    clock.Reset();  // stopped and started again inside the matching minute
    EXPECT_FALSE(clock.Tick(kOnTheHour, At(moment + 2)));
}

TEST(ChangeClock, TheMomentAcrossMidnightIsTheNextDays) {
    ChangeClock clock;
    clock.Reset();
    EXPECT_FALSE(clock.Tick(kOnTheHour, At(86399, 9)));
    EXPECT_TRUE(clock.Tick(kOnTheHour, At(1, 10)));  // 00:00:00 was missed
    EXPECT_FALSE(clock.Tick(kOnTheHour, At(2, 10)));
}

TEST(SecondsOf, CountsContinuouslyAcrossMonthsYearsAndLeapDays) {
    EXPECT_EQ(SecondsOf(Date(2024, 3, 1, 0, 0, 0)) - SecondsOf(Date(2024, 2, 28, 23, 59, 59)), 86400 + 1);
    EXPECT_EQ(SecondsOf(Date(2023, 3, 1, 0, 0, 0)) - SecondsOf(Date(2023, 2, 28, 23, 59, 59)), 1);
    EXPECT_EQ(SecondsOf(Date(2027, 1, 1, 0, 0, 0)) - SecondsOf(Date(2026, 12, 31, 23, 59, 59)), 1);
    EXPECT_EQ(SecondsOf(Date(2026, 1, 1, 0, 0, 0)) - SecondsOf(Date(2025, 1, 1, 0, 0, 0)), 365 * 86400);
    EXPECT_EQ(SecondsOf(Date(2001, 1, 1, 0, 0, 0)) - SecondsOf(Date(2000, 1, 1, 0, 0, 0)), 366 * 86400);
    EXPECT_EQ(SecondsOf(Date(2101, 1, 1, 0, 0, 0)) - SecondsOf(Date(2100, 1, 1, 0, 0, 0)), 365 * 86400);
}

TEST(Interval, RoundsHalvesToEven) {
    const struct {
        const char* text;
        int seconds;
    } ok[] = {
        {"30", 30}, {"60", 60}, {"1", 1}, {"2.5", 2}, {"3.5", 4}, {"1.5", 2}, {"60.4", 60},
        {"60.5", 60}, {"0.6", 1}, {"2.49", 2}, {"2.51", 3}, {"  45 ", 45}, {"\t7", 7}, {"+5", 5}, {"5.", 5},
        {"007", 7},
    };
    for (const auto& c : ok) {
        const IntervalValue v = ParseInterval(c.text);
        EXPECT_EQ(v.error, IntervalError::None) << c.text;
        EXPECT_EQ(v.seconds, c.seconds) << c.text;
    }
}

TEST(Interval, RefusesOverSixtyAndUnderOneAndNonNumbers) {
    for (const char* text : {"61", "60.6", "61.5", "100", "99999999999999999999999", "1e3", "1E2秒", "６１", "1e999"}) {
        EXPECT_EQ(ParseInterval(text).error, IntervalError::TooLong) << text;
    }
    for (const char* text : {"0", "0.5", "0.4", ".5", "-1", "-0.4", "", "   ", "abc", "0x10", "inf", "nan", "+",
                             ".", "三十", "秒30", "-1e999", "e5", "\xEF\xBC\x90"}) {
        EXPECT_EQ(ParseInterval(text).error, IntervalError::TooShort) << text;
    }
}

// The number a text starts with is the interval: the label "秒" invites
// "30秒", and a Chinese input method types full-width digits.
TEST(Interval, ReadsTheLeadingNumberInHalfOrFullWidthDigits) {
    const struct {
        const char* text;
        int seconds;
    } ok[] = {{"30秒", 30}, {"３０", 30}, {"\xE3\x80\x80３０秒", 30}, {"１５．５", 16}, {"3o", 3}, {"1e1", 10},
              {"1.2.3", 1}, {"1,5", 1}, {"2e", 2}, {"5 秒", 5}, {"４5", 45}, {"＋７", 7}};
    for (const auto& c : ok) {
        const IntervalValue v = ParseInterval(c.text);
        EXPECT_EQ(v.error, IntervalError::None) << c.text;
        EXPECT_EQ(v.seconds, c.seconds) << c.text;
    }
}

TEST(Interval, RefusalMessages) {
    EXPECT_EQ(IntervalRefusalText(IntervalError::TooLong, true), "出错了！最大只能为60秒！");
    EXPECT_EQ(IntervalRefusalText(IntervalError::TooLong, false), "出错了！最大只能为60秒！请重新设置更换桌面功能！");
    EXPECT_EQ(IntervalRefusalText(IntervalError::TooShort, true), "出错了！最小只能为1秒！");
    EXPECT_EQ(IntervalRefusalText(IntervalError::TooShort, false), "出错了！最小只能为1秒！请重新设置更换桌面功能！");
    EXPECT_EQ(IntervalRefusalText(IntervalError::None, true), "");
}

TEST(StatusTexts, ClockAndInterval) {
    EXPECT_EQ(ClockStatusText(kQuarterHour), "正在更换桌面：每一刻钟 更换！");
    EXPECT_EQ(IntervalStatusText("2.5"), "正在更换桌面：每隔2.5秒更换！");  // the text as typed
    EXPECT_EQ(IntervalStatusText("30"), "正在更换桌面：每隔30秒更换！");
}

TEST(StartMessages, ClockAndInterval) {
    EXPECT_EQ(ClockStartMessage(kFiveMinutes), "每5分  更换桌面！    ");
    EXPECT_EQ(IntervalStartMessage("2.5"), "每隔2.5秒  开始定时更换桌面！");
}

}  // namespace
}  // namespace velmora::wallpaper

namespace velmora::wallpaper {
namespace {

TEST(MomentMissedBetween, FindsAMomentSleptThroughButNotTheOneOfTheMinuteOfWaking) {
    const auto at = [](int day, int h, int m, int s) {
        return SecondsOf({.year = 2026, .month = 12, .day = day, .hour = h, .minute = m, .second = s});
    };
    EXPECT_TRUE(MomentMissedBetween(Schedule::FiveMinutes, at(9, 9, 5, 1), at(9, 9, 11, 0)));  // 9:10
    EXPECT_FALSE(MomentMissedBetween(Schedule::FiveMinutes, at(9, 9, 5, 1), at(9, 9, 10, 30)));  // ChangeClock's
    EXPECT_FALSE(MomentMissedBetween(Schedule::FiveMinutes, at(9, 9, 5, 0), at(9, 9, 9, 59)));
    EXPECT_FALSE(MomentMissedBetween(Schedule::HalfPast, at(9, 9, 31, 0), at(9, 10, 29, 0)));
    EXPECT_TRUE(MomentMissedBetween(Schedule::HalfPast, at(9, 9, 31, 0), at(9, 10, 31, 0)));
    EXPECT_TRUE(MomentMissedBetween(Schedule::OnTheHour, at(9, 23, 59, 30), at(10, 0, 1, 0)));  // across midnight
    EXPECT_TRUE(MomentMissedBetween(Schedule::OnTheHour, at(1, 8, 0, 0), at(9, 8, 0, 30)));    // days asleep
    EXPECT_FALSE(MomentMissedBetween(Schedule::Interval, at(1, 8, 0, 0), at(9, 8, 0, 30)));
    EXPECT_FALSE(MomentMissedBetween(Schedule::QuarterHour, at(9, 9, 20, 0), at(9, 9, 10, 0)));  // clock set back
}

}  // namespace
}  // namespace velmora::wallpaper
