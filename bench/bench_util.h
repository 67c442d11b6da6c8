// Small helpers shared by the benchmark programs: a millisecond clock, the
// median of a series and the process's working set.
#pragma once

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <vector>

namespace velmora::bench {

// Milliseconds on the performance counter.
inline double NowMs() {
    static LARGE_INTEGER freq{};
    if (!freq.QuadPart) ::QueryPerformanceFrequency(&freq);
    LARGE_INTEGER t;
    ::QueryPerformanceCounter(&t);
    return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(freq.QuadPart);
}

// The middle value (the upper one of an even count); 0 for none.
inline double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// This process's working set in megabytes (link psapi).
inline double WorkingSetMb() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<double>(counters.WorkingSetSize) / (1024.0 * 1024.0);
}

}  // namespace velmora::bench
