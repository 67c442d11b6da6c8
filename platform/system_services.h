// The real services: the system clock, the tick counter, a random source,
// the screen and message boxes.
#pragma once

#include <cstdint>
#include <random>

#include "platform/services.h"

namespace velmora {

class SystemClock final : public Clock {
public:
    LocalTime Now() const override;
};

// GetTickCount64.
class SystemTicks final : public TickSource {
public:
    std::uint64_t Milliseconds() const override;
};

// Seeded once, from the high-resolution clock and the process: a seed
// taken afresh for every draw repeats the draw within one tick of the clock.
class ClockSeededRandom final : public RandomSource {
public:
    // `clock`: what the seed is read from (the high-resolution clock when
    // null).
    explicit ClockSeededRandom(std::uint64_t (*clock)() = nullptr);
    double Next() override;

private:
    std::mt19937_64 generator_;
};

class ScreenPixelReader final : public ScreenPixels {
public:
    std::optional<PixelReading> UnderPointer() override;
};

class MessageBoxPrompter final : public Prompter {
public:
    int Show(HWND owner, const std::wstring& text, const std::wstring& title, UINT type) override;
};

}  // namespace velmora
