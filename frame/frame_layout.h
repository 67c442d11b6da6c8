// Geometry of the skinned, borderless windows (the launcher panel and the
// wallpaper changer), stated without a window: the fixed size, the skin
// pieces copied from the skin picture, the rounded window regions, the
// caption-button places and the zones near the edges that start sizing.
// All numbers are pixels of the 96-dpi design unless a name says twips;
// the functions that take a `dpi` answer in pixels at that DPI.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/scale.h"

namespace velmora::frame {

// The outer size every skinned window in the normal state is pinned to.
inline constexpr int kFixedWidthTwips = 7800;
inline constexpr int kFixedHeightTwips = 5600;

// Background colour of the skinned windows' canvas, RGB(248, 248, 248).
inline constexpr std::uint8_t kBackgroundGrey = 248;

// Top-left corner of the caption text drawn into the frame.
inline constexpr int kCaptionX = 35;
inline constexpr int kCaptionY = 9;

struct Rect {
    int x = 0, y = 0, w = 0, h = 0;  // left, top, width, height
    friend bool operator==(const Rect&, const Rect&) = default;
};

// One raster copy of a skin piece: source rectangle in the skin picture,
// destination rectangle on the window's canvas (stretched when the sizes
// differ).
struct Blit {
    Rect src;
    Rect dst;
    friend bool operator==(const Blit&, const Blit&) = default;
};

// Every copy of the skin painter, in painting order: the top and bottom
// tiles (pairs, x = 0, 50, ... while x <= sw - 50), the left and right tiles
// (pairs, y = 0, 50, ... while y <= sh + 50), then the top-left, top-right,
// bottom-left (stretched to 52 wide) and bottom-right corners. sw, sh: the
// client size; iw, ih: the skin picture's size, whose pieces (and the tiles'
// steps) are those of the design at `dpi`.
std::vector<Blit> SkinBlits(int sw, int sh, int iw, int ih, int dpi = kDesignDpi);

// Arguments of CreateRoundRectRgn.
struct RoundRegion {
    int left = 0, top = 0, right = 0, bottom = 0;
    int ellipse = 0;  // width and height of the corner ellipse
    friend bool operator==(const RoundRegion&, const RoundRegion&) = default;
};

// The skin's region: (1, 1) to the client size plus the extra, each
// converted to the nearest integer, with a 20 x 20 corner ellipse (origin
// and ellipse of the design, at `dpi`).
RoundRegion SkinRegion(double clientWidth, double clientHeight, int extraWidth, int extraHeight,
                       int dpi = kDesignDpi);

// Caption buttons: 0 minimise, 1 maximise (restores), 2 close.
inline constexpr int kCaptionButtonCount = 3;
inline constexpr int kCaptionButtonTop = 4;
inline constexpr int kCaptionButtonHeight = 15;
// The button's place in a client area `clientWidth` pixels wide: at 96 dpi
// 28, 27 and 42 wide at clientWidth - 104, - 76 and - 49, 4 from the top and
// 15 high; at another DPI the design's distances from the right edge,
// scaled. An index outside 0..2 names no button: it gets no size and sits
// at the client's right edge, so it can never be hit.
Rect CaptionButtonPlace(int index, int clientWidth, int dpi = kDesignDpi);

// ResizeZone: where the pointer is over the window's background.
enum class Zone : std::int16_t {
    Top = 0,
    Bottom = 1,
    Left = 2,
    Right = 3,
    TopLeft = 4,
    BottomLeft = 5,
    TopRight = 6,
    BottomRight = 7,
    Interior = 8,
};

enum class Pointer { SizeNS, SizeWE, SizeNWSE, SizeNESW, Default };

struct Point {
    int x = 0, y = 0;
};
// A window rectangle in screen pixels; right and bottom are the first
// pixels outside the window.
struct Edges {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// The first row of the hit-test table that holds: corners of 15 x 15, a
// top edge 3 deep, the other edges 7 deep (design pixels, at `dpi`), else
// the interior.
Zone HitTest(Point cursor, Edges window, int dpi = kDesignDpi);
// The pointer shape shown over a zone.
Pointer ZonePointer(Zone zone);
// The WM_NCLBUTTONDOWN hit-test code a press in the zone sends: HTTOP (12)
// ... HTBOTTOMRIGHT (17) for the edges and corners, HTCAPTION (2) inside.
int ZoneHitTestCode(Zone zone);

}  // namespace velmora::frame
