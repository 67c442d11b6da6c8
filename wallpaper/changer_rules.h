// What the changer window shows of its settings and of timed changing:
// which option is selected, which schedule controls are up, which buttons
// are enabled. One rule over the model, so the window never works it out
// from what its controls happen to show.
#pragma once

#include <string>

#include "wallpaper/changer_settings.h"

namespace velmora::wallpaper {

// What the status line says: nothing, or that a clock or an interval
// schedule runs. A new schedule choice stops the timers but leaves the line.
enum class RunStatus { Idle, ClockSchedule, IntervalSchedule };

struct RunState {
    RunStatus status = RunStatus::Idle;
    std::string statusText;
    // Set by a start or a stop, cleared by a choice of mode or schedule:
    // while set, the buttons follow the start or the stop instead of the
    // mode (a start from the profile in immediate mode leaves stop enabled).
    bool startedOrStopped = false;
    // An interval schedule started since the last choice of mode or
    // schedule: its "秒" label stays up, even where the field is hidden.
    bool intervalStarted = false;
};

// The transitions of the run state.
void MarkStarted(RunState& run, Schedule schedule, const std::string& intervalText);
void MarkStopped(RunState& run);
void MarkChoice(RunState& run);  // a choice of mode or schedule

struct ControlStates {
    bool timedSelected = true;        // the timed option; else the immediate one
    bool scheduleShown = false;       // "更换时间" and the schedule box
    bool scheduleEnabled = true;      // locked while a clock schedule runs
    bool intervalShown = false;       // the interval field
    bool secondsShown = false;        // its "秒" label
    bool startWithProgramEnabled = true;
    bool startEnabled = true;
    bool stopEnabled = true;
    bool changeNowEnabled = true;
    friend bool operator==(const ControlStates&, const ControlStates&) = default;
};

ControlStates ControlsFor(const ChangerSettings& settings, const RunState& run);

}  // namespace velmora::wallpaper
