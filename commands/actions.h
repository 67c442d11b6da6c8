// What a tray-menu entry, a power-menu entry or a launcher cell does. Each
// carries one of these, and one function of the application runs them all.
#pragma once

namespace velmora {

enum class Action {
    None,                   // 关闭菜单: only closes the menu
    ShowPanel,              // 显示主界面, the tray double-click
    OpenMyComputer,
    ExploreDriveC,
    SearchDriveC,
    EmptyRecycleBin,
    MonitorOff,
    LogOff,
    ShutDown,
    Restart,
    OpenWebNavigation,
    ShowSearchBox,
    ToggleStartAtLogon,
    OpenSnapToolPage,       // the three recommended programs (hidden entries)
    OpenNotesPage,
    OpenShredderPage,
    CheckForNewVersion,
    ShowAboutBox,
    ExitProgram,
    OpenControlPanel,
    OpenTaskManager,
    ToggleCdTray,
    ShowWallpaperChanger,
    OpenAddRemovePrograms,
    ShowColourPicker,
    StartCalculator,
    OpenSystemProperties,
    OpenDateAndTime,
    StartNotepad,
    OpenDisplayProperties,
    ShowPowerMenu,
};

}  // namespace velmora
