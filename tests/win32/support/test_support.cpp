#include "test_support.h"

#include <shellapi.h>

#include <cstdint>
#include <cstdio>
#include <vector>

#include "platform/handles.h"

namespace velmora::testing {

std::string Hex(const void* p) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%016llX", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(p)));
    return buf;
}

std::wstring TextOf(HWND hwnd) {
    wchar_t buf[256] = {};
    ::GetWindowTextW(hwnd, buf, 256);
    return buf;
}

std::wstring ClassOf(HWND hwnd) {
    wchar_t buf[64] = {};
    ::GetClassNameW(hwnd, buf, 64);
    return buf;
}

std::wstring AccessibleName(HWND control) {
    const std::wstring cls = ClassOf(control);
    const bool labelled = ::lstrcmpiW(cls.c_str(), L"Edit") == 0 || ::lstrcmpiW(cls.c_str(), L"ListBox") == 0 ||
                          ::lstrcmpiW(cls.c_str(), L"ComboBox") == 0;
    if (!labelled) return TextOf(control);
    for (HWND h = ::GetWindow(control, GW_HWNDPREV); h; h = ::GetWindow(h, GW_HWNDPREV)) {
        if (::lstrcmpiW(ClassOf(h).c_str(), L"Static") == 0) return TextOf(h);
        // Stricter than the rule needs: a label must not lie past any
        // visible stop or group start, where a reader may not look for it.
        const LONG_PTR style = ::GetWindowLongPtrW(h, GWL_STYLE);
        if ((style & WS_VISIBLE) && (style & (WS_GROUP | WS_TABSTOP))) break;
    }
    return L"";
}

RECT RectIn(HWND child, HWND reference) {
    RECT r{};
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, reference, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

RECT RectInParent(HWND child) { return RectIn(child, ::GetParent(child)); }

TempFolder::TempFolder() {
    wchar_t base[MAX_PATH];
    ::GetTempPathW(MAX_PATH, base);
    static unsigned counter = 0;
    path_ = std::wstring(base) + L"velmora-test-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
            std::to_wstring(++counter);
    ::CreateDirectoryW(path_.c_str(), nullptr);
}

TempFolder::~TempFolder() {
    WIN32_FIND_DATAW fd;
    std::vector<std::wstring> files;
    {
        UniqueFind find(::FindFirstFileW((path_ + L"\\*").c_str(), &fd));
        if (find) {
            do {
                if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) files.push_back(fd.cFileName);
            } while (::FindNextFileW(find.get(), &fd));
        }
    }
    for (const auto& f : files) {
        ::SetFileAttributesW(File(f).c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileW(File(f).c_str());
    }
    ::RemoveDirectoryW(path_.c_str());
}

std::string ReadBytes(const std::wstring& path) {
    UniqueFile f(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               nullptr, OPEN_EXISTING, 0, nullptr));
    if (!f) return {};
    std::string out(::GetFileSize(f.get(), nullptr), '\0');
    DWORD got = 0;
    if (!out.empty()) ::ReadFile(f.get(), out.data(), static_cast<DWORD>(out.size()), &got, nullptr);
    out.resize(got);
    return out;
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
    UniqueFile f(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    ::WriteFile(f.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

void WriteSolidBmp(const std::wstring& path, int width, int height, COLORREF colour) {
    const int row = (width * 3 + 3) & ~3;
    std::string bytes(54 + static_cast<size_t>(row) * height, '\0');
    auto put = [&](size_t at, uint32_t v, int n) {
        for (int i = 0; i < n; ++i) bytes[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    put(0, 'B' | ('M' << 8), 2);
    put(2, static_cast<uint32_t>(bytes.size()), 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, static_cast<uint32_t>(width), 4);
    put(22, static_cast<uint32_t>(height), 4);
    put(26, 1, 2);
    put(28, 24, 2);
    put(34, static_cast<uint32_t>(row) * height, 4);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const size_t at = 54 + static_cast<size_t>(y) * row + static_cast<size_t>(x) * 3;
            bytes[at + 0] = static_cast<char>(GetBValue(colour));
            bytes[at + 1] = static_cast<char>(GetGValue(colour));
            bytes[at + 2] = static_cast<char>(GetRValue(colour));
        }
    WriteBytes(path, bytes);
}

bool FileExists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool PumpUntil(const std::function<bool()>& pred, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!pred()) {
        if (std::chrono::steady_clock::now() > end) return false;
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::Sleep(10);
    }
    return true;
}

namespace {
constexpr UINT kAnchorIconId = 99;
}

TrayAnchor::TrayAnchor() {
    window_ = ::CreateWindowW(L"STATIC", L"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    NOTIFYICONDATAA icon{};
    icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    icon.hWnd = window_;
    icon.uID = kAnchorIconId;
    icon.uFlags = NIF_ICON;
    icon.hIcon = ::LoadIconW(nullptr, IDI_APPLICATION);
    ::Shell_NotifyIconA(NIM_ADD, &icon);
}

TrayAnchor::~TrayAnchor() {
    NOTIFYICONDATAA icon{};
    icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    icon.hWnd = window_;
    icon.uID = kAnchorIconId;
    ::Shell_NotifyIconA(NIM_DELETE, &icon);
    ::DestroyWindow(window_);
}

int VisibleMenuWindows() {
    int count = 0;
    ::EnumWindows(
        [](HWND hwnd, LPARAM lp) -> BOOL {
            wchar_t cls[16];
            if (::GetClassNameW(hwnd, cls, 16) && std::wstring(cls) == L"#32768" && ::IsWindowVisible(hwnd)) {
                ++*reinterpret_cast<int*>(lp);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

}  // namespace velmora::testing
