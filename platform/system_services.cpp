#include "platform/system_services.h"

#include <chrono>
#include <cstdint>
#include <random>

#include "platform/handles.h"

namespace velmora {

namespace {

// The manifest asks for per-monitor awareness, where the pointer position
// and the screen's device context both count physical pixels. A system
// that did not grant it (one that knows only system awareness, or none)
// hands the program logical coordinates on a scaled display: GetCursorPos
// is divided down by the scale while the screen context is not, so the
// pointer would read a pixel up and to the left of the real one. For the
// length of a reading the thread therefore switches to per-monitor
// awareness, where the two agree (Windows 10 1607 and later; a no-op when
// the process has it already). Older systems lack the switch: there
// GetPhysicalCursorPos gives the pointer in the screen context's pixels.
// The switch creates no window and is undone before anything else runs on
// the thread.
class PhysicalPixels {
public:
    PhysicalPixels() {
        if (Set set = Setter()) {
            previous_ = set(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
            if (!previous_) previous_ = set(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE);
        }
    }
    ~PhysicalPixels() {
        if (previous_) Setter()(previous_);
    }
    PhysicalPixels(const PhysicalPixels&) = delete;
    PhysicalPixels& operator=(const PhysicalPixels&) = delete;

    bool Pointer(POINT* at) const {
        return previous_ ? ::GetCursorPos(at) != FALSE : ::GetPhysicalCursorPos(at) != FALSE;
    }

private:
    using Set = DPI_AWARENESS_CONTEXT(WINAPI*)(DPI_AWARENESS_CONTEXT);
    // Looked up, not linked: the program also runs where user32 lacks it.
    static Set Setter() {
        static const Set set = reinterpret_cast<Set>(reinterpret_cast<void*>(
            ::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "SetThreadDpiAwarenessContext")));
        return set;
    }
    DPI_AWARENESS_CONTEXT previous_ = nullptr;
};

}  // namespace

LocalTime SystemClock::Now() const {
    SYSTEMTIME t{};
    ::GetLocalTime(&t);
    return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wDayOfWeek};
}

std::uint64_t SystemTicks::Milliseconds() const { return ::GetTickCount64(); }

ClockSeededRandom::ClockSeededRandom(std::uint64_t (*clock)())
    : generator_((clock ? clock()
                        : static_cast<std::uint64_t>(
                              std::chrono::high_resolution_clock::now().time_since_epoch().count())) ^
                 (std::uint64_t{::GetCurrentProcessId()} << 32)) {}

double ClockSeededRandom::Next() { return std::uniform_real_distribution<double>(0.0, 1.0)(generator_); }

std::optional<PixelReading> ScreenPixelReader::UnderPointer() {
    PhysicalPixels physical;
    UniqueScreenDc screen(::GetWindowDC(nullptr));
    PixelReading reading;
    if (!screen || !physical.Pointer(&reading.at)) return std::nullopt;
    reading.colour = ::GetPixel(screen.get(), reading.at.x, reading.at.y);
    return reading;
}

int MessageBoxPrompter::Show(HWND owner, const std::wstring& text, const std::wstring& title, UINT type) {
    return ::MessageBoxW(owner, text.c_str(), title.c_str(), type);
}

}  // namespace velmora
