#include "wallpaper/changer_rules.h"

#include <gtest/gtest.h>

namespace velmora::wallpaper {
namespace {

struct Buttons {
    bool start, stop, changeNow;
    friend bool operator==(const Buttons&, const Buttons&) = default;
};
Buttons ButtonsOf(const ControlStates& c) { return {c.startEnabled, c.stopEnabled, c.changeNowEnabled}; }
std::ostream& operator<<(std::ostream& out, const Buttons& b) {
    return out << "start " << b.start << ", stop " << b.stop << ", change now " << b.changeNow;
}
constexpr Buttons kAll{true, true, true}, kIdle{true, true, false}, kRunning{false, true, false},
    kImmediate{false, false, true};

ChangerSettings WithMode(ChangeMode mode, Schedule schedule = Schedule::OnTheHour) {
    ChangerSettings settings;
    settings.mode = mode;
    settings.schedule = schedule;
    return settings;
}

TEST(ChangerRules, TheDesignStateEnablesEveryButtonAndHidesTheSchedule) {
    const ControlStates c = ControlsFor(WithMode(ChangeMode::Design, Schedule::Interval), RunState{});
    EXPECT_EQ(ButtonsOf(c), kAll);
    EXPECT_TRUE(c.timedSelected);
    EXPECT_FALSE(c.scheduleShown);
    EXPECT_FALSE(c.intervalShown);
    EXPECT_FALSE(c.secondsShown);
    EXPECT_TRUE(c.startWithProgramEnabled);
}

TEST(ChangerRules, TimedModeIdleShowsTheScheduleAndTheIntervalOnlyForItsSchedule) {
    const ControlStates clock = ControlsFor(WithMode(ChangeMode::Timed, Schedule::QuarterHour), RunState{});
    EXPECT_EQ(ButtonsOf(clock), kIdle);
    EXPECT_TRUE(clock.scheduleShown);
    EXPECT_TRUE(clock.scheduleEnabled);
    EXPECT_FALSE(clock.intervalShown);
    const ControlStates interval = ControlsFor(WithMode(ChangeMode::Timed, Schedule::Interval), RunState{});
    EXPECT_TRUE(interval.intervalShown);
    EXPECT_TRUE(interval.secondsShown);
}

TEST(ChangerRules, TimedModeRunningLocksTheChoiceOfAClockScheduleOnly) {
    const ChangerSettings clock = WithMode(ChangeMode::Timed, Schedule::FiveMinutes);
    RunState run;
    MarkStarted(run, clock.schedule, clock.intervalText);
    EXPECT_EQ(run.statusText, "正在更换桌面：每5分 更换！");
    EXPECT_EQ(ButtonsOf(ControlsFor(clock, run)), kRunning);
    EXPECT_FALSE(ControlsFor(clock, run).scheduleEnabled);

    ChangerSettings interval = WithMode(ChangeMode::Timed, Schedule::Interval);
    interval.intervalText = "2.5";
    RunState runInterval;
    MarkStarted(runInterval, interval.schedule, interval.intervalText);
    EXPECT_EQ(runInterval.statusText, "正在更换桌面：每隔2.5秒更换！");
    EXPECT_EQ(ButtonsOf(ControlsFor(interval, runInterval)), kRunning);
    EXPECT_TRUE(ControlsFor(interval, runInterval).scheduleEnabled);

    MarkStopped(runInterval);
    EXPECT_EQ(runInterval.statusText, "");
    EXPECT_EQ(ButtonsOf(ControlsFor(interval, runInterval)), kIdle);
}

TEST(ChangerRules, ImmediateModeHidesTheScheduleAndOnlyChangesNow) {
    const ControlStates c = ControlsFor(WithMode(ChangeMode::Immediate, Schedule::Interval), RunState{});
    EXPECT_EQ(ButtonsOf(c), kImmediate);
    EXPECT_FALSE(c.timedSelected);
    EXPECT_FALSE(c.scheduleShown);
    EXPECT_FALSE(c.intervalShown);
    EXPECT_FALSE(c.startWithProgramEnabled);
}

TEST(ChangerRules, ChoosingImmediateWhileRunningLeavesNoStopUntilTimedIsChosenAgain) {
    ChangerSettings settings = WithMode(ChangeMode::Timed, Schedule::FiveMinutes);
    RunState run;
    MarkStarted(run, settings.schedule, settings.intervalText);
    settings.mode = ChangeMode::Immediate;
    MarkChoice(run);
    EXPECT_EQ(ButtonsOf(ControlsFor(settings, run)), kImmediate);
    EXPECT_EQ(run.status, RunStatus::ClockSchedule);  // it runs on
    settings.mode = ChangeMode::Timed;
    MarkChoice(run);
    EXPECT_EQ(ButtonsOf(ControlsFor(settings, run)), kRunning);
}

TEST(ChangerRules, ANewScheduleChoiceLeavesTheStatusAndTheButtons) {
    ChangerSettings settings = WithMode(ChangeMode::Timed, Schedule::Interval);
    RunState run;
    MarkStarted(run, settings.schedule, settings.intervalText);
    settings.schedule = Schedule::OnTheHour;
    MarkChoice(run);
    const ControlStates c = ControlsFor(settings, run);
    EXPECT_FALSE(run.statusText.empty());
    EXPECT_EQ(ButtonsOf(c), kRunning);  // start stays disabled until stop
    EXPECT_TRUE(c.scheduleEnabled);
    EXPECT_FALSE(c.intervalShown);
    EXPECT_FALSE(c.secondsShown);
}

TEST(ChangerRules, AStartAndAStopLeaveTheDesignState) {
    const ChangerSettings settings = WithMode(ChangeMode::Design, Schedule::Interval);
    RunState run;
    MarkStarted(run, settings.schedule, settings.intervalText);
    EXPECT_EQ(ButtonsOf(ControlsFor(settings, run)), kRunning);
    EXPECT_TRUE(ControlsFor(settings, run).secondsShown);  // "秒" beside the hidden field
    EXPECT_FALSE(ControlsFor(settings, run).intervalShown);
    MarkStopped(run);
    EXPECT_EQ(ButtonsOf(ControlsFor(settings, run)), kIdle);
    EXPECT_TRUE(ControlsFor(settings, run).secondsShown);
}

TEST(ChangerRules, AStartFromTheProfileInImmediateModeCanBeStopped) {
    const ChangerSettings settings = WithMode(ChangeMode::Immediate, Schedule::OnTheHour);
    RunState run;
    MarkStarted(run, settings.schedule, settings.intervalText);
    EXPECT_EQ(ButtonsOf(ControlsFor(settings, run)), kRunning);
    MarkStopped(run);
    EXPECT_EQ(ButtonsOf(ControlsFor(settings, run)), kIdle);
}

}  // namespace
}  // namespace velmora::wallpaper
