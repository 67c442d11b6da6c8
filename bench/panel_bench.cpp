// Launcher panel benchmark, run under Wine with the program's own code:
//   - from "show the panel" (what the tray double-click asks for) to the
//     panel painted: the first opening, which also loads the artwork, and
//     later openings of a new panel;
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
#include "commands/system_commands.h"
#include "launcher/launcher_panel.h"
#include "platform/deferred_calls.h"
#include "platform/effects.h"
#include "platform/handles.h"
#include "platform/system_services.h"
#include "platform/window_slot.h"

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

// Answers every message box at once without showing it.
class SilentPrompter final : public velmora::Prompter {
public:
    int Show(HWND, const std::wstring&, const std::wstring&, UINT) override { return IDOK; }
};

struct Counts {
    long regions = velmora::UniqueRegion::live();
    long bitmaps = velmora::UniqueBitmap::live();
    long dcs = velmora::UniqueMemoryDc::live();
    long objects = velmora::UniqueGdiObject::live();
    long icons = velmora::UniqueIcon::live();
    bool operator==(const Counts&) const = default;
};

void PrintCounts(const char* when, const Counts& c) {
    std::printf("  %-8s regions %ld, bitmaps %ld, memory DCs %ld, other GDI objects %ld, icons %ld\n", when,
                c.regions, c.bitmaps, c.dcs, c.objects, c.icons);
}

using PanelSlot = velmora::WindowSlot<velmora::LauncherPanel>;

// Opens and closes the panel runs + 1 times, the last one left open;
// prints the opening times and whether the handles stayed flat.
bool OpenAndClose(PanelSlot& slot, int runs) {
    std::vector<double> opens;
    double first = 0;
    Counts afterFirstClose, afterLastClose;
    for (int i = 0; i <= runs; ++i) {
        const double t0 = NowMs();
        velmora::LauncherPanel* panel = slot.ShowNormal();
        if (!panel) return false;
        ::UpdateWindow(panel->hwnd());
        const double ms = NowMs() - t0;
        if (i == 0) first = ms; else opens.push_back(ms);
        Pump();
        if (i < runs) slot.Close();
        Pump();  // the slot lets the closed panel's object go
        if (i == 0) afterFirstClose = Counts();
        if (i == runs - 1) afterLastClose = Counts();
    }
    std::printf("show to panel painted: first %.1f ms, then median %.1f ms over %d (target 100 ms)\n", first,
                Median(opens), runs);
    std::printf("panel lifetimes (%d more opened and closed):\n", runs - 1);
    PrintCounts("first", afterFirstClose);
    PrintCounts("last", afterLastClose);
    return afterFirstClose == afterLastClose;
}

// Resizes and clock ticks of a shown panel, each painted.
bool ResizeAndTick(velmora::LauncherPanel& panel) {
    HWND hwnd = panel.hwnd();
    ::SetWindowPos(hwnd, nullptr, 0, 0, 600, 400, SWP_NOMOVE | SWP_NOZORDER);
    ::UpdateWindow(hwnd);
    const Counts before;
    const double t0 = NowMs();
    for (int i = 0; i < 1000; ++i) {
        ::SetWindowPos(hwnd, nullptr, 0, 0, 600 + i % 7, 400 + i % 5, SWP_NOMOVE | SWP_NOZORDER);
        ::UpdateWindow(hwnd);
    }
    const double resizeMs = NowMs() - t0;
    const double t1 = NowMs();
    for (int i = 0; i < 1000; ++i) {
        ::SendMessageW(hwnd, WM_TIMER, static_cast<WPARAM>(velmora::LauncherPanel::TimerId::Clock), 0);
        ::UpdateWindow(hwnd);
    }
    const double tickMs = NowMs() - t1;
    Pump();
    const Counts after;
    std::printf("1000 resize-and-paint cycles: %.1f ms each; 1000 clock ticks, each painted: %.1f ms each\n",
                resizeMs / 1000, tickMs / 1000);
    PrintCounts("before", before);
    PrintCounts("after", after);
    return before == after;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    velmora::RecordingEffects recorder;  // nothing reaches the system
    SilentPrompter prompts;
    velmora::DeferredCalls later;
    velmora::SystemCommands commands(recorder, prompts, later);
    const velmora::SystemClock clock;
    const velmora::SystemTicks ticks;
    PanelSlot slot(later,
                   [&] { return velmora::LauncherPanel::Create({commands, clock, ticks, [](velmora::Action) {}}); });

    const bool lifetimesFlat = OpenAndClose(slot, runs);
    velmora::LauncherPanel* panel = slot.Live();
    if (!panel) return 1;

    std::vector<double> skins;
    for (int i = 0; i < 1000; ++i) {
        const double t0 = NowMs();
        panel->Frame().DrawSkin();
        skins.push_back(NowMs() - t0);
    }
    std::printf("DrawSkin: median %.3f ms, slowest %.3f ms over 1000 (target 2 ms)\n", Median(skins),
                *std::max_element(skins.begin(), skins.end()));
    Pump();

    const bool flat = ResizeAndTick(*panel);
    std::printf("handles owned by the program: %s over resizes and ticks, %s over panel lifetimes\n",
                flat ? "flat" : "GREW", lifetimesFlat ? "flat" : "GREW");
    slot.Close();
    Pump();
    return flat && lifetimesFlat ? 0 : 1;
}
