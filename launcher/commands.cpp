#include "launcher/commands.h"

#include <string>

#include "launcher/cells.h"
#include "platform/effects.h"
#include "platform/handles.h"
#include "platform/message_box.h"
#include "shell/app_windows.h"
#include "shell/yindao.h"

namespace velmora::commands {

namespace {

// SW_SHOWNORMAL for the places and tools; a web page opens with 0 and lets
// the browser pick its own window state.
constexpr int kShowNormal = 1;
constexpr int kShowWebPage = 0;

// lParam of SC_MONITORPOWER that turns the monitor off.
constexpr LPARAM kMonitorOff = 2;

// Flags of ExitWindowsEx: EWX_LOGOFF; EWX_SHUTDOWN | EWX_FORCE;
// EWX_REBOOT | EWX_FORCE.
constexpr UINT kLogOff = 0;
constexpr UINT kShutDownForced = 5;
constexpr UINT kRestartForced = 6;

// TOKEN_PRIVILEGES declares room for one entry; this record has room for
// two, and its full size is what AdjustTokenPrivileges is told.
struct PrivilegeRecord {
    DWORD count;
    LUID_AND_ATTRIBUTES entries[2];
};
static_assert(sizeof(PrivilegeRecord) == 28);

std::wstring WindowText(HWND hwnd) {
    const int length = ::GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(hwnd, text.data(), length + 1)));
    return text;
}

void StartTool(HWND owner, std::string_view commandLine, const wchar_t* missingText) {
    if (!RunCommandLine(commandLine, kShowNormal)) {
        ShowMessage(owner, missingText, kMessageTitle, MB_OK | MB_ICONINFORMATION);
    }
}

}  // namespace

void OpenMyComputer(HWND owner) {
    Effects().ShellExecuteA(owner, "open", "explorer", "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}", "", kShowNormal);
}

void ExploreDriveC(HWND owner) { Effects().ShellExecuteA(owner, "explore", "c:\\", "", "", kShowNormal); }

void SearchDriveC(HWND owner) { Effects().ShellExecuteA(owner, "find", "c:\\", "", "", kShowNormal); }

void OpenWebPage(HWND owner, std::string_view address) {
    Effects().ShellExecuteA(owner, "open", address, "", "", kShowWebPage);
}

void OpenWebNavigation(HWND owner) {
    // The navigation site becomes the browser's home page as well; that
    // stays even when the page itself cannot be opened.
    const std::string address(launcher::kWebNavigationAddress);
    HKEY raw = nullptr;
    if (::RegCreateKeyA(HKEY_CURRENT_USER, kStartPageKey, &raw) == ERROR_SUCCESS) {
        UniqueRegKey key(raw);
        // The terminating NUL is part of the stored value.
        ::RegSetValueExA(key.get(), kStartPageValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(address.c_str()),
                         static_cast<DWORD>(address.size() + 1));
    }
    OpenWebPage(owner, address);
}

void ShowAboutBox(HWND owner, HICON panelIcon) {
    // The two trailing blanks are part of the title as it has always read.
    Effects().ShellAboutA(owner, "Velmora V2.2  ", "", panelIcon);
}

void MonitorOff(HWND owner) {
    // The mouse still moving after the click that chose this command can
    // wake the monitor at once; a second message a second later makes the
    // darkness stick.
    Effects().MonitorPower(owner, kMonitorOff);
    ::Sleep(1000);
    Effects().MonitorPower(owner, kMonitorOff);
}

void ToggleCdTray(HWND label3) {
    const std::wstring caption = WindowText(label3);
    // The caption changes first: whether the drive answers or not (there may
    // be none), the next click offers the other way.
    if (caption == kOpenCdCaption) {
        ::SetWindowTextW(label3, kCloseCdCaption);
        Effects().mciSendStringA("set CDAudio door open");
    } else if (caption == kCloseCdCaption) {
        ::SetWindowTextW(label3, kOpenCdCaption);
        Effects().mciSendStringA("set CDAudio door closed");
    }
}

bool RunCommandLine(std::string_view commandLine, int show) { return Effects().StartProcess(commandLine, show); }

void StartCalculator(HWND owner) { StartTool(owner, "calc.exe", kNoCalculatorText); }

void StartNotepad(HWND owner) { StartTool(owner, "notepad.exe", kNoNotepadText); }

void EnableShutdownPrivilege() {
    // Without SeShutdownPrivilege enabled, ExitWindowsEx refuses to shut down
    // or restart. Nothing is checked: if it fails, so does the shut-down,
    // which is all the user would learn either way.
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

void LogOff() {
    // The session is ending: the shell goes away with its notification area,
    // so the icon is left to it.
    Effects().ExitWindowsEx(kLogOff, 0);
    CloseIfOpen(WindowKind::yindao);
    Yindao::EndProcess();
}

void ShutDown() {
    EnableShutdownPrivilege();
    Effects().ExitWindowsEx(kShutDownForced, 0);
}

void Restart() {
    EnableShutdownPrivilege();
    Effects().ExitWindowsEx(kRestartForced, 0);
}

}  // namespace velmora::commands
