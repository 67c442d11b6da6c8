// Stand-ins for the services the program is handed: a clock and a tick
// counter that say what the test says, a random source that plays back a list, a screen of chosen
// colours, and message boxes that are recorded and answered.
#pragma once

#include <windows.h>

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/services.h"

namespace velmora::testing {

class FakeClock final : public Clock {
public:
    LocalTime Now() const override { return now; }
    LocalTime now{.year = 2026, .month = 12, .day = 9, .hour = 10, .minute = 0, .second = 0, .weekday = 3};
};

class FakeTicks final : public TickSource {
public:
    std::uint64_t Milliseconds() const override { return now; }
    std::uint64_t now = 1'000'000;
};

// Plays back the values given, then repeats the last one (0 when none).
class SequenceRandom final : public RandomSource {
public:
    double Next() override {
        if (values.empty()) return last;
        last = values.front();
        values.pop_front();
        return last;
    }
    std::deque<double> values;

private:
    double last = 0;
};

// The pointer and the colour beneath it, as the test sets them; nullopt
// when the screen cannot be read.
class FakePixels final : public ScreenPixels {
public:
    std::optional<PixelReading> UnderPointer() override {
        ++readings;
        return reading;
    }
    std::optional<PixelReading> reading = PixelReading{{10, 10}, RGB(0, 0, 0)};
    int readings = 0;
};

struct ShownBox {
    HWND owner;
    std::wstring text, title;
    UINT type;
};

// Records every box and answers with `answer` (IDOK by default).
class RecordingPrompter final : public Prompter {
public:
    int Show(HWND owner, const std::wstring& text, const std::wstring& title, UINT type) override {
        boxes.push_back({owner, text, title, type});
        return answer;
    }
    std::vector<ShownBox> boxes;
    int answer = IDOK;
};

}  // namespace velmora::testing
