#include "settings/placement_codec.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
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
