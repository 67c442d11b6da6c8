#include "launcher/cell_keys.h"

#include "launcher/cells.h"

namespace velmora::launcher {

std::size_t StepInGrid(std::optional<std::size_t> from, Arrow arrow) {
    constexpr std::size_t kCount = kColumns * kRows;
    if (!from || *from >= kCount) return 0;
    const std::size_t row = *from / kColumns;
    const std::size_t column = *from % kColumns;
    switch (arrow) {
        case Arrow::Left: return column > 0 ? *from - 1 : *from;
        case Arrow::Right: return column + 1 < kColumns ? *from + 1 : *from;
        case Arrow::Up: return row > 0 ? *from - kColumns : *from;
        case Arrow::Down: return row + 1 < kRows ? *from + kColumns : *from;
    }
    return *from;
}

std::optional<std::size_t> FirstCellStartingWith(std::span<const std::string> initials, std::string_view prefix) {
    if (prefix.empty()) return std::nullopt;
    for (std::size_t i = 0; i < initials.size(); ++i) {
        if (std::string_view(initials[i]).starts_with(prefix)) return i;
    }
    return std::nullopt;
}

std::string_view TypedPrefix::Add(char letter, std::uint64_t nowMs) {
    if (nowMs - lastMs_ >= kPauseMs) prefix_.clear();
    lastMs_ = nowMs;
    prefix_ += (letter >= 'A' && letter <= 'Z') ? static_cast<char>(letter - 'A' + 'a') : letter;
    return prefix_;
}

bool IsSelectingLetter(char32_t typed) { return (typed >= 'a' && typed <= 'z') || (typed >= 'A' && typed <= 'Z'); }

}  // namespace velmora::launcher
