#include "wallpaper/schedule.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <vector>

namespace velmora::wallpaper {
namespace {

// Every minute of an hour that is a change moment of the choice.
std::set<int> MomentMinutes(std::string_view choice) {
    std::set<int> minutes;
    for (int m = 0; m < 60; ++m) {
        if (IsChangeMoment(choice, m, 0)) minutes.insert(m);
    }
    return minutes;
}

TEST(ChangeMoments, FollowTheScheduleTable) {
    EXPECT_EQ(MomentMinutes(kOnTheHour), (std::set<int>{0}));
    EXPECT_EQ(MomentMinutes(kHalfPast), (std::set<int>{30}));
    EXPECT_EQ(MomentMinutes(kQuarterHour), (std::set<int>{0, 15, 30, 45}));
    EXPECT_EQ(MomentMinutes(kFiveMinutes), (std::set<int>{0, 5, 10, 15, 20, 25, 30, 35, 40, 45, 50, 55}));
    for (std::string_view other : {kInterval, std::string_view(""), std::string_view("每10分"), std::string_view(" 整点")}) {
        EXPECT_TRUE(MomentMinutes(other).empty()) << other;
    }
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
    LocalTime t{2026, 12, day, 0, 0, 0};
    t.hour = static_cast<int>(secondsOfDay / 3600);
    t.minute = static_cast<int>(secondsOfDay / 60 % 60);
    t.second = static_cast<int>(secondsOfDay % 60);
    return t;
}

// Runs a clock schedule over one day with ticks at the given seconds of the
// day (ascending) and gives back the seconds at which it changed.
std::vector<int64_t> ChangesOver(std::string_view choice, const std::vector<int64_t>& ticks) {
    ChangeClock clock;
    clock.Reset();
    std::vector<int64_t> changes;
    for (int64_t t : ticks) {
        if (clock.Tick(choice, At(t))) changes.push_back(t);
    }
    return changes;
}

std::vector<int64_t> MomentsOfTheDay(std::string_view choice, int64_t from = 0, int64_t to = 86400) {
    std::vector<int64_t> moments;
    for (int64_t t = from; t < to; t += 60) {
        if (IsChangeMoment(choice, static_cast<int>(t / 60 % 60), 0)) moments.push_back(t);
    }
    return moments;
}

const std::string_view kClockChoices[] = {kOnTheHour, kHalfPast, kQuarterHour, kFiveMinutes};

TEST(ChangeClock, AWholeDayOfSteadyTicksChangesAtEveryMomentOnce) {
    std::vector<int64_t> ticks;
    for (int64_t t = 0; t < 86400; ++t) ticks.push_back(t);
    for (std::string_view choice : kClockChoices) {
        const auto changes = ChangesOver(choice, ticks);
        EXPECT_EQ(changes, MomentsOfTheDay(choice)) << choice;
    }
    EXPECT_EQ(ChangesOver(kFiveMinutes, ticks).size(), 288u);
    EXPECT_EQ(ChangesOver(kOnTheHour, ticks).size(), 24u);
    EXPECT_EQ(ChangesOver(kHalfPast, ticks).size(), 24u);
    EXPECT_EQ(ChangesOver(kQuarterHour, ticks).size(), 96u);
    EXPECT_TRUE(ChangesOver(kInterval, ticks).empty());
}

TEST(ChangeClock, AMissingTickOfSecondZeroIsMadeUpByTheNextTickOfThatMinute) {
    for (std::string_view choice : kClockChoices) {
        std::vector<int64_t> ticks;
        std::vector<int64_t> expected;
        for (int64_t t = 0; t < 86400; ++t) {
            if (t % 60 == 0) continue;  // the timer never lands on second 0
            ticks.push_back(t);
        }
        for (int64_t m : MomentsOfTheDay(choice)) {
            if (m > 0) expected.push_back(m + 1);  // midnight: no tick ran before it
        }
        EXPECT_EQ(ChangesOver(choice, ticks), expected) << choice;
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
    for (std::string_view choice : kClockChoices) {
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
        EXPECT_EQ(changes, expected) << choice;
        EXPECT_GE(changes.size(), MomentsOfTheDay(choice).size() * 9 / 10) << choice;
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
    EXPECT_EQ(SecondsOf({2024, 3, 1, 0, 0, 0}) - SecondsOf({2024, 2, 28, 23, 59, 59}), 86400 + 1);
    EXPECT_EQ(SecondsOf({2023, 3, 1, 0, 0, 0}) - SecondsOf({2023, 2, 28, 23, 59, 59}), 1);
    EXPECT_EQ(SecondsOf({2027, 1, 1, 0, 0, 0}) - SecondsOf({2026, 12, 31, 23, 59, 59}), 1);
    EXPECT_EQ(SecondsOf({2026, 1, 1, 0, 0, 0}) - SecondsOf({2025, 1, 1, 0, 0, 0}), 365 * 86400);
    EXPECT_EQ(SecondsOf({2001, 1, 1, 0, 0, 0}) - SecondsOf({2000, 1, 1, 0, 0, 0}), 366 * 86400);
    EXPECT_EQ(SecondsOf({2101, 1, 1, 0, 0, 0}) - SecondsOf({2100, 1, 1, 0, 0, 0}), 365 * 86400);
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
    for (const char* text : {"61", "60.6", "61.5", "100", "99999999999999999999999"}) {
        EXPECT_EQ(ParseInterval(text).error, IntervalError::TooLong) << text;
    }
    for (const char* text : {"0", "0.5", "0.4", ".5", "-1", "-0.4", "", "   ", "abc", "3o", "1e1", "0x10", "inf",
                             "nan", "1.2.3", "+", ".", "三十", "３０", "30秒", "1,5"}) {
        EXPECT_EQ(ParseInterval(text).error, IntervalError::TooShort) << text;
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
    EXPECT_EQ(ClockStatusText(""), "正在更换桌面： 更换！");
    EXPECT_EQ(IntervalStatusText("2.5"), "正在更换桌面：每隔2.5秒更换！");  // the text as typed
    EXPECT_EQ(IntervalStatusText("30"), "正在更换桌面：每隔30秒更换！");
}

TEST(AdvanceSelection, WalksTheListAndWrapsAround) {
    // Three pictures, nothing selected: first, second, third, first again.
    int selection = -1;
    std::vector<int> seen;
    for (int i = 0; i < 7; ++i) seen.push_back(selection = AdvanceSelection(selection, 3));
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 0, 1, 2, 0}));
    EXPECT_EQ(AdvanceSelection(1, 3), 2);  // the user clicked the second: the third comes next
    EXPECT_EQ(AdvanceSelection(-1, 1), 0);
    EXPECT_EQ(AdvanceSelection(0, 1), 0);
    EXPECT_EQ(AdvanceSelection(5, 3), 0);  // left over from a longer list
    EXPECT_EQ(AdvanceSelection(-1, 0), -1);
    EXPECT_EQ(AdvanceSelection(0, 0), -1);
}

TEST(RandomIndex, CoversTheListUniformlyAndStaysInside) {
    EXPECT_EQ(RandomIndex(1, 0.0), 0);
    EXPECT_EQ(RandomIndex(1, 0.999999), 0);
    EXPECT_EQ(RandomIndex(4, 0.0), 0);
    EXPECT_EQ(RandomIndex(4, 0.25), 1);
    EXPECT_EQ(RandomIndex(4, 0.7499), 2);
    EXPECT_EQ(RandomIndex(4, 0.99999999999999989), 3);
    EXPECT_EQ(RandomIndex(3, 1.0), 2);   // r out of range still lands inside
    EXPECT_EQ(RandomIndex(3, -0.5), 0);
    EXPECT_EQ(RandomIndex(0, 0.5), -1);
    // Equal shares of [0, 1) for each of 7 pictures.
    int counts[7] = {};
    for (int i = 0; i < 7000; ++i) ++counts[RandomIndex(7, i / 7000.0)];
    for (int c : counts) EXPECT_EQ(c, 1000);
}

TEST(StyleFor, TileStretchCentre) {
    EXPECT_EQ(StyleFor(Position::Tile).tile, "1");
    EXPECT_EQ(StyleFor(Position::Tile).style, "0");
    EXPECT_EQ(StyleFor(Position::Stretch).tile, "0");
    EXPECT_EQ(StyleFor(Position::Stretch).style, "2");
    EXPECT_EQ(StyleFor(Position::Centre).tile, "0");
    EXPECT_EQ(StyleFor(Position::Centre).style, "0");
    EXPECT_EQ(static_cast<int>(Position::Tile), 1);
    EXPECT_EQ(static_cast<int>(Position::Stretch), 2);
    EXPECT_EQ(static_cast<int>(Position::Centre), 3);
}

}  // namespace
}  // namespace velmora::wallpaper
