// The colour picker's two text lines, worked out from the 32-bit colour
// value the screen reader returns (0x00BBGGRR, red in the low byte).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace velmora::colour {

// The digit table the decimal line is computed with: a character's value is
// its 1-based place here, and a character missing from it ("0") counts 0.
inline constexpr std::string_view kDigitTable = "123456789ABCDEF";

// H: the value in uppercase hexadecimal without leading zeros, "000000" put
// in front, the last six characters kept. Blue, green, red in that order.
std::string SixDigits(std::uint32_t colour);

// 16 x (value of the first character) + (value of the second), both looked
// up in kDigitTable.
int PairValue(std::string_view pair);

struct Lines {
    std::string decimal;  // "Red:1 Green:128 Blue:255"
    std::string hex;      // "Red:01 Green:80 Blue:FF"
};

// Both lines for one reading.
Lines LinesFor(std::uint32_t colour);

}  // namespace velmora::colour
