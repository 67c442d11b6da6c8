// Narrow services the windows are handed, so that tests can hand in fakes:
// the clock, a tick counter, a random source, the screen's pixels and
// message boxes.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "platform/local_time.h"

namespace velmora {

class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalTime Now() const = 0;
};

// Milliseconds since some fixed moment, never going back: how far apart
// two events were (the clock above has whole seconds and may be set back).
class TickSource {
public:
    virtual ~TickSource() = default;
    virtual std::uint64_t Milliseconds() const = 0;
};

class RandomSource {
public:
    virtual ~RandomSource() = default;
    // A number in [0, 1).
    virtual double Next() = 0;
};

// One reading of the screen under the mouse pointer, in the screen's own
// (physical) pixels. colour is CLR_INVALID where the pixel cannot be read.
struct PixelReading {
    POINT at{};
    COLORREF colour = CLR_INVALID;
};

class ScreenPixels {
public:
    virtual ~ScreenPixels() = default;
    // nullopt when neither the screen nor the pointer can be read.
    virtual std::optional<PixelReading> UnderPointer() = 0;
};

// Every message box of the program.
class Prompter {
public:
    virtual ~Prompter() = default;
    // MessageBoxW(owner, text, title, type): the button pressed.
    virtual int Show(HWND owner, const std::wstring& text, const std::wstring& title, UINT type) = 0;
};

}  // namespace velmora
