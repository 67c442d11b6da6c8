// Drives a running Velmora.exe from outside, the way the shell and a user
// would, and reports what a user could see. Runs inside the same Wine
// session as the program. Every command prints one line "key value ..."
// and exits 0 when it could do its work, 1 otherwise.
//
//   vdriver start EXE [ARG]        start EXE, wait for its tray icon: "started PID MS"
//   vdriver start-wait EXE         start EXE and wait for it to end: "ended CODE MS"
//   vdriver start-many N EXE       start N copies at once: "started N"
//   vdriver processes              "processes N" (running Velmora.exe)
//   vdriver icon                   "icon 1|0" (Velmora's icon in the notification area)
//   vdriver tray-icons             "tray-icons N" (icons the notification area shows)
//   vdriver tray MSG [X Y]         send the icon callback with message MSG (and the anchor X Y)
//   vdriver menu                   "menu N L T R B" (visible popup menus, rect of the first)
//   vdriver windows                "windows N" (visible windows of Velmora processes) and their titles
//   vdriver kill [EXE]             end every Velmora.exe (or EXE) at once
//   vdriver count EXE              "count N" (running processes of EXE)
//   vdriver panel                  "panel VISIBLE ICONIC L T R B" of the launcher panel, once the
//                                  program answers (0 when none is shown)
//   vdriver text ID                "text T": UTF-8 text of the panel's control ID
//   vdriver active                 "active CLASS": class of the active (foreground) window, "-" when none
//   vdriver box [ok]               "box N TITLE|TEXT" of Velmora's visible message boxes
//                                  (UTF-8); with "ok", presses OK on them
//   vdriver box-press ID           presses button ID (6 Yes, 7 No) on Velmora's visible message boxes
//   vdriver picker                 "picker VISIBLE L T R B DECIMAL|HEX" of the colour picker (0 when none)
//   vdriver menus                  "menus N" and one line "L T R B" per visible popup menu
//
//   vdriver modules [paths]        "modules N" and the first Velmora process's libraries (full paths with "paths")
//   vdriver deny-instance          makes the running copy's single-instance token one that no
//                                  other start can open, as a copy run as administrator holds it
//   vdriver hold PATH WHILE        holds PATH open without sharing while the file WHILE exists
//                                  (at most two minutes): "held 1" once it is held
//
// For the recycle-bin emptier and the web-search box:
//   vdriver recycle PATH           move PATH into the recycle bin: "recycled RC"
//   vdriver bin-count              "bin-count N" (items in the recycle bins)
//   vdriver menu-keys VK...        press keys (hex or decimal codes) in the open tray menu
//   vdriver window CLASS           "window VISIBLE L T R B" of the window of that class ("window none")
//   vdriver wallpaper PATH         set the desktop wallpaper
//
// For the colour picker's copy:
//   vdriver clipboard              "clipboard TEXT": the clipboard's Unicode text (UTF-8), "clipboard-none"
//   vdriver colour-window L T W H RRGGBB...   a topmost window of side-by-side bands of those
//                                  colours, shown until closed (at most two minutes); class VdriverColours
//   vdriver close-window CLASS     posts WM_CLOSE to the window of that class: "closed 1|0"
// For the high-contrast theme:
//   vdriver contrast on|off        turns it on or off as the system's settings do (the stored flags,
//                                  then WM_SETTINGCHANGE to every top-level window): "contrast 1|0"
//   vdriver syscolours             "syscolours WINDOW ACTIVECAPTION WINDOWTEXT" as RRGGBB
// For windows found by class:
//   vdriver rect CLASS ID          "rect VISIBLE L T R B" of the window's control ID (0: the window)
//   vdriver wtext CLASS ID         "wtext T": the text of the window's control ID
//   vdriver select CLASS ID INDEX  selects a list entry as a click would
//   vdriver list CLASS ID          "list COUNT SELECTION" of a list box, then its entries, one a line
//   vdriver layout CLASS [DPI]     "layout W H DPI" of the window (outer size, the DPI its captions
//                                  are measured at: DPI, else the display's), then one line
//                                  "child ID CLASS L T R B FITS" per visible child at any depth
//                                  (rectangle in the window's client coordinates; FITS 1 when
//                                  its text fits its client area, 0 when it is clipped, - for
//                                  controls that show no caption of their own). A font handle
//                                  means nothing in another process under Wine: the text is
//                                  measured at the font of the program's captions, the system's
//                                  message font 12 pixels high at 96 dpi, scaled to the display
//
// With VDRIVER_OUT set, the output goes to that file instead: a program
// started inside Wine's virtual desktop ("explorer /desktop=...") has no
// console to print to, and the driver must run there to see its windows.
#include <windows.h>
#include <aclapi.h>
#include <psapi.h>
#include <shellapi.h>
#include <tlhelp32.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <cwctype>
#include <string>
#include <vector>

namespace {

const wchar_t kIconAddedEvent[] = L"Local\\Velmora.TrayIconAdded";

long long NowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

std::vector<DWORD> Processes(const wchar_t* exe = L"Velmora.exe") {
    std::vector<DWORD> pids;
    HANDLE snap = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W pe{};
    pe.dwSize = sizeof pe;
    for (BOOL ok = ::Process32FirstW(snap, &pe); ok; ok = ::Process32NextW(snap, &pe)) {
        if (_wcsicmp(pe.szExeFile, exe) == 0) pids.push_back(pe.th32ProcessID);
    }
    ::CloseHandle(snap);
    return pids;
}

// The program's hidden tray host: the icon's window, which receives its
// callbacks (message WM_APP + 1, the mouse message in lParam).
const UINT kTrayCallbackMessage = WM_APP + 1;
HWND TrayHost() {
    return ::FindWindowW(L"Velmora.TrayHost", L"Velmora");
}

bool StartProcess(const std::wstring& exe, const std::wstring& arg, PROCESS_INFORMATION& pi) {
    std::wstring cmd = L"\"" + exe + L"\"";
    if (!arg.empty()) cmd += L" " + arg;
    std::wstring dir = exe.substr(0, exe.find_last_of(L"\\/"));
    STARTUPINFOW si{};
    si.cb = sizeof si;
    return ::CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si, &pi);
}

int CountTrayIcons() {
    int count = 0;
    // Wine without a desktop: one small tray window holding one child per icon.
    for (HWND tray = nullptr; (tray = ::FindWindowExW(nullptr, tray, L"__winex11_standalone_tray", nullptr));) {
        for (HWND icon = nullptr; (icon = ::FindWindowExW(tray, icon, L"__winex11_tray_icon", nullptr));) {
            if (::IsWindowVisible(icon)) ++count;
        }
    }
    return count;
}

struct MenuScan {
    int count = 0;
    RECT first{};
};

BOOL CALLBACK ScanMenus(HWND hwnd, LPARAM lp) {
    auto* scan = reinterpret_cast<MenuScan*>(lp);
    wchar_t cls[16];
    if (::GetClassNameW(hwnd, cls, 16) && wcscmp(cls, L"#32768") == 0 && ::IsWindowVisible(hwnd)) {
        if (scan->count++ == 0) ::GetWindowRect(hwnd, &scan->first);
    }
    return TRUE;
}

std::string Utf8(const std::wstring& w) {
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), out.data(), n, nullptr, nullptr);
    return out;
}

std::wstring TextOf(HWND hwnd) {
    wchar_t text[512] = {};
    ::GetWindowTextW(hwnd, text, 512);
    return text;
}

struct BoxScan {
    std::vector<DWORD> pids;
    std::vector<HWND> boxes;
};

BOOL CALLBACK ScanBoxes(HWND hwnd, LPARAM lp) {
    auto* scan = reinterpret_cast<BoxScan*>(lp);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    wchar_t cls[16] = {};
    ::GetClassNameW(hwnd, cls, 16);
    for (DWORD p : scan->pids) {
        if (p == pid && ::IsWindowVisible(hwnd) && wcscmp(cls, L"#32770") == 0) scan->boxes.push_back(hwnd);
    }
    return TRUE;
}

struct WindowScan {
    std::vector<DWORD> pids;
    std::vector<std::wstring> titles;
};

BOOL CALLBACK ScanWindows(HWND hwnd, LPARAM lp) {
    auto* scan = reinterpret_cast<WindowScan*>(lp);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    for (DWORD p : scan->pids) {
        if (p == pid && ::IsWindowVisible(hwnd)) {
            wchar_t title[256] = {};
            wchar_t cls[64] = {};
            ::GetWindowTextW(hwnd, title, 256);
            ::GetClassNameW(hwnd, cls, 64);
            scan->titles.push_back(std::wstring(cls) + L":" + title);
        }
    }
    return TRUE;
}

// ---- the colour picker's copy

// The clipboard's Unicode text. Wine's clipboard manager opens the
// clipboard itself for a moment after every change, so it is asked for a
// few times.
int ClipboardCommand() {
    bool opened = false;
    for (int attempt = 0; attempt < 20 && !(opened = ::OpenClipboard(nullptr)); ++attempt) ::Sleep(25);
    if (!opened) {
        std::printf("error clipboard-held\n");
        return 1;
    }
    std::wstring text;
    bool found = false;
    if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(::GlobalLock(data))) {
            text = chars;
            found = true;
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    if (found) {
        std::printf("clipboard %s\n", Utf8(text).c_str());
    } else {
        std::printf("clipboard-none\n");
    }
    return 0;
}

struct Bands {
    std::vector<COLORREF> colours;
};

LRESULT CALLBACK BandsProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(hwnd, &ps);
        const auto* bands = reinterpret_cast<const Bands*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        RECT client{};
        ::GetClientRect(hwnd, &client);
        const int n = static_cast<int>(bands->colours.size());
        for (int i = 0; i < n; ++i) {
            RECT band{client.right * i / n, 0, client.right * (i + 1) / n, client.bottom};
            HBRUSH brush = ::CreateSolidBrush(bands->colours[i]);
            ::FillRect(dc, &band, brush);
            ::DeleteObject(brush);
        }
        ::EndPaint(hwnd, &ps);
        return 0;
    }
    if (msg == WM_DESTROY) ::PostQuitMessage(0);
    return ::DefWindowProcW(hwnd, msg, wp, lp);
}

// Something of known colours on the screen for the picker to read: never
// activated, so it takes no keys from the program.
int ColourWindowCommand(int argc, wchar_t** argv) {
    Bands bands;
    for (int i = 6; i < argc; ++i) {
        const unsigned long rgb = std::wcstoul(argv[i], nullptr, 16);
        bands.colours.push_back(RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF));
    }
    WNDCLASSW wc{};
    wc.lpfnWndProc = BandsProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"VdriverColours";
    ::RegisterClassW(&wc);
    HWND window = ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, wc.lpszClassName, L"",
                                    WS_POPUP, _wtoi(argv[2]), _wtoi(argv[3]), _wtoi(argv[4]), _wtoi(argv[5]), nullptr,
                                    nullptr, wc.hInstance, nullptr);
    if (!window) return 1;
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&bands));
    ::ShowWindow(window, SW_SHOWNOACTIVATE);
    ::SetTimer(window, 1, 120000, [](HWND w, UINT, UINT_PTR, DWORD) { ::DestroyWindow(w); });
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) ::DispatchMessageW(&msg);
    return 0;
}

// -1 when `cmd` is none of the colour picker's copy commands.
int CopyCommand(const std::wstring& cmd, int argc, wchar_t** argv) {
    if (cmd == L"clipboard") return ClipboardCommand();
    if (cmd == L"colour-window" && argc >= 7) return ColourWindowCommand(argc, argv);
    if (cmd == L"close-window" && argc >= 3) {
        HWND w = ::FindWindowW(argv[2], nullptr);
        if (w) ::PostMessageW(w, WM_CLOSE, 0, 0);
        std::printf("closed %d\n", w ? 1 : 0);
        return w ? 0 : 1;
    }
    return -1;
}

// ---- the recycle-bin emptier and the web-search box

// -1 when `cmd` is none of these.
// The control ID at any depth of the window (the search box's controls
// lie on its grass strip).
HWND Descendant(HWND window, int id) {
    if (HWND direct = ::GetDlgItem(window, id)) return direct;
    struct Search {
        int id;
        HWND found;
    } search{id, nullptr};
    ::EnumChildWindows(
        window,
        [](HWND child, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lp);
            if (::GetDlgCtrlID(child) != s->id) return TRUE;
            s->found = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

int DisplayDpi() {
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    return dpi;
}

int g_measureDpi = 0;  // the DPI captions are measured at; the display's when 0

HFONT CaptionFont() {
    static HFONT font = [] {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        LOGFONTW lf = metrics.lfMessageFont;
        lf.lfHeight = -::MulDiv(12, g_measureDpi ? g_measureDpi : DisplayDpi(), 96);
        lf.lfWidth = 0;
        return ::CreateFontIndirectW(&lf);
    }();
    return font;
}

// Whether a control's caption fits it: "1", "0", or "-" for controls
// that show no caption of their own (pictures, fields, lists, the bare
// boxes of check boxes and option buttons whose caption is a label).
const char* CaptionFits(HWND control) {
    wchar_t cls[64] = {};
    ::GetClassNameW(control, cls, 64);
    const std::wstring text = TextOf(control);
    const LONG style = ::GetWindowLongW(control, GWL_STYLE);
    const bool button = _wcsicmp(cls, L"Button") == 0, label = _wcsicmp(cls, L"Static") == 0;
    if (text.empty() || (!button && !label)) return "-";
    if (label && (style & SS_TYPEMASK) == SS_OWNERDRAW) return "-";
    // An owner-drawn button shows what its owner draws, not its text.
    const LONG kind = style & BS_TYPEMASK;
    if (button && kind != BS_PUSHBUTTON && kind != BS_DEFPUSHBUTTON && kind != BS_GROUPBOX) return "-";
    HDC dc = ::GetDC(control);
    HGDIOBJ old = ::SelectObject(dc, CaptionFont());
    RECT client{};
    ::GetClientRect(control, &client);
    // Captions that wrap are measured as they wrap in the control's width
    // (a one-line label too narrow for its text wraps to a second line its
    // height has no room for).
    RECT need = client;
    const bool wraps = button ? (style & BS_MULTILINE) != 0 : (style & SS_TYPEMASK) <= SS_RIGHT;
    const UINT wrap = wraps ? DT_WORDBREAK | DT_EDITCONTROL : DT_SINGLELINE;
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &need, DT_CALCRECT | DT_NOPREFIX | wrap);
    ::SelectObject(dc, old);
    ::ReleaseDC(control, dc);
    return need.right - need.left <= client.right && need.bottom - need.top <= client.bottom ? "1" : "0";
}

struct LayoutScan {
    HWND window;
};

BOOL CALLBACK PrintChild(HWND child, LPARAM lp) {
    const auto* scan = reinterpret_cast<const LayoutScan*>(lp);
    if (!::IsWindowVisible(child)) return TRUE;
    wchar_t cls[64] = {};
    ::GetClassNameW(child, cls, 64);
    RECT r{};
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, scan->window, reinterpret_cast<POINT*>(&r), 2);
    std::printf("child %d %s %ld %ld %ld %ld %s\n", ::GetDlgCtrlID(child), Utf8(cls).c_str(), r.left, r.top, r.right,
                r.bottom, CaptionFits(child));
    return TRUE;
}

int LayoutCommand(const wchar_t* cls) {
    HWND w = ::FindWindowW(cls, nullptr);
    if (!w) {
        std::printf("layout none\n");
        return 1;
    }
    RECT r{};
    ::GetWindowRect(w, &r);
    std::printf("layout %ld %ld %d\n", r.right - r.left, r.bottom - r.top, g_measureDpi ? g_measureDpi : DisplayDpi());
    LayoutScan scan{w};
    ::EnumChildWindows(w, &PrintChild, reinterpret_cast<LPARAM>(&scan));
    return 0;
}

int ToolsCommand(const std::wstring& cmd, int argc, wchar_t** argv) {
    if (cmd == L"recycle" && argc >= 3) {
        // SHFileOperation wants a list ending in two NULs.
        std::wstring from = argv[2];
        from.push_back(L'\0');
        SHFILEOPSTRUCTW op{};
        op.wFunc = FO_DELETE;
        op.pFrom = from.c_str();
        op.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
        const int rc = ::SHFileOperationW(&op);
        std::printf("recycled %d\n", rc);
        return rc == 0 ? 0 : 1;
    }
    if (cmd == L"bin-count") {
        SHQUERYRBINFO info{};
        info.cbSize = sizeof info;
        const HRESULT hr = ::SHQueryRecycleBinW(nullptr, &info);
        std::printf("bin-count %lld\n", SUCCEEDED(hr) ? static_cast<long long>(info.i64NumItems) : -1LL);
        return SUCCEEDED(hr) ? 0 : 1;
    }
    if (cmd == L"menu-keys") {
        // The tray menu runs its loop on the start-up window's thread and
        // takes the keys posted there.
        HWND host = TrayHost();
        if (!host) {
            std::printf("error no-tray-host\n");
            return 1;
        }
        for (int i = 2; i < argc; ++i) {
            const UINT vk = static_cast<UINT>(std::wcstol(argv[i], nullptr, 0));
            ::PostMessageW(host, WM_KEYDOWN, vk, 0);
            ::PostMessageW(host, WM_KEYUP, vk, 0xC0000000);
            ::Sleep(50);
        }
        std::printf("sent\n");
        return 0;
    }
    if (cmd == L"window" && argc >= 3) {
        HWND w = ::FindWindowW(argv[2], nullptr);
        if (!w) {
            std::printf("window none\n");
            return 1;
        }
        RECT r{};
        ::GetWindowRect(w, &r);
        std::printf("window %d %ld %ld %ld %ld\n", ::IsWindowVisible(w) ? 1 : 0, r.left, r.top, r.right, r.bottom);
        return 0;
    }
    if (cmd == L"layout" && argc >= 3) {
        if (argc >= 4) g_measureDpi = _wtoi(argv[3]);
        return LayoutCommand(argv[2]);
    }
    if (cmd == L"monitors") {
        // "monitors N", then "L T R B" of each, as Wine lays them out.
        std::vector<RECT> found;
        ::EnumDisplayMonitors(nullptr, nullptr, [](HMONITOR, HDC, LPRECT r, LPARAM all) {
            reinterpret_cast<std::vector<RECT>*>(all)->push_back(*r);
            return TRUE;
        }, reinterpret_cast<LPARAM>(&found));
        std::printf("monitors %zu\n", found.size());
        for (const RECT& r : found) std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
        return 0;
    }
    if (cmd == L"wallpaper" && argc >= 3) {
        const BOOL ok = ::SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, argv[2], SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);
        std::printf("wallpaper %d\n", ok ? 1 : 0);
        return ok ? 0 : 1;
    }
    return -1;
}

// -1 when `cmd` is none of the high-contrast commands.
int ContrastCommand(const std::wstring& cmd, int argc, wchar_t** argv) {
    if (cmd == L"contrast" && argc >= 3) {
        const bool on = std::wstring(argv[2]) == L"on";
        // HCF_AVAILABLE and the rest as Windows keeps them, with or without HCF_HIGHCONTRASTON.
        const wchar_t* flags = on ? L"127" : L"126";
        const LSTATUS rc = ::RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Accessibility\\HighContrast",
                                             L"Flags", REG_SZ, flags, (std::wcslen(flags) + 1) * sizeof(wchar_t));
        DWORD_PTR ignored = 0;
        ::SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0, SMTO_ABORTIFHUNG, 5000,
                              &ignored);
        std::printf("contrast %d\n", on ? 1 : 0);
        return rc == ERROR_SUCCESS ? 0 : 1;
    }
    if (cmd == L"syscolours") {
        std::printf("syscolours");
        for (int index : {COLOR_WINDOW, COLOR_ACTIVECAPTION, COLOR_WINDOWTEXT}) {
            const COLORREF c = ::GetSysColor(index);
            std::printf(" %02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
        }
        std::printf("\n");
        return 0;
    }
    return -1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (const wchar_t* out = _wgetenv(L"VDRIVER_OUT")) _wfreopen(out, L"w", stdout);
    const std::wstring cmd = argc > 1 ? argv[1] : L"";
    if (const int rc = ToolsCommand(cmd, argc, argv); rc >= 0) return rc;
    if (const int rc = CopyCommand(cmd, argc, argv); rc >= 0) return rc;
    if (const int rc = ContrastCommand(cmd, argc, argv); rc >= 0) return rc;
    if (cmd == L"start" && argc >= 3) {
        HANDLE added = ::CreateEventW(nullptr, TRUE, FALSE, kIconAddedEvent);
        ::ResetEvent(added);
        const long long t0 = NowMs();
        PROCESS_INFORMATION pi{};
        if (!StartProcess(argv[2], argc > 3 ? argv[3] : L"", pi)) {
            std::printf("error cannot-start %lu\n", ::GetLastError());
            return 1;
        }
        const DWORD r = ::WaitForSingleObject(added, 15000);
        std::printf("started %lu %lld\n", pi.dwProcessId, NowMs() - t0);
        return r == WAIT_OBJECT_0 ? 0 : 1;
    }
    if (cmd == L"start-wait" && argc >= 3) {
        const long long t0 = NowMs();
        PROCESS_INFORMATION pi{};
        if (!StartProcess(argv[2], argc > 3 ? argv[3] : L"", pi)) return 1;
        const DWORD r = ::WaitForSingleObject(pi.hProcess, 15000);
        DWORD code = 0;
        ::GetExitCodeProcess(pi.hProcess, &code);
        std::printf("ended %lu %lld\n", r == WAIT_OBJECT_0 ? code : 9999, NowMs() - t0);
        return r == WAIT_OBJECT_0 ? 0 : 1;
    }
    if (cmd == L"start-many" && argc >= 4) {
        const int n = _wtoi(argv[2]);
        std::vector<PROCESS_INFORMATION> started(n);
        int ok = 0;
        for (auto& pi : started) ok += StartProcess(argv[3], L"", pi) ? 1 : 0;
        std::printf("started %d\n", ok);
        return ok == n ? 0 : 1;
    }
    if (cmd == L"deny-instance") {
        // A DACL without entries: no one may open the token any more.
        HANDLE token = ::OpenMutexW(WRITE_DAC, FALSE, L"Local\\Velmora.SingleInstance");
        ACL empty{};
        const bool ok = token && ::InitializeAcl(&empty, sizeof empty, ACL_REVISION) &&
                        ::SetSecurityInfo(token, SE_KERNEL_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr,
                                          &empty, nullptr) == ERROR_SUCCESS;
        // What a start does with the name, as the program does it.
        HANDLE again = ::CreateMutexW(nullptr, FALSE, L"Local\\Velmora.SingleInstance");
        std::printf("denied %d %d\n", ok ? 1 : 0, !again && ::GetLastError() == ERROR_ACCESS_DENIED ? 1 : 0);
        if (again) ::CloseHandle(again);
        if (token) ::CloseHandle(token);
        return ok && !again ? 0 : 1;
    }
    if (cmd == L"hold" && argc >= 4) {
        HANDLE file = ::CreateFileW(argv[2], GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        std::printf("held %d\n", file != INVALID_HANDLE_VALUE ? 1 : 0);
        std::fflush(stdout);
        for (int i = 0; i < 1200 && ::GetFileAttributesW(argv[3]) != INVALID_FILE_ATTRIBUTES; ++i) ::Sleep(100);
        if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
        return file != INVALID_HANDLE_VALUE ? 0 : 1;
    }
    if (cmd == L"modules") {
        const bool paths = argc >= 3 && std::wstring(argv[2]) == L"paths";
        // The libraries loaded in the first Velmora process, lower case.
        const std::vector<DWORD> pids = Processes();
        std::vector<std::wstring> names;
        HANDLE snap = pids.empty() ? INVALID_HANDLE_VALUE : ::CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pids[0]);
        MODULEENTRY32W me{};
        me.dwSize = sizeof me;
        for (BOOL ok = snap != INVALID_HANDLE_VALUE && ::Module32FirstW(snap, &me); ok; ok = ::Module32NextW(snap, &me)) {
            std::wstring name = paths ? me.szExePath : me.szModule;
            for (wchar_t& c : name) c = static_cast<wchar_t>(std::towlower(c));
            names.push_back(name);
        }
        if (snap != INVALID_HANDLE_VALUE) ::CloseHandle(snap);
        std::printf("modules %zu\n", names.size());
        for (const auto& n : names) std::printf("  %ls\n", n.c_str());
        return pids.empty() ? 1 : 0;
    }
    if (cmd == L"processes") {
        std::printf("processes %zu\n", Processes().size());
        return 0;
    }
    if (cmd == L"icon") {
        HWND host = TrayHost();
        NOTIFYICONDATAA probe{};
        probe.cbSize = NOTIFYICONDATAA_V1_SIZE;
        probe.hWnd = host;
        probe.uID = 1;
        probe.uFlags = NIF_TIP;
        std::strcpy(probe.szTip, "Velmora");
        std::printf("icon %d\n", host && ::Shell_NotifyIconA(NIM_MODIFY, &probe) ? 1 : 0);
        return 0;
    }
    if (cmd == L"tray-icons") {
        std::printf("tray-icons %d\n", CountTrayIcons());
        return 0;
    }
    if (cmd == L"tray" && argc >= 3) {
        HWND host = TrayHost();
        if (!host) {
            std::printf("error no-tray-host\n");
            return 1;
        }
        // What the shell does on a mouse or keyboard event of the icon;
        // version 4 gives the icon's anchor (X Y) with the keyboard's.
        const WPARAM anchor = argc >= 5 ? MAKEWPARAM(_wtoi(argv[3]), _wtoi(argv[4])) : 0;
        ::PostMessageW(host, kTrayCallbackMessage, anchor, MAKELPARAM(std::wcstol(argv[2], nullptr, 0), 1));
        std::printf("sent\n");
        return 0;
    }
    if (cmd == L"menu") {
        MenuScan scan;
        ::EnumWindows(ScanMenus, reinterpret_cast<LPARAM>(&scan));
        std::printf("menu %d %ld %ld %ld %ld\n", scan.count, scan.first.left, scan.first.top, scan.first.right,
                    scan.first.bottom);
        return 0;
    }
    if (cmd == L"windows") {
        WindowScan scan;
        scan.pids = Processes();
        ::EnumWindows(ScanWindows, reinterpret_cast<LPARAM>(&scan));
        std::printf("windows %zu\n", scan.titles.size());
        for (const auto& t : scan.titles) std::printf("  %ls\n", t.c_str());
        return 0;
    }
    if (cmd == L"count" && argc >= 3) {
        std::printf("count %zu\n", Processes(argv[2]).size());
        return 0;
    }
    if (cmd == L"panel") {
        // Once the program has handled what came before: under Wine a
        // window being taken down holds its thread for a while.
        if (HWND host = ::FindWindowW(L"Velmora.TrayHost", L"Velmora")) {
            DWORD_PTR answer = 0;
            ::SendMessageTimeoutW(host, WM_NULL, 0, 0, SMTO_BLOCK, 5000, &answer);
        }
        // The shown panel; else a hidden one (made ahead for the next opening).
        HWND panel = ::FindWindowW(L"Velmora.LauncherPanel", nullptr);
        for (HWND w = panel; w; w = ::FindWindowExW(nullptr, w, L"Velmora.LauncherPanel", nullptr)) {
            if (::IsWindowVisible(w)) panel = w;
        }
        const bool shown = panel && ::IsWindowVisible(panel);
        RECT r{};
        if (shown) ::GetWindowRect(panel, &r);
        std::printf("panel %d %d %ld %ld %ld %ld\n", shown ? 1 : 0, shown && ::IsIconic(panel) ? 1 : 0, r.left, r.top,
                    r.right, r.bottom);
        return panel ? 0 : 1;
    }
    if (cmd == L"active") {
        wchar_t cls[64] = L"-";
        if (HWND active = ::GetForegroundWindow()) ::GetClassNameW(active, cls, 64);
        std::printf("active %ls\n", cls);
        return 0;
    }
    if (cmd == L"text" && argc >= 3) {
        HWND panel = ::FindWindowW(L"Velmora.LauncherPanel", nullptr);
        HWND control = panel ? ::GetDlgItem(panel, _wtoi(argv[2])) : nullptr;
        std::printf("text %s\n", control ? Utf8(TextOf(control)).c_str() : "");
        return control ? 0 : 1;
    }
    if (cmd == L"box") {
        BoxScan scan;
        scan.pids = Processes();
        ::EnumWindows(ScanBoxes, reinterpret_cast<LPARAM>(&scan));
        std::printf("box %zu", scan.boxes.size());
        for (HWND box : scan.boxes) {
            // The message of a message box is its static control 0xFFFF.
            std::printf(" %s|%s", Utf8(TextOf(box)).c_str(), Utf8(TextOf(::GetDlgItem(box, 0xFFFF))).c_str());
            if (argc >= 3 && wcscmp(argv[2], L"ok") == 0) ::PostMessageW(box, WM_COMMAND, IDOK, 0);
        }
        std::printf("\n");
        return 0;
    }
    // ---- auto-start and the colour picker
    if (cmd == L"box-press" && argc >= 3) {
        BoxScan scan;
        scan.pids = Processes();
        ::EnumWindows(ScanBoxes, reinterpret_cast<LPARAM>(&scan));
        // A click on the button itself, as the user would.
        for (HWND box : scan.boxes) ::PostMessageW(::GetDlgItem(box, _wtoi(argv[2])), BM_CLICK, 0, 0);
        std::printf("pressed %zu\n", scan.boxes.size());
        return scan.boxes.empty() ? 1 : 0;
    }
    if (cmd == L"picker") {
        HWND picker = ::FindWindowW(L"Velmora.ColourPicker", nullptr);
        RECT r{};
        if (picker) ::GetWindowRect(picker, &r);
        const std::wstring decimal = picker ? TextOf(::GetDlgItem(picker, 3)) : L"";
        const std::wstring hex = picker ? TextOf(::GetDlgItem(picker, 4)) : L"";
        std::printf("picker %d %ld %ld %ld %ld %s|%s\n", picker && ::IsWindowVisible(picker) ? 1 : 0, r.left, r.top,
                    r.right, r.bottom, Utf8(decimal).c_str(), Utf8(hex).c_str());
        return picker ? 0 : 1;
    }
    if (cmd == L"menus") {
        // Menus of another process cannot be read under Wine; their places
        // can.
        std::vector<RECT> rects;
        ::EnumWindows(
            [](HWND hwnd, LPARAM lp) {
                wchar_t cls[16] = {};
                RECT r{};
                if (::GetClassNameW(hwnd, cls, 16) && wcscmp(cls, L"#32768") == 0 && ::IsWindowVisible(hwnd) &&
                    ::GetWindowRect(hwnd, &r)) {
                    reinterpret_cast<std::vector<RECT>*>(lp)->push_back(r);
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&rects));
        std::printf("menus %zu\n", rects.size());
        for (const RECT& r : rects) std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
        return 0;
    }
    // ---- end of auto-start and the colour picker

    if (cmd == L"kill") {
        for (DWORD pid : Processes(argc >= 3 ? argv[2] : L"Velmora.exe")) {
            HANDLE h = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
            if (h) {
                ::TerminateProcess(h, 1);
                ::WaitForSingleObject(h, 5000);
                ::CloseHandle(h);
            }
        }
        std::printf("killed\n");
        return 0;
    }
    // ---- windows by class: where they and their controls are on the screen
    if (cmd == L"rect" && argc >= 4) {
        // rect CLASS ID: "rect VISIBLE LEFT TOP RIGHT BOTTOM" of the window's
        // control ID (0: the window itself); "rect none" when there is none.
        HWND window = ::FindWindowW(argv[2], nullptr);
        const int id = _wtoi(argv[3]);
        HWND target = window && id ? Descendant(window, id) : window;
        if (!target) {
            std::printf("rect none\n");
            return 1;
        }
        RECT r{};
        ::GetWindowRect(target, &r);
        std::printf("rect %d %ld %ld %ld %ld\n", ::IsWindowVisible(target) ? 1 : 0, r.left, r.top, r.right,
                    r.bottom);
        return 0;
    }
    if (cmd == L"wtext" && argc >= 4) {
        // wtext CLASS ID: the text of a window's control.
        HWND window = ::FindWindowW(argv[2], nullptr);
        HWND control = window ? ::GetDlgItem(window, _wtoi(argv[3])) : nullptr;
        std::printf("wtext %s\n", control ? Utf8(TextOf(control)).c_str() : "");
        return control ? 0 : 1;
    }
    if (cmd == L"list" && argc >= 4) {
        HWND window = ::FindWindowW(argv[2], nullptr);
        HWND list = window ? ::GetDlgItem(window, _wtoi(argv[3])) : nullptr;
        if (!list) {
            std::printf("list none\n");
            return 1;
        }
        const int count = static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0));
        std::printf("list %d %d\n", count, static_cast<int>(::SendMessageW(list, LB_GETCURSEL, 0, 0)));
        for (int i = 0; i < count; ++i) {
            std::wstring item(static_cast<size_t>(::SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
            ::SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(item.data()));
            std::printf("%s\n", Utf8(item.c_str()).c_str());
        }
        return 0;
    }
    if (cmd == L"select" && argc >= 5) {
        // select CLASS ID INDEX: selects a list entry as a click would and
        // tells the window, without waiting for what it does about it.
        HWND window = ::FindWindowW(argv[2], nullptr);
        const int id = _wtoi(argv[3]);
        HWND list = window ? ::GetDlgItem(window, id) : nullptr;
        if (!list) return 1;
        ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(_wtoi(argv[4])), 0);
        ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
        std::printf("select %d\n", static_cast<int>(::SendMessageW(list, LB_GETCURSEL, 0, 0)));
        return 0;
    }
    std::printf("error usage\n");
    return 2;
}
