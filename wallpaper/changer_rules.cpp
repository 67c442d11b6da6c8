#include "wallpaper/changer_rules.h"

namespace velmora::wallpaper {

void MarkStarted(RunState& run, Schedule schedule, const std::string& intervalText) {
    const bool interval = schedule == Schedule::Interval;
    run.status = interval ? RunStatus::IntervalSchedule : RunStatus::ClockSchedule;
    run.statusText = interval ? IntervalStatusText(intervalText) : ClockStatusText(schedule);
    run.startedOrStopped = true;
    if (interval) run.intervalStarted = true;
}

void MarkStopped(RunState& run) {
    run.status = RunStatus::Idle;
    run.statusText.clear();
    run.startedOrStopped = true;
}

void MarkChoice(RunState& run) {
    run.startedOrStopped = false;
    run.intervalStarted = false;
}

ControlStates ControlsFor(const ChangerSettings& settings, const RunState& run) {
    const bool timed = settings.mode == ChangeMode::Timed;
    const bool immediate = settings.mode == ChangeMode::Immediate;
    ControlStates c;
    c.timedSelected = !immediate;
    c.scheduleShown = timed;
    c.scheduleEnabled = run.status != RunStatus::ClockSchedule;
    c.intervalShown = timed && settings.schedule == Schedule::Interval;
    c.secondsShown = c.intervalShown || run.intervalStarted;
    c.startWithProgramEnabled = !immediate;

    const bool running = run.status != RunStatus::Idle;
    if (immediate && !run.startedOrStopped) {
        c.startEnabled = c.stopEnabled = false;
        c.changeNowEnabled = true;
    } else if (running) {
        c.startEnabled = c.changeNowEnabled = false;
        c.stopEnabled = true;
    } else {
        // The design state enables everything until a start or stop.
        c.startEnabled = c.stopEnabled = true;
        c.changeNowEnabled = settings.mode == ChangeMode::Design && !run.startedOrStopped;
    }
    return c;
}

}  // namespace velmora::wallpaper
