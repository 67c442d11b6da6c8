// Launcher panel benchmark, run under Wine with the program's own code:
//   - from the tray double-click to the panel painted (the first opening,
//     which also loads the artwork, and later openings of a new panel);
//   - one DrawSkin;
//   - 1,000 resize-and-paint cycles and 1,000 clock ticks, and panels opened
//     and closed, with the handles the program owns counted before and
//     after.
//
//   panel_bench [RUNS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/bench_util.h"
#include "launcher/frm_main.h"
#include "platform/effects.h"
#include "platform/handles.h"
#include "shell/app_windows.h"
#include "shell/yindao.h"

namespace {

using velmora::bench::Median;
using velmora::bench::NowMs;

void Pump() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

struct Counts {
    long regions = velmora::UniqueRegion::live();
    long bitmaps = velmora::UniqueBitmap::live();
    long dcs = velmora::UniqueMemoryDc::live();
    long objects = velmora::UniqueGdiObject::live();
};

void PrintCounts(const char* when, const Counts& c) {
    std::printf("  %-8s regions %ld, bitmaps %ld, memory DCs %ld, other GDI objects %ld\n", when, c.regions,
                c.bitmaps, c.dcs, c.objects);
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    velmora::RecordingEffects recorder;  // nothing reaches the system
    velmora::SetEffects(&recorder);
    velmora::Yindao yindao;
    if (!yindao.Create()) return 1;

    // Double-click to painted.
    std::vector<double> opens;
    double first = 0;
    Counts afterFirstClose, afterLastClose;
    for (int i = 0; i <= runs; ++i) {
        const double t0 = NowMs();
        ::SendMessageW(yindao.Picture2(), WM_MOUSEMOVE, 0, WM_LBUTTONDBLCLK);
        HWND panel = velmora::LiveWindow(velmora::WindowKind::frmMain);
        ::UpdateWindow(panel);
        const double ms = NowMs() - t0;
        if (i == 0) first = ms; else opens.push_back(ms);
        Pump();
        if (i < runs) velmora::CloseIfOpen(velmora::WindowKind::frmMain);
        Pump();
        if (i == 0) afterFirstClose = Counts();
        if (i == runs - 1) afterLastClose = Counts();
    }
    std::printf("tray double-click to panel painted: first %.1f ms, then median %.1f ms over %d (target 100 ms)\n",
                first, Median(opens), runs);

    std::printf("panel lifetimes (%d more opened and closed):\n", runs - 1);
    PrintCounts("first", afterFirstClose);
    PrintCounts("last", afterLastClose);
    const bool lifetimesFlat = afterFirstClose.regions == afterLastClose.regions &&
                               afterFirstClose.bitmaps == afterLastClose.bitmaps &&
                               afterFirstClose.dcs == afterLastClose.dcs &&
                               afterFirstClose.objects == afterLastClose.objects;

    velmora::FrmMain* panel = velmora::FrmMain::Live();
    if (!panel) return 1;
    HWND hwnd = panel->hwnd();

    std::vector<double> skins;
    for (int i = 0; i < 1000; ++i) {
        const double t0 = NowMs();
        panel->Frame().DrawSkin();
        skins.push_back(NowMs() - t0);
    }

    std::printf("DrawSkin: median %.3f ms, slowest %.3f ms over 1000 (target 2 ms)\n", Median(skins),
                *std::max_element(skins.begin(), skins.end()));
    Pump();

    ::SetWindowPos(hwnd, nullptr, 0, 0, 600, 400, SWP_NOMOVE | SWP_NOZORDER);
    ::UpdateWindow(hwnd);
    const Counts before;
    const double t0 = NowMs();
    for (int i = 0; i < 1000; ++i) {
        ::SetWindowPos(hwnd, nullptr, 0, 0, 600 + i % 7, 400 + i % 5, SWP_NOMOVE | SWP_NOZORDER);
        ::UpdateWindow(hwnd);
    }
    const double resizeMs = NowMs() - t0;
    for (int i = 0; i < 1000; ++i) {
        panel->Timer1_Timer();
        ::UpdateWindow(hwnd);
    }
    Pump();
    const Counts after;
    std::printf("1000 resize-and-paint cycles: %.1f ms each; then 1000 clock ticks, each painted\n", resizeMs / 1000);
    PrintCounts("before", before);
    PrintCounts("after", after);
    const bool flat = before.regions == after.regions && before.bitmaps == after.bitmaps && before.dcs == after.dcs &&
                      before.objects == after.objects;
    std::printf("handles owned by the program: %s over resizes and ticks, %s over panel lifetimes\n",
                flat ? "flat" : "GREW", lifetimesFlat ? "flat" : "GREW");
    velmora::CloseIfOpen(velmora::WindowKind::frmMain);
    velmora::SetEffects(nullptr);
    return flat && lifetimesFlat ? 0 : 1;
}
