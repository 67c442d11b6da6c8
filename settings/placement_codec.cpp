#include "settings/placement_codec.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>

#include "platform/numbers.h"

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

}  // namespace

std::span<const Field> Fields() { return kFields; }

std::optional<double> ParseValue(std::string_view text) {
    const std::optional<double> value = ParseDecimal(text);
    // Beyond single precision is not a size the record can hold.
    if (!value || !(std::fabs(*value) <= std::numeric_limits<float>::max())) return std::nullopt;
    return *value;
}

// IEEE conversion makes a double beyond single-precision range infinity,
// written "inf" (and a NaN "nan"); ParseValue refuses such text, so the
// field falls back to its default when next read.
static_assert(std::numeric_limits<float>::is_iec559, "relies on IEEE double-to-float conversion");

namespace {

// printf's "%g" with the exponent in at least two digits, whatever the C
// library's habit (some write three).
std::string PrintG(int digits, float value) {
    char buffer[64];
    const int n = std::snprintf(buffer, sizeof buffer, "%.*g", digits, static_cast<double>(value));
    std::string text(buffer, n > 0 ? static_cast<std::size_t>(n) : 0);
    const std::size_t e = text.find('e');
    if (e != std::string::npos && e + 2 < text.size()) {
        std::size_t first = e + 2;  // after "e+" or "e-"
        while (text.size() - first > 2 && text[first] == '0') text.erase(first, 1);
    }
    return text;
}

}  // namespace

std::string FormatValue(double twips) {
    const float value = static_cast<float>(twips);
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
    if (std::trunc(value) == value && std::fabs(value) <= kPlainIntegerLimit) {
        // Through long long, so that -0 is written "0".
        return std::to_string(static_cast<long long>(value));
    }
    // The fewest significant digits that read back as the same float (nine
    // always do). Not std::to_chars: its tables would weigh more than the
    // rest of the settings code together.
    for (int digits = 1; digits < 9; ++digits) {
        std::string text = PrintG(digits, value);
        const std::optional<double> back = ParseDecimal(text);
        if (back && static_cast<float>(*back) == value) return text;
    }
    return PrintG(9, value);
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

Box KeepGrownWindowInside(Box window, int designWidth, int designHeight, Box area) {
    const bool designInside = window.left >= area.left && window.top >= area.top &&
                              window.left + designWidth <= area.right && window.top + designHeight <= area.bottom;
    if (!designInside) return window;
    const int width = window.right - window.left, height = window.bottom - window.top;
    // Back by the overhang, never past the area's left or top edge.
    const int left = std::max(area.left, std::min(window.left, area.right - width));
    const int top = std::max(area.top, std::min(window.top, area.bottom - height));
    return {left, top, left + width, top + height};
}

}  // namespace velmora::placement
