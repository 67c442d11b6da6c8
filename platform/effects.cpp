#include "platform/effects.h"

#include <mmsystem.h>
#include <shellapi.h>

#include <cstdint>
#include <cstdio>

#include "platform/handles.h"
#include "platform/text.h"

namespace velmora {

namespace {

std::string Ansi(std::string_view utf8) { return ToCodePage(utf8, CP_ACP); }
const char* OrNull(const std::string& s) { return s.empty() ? nullptr : s.c_str(); }
const wchar_t* OrNull(const std::wstring& s) { return s.empty() ? nullptr : s.c_str(); }

std::string Quote(std::string_view s) { return "\"" + std::string(s) + "\""; }
std::string Hex(const void* p) {
    // wsprintf does not document %p; the C library's formatting does.
    char buf[32];
    std::snprintf(buf, sizeof buf, "%016llX", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(p)));
    return buf;
}

}  // namespace

INT_PTR Win32SystemEffects::ShellExecuteA(HWND owner, std::string_view verb, std::string_view file,
                                         std::string_view params, std::string_view dir, int show) {
    const std::string v = Ansi(verb), f = Ansi(file), p = Ansi(params), d = Ansi(dir);
    return reinterpret_cast<INT_PTR>(::ShellExecuteA(owner, OrNull(v), f.c_str(), OrNull(p), OrNull(d), show));
}

INT_PTR Win32SystemEffects::ShellExecuteW(HWND owner, std::wstring_view verb, std::wstring_view file,
                                         std::wstring_view params, std::wstring_view dir, int show) {
    const std::wstring v(verb), f(file), p(params), d(dir);
    return reinterpret_cast<INT_PTR>(::ShellExecuteW(owner, OrNull(v), f.c_str(), OrNull(p), OrNull(d), show));
}

int Win32SystemEffects::ShellAboutA(HWND owner, std::string_view app, std::string_view other, HICON icon) {
    const std::string a = Ansi(app), o = Ansi(other);
    return ::ShellAboutA(owner, a.c_str(), o.c_str(), icon);
}

BOOL Win32SystemEffects::ExitWindowsEx(UINT flags, DWORD reason) { return ::ExitWindowsEx(flags, reason); }

LRESULT Win32SystemEffects::MonitorPower(HWND owner, LPARAM state) {
    return ::SendMessageA(owner, WM_SYSCOMMAND, SC_MONITORPOWER, state);
}

HRESULT Win32SystemEffects::SHEmptyRecycleBinA(HWND owner, DWORD flags) {
    return ::SHEmptyRecycleBinA(owner, nullptr, flags);
}

BOOL Win32SystemEffects::SetDeskWallpaper(std::wstring_view path, UINT winIniFlags) {
    std::wstring p(path);
    return ::SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, p.data(), winIniFlags);
}

BOOL Win32SystemEffects::WritePrivateProfileStringA(std::string_view section, std::string_view key,
                                                   std::string_view value, std::string_view file) {
    const std::string s = Ansi(section), k = Ansi(key), v = Ansi(value), f = Ansi(file);
    return ::WritePrivateProfileStringA(s.c_str(), k.c_str(), v.c_str(), f.c_str());
}

DWORD Win32SystemEffects::mciSendStringA(std::string_view command) {
    const std::string c = Ansi(command);
    return ::mciSendStringA(c.c_str(), nullptr, 0, nullptr);
}

bool Win32SystemEffects::StartProcess(std::string_view commandLine, int show) {
    std::wstring line = Widen(commandLine);  // CreateProcessW may write into it
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = static_cast<WORD>(show);
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        return false;
    }
    UniqueKernelHandle process(pi.hProcess), thread(pi.hThread);
    return true;
}

void RecordingEffects::Record(std::string line) {
    if (!logFile_.empty()) {
        UniqueFile f(::CreateFileW(logFile_.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                   OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (f) {
            const std::string withBreak = line + "\n";
            DWORD written = 0;
            ::WriteFile(f.get(), withBreak.data(), static_cast<DWORD>(withBreak.size()), &written, nullptr);
        }
    }
    calls_.push_back(std::move(line));
}

std::vector<std::string> RecordingEffects::Calls() const {
    return calls_;
}

void RecordingEffects::Clear() {
    calls_.clear();
}

INT_PTR RecordingEffects::ShellExecuteA(HWND owner, std::string_view verb, std::string_view file,
                                       std::string_view params, std::string_view dir, int show) {
    auto arg = [](std::string_view s) { return s.empty() ? std::string("NULL") : Quote(s); };
    Record("ShellExecute(" + Hex(owner) + ", " + arg(verb) + ", " + Quote(file) + ", " + arg(params) + ", " +
           arg(dir) + ", " + std::to_string(show) + ")");
    return 33;  // anything above 32 reports success
}

INT_PTR RecordingEffects::ShellExecuteW(HWND owner, std::wstring_view verb, std::wstring_view file,
                                       std::wstring_view params, std::wstring_view dir, int show) {
    // Recorded as the narrow call is: the effect is the same.
    return ShellExecuteA(owner, Narrow(verb), Narrow(file), Narrow(params), Narrow(dir), show);
}

int RecordingEffects::ShellAboutA(HWND owner, std::string_view app, std::string_view other, HICON icon) {
    Record("ShellAbout(" + Hex(owner) + ", " + Quote(app) + ", " + Quote(other) + ", " + Hex(icon) + ")");
    return TRUE;
}

BOOL RecordingEffects::ExitWindowsEx(UINT flags, DWORD reason) {
    Record("ExitWindowsEx(" + std::to_string(flags) + ", " + std::to_string(reason) + ")");
    return TRUE;
}

LRESULT RecordingEffects::MonitorPower(HWND owner, LPARAM state) {
    Record("MonitorPower(" + Hex(owner) + ", " + std::to_string(state) + ")");
    return 0;
}

HRESULT RecordingEffects::SHEmptyRecycleBinA(HWND owner, DWORD flags) {
    Record("SHEmptyRecycleBin(" + Hex(owner) + ", NULL, " + std::to_string(flags) + ")");
    return S_OK;
}

BOOL RecordingEffects::SetDeskWallpaper(std::wstring_view path, UINT winIniFlags) {
    Record("SetDeskWallpaper(" + Quote(Narrow(path)) + ", " + std::to_string(winIniFlags) + ")");
    return wallpaperAccepted_ ? TRUE : FALSE;
}

BOOL RecordingEffects::WritePrivateProfileStringA(std::string_view section, std::string_view key,
                                                   std::string_view value, std::string_view file) {
    Record("WritePrivateProfileString(" + Quote(section) + ", " + Quote(key) + ", " + Quote(value) + ", " +
           Quote(file) + ")");
    return TRUE;
}

DWORD RecordingEffects::mciSendStringA(std::string_view command) {
    Record("mciSendString(" + Quote(command) + ")");
    return 0;
}

bool RecordingEffects::StartProcess(std::string_view commandLine, int show) {
    Record("StartProcess(" + Quote(commandLine) + ", " + std::to_string(show) + ")");
    return startSucceeds_;
}

}  // namespace velmora
