// The application object: built once in wWinMain, it owns everything that
// lives for the run — the services it is handed, the profile, the deferred
// calls, the system commands, the wallpaper rotation, the hidden tray host,
// and one slot per window kind — and it runs every action of the menus and
// the panel and every verb of a second start or a hot key.
#pragma once

#include <windows.h>

#include <deque>
#include <memory>
#include <optional>
#include <string>

#include "app/watched_prompter.h"
#include "commands/actions.h"
#include "commands/system_commands.h"
#include "launcher/launcher_panel.h"
#include "platform/deferred_calls.h"
#include "platform/effects.h"
#include "platform/services.h"
#include "platform/window_slot.h"
#include "settings/profile_file.h"
#include "shell/auto_start.h"
#include "shell/single_instance.h"
#include "shell/tray_host.h"
#include "shell/verbs.h"
#include "tools/colour_picker.h"
#include "tools/picture_viewer.h"
#include "tools/search_box.h"
#include "wallpaper/wallpaper_changer.h"
#include "wallpaper/wallpaper_rotation.h"
#include "wallpaper/wallpaper_schedule.h"

namespace velmora {

// What the application is handed: the real services in wWinMain, fakes in
// tests.
struct AppServices {
    SystemEffects& effects;
    Prompter& prompts;
    Clock& clock;
    const TickSource& ticks;
    RandomSource& random;
    ScreenPixels& pixels;
    RunKeys& runKeys;
    std::wstring directory;          // the program's folder: vlmr.INI, pic\, wallpaper.bmp
    std::wstring commandLine;        // the whole command line, program name first
    const wchar_t* instanceName = kSingleInstanceName;
    wallpaper::MonitorSource monitors = wallpaper::DisplayMonitors;
};

class Application {
public:
    explicit Application(AppServices services);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // The start-up sequence. False when another copy already runs: nothing
    // has been touched then, and the program simply ends, having handed a
    // verb of its command line to that copy.
    bool Start();
    // The message loop, which also waits on the picture folder's watch;
    // returns the exit code once the program has ended.
    int RunMessageLoop();

    // Runs one action of a menu entry or a panel cell.
    void Run(Action action);
    // Runs a verb from the message loop, once no message box of the program
    // is up.
    void RunVerb(Verb verb);
    // 退出程序: closes the windows in order, removes the icon and leaves the
    // message loop.
    void ExitProgram();

    // For tests and the benchmarks.
    TrayHost& Tray() { return *tray_; }
    WindowSlot<LauncherPanel>& Panel() { return panel_; }
    WindowSlot<WallpaperChanger>& Changer() { return changer_; }
    WindowSlot<SearchBox>& Search() { return search_; }
    WindowSlot<ColourPicker>& Picker() { return picker_; }
    WindowSlot<PictureViewer>& Viewer() { return viewer_; }
    SettingsStore& Settings() { return profile_; }
    wallpaper::WallpaperRotation& Rotation() { return rotation_; }
    wallpaper::WallpaperSchedule& Schedule() { return schedule_; }
    // The monitors changed, or the system woke (`resumed`): the wallpaper
    // of now is rendered again for the new layout once the changes settle,
    // and a timed change slept through is made.
    void OnDisplayChange(bool resumed);
    bool Ended() const { return ended_; }

private:
    HWND PanelWindow();  // the panel's window, created hidden when needed
    void TogglePanel();
    std::string Arguments() const;  // the command line after the program's name
    void PostWaitingVerbs();
    void RunWaitingVerbs();
    void OpenViewer(const std::wstring& path);
    void LogOff();
    void SaveOpenPlacements();
    std::unique_ptr<LauncherPanel> MakePanel();
    std::unique_ptr<WallpaperChanger> MakeChanger();

    AppServices services_;
    DeferredCalls later_;
    WatchedPrompter prompts_;  // every message box of the program goes through it
    ProfileFile profile_;
    SystemCommands commands_;
    StartAtLogon startAtLogon_;
    wallpaper::WallpaperRotation rotation_;
    wallpaper::WallpaperSchedule schedule_;
    std::uintptr_t pendingRender_ = 0;  // the deferred render for a new layout
    std::deque<Verb> verbs_;  // waiting to run
    bool verbsPosted_ = false;
    std::optional<SingleInstance> instance_;
    std::unique_ptr<TrayHost> tray_;
    std::wstring viewerPath_;  // the picture the next viewer shows
    colour::CopyHistory copiedColours_;  // the picker's, for the whole run
    WindowSlot<LauncherPanel> panel_;
    WindowSlot<WallpaperChanger> changer_;
    WindowSlot<SearchBox> search_;
    WindowSlot<ColourPicker> picker_;
    WindowSlot<PictureViewer> viewer_;
    bool exiting_ = false;
    bool ended_ = false;
};

}  // namespace velmora
