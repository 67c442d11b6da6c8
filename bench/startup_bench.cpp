// Start-up benchmark, run under Wine: for the baseline tray program and for
// Velmora.exe, alternately, the time from process creation to the tray icon
// being added, and the memory in use one second after start-up.
//
//   startup_bench RUNS BASELINE.exe VELMORA.exe
#include <windows.h>
#include <psapi.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/bench_util.h"
namespace {

using velmora::bench::Median;

constexpr double kRatioTarget = 1.10;
constexpr double kExtraMbTarget = 2.0;

struct Sample {
    double startMs;
    double workingSetMb;
};

bool RunOnce(const std::wstring& exe, bool isVelmora, Sample& out) {
    HANDLE added = ::CreateEventW(nullptr, TRUE, FALSE, L"Local\\Velmora.TrayIconAdded");
    ::ResetEvent(added);
    std::wstring cmd = L"\"" + exe + L"\"";
    const std::wstring dir = exe.substr(0, exe.find_last_of(L"\\/"));
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    LARGE_INTEGER freq, t0, t1;
    ::QueryPerformanceFrequency(&freq);
    ::QueryPerformanceCounter(&t0);
    if (!::CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si, &pi)) {
        return false;
    }
    const bool ok = ::WaitForSingleObject(added, 15000) == WAIT_OBJECT_0;
    ::QueryPerformanceCounter(&t1);
    out.startMs = 1000.0 * double(t1.QuadPart - t0.QuadPart) / double(freq.QuadPart);
    ::Sleep(1000);
    // Resident memory; Wine reports the working set but not private bytes.
    PROCESS_MEMORY_COUNTERS mem{};
    mem.cb = sizeof mem;
    ::GetProcessMemoryInfo(pi.hProcess, &mem, sizeof mem);
    out.workingSetMb = double(mem.WorkingSetSize) / (1024.0 * 1024.0);

    if (isVelmora) {
        // Remove its icon on its behalf, then end it.
        HWND host = ::FindWindowW(L"Velmora.TrayHost", L"Velmora");
        NOTIFYICONDATAA icon{};
        icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
        icon.hWnd = host;
        icon.uID = 1;
        ::Shell_NotifyIconA(NIM_DELETE, &icon);
        ::TerminateProcess(pi.hProcess, 0);
    } else {
        HWND w = ::FindWindowW(L"VelmoraBaseline", nullptr);
        ::PostMessageW(w, WM_CLOSE, 0, 0);
    }
    ::WaitForSingleObject(pi.hProcess, 10000);
    ::CloseHandle(pi.hProcess);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(added);
    return ok;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: startup_bench RUNS BASELINE.exe VELMORA.exe\n");
        return 2;
    }
    const int runs = _wtoi(argv[1]);
    std::vector<double> start[2], ws[2];
    // One warm-up start of each, so that both are measured with warm caches.
    for (int i = -1; i < runs; ++i) {
        for (int which = 0; which < 2; ++which) {
            Sample s{};
            if (!RunOnce(argv[2 + which], which == 1, s)) {
                std::fprintf(stderr, "run %d of %ls: no tray icon\n", i, argv[2 + which]);
                return 1;
            }
            if (i < 0) continue;
            start[which].push_back(s.startMs);
            ws[which].push_back(s.workingSetMb);
        }
    }
    const char* names[2] = {"baseline", "Velmora"};
    std::printf("%-10s %24s %26s\n", "program", "start to icon (median)", "working set (MB, median)");
    for (int w = 0; w < 2; ++w) {
        std::printf("%-10s %21.1f ms %26.2f\n", names[w], Median(start[w]), Median(ws[w]));
    }
    const double ratio = Median(start[1]) / Median(start[0]);
    const double extraMb = Median(ws[1]) - Median(ws[0]);
    std::printf("start-up ratio Velmora/baseline: %.2f (target at most %.2f)\n", ratio, kRatioTarget);
    std::printf("working set difference: %+.2f MB (target at most +%.0f MB)\n", extraMb, kExtraMbTarget);
    // One line per figure for scripts: figure|measured|target|held or missed.
    std::printf("start-up to tray icon, ratio to baseline|%.2f|%.2f|%s\n", ratio, kRatioTarget,
                ratio <= kRatioTarget ? "held" : "missed");
    std::printf("working set over baseline (MB)|%+.2f|+%.0f|%s\n", extraMb, kExtraMbTarget,
                extraMb <= kExtraMbTarget ? "held" : "missed");
    return 0;
}
