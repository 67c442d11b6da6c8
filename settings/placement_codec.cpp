#include "settings/placement_codec.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <system_error>

namespace velmora::placement {

namespace {

constexpr Field kFields[] = {
    {"frmLeft", 1000},
    {"frmTop", 1000},
    {"frmWidth", 9500},
    {"frmHeight", 7500},
};

// Whole numbers up to this size are written without a decimal point; well
// beyond anything a screen can hold, yet still exact in a long long.
constexpr double kPlainIntegerLimit = 1e15;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

// The shape of a decimal number, checked before conversion: from_chars
// would also take "inf" and "nan", and it refuses the leading '+' we allow.
struct Shape {
    bool valid = false;
    // Decimal exponent of the leading significant digit plus one: the
    // value's magnitude lies in [10^(magnitude-1), 10^magnitude). Only
    // meaningful when some digit is non-zero.
    long long magnitude = 0;
    bool nonZero = false;
};

Shape Examine(std::string_view s) {
    Shape shape;
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t intDigits = 0;
    long long firstSignificant = -1;  // position among the mantissa digits
    long long position = 0;
    while (i < s.size() && IsDigit(s[i])) {
        if (s[i] != '0' && firstSignificant < 0) firstSignificant = position;
        ++intDigits, ++position, ++i;
    }
    std::size_t fracDigits = 0;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && IsDigit(s[i])) {
            if (s[i] != '0' && firstSignificant < 0) firstSignificant = position;
            ++fracDigits, ++position, ++i;
        }
    }
    if (intDigits + fracDigits == 0) return shape;
    long long exponent = 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        bool negative = false;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
        const std::size_t start = i;
        while (i < s.size() && IsDigit(s[i])) {
            // Saturate: an exponent this large is out of range either way.
            exponent = std::min<long long>(exponent * 10 + (s[i] - '0'), 1'000'000'000);
            ++i;
        }
        if (i == start) return shape;
        if (negative) exponent = -exponent;
    }
    if (i != s.size()) return shape;
    shape.valid = true;
    shape.nonZero = firstSignificant >= 0;
    if (shape.nonZero) shape.magnitude = static_cast<long long>(intDigits) - firstSignificant + exponent;
    return shape;
}

}  // namespace

std::span<const Field> Fields() { return kFields; }

std::optional<double> ParseValue(std::string_view text) {
    text = TrimBlanks(text);
    const Shape shape = Examine(text);
    if (!shape.valid) return std::nullopt;

    bool negative = false;
    if (text.front() == '+' || text.front() == '-') {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // from_chars never looks at the locale, so "1.5" reads the same whatever
    // decimal separator the user has chosen.
    double value = 0;
    const auto [end, ec] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        // Too small to tell from zero is fine; too large is not a size.
        if (!shape.nonZero || shape.magnitude > 0) return std::nullopt;
        value = 0;
    } else if (ec != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    if (!(std::fabs(value) <= std::numeric_limits<float>::max())) return std::nullopt;
    return negative ? -value : value;
}

// IEEE conversion makes a double beyond single-precision range infinity,
// which to_chars writes as "inf" (and a NaN as "nan"); ParseValue refuses
// such text, so the field falls back to its default when next read.
static_assert(std::numeric_limits<float>::is_iec559, "relies on IEEE double-to-float conversion");

std::string FormatValue(double twips) {
    const float value = static_cast<float>(twips);
    if (std::isfinite(value) && std::trunc(value) == value && std::fabs(value) <= kPlainIntegerLimit) {
        // Through long long, so that -0 is written "0".
        return std::to_string(static_cast<long long>(value));
    }
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

Box KeepOnScreen(Box window, std::span<const Box> workAreas) {
    const auto overlaps = [&](const Box& a) {
        return std::max(window.left, a.left) < std::min(window.right, a.right) &&
               std::max(window.top, a.top) < std::min(window.bottom, a.bottom);
    };
    if (workAreas.empty() || std::any_of(workAreas.begin(), workAreas.end(), overlaps)) return window;

    // Squared distance between the rectangles, taken as regions of the
    // plane (edges as the header defines them); 64-bit so that far-off
    // coordinates cannot overflow.
    const auto distance2 = [&](const Box& a) {
        const std::int64_t dx = std::max<std::int64_t>(
            {0, std::int64_t{a.left} - window.right, std::int64_t{window.left} - a.right});
        const std::int64_t dy = std::max<std::int64_t>(
            {0, std::int64_t{a.top} - window.bottom, std::int64_t{window.top} - a.bottom});
        return dx * dx + dy * dy;
    };
    const Box* nearest = &workAreas.front();
    std::int64_t best = distance2(*nearest);
    for (const Box& a : workAreas.subspan(1)) {
        const std::int64_t d = distance2(a);
        if (d < best) best = d, nearest = &a;
    }

    // Keep the size; a window larger than the area keeps its top-left
    // corner in the area and overhangs to the right and bottom.
    const std::int64_t width = std::int64_t{window.right} - window.left;
    const std::int64_t height = std::int64_t{window.bottom} - window.top;
    const std::int64_t left =
        std::max<std::int64_t>(nearest->left, std::min<std::int64_t>(window.left, nearest->right - width));
    const std::int64_t top =
        std::max<std::int64_t>(nearest->top, std::min<std::int64_t>(window.top, nearest->bottom - height));
    return {static_cast<int>(left), static_cast<int>(top), static_cast<int>(left + width),
            static_cast<int>(top + height)};
}

}  // namespace velmora::placement
