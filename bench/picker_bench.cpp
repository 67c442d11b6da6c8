// Colour picker benchmark, run under Wine with the program's own code, in
// one process so that nothing but the picker differs between the runs:
//
//   picker_bench idle SECONDS     the program at rest: the hidden start-up
//                                 window and its tray icon, messages pumped
//   picker_bench picker SECONDS   the same with the picker open, its 100 ms
//                                 timer reading the screen
//   ... SECONDS still             the same with the pointer at rest
//   picker_bench readings N       N readings in a row: time per reading and
//                                 the handles held before and after
//
// In both timed modes the pointer moves between two colours every half
// second (unless told "still"), so the picker's swatch and lines really
// change and repaint. The
// process's own CPU time is printed; Wine's server and the X server do part
// of the work of every reading, and scripts/bench-picker.sh adds theirs.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/handles.h"
#include "bench/bench_util.h"
#include "shell/app_windows.h"
#include "shell/tray_icon.h"
#include "shell/yindao.h"
#include "tools/form3.h"

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

HWND CreatePicker() { return velmora::Form3::Instance().hwnd(); }

}  // namespace

int main(int argc, char** argv) {
    using namespace velmora;
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    const char* mode = argc > 1 ? argv[1] : "";
    const double amount = argc > 2 ? std::atof(argv[2]) : 0;

    Yindao yindao;
    yindao.Create();
    yindao.renwul();
    SetWindowFactory(WindowKind::Form3, &CreatePicker);
    ColourWindow(RGB(30, 144, 255), 600);
    ColourWindow(RGB(255, 140, 0), 700);

    int rc = 0;
    if (std::strcmp(mode, "idle") == 0 || std::strcmp(mode, "picker") == 0) {
        const bool picker = mode[0] == 'p';
        if (picker) ShowWindowNormal(WindowKind::Form3);
        const double seconds = amount > 0 ? amount : 60;
        const bool moving = !(argc > 3 && std::strcmp(argv[3], "still") == 0);
        const double cpu = Run(seconds, moving);
        std::printf("%s: %.0f ms of CPU in %.0f s = %.2f %% of one core\n", picker ? "picker open" : "idle program",
                    cpu, seconds, cpu / (seconds * 10));
        if (picker) {
            wchar_t line[64] = {};
            ::GetWindowTextW(Form3::Live()->Label2(), line, 64);
            std::printf("  last reading: %ls\n", line);
        }
    } else if (std::strcmp(mode, "readings") == 0) {
        const int n = amount > 0 ? static_cast<int>(amount) : 10000;
        ShowWindowNormal(WindowKind::Form3);
        Form3& form = *Form3::Live();
        ::SetCursorPos(650, 450);
        form.Timer1_Timer();
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
            form.Timer1_Timer();
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
        if (held != 0 || slotAfter > slotBefore + 100) rc = 1;
    } else {
        std::printf("usage: picker_bench idle SECONDS | picker SECONDS | readings N\n");
        rc = 2;
    }
    CloseIfOpen(WindowKind::Form3);
    RemoveTrayIcon();
    return rc;
}
