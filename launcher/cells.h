// The launcher panel's twenty cells as data: where the highlight goes, the
// picture and caption controls with their places, and the command each
// runs. Positions are pixels of the panel's client area.
#pragma once

#include <span>
#include <string_view>

namespace velmora::launcher {

enum class Command {
    OpenMyComputer,
    OpenWebNavigation,
    ShowWebSearch,      // ShowWindowNormal(wlss)
    ControlPanel,       // RunCommandLine("control.exe", 1)
    TaskManager,        // RunCommandLine("taskmgr.exe", 1)
    EmptyRecycleBin,    // the recycle-bin emptier
    ToggleCdTray,
    ShowWallpaper,      // ShowWindowNormal(ghzm)
    AddRemovePrograms,  // RunCommandLine("control.exe appwiz.cpl", 2)
    ShowAboutBox,
    SearchDriveC,
    ShowColourPicker,   // ShowWindowNormal(Form3)
    StartCalculator,
    SystemProperties,   // RunCommandLine("control.exe sysdm.cpl", 2)
    MonitorOff,
    ExploreDriveC,
    DateAndTime,        // RunCommandLine("rundll32.exe shell32.dll,Control_RunDLL timedate.cpl", 1)
    StartNotepad,
    DisplayProperties,  // RunCommandLine("control.exe desk.cpl", 2)
    PowerMenu,          // pops up gjj at the mouse position
};

struct Cell {
    int highlightLeft, highlightTop;   // where Shape1 goes
    std::string_view image;            // picture control, e.g. "Image5"
    int imageLeft, imageTop, imageWidth, imageHeight;
    std::string_view label;            // caption control, e.g. "Label6"
    std::string_view caption;          // UTF-8, e.g. "我的电脑"
    int labelLeft, labelTop;
    Command command;
};

// The twenty cells, row by row, left to right.
std::span<const Cell> Cells();

// Shape1: the highlight, a rounded rectangle of this size, filled E0E0E0,
// outlined C0C0C0; parked here when no cell is highlighted.
inline constexpr int kHighlightWidth = 81;
inline constexpr int kHighlightHeight = 73;
inline constexpr int kHighlightParked = -200;

// The bottom line.
inline constexpr int kBottomLineTop = 344;
inline constexpr int kClockLeft = 32;             // Label1
inline constexpr int kRecommendLeft = 240;        // Label18 "推荐："
struct Link {
    std::string_view label;    // "Label19", "Label20", "Label21"
    std::string_view caption;  // UTF-8
    std::string_view address;
    int left;
};
std::span<const Link> RecommendedLinks();

// Web addresses of the program.
inline constexpr std::string_view kWebNavigationAddress = "https://www.hao123.com/";
inline constexpr std::string_view kDownloadPageAddress = "https://velmora.github.io/download/";

}  // namespace velmora::launcher
