#include "wallpaper/wallpaper_schedule.h"

#include "wallpaper/changer_settings.h"

namespace velmora::wallpaper {

namespace {

// Ticks further apart than this mean the program did not run in between.
constexpr std::int64_t kTickGapSeconds = 5;

}  // namespace

WallpaperSchedule::WallpaperSchedule(WallpaperRotation& rotation, SettingsStore& settings, const Clock& clock)
    : rotation_(rotation), settings_(settings), clock_(clock) {
    RegisterClassOnce();
    CreateWindowOf(0, L"", 0, 0, 0, 0, 0, HWND_MESSAGE);
}

WallpaperSchedule::~WallpaperSchedule() {
    if (HWND h = hwnd()) ::DestroyWindow(h);
}

void WallpaperSchedule::MarkStarted(Schedule schedule, const std::string& intervalText) {
    wallpaper::MarkStarted(run_, schedule, intervalText);
}

void WallpaperSchedule::RunClock(Schedule schedule) {
    schedule_ = schedule;
    changeClock_.Reset();
    lastTick_.reset();
    quietSince_.reset();
    SetClockTimer(true);
    SetIntervalTimer(0);
}

void WallpaperSchedule::RunInterval(UINT periodMs) {
    SetClockTimer(false);
    lastIntervalChange_ = Now();
    SetIntervalTimer(periodMs);
}

void WallpaperSchedule::StopTimers() {
    SetClockTimer(false);
    SetIntervalTimer(0);
}

void WallpaperSchedule::Stop() {
    wallpaper::MarkStopped(run_);
    StopTimers();
}

std::string WallpaperSchedule::StartFromProfile() {
    const ChangerSettings saved = LoadChangerSettings(settings_);
    if (saved.schedule != Schedule::Interval) {
        MarkStarted(saved.schedule, saved.intervalText);
        RunClock(saved.schedule);
    } else {
        const IntervalValue interval = ParseInterval(saved.intervalText);
        if (interval.error != IntervalError::None) return IntervalRefusalText(interval.error, false);
        MarkStarted(saved.schedule, saved.intervalText);
        RunInterval(static_cast<UINT>(interval.seconds) * 1000);
    }
    SaveChangerSetting(settings_, saved, ChangerSetting::IntervalText);
    SaveChangingStarted(settings_, true);
    return {};
}

void WallpaperSchedule::ChangeNow() {
    const ChangerSettings saved = LoadChangerSettings(settings_);
    rotation_.Change(saved.order, saved.position);
}

void WallpaperSchedule::OnTimer(UINT_PTR id) {
    // A tick still queued when its timer was killed is let go.
    if (id == static_cast<UINT_PTR>(ChangerTimer::Clock) && clockTimerOn_) {
        if (rotation_.Names().empty()) {
            SetClockTimer(false);  // the status line stays
            return;
        }
        const std::int64_t now = Now();
        if (lastTick_ && now - *lastTick_ > kTickGapSeconds && !quietSince_) quietSince_ = lastTick_;
        lastTick_ = now;
        if (changeClock_.Tick(schedule_, clock_.Now())) ChangeNow();
    } else if (id == static_cast<UINT_PTR>(ChangerTimer::Interval) && intervalPeriod_ != 0) {
        if (rotation_.Names().empty()) {
            SetIntervalTimer(0);
            return;
        }
        SetClockTimer(false);
        lastIntervalChange_ = Now();
        ChangeNow();
    }
}

void WallpaperSchedule::OnResume() {
    const std::int64_t now = Now();
    if (clockTimerOn_) {
        // Slept through from the last tick before the gap (or the last tick
        // at all, when none came since the wake): its moments make one change.
        const std::optional<std::int64_t> from = quietSince_ ? quietSince_ : lastTick_;
        quietSince_.reset();
        if (from && MomentMissedBetween(schedule_, *from, now) && !rotation_.Names().empty()) ChangeNow();
        lastTick_ = now;
    } else if (intervalPeriod_ != 0 && now - lastIntervalChange_ >= static_cast<std::int64_t>(intervalPeriod_ / 1000)) {
        // One change for all the periods slept through, and the period
        // counted afresh from it.
        lastIntervalChange_ = now;
        SetIntervalTimer(intervalPeriod_);
        if (!rotation_.Names().empty()) ChangeNow();
    }
}

void WallpaperSchedule::SetClockTimer(bool on) {
    const auto id = static_cast<UINT_PTR>(ChangerTimer::Clock);
    if (on) {
        ::SetTimer(hwnd(), id, 1000, nullptr);
    } else if (clockTimerOn_) {
        ::KillTimer(hwnd(), id);
    }
    clockTimerOn_ = on;
}

void WallpaperSchedule::SetIntervalTimer(UINT period) {
    const auto id = static_cast<UINT_PTR>(ChangerTimer::Interval);
    if (period != 0) {
        ::SetTimer(hwnd(), id, period, nullptr);
    } else if (intervalPeriod_ != 0) {
        ::KillTimer(hwnd(), id);
    }
    intervalPeriod_ = period;
}

LRESULT WallpaperSchedule::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_TIMER) {
        OnTimer(wp);
        return 0;
    }
    return Default(msg, wp, lp);
}

}  // namespace velmora::wallpaper
