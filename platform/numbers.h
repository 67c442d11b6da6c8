// Numbers typed by people or kept as text: the one reader of decimal text.
#pragma once

#include <optional>
#include <string_view>

namespace velmora {

// A decimal number: blanks (space, tab) around it are ignored; an optional
// sign, digits with at most one point and at least one digit, and, when
// allowed, an exponent ("e" or "E", optional sign, digits). Nothing else:
// no "inf", "nan", hexadecimal or trailing junk. A value beyond the range of
// a double reads as an infinity of its sign; one too small to tell from zero
// reads as 0. The decimal point is always '.', whatever the user's locale.
std::optional<double> ParseDecimal(std::string_view text, bool allowExponent = true);

}  // namespace velmora
