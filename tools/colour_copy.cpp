#include "tools/colour_copy.h"

#include <algorithm>

namespace velmora::colour {

namespace {

struct Components {
    int red, green, blue;
};

Components Split(std::uint32_t colour) {
    return {static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
            static_cast<int>((colour >> 16) & 0xFF)};
}

// numerator / denominator rounded to the nearest whole number, halves up;
// both non-negative, the denominator above zero. Whole numbers throughout,
// so that a value lying exactly on a half never goes the wrong way by a
// floating-point hair.
int RoundedRatio(long numerator, long denominator) {
    return static_cast<int>((2 * numerator + denominator) / (2 * denominator));
}

// Six times the hue in the usual 60-degree sextants, as a fraction of
// `spread`: the numerator of hue = numerator / spread degrees, in
// [0, 360 * spread).
long HueNumerator(const Components& c, int top, long spread) {
    if (top == c.red) {
        const long n = 60L * (c.green - c.blue);
        return n < 0 ? n + 360 * spread : n;
    }
    if (top == c.green) return 60L * (c.blue - c.red) + 120 * spread;
    return 60L * (c.red - c.green) + 240 * spread;
}

}  // namespace

Hsl HslOf(std::uint32_t colour) {
    const Components c = Split(colour);
    const int top = std::max({c.red, c.green, c.blue});
    const int bottom = std::min({c.red, c.green, c.blue});
    const long spread = top - bottom;
    const long sum = top + bottom;  // lightness is sum / 510
    Hsl out;
    out.lightness = RoundedRatio(100 * sum, 510);
    if (spread == 0) return out;  // a grey
    // Saturation is the spread over what the lightness leaves room for.
    const long room = sum <= 255 ? sum : 510 - sum;
    out.saturation = RoundedRatio(100 * spread, room);
    out.hue = RoundedRatio(HueNumerator(c, top, spread), spread) % 360;  // 359.5 and up is 0
    return out;
}

std::string HexText(std::uint32_t colour) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    const Components c = Split(colour);
    std::string out = "#";
    for (const int v : {c.red, c.green, c.blue}) {
        out += kDigits[v >> 4];
        out += kDigits[v & 0xF];
    }
    return out;
}

std::string RgbText(std::uint32_t colour) {
    const Components c = Split(colour);
    return "rgb(" + std::to_string(c.red) + ", " + std::to_string(c.green) + ", " + std::to_string(c.blue) + ")";
}

std::string HslText(std::uint32_t colour) {
    const Hsl h = HslOf(colour);
    return "hsl(" + std::to_string(h.hue) + ", " + std::to_string(h.saturation) + "%, " +
           std::to_string(h.lightness) + "%)";
}

void CopyHistory::Add(std::uint32_t colour) {
    // Only the colour counts: a reading's high byte is never part of it.
    colour &= 0xFFFFFF;
    std::erase(colours_, colour);
    colours_.insert(colours_.begin(), colour);
    if (colours_.size() > kLimit) colours_.resize(kLimit);
}

std::vector<CopyEntry> CopyMenu(std::optional<std::uint32_t> remembered, const CopyHistory& history) {
    std::vector<CopyEntry> menu;
    if (remembered) {
        menu.push_back({"复制 " + HexText(*remembered), HexText(*remembered), remembered});
        menu.push_back({"复制 " + RgbText(*remembered), RgbText(*remembered), remembered});
        menu.push_back({"复制 " + HslText(*remembered), HslText(*remembered), remembered});
    } else {
        menu.push_back({"复制 #RRGGBB", "", std::nullopt});
        menu.push_back({"复制 rgb(r, g, b)", "", std::nullopt});
        menu.push_back({"复制 hsl(h, s%, l%)", "", std::nullopt});
    }
    if (!history.Colours().empty()) menu.push_back({});
    for (const std::uint32_t c : history.Colours()) menu.push_back({HexText(c), HexText(c), c});
    return menu;
}

}  // namespace velmora::colour
