// Design units to pixels at a given DPI. Everything the program lays out is
// drawn up either in twips (what the profile and the placement record
// store, 1/1440 inch) or in pixels of a 96-dpi design; a window turns both
// into pixels at its own DPI here, and nowhere else.
#pragma once

namespace velmora {

inline constexpr int kDesignDpi = 96;
inline constexpr int kTwipsPerInch = 1440;
// Windows offers scales from 100 % to 500 %.
inline constexpr int kLeastDpi = kDesignDpi;
inline constexpr int kMostDpi = 480;

// The DPI to lay out at for a DPI the system reports: a value below 100 %
// (LogPixels 72), beyond 500 % or none at all (0, a failed call) would
// give an unreadable or absurd window, so it is brought into that range,
// and no answer at all counts as 96.
int UsableDpi(long long reported);

// A length of the 96-dpi design at `dpi`, rounded half away from zero as
// MulDiv does, so that the program's pixels match the artwork's.
int ScaleDesign(int design, int dpi);

// A place of the 96-dpi design at `dpi`. Its edges are scaled, not its
// size, so that side-by-side pieces stay side by side.
struct DesignRect {
    int x = 0, y = 0, w = 0, h = 0;
    friend bool operator==(const DesignRect&, const DesignRect&) = default;
};
DesignRect ScaleDesign(const DesignRect& design, int dpi);

// Twips per pixel at `dpi` (15 at 96).
double TwipsPerPixelAt(int dpi);
// Twips to pixels at `dpi`, halves to even; pixels to twips.
int TwipsToPixelsAt(double twips, int dpi);
double PixelsToTwipsAt(int pixels, int dpi);

// The greatest DPI, at most `dpi`, at which a design of `width` x `height`
// 96-dpi pixels fits in an area of `areaWidth` x `areaHeight` pixels: a
// window laid out larger than its monitor cannot be seen whole. Never
// below 96; an empty area leaves `dpi` as it is.
int DpiThatFits(int dpi, int width, int height, int areaWidth, int areaHeight);

}  // namespace velmora
