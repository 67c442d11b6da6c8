// Timed changing, for the whole run: the schedule that runs, its two
// timers and the status it shows. The application owns it beside the
// rotation, so the wallpaper changes on time whether or not the changer
// window was ever created; the changer only shows it, starts and stops it.
// Its timers live on a message-only window of its own.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "platform/services.h"
#include "platform/window.h"
#include "settings/settings_store.h"
#include "wallpaper/changer_rules.h"
#include "wallpaper/schedule.h"
#include "wallpaper/wallpaper_rotation.h"

namespace velmora::wallpaper {

// The two timers of timed changing.
enum class ChangerTimer : UINT_PTR {
    Clock = 1,     // every second, for the clock schedules
    Interval = 2,  // every n seconds, for the interval schedule
};

class WallpaperSchedule : public BaseWindow<WallpaperSchedule> {
public:
    static constexpr wchar_t kClassName[] = L"Velmora.WallpaperSchedule";

    // Changes go to `rotation` in the order and position the profile holds
    // at the moment of the change.
    WallpaperSchedule(WallpaperRotation& rotation, SettingsStore& settings, const Clock& clock);
    ~WallpaperSchedule();
    WallpaperSchedule(const WallpaperSchedule&) = delete;
    WallpaperSchedule& operator=(const WallpaperSchedule&) = delete;

    // What the changer shows of it.
    const RunState& Run() const { return run_; }
    void MarkStarted(Schedule schedule, const std::string& intervalText);
    void MarkChoice() { wallpaper::MarkChoice(run_); }

    // A clock schedule ticking every second, or a change every
    // `periodMs`; each turns the other timer off.
    void RunClock(Schedule schedule);
    void RunInterval(UINT periodMs);
    // Both timers off; the status stays (a new choice of schedule).
    void StopTimers();
    // Stopped: timers off, status cleared.
    void Stop();

    // The program's start with "qhzm" = 1: the saved schedule, started
    // without a message. The refusal of a bad interval, for the caller to
    // show (empty when it started).
    std::string StartFromProfile();

    // The system woke from sleep: a change the schedule slept through is
    // made once now.
    void OnResume();

    bool ClockTimerOn() const { return clockTimerOn_; }
    bool IntervalTimerOn() const { return intervalPeriod_ != 0; }
    UINT IntervalPeriod() const { return intervalPeriod_; }

    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
    void OnWindowGone() {}

private:
    void OnTimer(UINT_PTR id);
    void ChangeNow();
    void SetClockTimer(bool on);
    void SetIntervalTimer(UINT period);
    std::int64_t Now() const { return SecondsOf(clock_.Now()); }

    WallpaperRotation& rotation_;
    SettingsStore& settings_;
    const Clock& clock_;
    RunState run_;
    Schedule schedule_ = Schedule::OnTheHour;  // of the clock timer
    ChangeClock changeClock_;
    bool clockTimerOn_ = false;
    UINT intervalPeriod_ = 0;  // 0: the interval timer is off
    std::optional<std::int64_t> lastTick_;    // seconds, of the clock timer's last tick
    std::optional<std::int64_t> quietSince_;  // the tick before a gap in the ticks (a sleep)
    std::int64_t lastIntervalChange_ = 0;     // seconds
};

}  // namespace velmora::wallpaper
