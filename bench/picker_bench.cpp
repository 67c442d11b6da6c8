// Colour picker benchmark, run under Wine with the program's own code, in
// one process so that nothing but the picker differs between the runs:
//
//   picker_bench idle SECONDS     the program at rest: a hidden window with
//                                 a tray icon, as the tray host holds them,
//                                 messages pumped
//   picker_bench picker SECONDS   the same with the picker open, its 100 ms
//                                 timer reading the screen
//   ... SECONDS still             the same with the pointer at rest
//   picker_bench readings N       N readings in a row: time per reading and
//                                 the handles held before and after
//
// In both timed modes the pointer moves between two colours every half
// second (unless told "still"), so the picker's swatch and lines really
// change and repaint. The process's own CPU time is printed; Wine's server and the X server do part
// of the work of every reading, and scripts/bench-picker.sh adds theirs.
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "bench/bench_util.h"
#include "platform/handles.h"
#include "platform/system_services.h"
#include "platform/window.h"
#include "tools/colour_picker.h"

namespace {

using velmora::bench::NowMs;

double CpuMs() {
    FILETIME created, exited, kernel, user;
    ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto ms = [](FILETIME f) {
        return static_cast<double>((static_cast<unsigned long long>(f.dwHighDateTime) << 32) | f.dwLowDateTime) /
               10000.0;
    };
    return ms(kernel) + ms(user);
}

// Two plain windows of known colours for the pointer to rest on.
HWND ColourWindow(COLORREF colour, int x) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"PickerBenchColour";
    ::RegisterClassW(&wc);
    HWND hwnd = ::CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, L"", WS_POPUP, x, 400, 100, 100, nullptr,
                                  nullptr, wc.hInstance, nullptr);
    ::SetClassLongPtrW(hwnd, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(::CreateSolidBrush(colour)));
    ::ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    return hwnd;
}

// Pumps messages for `seconds`, moving the pointer every half second;
// returns the CPU milliseconds used.
double Run(double seconds, bool moving) {
    ::SetCursorPos(650, 450);
    const double cpu0 = CpuMs(), t0 = NowMs();
    double nextMove = t0;
    bool left = false;
    for (;;) {
        const double now = NowMs();
        if (now - t0 >= seconds * 1000) break;
        if (now >= nextMove) {
            left = !left;
            if (moving) ::SetCursorPos(left ? 650 : 750, 450);
            nextMove += 500;
        }
        const DWORD wait = static_cast<DWORD>(std::max(1.0, std::min(nextMove, t0 + seconds * 1000) - now));
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, wait, QS_ALLINPUT);
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    return CpuMs() - cpu0;
}

// The tray host's part of a program at rest: a hidden window and its icon.
class RestingProgram {
public:
    RestingProgram() : window_(::CreateWindowW(L"STATIC", L"", WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr,
                                               ::GetModuleHandleW(nullptr), nullptr)) {
        icon_.cbSize = sizeof icon_;
        icon_.hWnd = window_.get();
        icon_.uID = 1;
        icon_.uFlags = NIF_ICON | NIF_TIP;
        icon_.hIcon = ::LoadIconW(nullptr, IDI_APPLICATION);
        ::lstrcpynW(icon_.szTip, L"Velmora", 64);
        ::Shell_NotifyIconW(NIM_ADD, &icon_);
    }
    ~RestingProgram() { ::Shell_NotifyIconW(NIM_DELETE, &icon_); }
    HWND window() const { return window_.get(); }

private:
    velmora::UniqueWindow window_;
    NOTIFYICONDATAW icon_{};
};

// One reading, as the picker's timer takes it.
void Reading(const velmora::ColourPicker& picker) {
    ::SendMessageW(picker.hwnd(), WM_TIMER, velmora::ColourPicker::kReadingTimer, 0);
}

// N readings in a row: the time per reading and the handles held before
// and after; 1 when a reading kept something.
int MeasureReadings(const velmora::ColourPicker& picker, int n) {
    using namespace velmora;
    auto counts = [] {
        std::printf("    screen DCs %ld, GDI objects %ld, regions %ld, bitmaps %ld, memory DCs %ld\n",
                    UniqueScreenDc::live(), UniqueGdiObject::live(), UniqueRegion::live(), UniqueBitmap::live(),
                    UniqueMemoryDc::live());
    };
    UniqueGdiObject probe(::CreateSolidBrush(RGB(1, 2, 3)));
    const unsigned long slotBefore = reinterpret_cast<uintptr_t>(probe.get()) & 0xFFFF;
    probe.reset();
    std::printf("readings: %d\n  before\n", n);
    counts();
    long held = 0;
    const double cpu0 = CpuMs(), t0 = NowMs();
    for (int i = 0; i < n; ++i) {
        if (i % 500 == 0) ::SetCursorPos(i % 1000 == 0 ? 650 : 750, 450);
        Reading(picker);
        held += UniqueScreenDc::live();
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
    }
    const double wall = NowMs() - t0, cpu = CpuMs() - cpu0;
    std::printf("  after\n");
    counts();
    probe.reset(::CreateSolidBrush(RGB(1, 2, 3)));
    const unsigned long slotAfter = reinterpret_cast<uintptr_t>(probe.get()) & 0xFFFF;
    std::printf("  screen DCs held after a reading, summed over all: %ld\n", held);
    std::printf("  next free GDI slot: %lu before, %lu after\n", slotBefore, slotAfter);
    std::printf("  %.3f ms per reading (%.3f ms of this process's CPU)\n", wall / n, cpu / n);
    return held != 0 || slotAfter > slotBefore + 100 ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace velmora;
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    const char* mode = argc > 1 ? argv[1] : "";
    const double amount = argc > 2 ? std::atof(argv[2]) : 0;

    RestingProgram program;
    ScreenPixelReader screen;
    colour::CopyHistory copied;
    std::unique_ptr<ColourPicker> picker;
    auto open = [&] {
        picker = ColourPicker::Create({screen, program.window(), copied});
        if (picker) ::ShowWindow(picker->hwnd(), SW_SHOW);
        return picker != nullptr;
    };
    ColourWindow(RGB(30, 144, 255), 600);
    ColourWindow(RGB(255, 140, 0), 700);

    int rc = 0;
    if (std::strcmp(mode, "idle") == 0 || std::strcmp(mode, "picker") == 0) {
        const bool withPicker = mode[0] == 'p';
        if (withPicker && !open()) return 3;
        const double seconds = amount > 0 ? amount : 60;
        const bool moving = !(argc > 3 && std::strcmp(argv[3], "still") == 0);
        const double cpu = Run(seconds, moving);
        std::printf("%s: %.0f ms of CPU in %.0f s = %.2f %% of one core\n", withPicker ? "picker open" : "idle program",
                    cpu, seconds, cpu / (seconds * 10));
        if (withPicker) {
            wchar_t line[64] = {};
            ::GetWindowTextW(picker->DecimalLine(), line, 64);
            std::printf("  last reading: %ls\n", line);
        }
    } else if (std::strcmp(mode, "readings") == 0) {
        const int n = amount > 0 ? static_cast<int>(amount) : 10000;
        if (!open()) return 3;
        ::SetCursorPos(650, 450);
        Reading(*picker);
        rc = MeasureReadings(*picker, n);
    } else {
        std::printf("usage: picker_bench idle SECONDS | picker SECONDS | readings N\n");
        rc = 2;
    }
    return rc;
}
