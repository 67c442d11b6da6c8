// Helpers shared by the Win32 tests.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>

namespace velmora::testing {

// A fresh, empty folder under the Windows temporary folder, removed with
// its files at the end of the scope.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::wstring& path() const { return path_; }
    std::wstring File(const std::wstring& name) const { return path_ + L"\\" + name; }

private:
    std::wstring path_;
};

std::string ReadBytes(const std::wstring& path);
void WriteBytes(const std::wstring& path, const std::string& bytes);
bool FileExists(const std::wstring& path);

// Pumps this thread's messages until pred holds or the time is up.
bool PumpUntil(const std::function<bool()>& pred, std::chrono::milliseconds limit);

// Visible popup-menu windows of this desktop.
int VisibleMenuWindows();

}  // namespace velmora::testing
