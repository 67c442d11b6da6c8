// Helpers shared by the Win32 tests.
#pragma once

#include <windows.h>

#include <chrono>
#include <cwchar>
#include <functional>
#include <initializer_list>
#include <string>

namespace velmora::testing {

// A pointer as 16 hexadecimal digits.
std::string Hex(const void* p);
// A window's text and class name.
std::wstring TextOf(HWND hwnd);
std::wstring ClassOf(HWND hwnd);
// A window's rectangle in the client coordinates of `reference`, or of its
// parent.
RECT RectIn(HWND child, HWND reference);
RECT RectInParent(HWND child);
// The name a screen reader hears for a standard control, by Microsoft
// Active Accessibility's documented rule: a button or static is named by
// its own text; an edit, list or combo box by the nearest static before it
// (GW_HWNDPREV, shown or not), looking past hidden controls but not past a
// visible tab stop or group start.
std::wstring AccessibleName(HWND control);

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
// Writes a 24-bit BMP of w x h pixels in one colour.
void WriteSolidBmp(const std::wstring& path, int width, int height, COLORREF colour);

// Pumps this thread's messages until pred holds or the time is up.
bool PumpUntil(const std::function<bool()>& pred, std::chrono::milliseconds limit);

// Visible popup-menu windows of this desktop.
int VisibleMenuWindows();

// An icon of the tests' own in the notification area while it lives. Wine
// takes two seconds to remove the last icon of its tray; with this one
// there, the program's icon is never the last.
class TrayAnchor {
public:
    TrayAnchor();
    ~TrayAnchor();
    TrayAnchor(const TrayAnchor&) = delete;
    TrayAnchor& operator=(const TrayAnchor&) = delete;

private:
    HWND window_ = nullptr;
};

// Runs `step` once a popup menu is on screen (from inside the menu's own
// message loop, where timers keep ticking).
class WhileMenuIsOpen {
public:
    explicit WhileMenuIsOpen(std::function<void()> step) : step_(std::move(step)) {
        current_ = this;
        timer_ = ::SetTimer(nullptr, 0, 50, &WhileMenuIsOpen::Tick);
    }
    ~WhileMenuIsOpen() {
        ::KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    bool ran() const { return ran_; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        WhileMenuIsOpen* self = current_;
        if (!self || self->ran_ || VisibleMenuWindows() == 0) return;
        self->ran_ = true;
        self->step_();
    }
    static inline WhileMenuIsOpen* current_ = nullptr;
    std::function<void()> step_;
    UINT_PTR timer_ = 0;
    bool ran_ = false;
};

// Posts key presses to a window of this thread (a popup menu of this thread
// takes them from its loop).
inline void PressKeys(HWND target, std::initializer_list<UINT> keys) {
    for (UINT vk : keys) {
        ::PostMessageW(target, WM_KEYDOWN, vk, 0);
        ::PostMessageW(target, WM_KEYUP, vk, 0xC0000000);
    }
}

// The high-contrast theme's state as the system stores it, put back when
// done: the session's other tests see the skin.
class StoredHighContrast {
public:
    explicit StoredHighContrast(const wchar_t* flags) { Set(flags); }
    ~StoredHighContrast() { ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kKey, L"Flags"); }
    StoredHighContrast(const StoredHighContrast&) = delete;
    StoredHighContrast& operator=(const StoredHighContrast&) = delete;
    void Set(const wchar_t* flags) {
        ::RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"Flags", REG_SZ, flags,
                          static_cast<DWORD>((std::wcslen(flags) + 1) * sizeof(wchar_t)));
    }

private:
    static constexpr const wchar_t* kKey = L"Control Panel\\Accessibility\\HighContrast";
};

}  // namespace velmora::testing
