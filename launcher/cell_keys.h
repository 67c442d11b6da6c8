// The panel from the keyboard, as rules without a window: the arrow keys
// walk the five-by-four grid, and letters typed in quick succession pick
// the first cell whose caption's pinyin initials start with them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace velmora::launcher {

enum class Arrow { Left, Right, Up, Down };

// The cell an arrow key highlights: one step from `from` in the grid, no
// further at an edge (no wrapping); the first cell when none is
// highlighted yet.
std::size_t StepInGrid(std::optional<std::size_t> from, Arrow arrow);

// The first cell, in reading order, whose initials start with `prefix`;
// nullopt when none does (or the prefix is empty).
std::optional<std::size_t> FirstCellStartingWith(std::span<const std::string> initials, std::string_view prefix);

// Letters typed less than kPause apart form one prefix; a longer pause
// starts a new one. Times are milliseconds of a monotonic clock.
class TypedPrefix {
public:
    static constexpr std::uint64_t kPauseMs = 1000;

    // Adds a letter (either case) typed at `nowMs`; the prefix so far, lower
    // case.
    std::string_view Add(char letter, std::uint64_t nowMs);
    // Forgets the prefix: the next letter starts a new one.
    void Clear() { prefix_.clear(); }
    std::string_view prefix() const { return prefix_; }

private:
    std::string prefix_;
    std::uint64_t lastMs_ = 0;
};

// Whether a typed character picks cells: the ASCII letters.
bool IsSelectingLetter(char32_t typed);

}  // namespace velmora::launcher
