// The calls whose effects reach past the program: power and log-off, the
// recycle bin, shell execution, the wallpaper setter, MCI, starting other
// programs. Everything that does them is handed one SystemEffects, so that
// tests can hand in a recorder and check the exact calls without shutting
// anything down. The seam names the platform calls; it does not re-model
// them. Text arguments are UTF-8 here and ANSI at the platform call, but for
// the calls that take paths, which are wide all the way: a folder such as
// "C:\图片 한글" has characters no ANSI code page holds.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace velmora {

class SystemEffects {
public:
    virtual ~SystemEffects() = default;
    // ShellExecuteA; empty strings stand for NULL parameters.
    virtual INT_PTR ShellExecuteA(HWND owner, std::string_view verb, std::string_view file,
                                 std::string_view params, std::string_view dir, int show) = 0;
    // ShellAboutA.
    virtual int ShellAboutA(HWND owner, std::string_view app, std::string_view other, HICON icon) = 0;
    // ExitWindowsEx: log off, shut down, restart.
    virtual BOOL ExitWindowsEx(UINT flags, DWORD reason) = 0;
    // SendMessageA(owner, WM_SYSCOMMAND, SC_MONITORPOWER, state).
    virtual LRESULT MonitorPower(HWND owner, LPARAM state) = 0;
    // SHEmptyRecycleBinA with a NULL root (all bins).
    virtual HRESULT SHEmptyRecycleBinA(HWND owner, DWORD flags) = 0;
    // ShellExecuteW, for paths; empty strings stand for NULL parameters.
    virtual INT_PTR ShellExecuteW(HWND owner, std::wstring_view verb, std::wstring_view file,
                                 std::wstring_view params, std::wstring_view dir, int show) = 0;
    // SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, path, winIniFlags).
    virtual BOOL SetDeskWallpaper(std::wstring_view path, UINT winIniFlags) = 0;
    // WritePrivateProfileStringA(section, key, value, file): the wallpaper's
    // entries in the system profile "Win.ini".
    virtual BOOL WritePrivateProfileStringA(std::string_view section, std::string_view key, std::string_view value,
                                            std::string_view file) = 0;
    // mciSendStringA(command, NULL, 0, NULL).
    virtual DWORD mciSendStringA(std::string_view command) = 0;
    // Starts a command line as a new process with the show state; false when
    // it cannot be started.
    virtual bool StartProcess(std::string_view commandLine, int show) = 0;
};

// The real platform.
class Win32SystemEffects final : public SystemEffects {
public:
    INT_PTR ShellExecuteA(HWND owner, std::string_view verb, std::string_view file, std::string_view params,
                         std::string_view dir, int show) override;
    int ShellAboutA(HWND owner, std::string_view app, std::string_view other, HICON icon) override;
    BOOL ExitWindowsEx(UINT flags, DWORD reason) override;
    LRESULT MonitorPower(HWND owner, LPARAM state) override;
    HRESULT SHEmptyRecycleBinA(HWND owner, DWORD flags) override;
    INT_PTR ShellExecuteW(HWND owner, std::wstring_view verb, std::wstring_view file, std::wstring_view params,
                         std::wstring_view dir, int show) override;
    BOOL SetDeskWallpaper(std::wstring_view path, UINT winIniFlags) override;
    BOOL WritePrivateProfileStringA(std::string_view section, std::string_view key, std::string_view value,
                                    std::string_view file) override;
    DWORD mciSendStringA(std::string_view command) override;
    bool StartProcess(std::string_view commandLine, int show) override;
};

// Writes each call as one line, "Name(arg, arg, ...)", strings in quotes,
// and does nothing else. Lines also go to a file when one is given, so that
// a test driving the real program from outside can read them.
class RecordingEffects final : public SystemEffects {
public:
    RecordingEffects() = default;
    explicit RecordingEffects(std::wstring logFile) : logFile_(std::move(logFile)) {}

    INT_PTR ShellExecuteA(HWND owner, std::string_view verb, std::string_view file, std::string_view params,
                         std::string_view dir, int show) override;
    int ShellAboutA(HWND owner, std::string_view app, std::string_view other, HICON icon) override;
    BOOL ExitWindowsEx(UINT flags, DWORD reason) override;
    LRESULT MonitorPower(HWND owner, LPARAM state) override;
    HRESULT SHEmptyRecycleBinA(HWND owner, DWORD flags) override;
    INT_PTR ShellExecuteW(HWND owner, std::wstring_view verb, std::wstring_view file, std::wstring_view params,
                         std::wstring_view dir, int show) override;
    BOOL SetDeskWallpaper(std::wstring_view path, UINT winIniFlags) override;
    BOOL WritePrivateProfileStringA(std::string_view section, std::string_view key, std::string_view value,
                                    std::string_view file) override;
    DWORD mciSendStringA(std::string_view command) override;
    bool StartProcess(std::string_view commandLine, int show) override;

    // What a recorded StartProcess answers.
    void SetStartSucceeds(bool ok) { startSucceeds_ = ok; }
    // What a recorded SetDeskWallpaper answers.
    void SetWallpaperAccepted(bool ok) { wallpaperAccepted_ = ok; }
    std::vector<std::string> Calls() const;
    void Clear();

private:
    void Record(std::string line);

    std::wstring logFile_;
    bool startSucceeds_ = true;
    bool wallpaperAccepted_ = true;
    std::vector<std::string> calls_;
};

}  // namespace velmora
