// The changer tests' fixture: a changer over a program folder of the tests'
// own, with the rotation it shows, the recorder for the system effects, a
// recording prompter and a clock and random source the test sets; and what
// the user does to its controls.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/deferred_calls.h"
#include "platform/effects.h"
#include "platform/handles.h"
#include "platform/text.h"
#include "platform/twips.h"
#include "settings/placement.h"
#include "settings/settings_store.h"
#include "support/fakes.h"
#include "support/test_support.h"
#include "wallpaper/program_folder.h"
#include "wallpaper/wallpaper_changer.h"
#include "wallpaper/wallpaper_rotation.h"

namespace velmora::testing {

using namespace changer_control;

// What the user does to a control: the notification its window receives.
inline void Press(HWND control) { ::SendMessageW(control, BM_CLICK, 0, 0); }
inline void Notify(HWND control, int code) {
    ::SendMessageW(::GetParent(control), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(control), code),
                   reinterpret_cast<LPARAM>(control));
}
inline void ChooseInList(HWND list, int index) {
    ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    Notify(list, LBN_SELCHANGE);
}
inline void ChooseInCombo(HWND combo, int index) {
    ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    Notify(combo, CBN_SELCHANGE);
}
inline bool Enabled(HWND control) { return ::IsWindowEnabled(control) != FALSE; }

inline std::vector<std::wstring> ListItems(HWND list) {
    std::vector<std::wstring> items;
    const auto count = static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t buf[MAX_PATH] = {};
        ::SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf));
        items.push_back(buf);
    }
    return items;
}

// Pumps this thread's messages as the application's loop does, waiting on
// the rotation's folder watch beside them, until pred holds or the time is up.
inline bool PumpWithWatch(wallpaper::WallpaperRotation& rotation, const std::function<bool()>& pred,
                          std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!pred()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        const FolderWatch::Handles watch = rotation.WatchHandles();
        const DWORD woke = ::MsgWaitForMultipleObjectsEx(watch.count, watch.items, static_cast<DWORD>(left.count()),
                                                         QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woke < WAIT_OBJECT_0 + watch.count) rotation.OnFolderSignalled();
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    return true;
}

inline LocalTime At(int hour, int minute, int second) {
    return {.year = 2026, .month = 12, .day = 9, .hour = hour, .minute = minute, .second = second, .weekday = 3};
}

class Changer : public ::testing::Test {
protected:
    void SetUp() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Velmora Program Settings"); }
    void TearDown() override {
        changer_.reset();
        ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Velmora Program Settings");
    }

    WallpaperChanger& Open() {
        changer_.reset();
        changer_ = WallpaperChanger::Create({rotation_, schedule_, effects_, prompts_, settings_, clock_,
                                             [this] { return panel_; },
                                             [this](const std::wstring& path) { viewerPaths_.push_back(path); }});
        EXPECT_NE(changer_, nullptr);
        return *changer_;
    }
    HWND C(int id) const { return changer_->Control(id); }
    HWND B(ChangerButton button) const { return changer_->Button(button); }
    void Close() { changer_->CloseForGood(); }

    // The schedule timer's tick at the given time.
    void Tick(const LocalTime& now) {
        clock_.now = now;
        ::SendMessageW(schedule_.hwnd(), WM_TIMER, static_cast<WPARAM>(wallpaper::ChangerTimer::Clock), 0);
    }
    void IntervalTick() {
        ::SendMessageW(schedule_.hwnd(), WM_TIMER, static_cast<WPARAM>(wallpaper::ChangerTimer::Interval), 0);
    }
    // Wallpapers set since the last look.
    int Wallpapers() {
        int set = 0;
        for (const std::string& call : effects_.Calls()) set += call.rfind("SetDeskWallpaper(", 0) == 0 ? 1 : 0;
        effects_.Clear();
        return set;
    }
    std::wstring Box(size_t i) const { return i < prompts_.boxes.size() ? prompts_.boxes[i].text : L"(none)"; }

    ProgramFolder program_;
    RecordingEffects effects_;
    testing::RecordingPrompter prompts_;
    MemorySettings settings_;
    testing::FakeClock clock_;
    testing::SequenceRandom random_;
    std::optional<TwipsRect> panel_;
    std::vector<std::wstring> viewerPaths_;
    DeferredCalls later_;
    // One monitor unless a test lays out more.
    std::vector<wallpaper::MonitorArea> monitors_{{0, 0, 1280, 800}};
    wallpaper::MonitorSource one_ = [this] { return monitors_; };
    wallpaper::WallpaperRotation rotation_{{effects_, settings_, random_, later_, program_.path(), one_}};
    wallpaper::WallpaperSchedule schedule_{rotation_, settings_, clock_};
    std::unique_ptr<WallpaperChanger> changer_;
};

}  // namespace velmora::testing
