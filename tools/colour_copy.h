// What the colour picker puts on the clipboard: a colour written as
// #RRGGBB, rgb(r, g, b) or hsl(h, s%, l%), the colours copied so far, and
// the entries of the picker's copy menu. Colours are 32-bit values as the
// screen reader returns them (0x00BBGGRR, red in the low byte).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace velmora::colour {

// Hue in whole degrees (0..359), saturation and lightness in whole percent,
// each rounded to the nearest (halves up). A grey has hue 0 and
// saturation 0.
struct Hsl {
    int hue = 0;
    int saturation = 0;
    int lightness = 0;
    friend bool operator==(const Hsl&, const Hsl&) = default;
};
Hsl HslOf(std::uint32_t colour);

// "#ABCDEF" for red 171, green 205, blue 239: uppercase hex digits.
std::string HexText(std::uint32_t colour);
// "rgb(171, 205, 239)"
std::string RgbText(std::uint32_t colour);
// "hsl(210, 68%, 80%)"
std::string HslText(std::uint32_t colour);

// The colours copied, newest first, each once: copying a colour again moves
// it to the front. The oldest goes when an eleventh arrives.
class CopyHistory {
public:
    static constexpr std::size_t kLimit = 10;
    void Add(std::uint32_t colour);
    const std::vector<std::uint32_t>& Colours() const { return colours_; }

private:
    std::vector<std::uint32_t> colours_;
};

// One entry of the copy menu. A separator has an empty caption; an entry
// without a colour has nothing to copy yet and is shown greyed.
struct CopyEntry {
    std::string caption;
    std::string text;  // what goes on the clipboard
    std::optional<std::uint32_t> colour;
    bool IsSeparator() const { return caption.empty(); }
};

// The copy menu: 复制 in the three forms for the remembered colour, then,
// after a separator, the history as #RRGGBB (copied again as such). Before
// any colour is remembered the three entries show their forms and copy
// nothing.
std::vector<CopyEntry> CopyMenu(std::optional<std::uint32_t> remembered, const CopyHistory& history);

}  // namespace velmora::colour
