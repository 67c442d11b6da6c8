#include "platform/numbers.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <system_error>

namespace velmora {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Whether the text has the shape of a decimal number, and whether any of its
// mantissa digits is not zero (to tell an overflow from an underflow).
bool HasDecimalShape(std::string_view s, bool allowExponent, bool& nonZero, long long& magnitude) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t digits = 0;
    long long intDigits = 0, firstSignificant = -1, position = 0;
    for (; i < s.size() && IsDigit(s[i]); ++i, ++digits, ++intDigits, ++position) {
        if (s[i] != '0' && firstSignificant < 0) firstSignificant = position;
    }
    if (i < s.size() && s[i] == '.') {
        for (++i; i < s.size() && IsDigit(s[i]); ++i, ++digits, ++position) {
            if (s[i] != '0' && firstSignificant < 0) firstSignificant = position;
        }
    }
    if (digits == 0) return false;
    long long exponent = 0;
    if (allowExponent && i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        bool negative = false;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
        const std::size_t start = i;
        for (; i < s.size() && IsDigit(s[i]); ++i) {
            // Saturate: an exponent this large is out of range either way.
            exponent = std::min<long long>(exponent * 10 + (s[i] - '0'), 1'000'000'000);
        }
        if (i == start) return false;
        if (negative) exponent = -exponent;
    }
    nonZero = firstSignificant >= 0;
    magnitude = intDigits - firstSignificant + exponent;
    return i == s.size();
}

}  // namespace

std::optional<double> ParseDecimal(std::string_view text, bool allowExponent) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    bool nonZero = false;
    long long magnitude = 0;
    if (!HasDecimalShape(text, allowExponent, nonZero, magnitude)) return std::nullopt;
    bool negative = false;
    if (text.front() == '+' || text.front() == '-') {
        negative = text.front() == '-';
        text.remove_prefix(1);  // from_chars refuses a leading '+'
    }
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        value = nonZero && magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (ec != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

}  // namespace velmora
