// The system commands run by the launcher panel's cells and the tray menus:
// shell places, system tools and applets, the monitor, the CD tray, the
// about box, the web-navigation page, log-off, shut-down and restart.
// Effects that reach past the program go through Effects() (platform/
// effects.h), so tests check the exact calls.
#pragma once

#include <windows.h>

#include <string_view>

namespace velmora::commands {

// The texts of the CD-tray caption Label3, the only record of whether the
// tray was last opened or closed.
inline constexpr wchar_t kOpenCdCaption[] = L"打开光驱";
inline constexpr wchar_t kCloseCdCaption[] = L"关闭光驱";

// Title of the two start failure messages (one blank on each side).
inline constexpr wchar_t kMessageTitle[] = L" Velmora ";
inline constexpr wchar_t kNoCalculatorText[] = L"对不起，您的操作系统没有安装计算器！";
inline constexpr wchar_t kNoNotepadText[] = L"对不起，您的操作系统没有安装记事本！";

// Registry place of the browser's start page.
inline constexpr char kStartPageKey[] = "Software\\Microsoft\\Internet Explorer\\Main";
inline constexpr char kStartPageValue[] = "Start Page";

// `owner` is the panel window frmMain unless noted.
void OpenMyComputer(HWND owner);
void ExploreDriveC(HWND owner);
void SearchDriveC(HWND owner);
void OpenWebPage(HWND owner, std::string_view address);
void OpenWebNavigation(HWND owner);
void ShowAboutBox(HWND owner, HICON panelIcon);
void MonitorOff(HWND owner);
// label3: the panel's CD caption control; its text is read and changed.
void ToggleCdTray(HWND label3);
// Starts the command line with the show state; false when it could not be
// started. Never ends the program.
bool RunCommandLine(std::string_view commandLine, int show);
void StartCalculator(HWND owner);
void StartNotepad(HWND owner);
void EnableShutdownPrivilege();
// ExitWindowsEx(EWX_LOGOFF), then closes yindao and ends the process
// without removing the tray icon.
void LogOff();
void ShutDown();
void Restart();

}  // namespace velmora::commands
