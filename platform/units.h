// Twips and pixels. Window places and sizes are kept in twips, 1/1440 inch;
// at 96 dots per inch a pixel is 15 of them.
#pragma once

namespace velmora {

inline constexpr double kTwipsPerPixelAt96Dpi = 15.0;

// The nearest integer, halves to the even neighbour; saturated at the ends
// of int, and 0 for NaN.
int RoundHalfEven(double value);

// Twips to pixels, rounded as above.
int TwipsToPixels(double twips, double twipsPerPixel);

}  // namespace velmora
