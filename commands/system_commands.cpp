#include "commands/system_commands.h"

#include <string>

#include "commands/web_pages.h"
#include "platform/handles.h"
#include "platform/text.h"

namespace velmora {

namespace {

// SW_SHOWNORMAL for the places and tools; a web page opens with 0 and lets
// the browser pick its own window state.
constexpr int kShowNormal = SW_SHOWNORMAL;
constexpr int kShowWebPage = SW_HIDE;
// Three applets have always been started minimised, with the focus.
constexpr int kShowApplet = SW_SHOWMINIMIZED;

// lParam of SC_MONITORPOWER that turns the monitor off.
constexpr LPARAM kMonitorOff = 2;
constexpr unsigned kMonitorOffAgainMs = 1000;

// Flags of ExitWindowsEx. Shutting down and restarting let every program
// save its work first (it is asked, and may ask its user); only a program
// that does not answer is forced to close. EWX_FORCE would close them all
// at once, and a mis-click would lose whatever was not saved.
constexpr UINT kLogOff = EWX_LOGOFF;
constexpr UINT kShutDown = EWX_SHUTDOWN | EWX_FORCEIFHUNG;
constexpr UINT kRestart = EWX_REBOOT | EWX_FORCEIFHUNG;

// TOKEN_PRIVILEGES declares room for one entry; this record has room for
// two, and its full size is what AdjustTokenPrivileges is told.
struct PrivilegeRecord {
    DWORD count;
    LUID_AND_ATTRIBUTES entries[2];
};
static_assert(sizeof(PrivilegeRecord) == 28);

// Without SeShutdownPrivilege enabled, ExitWindowsEx refuses to shut down
// or restart. Nothing is checked: if it fails, so does the shut-down, which
// is all the user would learn either way.
void EnableShutdownPrivilege() {
    HANDLE rawToken = nullptr;
    ::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &rawToken);
    UniqueKernelHandle token(rawToken);
    LUID luid{};
    ::LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &luid);
    PrivilegeRecord newState{};
    newState.count = 1;
    newState.entries[0].Luid = luid;
    newState.entries[0].Attributes = SE_PRIVILEGE_ENABLED;
    PrivilegeRecord previousState{};
    DWORD previousLength = 0;
    ::AdjustTokenPrivileges(token.get(), FALSE, reinterpret_cast<TOKEN_PRIVILEGES*>(&newState),
                            sizeof(PrivilegeRecord), reinterpret_cast<TOKEN_PRIVILEGES*>(&previousState),
                            &previousLength);
}

std::string FolderFrom(UINT(WINAPI* query)(LPWSTR, UINT)) {
    wchar_t path[MAX_PATH] = {};
    const UINT n = query(path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return {};
    return Narrow(std::wstring_view(path, n));
}

}  // namespace

SystemFolders SystemFolders::OfThisSystem() {
    return {FolderFrom(&::GetSystemDirectoryW), FolderFrom(&::GetWindowsDirectoryW)};
}

std::string SystemCommands::SystemTool(std::string_view exeName, std::string_view args) const {
    std::string line = "\"" + folders_.system + "\\" + std::string(exeName) + "\"";
    if (!args.empty()) line += " " + std::string(args);
    return line;
}

void SystemCommands::OpenMyComputer(HWND owner) {
    const std::string explorer = folders_.windows + "\\explorer.exe";
    effects_.ShellExecuteA(owner, "open", explorer, "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}", "", kShowNormal);
}

void SystemCommands::ExploreDriveC(HWND owner) { effects_.ShellExecuteA(owner, "explore", "c:\\", "", "", kShowNormal); }

void SystemCommands::SearchDriveC(HWND owner) { effects_.ShellExecuteA(owner, "find", "c:\\", "", "", kShowNormal); }

void SystemCommands::OpenWebPage(HWND owner, std::string_view address) {
    effects_.ShellExecuteA(owner, "open", address, "", "", kShowWebPage);
}

void SystemCommands::OpenWebNavigation(HWND owner) {
    // The navigation site becomes the browser's home page as well; that
    // stays even when the page itself cannot be opened.
    const std::string address(web::kNavigationAddress);
    HKEY raw = nullptr;
    if (::RegCreateKeyA(HKEY_CURRENT_USER, kStartPageKey, &raw) == ERROR_SUCCESS) {
        UniqueRegKey key(raw);
        // The terminating NUL is part of the stored value.
        ::RegSetValueExA(key.get(), kStartPageValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(address.c_str()),
                         static_cast<DWORD>(address.size() + 1));
    }
    OpenWebPage(owner, address);
}

void SystemCommands::ShowAboutBox(HWND owner, HICON icon) {
    // The two trailing blanks are part of the title as it has always read.
    effects_.ShellAboutA(owner, "Velmora V2.2  ", "", icon);
}

void SystemCommands::MonitorOff(HWND owner) {
    effects_.MonitorPower(owner, kMonitorOff);
    later_.After(kMonitorOffAgainMs, [this, owner] { effects_.MonitorPower(owner, kMonitorOff); });
}

void SystemCommands::SetCdDoor(bool open) {
    effects_.mciSendStringA(open ? "set CDAudio door open" : "set CDAudio door closed");
}

bool SystemCommands::RunCommandLine(std::string_view commandLine, int show) {
    return effects_.StartProcess(commandLine, show);
}

void SystemCommands::StartTool(HWND owner, std::string_view exeName, const wchar_t* missingText) {
    if (!RunCommandLine(SystemTool(exeName), kShowNormal)) {
        prompts_.Show(owner, missingText, kCommandMessageTitle, MB_OK | MB_ICONINFORMATION);
    }
}

void SystemCommands::StartCalculator(HWND owner) { StartTool(owner, "calc.exe", kNoCalculatorText); }
void SystemCommands::StartNotepad(HWND owner) { StartTool(owner, "notepad.exe", kNoNotepadText); }
void SystemCommands::OpenControlPanel() { RunCommandLine(SystemTool("control.exe"), kShowNormal); }
void SystemCommands::OpenTaskManager() { RunCommandLine(SystemTool("taskmgr.exe"), kShowNormal); }
void SystemCommands::OpenAddRemovePrograms() { RunCommandLine(SystemTool("control.exe", "appwiz.cpl"), kShowApplet); }
void SystemCommands::OpenSystemProperties() { RunCommandLine(SystemTool("control.exe", "sysdm.cpl"), kShowApplet); }
void SystemCommands::OpenDateAndTime() {
    RunCommandLine(SystemTool("rundll32.exe", "shell32.dll,Control_RunDLL timedate.cpl"), kShowNormal);
}
void SystemCommands::OpenDisplayProperties() { RunCommandLine(SystemTool("control.exe", "desk.cpl"), kShowApplet); }

void SystemCommands::LogOff() {
    // The session is ending: the shell goes away with its notification area.
    effects_.ExitWindowsEx(kLogOff, 0);
}

void SystemCommands::ShutDown() {
    EnableShutdownPrivilege();
    effects_.ExitWindowsEx(kShutDown, 0);
}

void SystemCommands::Restart() {
    EnableShutdownPrivilege();
    effects_.ExitWindowsEx(kRestart, 0);
}

}  // namespace velmora
