// The window placement record as text: four values in twips, stored as
// decimal text in the registry, each with its default, and the rule that
// brings a restored window back onto a screen.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace velmora::placement {

// Value names and defaults, in the order they are read and written.
struct Field {
    std::string_view name;  // "frmLeft", "frmTop", "frmWidth", "frmHeight"
    double fallback;        // 1000, 1000, 9500, 7500
};
std::span<const Field> Fields();

// The stored text as a number of twips: a decimal number with optional
// sign, fraction and exponent, blanks around it ignored; nothing else (no
// trailing junk, no "inf" or "nan", nothing beyond the range of a
// single-precision number). nullopt when the text is not such a number.
std::optional<double> ParseValue(std::string_view text);

// The text written for a number of twips: the number rounded to single
// precision and printed as a plain integer when it is whole ("1500",
// "-300"), otherwise in the shortest decimal form.
std::string FormatValue(double twips);

// Screen rectangles in pixels: right and bottom are the first pixels
// outside.
struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;
    friend bool operator==(const Box&, const Box&) = default;
};

// Where a window restored at `window` should go so that it can be seen:
// unchanged when it overlaps any of the screens' work areas; otherwise moved,
// keeping its size, into the work area nearest to it (the smallest distance
// between the two rectangles, first area on ties), its top-left corner
// kept inside that area.
Box KeepOnScreen(Box window, std::span<const Box> workAreas);

// A window restored at a scale above 100 % grows from its top-left corner
// and can end up hanging over the bottom or right edge of `area` at a place
// where its 96-dpi size (designWidth x designHeight) lay wholly inside: it
// is moved back in, as far as `area` allows. A window that overhangs at
// its 96-dpi size too was put there by the user and stays.
Box KeepGrownWindowInside(Box window, int designWidth, int designHeight, Box area);

}  // namespace velmora::placement
