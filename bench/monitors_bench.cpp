// Every monitor its own picture, under Wine with the program's own code: a
// 3840 x 2160 monitor beside a 1080 x 1920 portrait one, two 4000 x 3000
// JPEGs in pic, "Fill": each change reads both pictures, renders each at
// its monitor's size, composes and writes the 4920 x 2160 bitmap and sets
// it (target 500 ms). Then the working set after the changes against the
// one before them, the decoders already loaded (target: within 2 MB). The
// system calls are real (the benchmark runs in a Wine prefix of its own)
// unless --record is given.
//
//   monitors_bench [RUNS] [--record]
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench/bench_util.h"
#include "bench/test_pictures.h"
#include "platform/deferred_calls.h"
#include "platform/effects.h"
#include "platform/system_services.h"
#include "settings/settings_store.h"
#include "wallpaper/wallpaper_rotation.h"

namespace {

namespace wp = velmora::wallpaper;
using velmora::bench::Median;
using velmora::bench::NowMs;
using velmora::bench::WorkingSetMb;

// The heap keeps freed blocks for reuse; what it gives back to the system
// is what the working set can show.
void TrimHeaps() {
    ::HeapCompact(::GetProcessHeap(), 0);
    ::SetProcessWorkingSetSize(::GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
}

}  // namespace

int main(int argc, char** argv) {
    int runs = 10;
    bool record = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--record") == 0) record = true;
        else runs = std::max(1, std::atoi(argv[i]));
    }
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    velmora::RecordingEffects recorder;
    velmora::Win32SystemEffects system;
    velmora::SystemEffects& effects = record ? static_cast<velmora::SystemEffects&>(recorder) : system;

    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring root = std::wstring(temp) + L"velmora-monitors-bench-" + std::to_wstring(::GetCurrentProcessId());
    ::CreateDirectoryW(root.c_str(), nullptr);
    ::CreateDirectoryW((root + L"\\pic").c_str(), nullptr);
    if (!velmora::bench::WriteJpeg(root + L"\\pic\\a 4000x3000.jpg", 4000, 3000, 1) ||
        !velmora::bench::WriteJpeg(root + L"\\pic\\b 4000x3000.jpg", 4000, 3000, 2)) {
        std::printf("could not encode the test pictures\n");
        return 1;
    }
    velmora::MemorySettings settings;
    settings.Set("wz", "4");
    velmora::ClockSeededRandom random;
    velmora::DeferredCalls later;
    const std::vector<wp::MonitorArea> layout = {{0, 0, 3840, 2160}, {3840, 0, 1080, 1920}};
    std::vector<double> times;
    bool applied = true;
    double idleMb = 0, afterMb = 0;
    {
        wp::WallpaperRotation rotation({effects, settings, random, later, root, [&] { return layout; }});
        applied = rotation.Next();  // the decoders loaded, the list read
        TrimHeaps();
        idleMb = WorkingSetMb();
        for (int i = 0; i < runs; ++i) {
            const double t0 = NowMs();
            applied = rotation.Next() && applied;
            times.push_back(NowMs() - t0);
        }
        TrimHeaps();
        afterMb = WorkingSetMb();
    }
    // Where the time goes: one picture read, the two rendered and composed
    // (nothing written), the bitmap composed and written, and the setter.
    std::vector<double> reads, composes, writes, sets;
    const std::wstring bitmap = root + L"\\wallpaper.bmp";
    for (int i = 0; i < 3; ++i) {
        const double t0 = NowMs();
        auto a = velmora::LoadPicture(root + L"\\pic\\a 4000x3000.jpg");
        const double t1 = NowMs();
        auto b = velmora::LoadPicture(root + L"\\pic\\b 4000x3000.jpg");
        if (!a || !b) break;
        const std::vector<wp::MonitorPicture> parts = {{layout[0], a->Pixels(), wp::Position::Fill},
                                                       {layout[1], b->Pixels(), wp::Position::Fill}};
        const double t2 = NowMs();
        wp::ComposeScreen(parts, 0, 64, [](const std::uint8_t*, std::size_t, int, int) { return true; });
        const double t3 = NowMs();
        wp::ApplyToMonitors(recorder, {{layout[0], &*a}, {layout[1], &*b}}, bitmap, wp::Position::Fill, 0);
        const double t4 = NowMs();
        effects.SetDeskWallpaper(bitmap, SPIF_UPDATEINIFILE);
        sets.push_back(NowMs() - t4);
        reads.push_back(t1 - t0);
        composes.push_back(t3 - t2);
        writes.push_back(t4 - t3 - (t3 - t2));
    }
    std::printf("  of which: one 4000x3000 JPEG read %.1f ms; rendering and composing both %.1f ms; writing the "
                "bitmap %.1f ms; setting it %.1f ms\n",
                Median(reads), Median(composes), Median(writes), Median(sets));
    WIN32_FILE_ATTRIBUTE_DATA info{};
    ::GetFileAttributesExW((root + L"\\wallpaper.bmp").c_str(), GetFileExInfoStandard, &info);
    std::printf("render, compose, write and set 3840x2160 + 1080x1920 from two 4000x3000 JPEGs (%s effects): "
                "median %.1f ms over %d, fastest %.1f, slowest %.1f; bitmap %lu KB%s\n",
                record ? "recorded" : "real", Median(times), runs, *std::min_element(times.begin(), times.end()),
                *std::max_element(times.begin(), times.end()), info.nFileSizeLow / 1024, applied ? "" : " FAILED");
    std::printf("working set: %.1f MB before the changes, %.1f MB after (%+.1f MB)\n", idleMb, afterMb,
                afterMb - idleMb);
    for (const wchar_t* name : {L"\\pic\\a 4000x3000.jpg", L"\\pic\\b 4000x3000.jpg", L"\\pic", L"\\wallpaper.bmp",
                                L"\\vlmr-history.txt"}) {
        ::DeleteFileW((root + name).c_str());
        ::RemoveDirectoryW((root + name).c_str());
    }
    ::RemoveDirectoryW(root.c_str());
    // The figures, one a line: figure|measured|target|held or missed.
    std::printf("two monitors' wallpaper|%.1f ms|<= 500 ms|%s\n", Median(times),
                Median(times) <= 500 && applied ? "held" : "missed");
    std::printf("working set after it|%+.1f MB|<= +2 MB|%s\n", afterMb - idleMb,
                afterMb - idleMb <= 2 ? "held" : "missed");
    return applied ? 0 : 1;
}
