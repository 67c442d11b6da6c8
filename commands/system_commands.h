// The system commands run by the launcher panel's cells and the tray menus:
// shell places, system tools and applets, the monitor, the CD tray, the
// about box, web pages, log-off, shut-down and restart. Everything that
// reaches past the program goes through the effects seam, so tests check
// the exact calls.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <utility>

#include "platform/deferred_calls.h"
#include "platform/effects.h"
#include "platform/services.h"

namespace velmora {

// Captions of the CD-tray cell: it offers the way the tray did not go last.
inline constexpr wchar_t kOpenCdCaption[] = L"打开光驱";
inline constexpr wchar_t kCloseCdCaption[] = L"关闭光驱";

// Title of the two start failure messages (one blank on each side).
inline constexpr wchar_t kCommandMessageTitle[] = L" Velmora ";
inline constexpr wchar_t kNoCalculatorText[] = L"对不起，您的操作系统没有安装计算器！";
inline constexpr wchar_t kNoNotepadText[] = L"对不起，您的操作系统没有安装记事本！";

// Registry place of the browser's start page.
inline constexpr char kStartPageKey[] = "Software\\Microsoft\\Internet Explorer\\Main";
inline constexpr char kStartPageValue[] = "Start Page";

// Where the system's own programs live, as UTF-8 paths without a trailing
// backslash. Tools are started from there by full path: a program of the
// same name beside Velmora.exe (a download folder, a USB stick) would
// otherwise be found first and run instead.
struct SystemFolders {
    std::string system;   // GetSystemDirectory: calc, notepad, control, ...
    std::string windows;  // GetWindowsDirectory: explorer
    static SystemFolders OfThisSystem();
};

class SystemCommands {
public:
    SystemCommands(SystemEffects& effects, Prompter& prompts, DeferredCalls& later,
                   SystemFolders folders = SystemFolders::OfThisSystem())
        : effects_(effects), prompts_(prompts), later_(later), folders_(std::move(folders)) {}

    // `owner`: the window the shell or a message box belongs to.
    void OpenMyComputer(HWND owner);
    void ExploreDriveC(HWND owner);
    void SearchDriveC(HWND owner);
    void OpenWebPage(HWND owner, std::string_view address);
    // Makes the navigation site the browser's start page, then opens it.
    void OpenWebNavigation(HWND owner);
    void ShowAboutBox(HWND owner, HICON icon);
    // Turns the monitor off, and again a second later: the mouse still
    // moving after the click would wake it at once.
    void MonitorOff(HWND owner);
    // Opens or closes the CD tray (nothing happens without a drive).
    void SetCdDoor(bool open);

    // Starts the command line with the show state; false when it could not
    // be started. Never ends the program.
    bool RunCommandLine(std::string_view commandLine, int show);
    void StartCalculator(HWND owner);
    void StartNotepad(HWND owner);
    void OpenControlPanel();
    void OpenTaskManager();
    void OpenAddRemovePrograms();
    void OpenSystemProperties();
    void OpenDateAndTime();
    void OpenDisplayProperties();

    // Asks the system to end the session; the caller ends the program.
    void LogOff();
    void ShutDown();
    void Restart();

private:
    void StartTool(HWND owner, std::string_view exeName, const wchar_t* missingText);
    // The quoted full path of a program of the system folder, then `args`.
    std::string SystemTool(std::string_view exeName, std::string_view args = {}) const;

    SystemEffects& effects_;
    Prompter& prompts_;
    DeferredCalls& later_;
    SystemFolders folders_;
};

}  // namespace velmora
