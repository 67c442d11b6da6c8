// The wallpaper of several monitors, without a window: where each
// monitor's picture lies on it (tiled, stretched, centred, filled or
// fitted), and the one bitmap of the whole virtual screen the desktop shows,
// composed band by band. The desktop tiles that bitmap from the primary
// monitor's top-left corner, so a monitor left of or above the primary lands
// where the tiling brings that part of the screen: its rectangle wrapped
// round the bitmap's width and height.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/picture_scaling.h"
#include "wallpaper/changer_settings.h"

namespace velmora::wallpaper {

// A monitor in virtual-screen pixels; the primary's top-left is 0, 0.
struct MonitorArea {
    int left = 0, top = 0, width = 0, height = 0;
    bool Portrait() const { return height > width; }
    friend bool operator==(const MonitorArea&, const MonitorArea&) = default;
};

// The box around every monitor: the bitmap's size.
struct ScreenBox {
    int left = 0, top = 0, width = 0, height = 0;
};
ScreenBox BoxAround(const std::vector<MonitorArea>& monitors);

// Whether a picture suits a monitor: a portrait picture a portrait monitor,
// a landscape one a landscape monitor; a square one suits both.
bool Suits(const MonitorArea& monitor, int pictureWidth, int pictureHeight);

// Where a picture goes on a monitor `width` x `height`: `source` of the
// picture drawn onto the rectangle x, y, w, h of the monitor (the rest shows
// the background), or, `tiled`, the picture at its own size repeated from
// the monitor's top-left corner.
struct Placement {
    SourceArea source;
    int x = 0, y = 0, w = 0, h = 0;
    bool tiled = false;
};
Placement PlaceOnMonitor(Position position, int pictureWidth, int pictureHeight, int width, int height);

// A part of a monitor and where it lies on the bitmap.
struct BitmapPiece {
    int monitorX = 0, monitorY = 0, width = 0, height = 0;
    int bitmapX = 0, bitmapY = 0;
};
std::vector<BitmapPiece> PiecesOnBitmap(const MonitorArea& monitor, const ScreenBox& box);

// A monitor and the picture it shows.
struct MonitorPicture {
    MonitorArea area;
    PixelView picture;
    Position position = Position::Fill;
};

// The largest bitmap composed, in bytes: four 8K monitors, or a dozen 4K
// ones. A file larger than this would take seconds to write at every change
// and its 24-bit BMP sizes would near their limit; such a screen is refused
// and its wallpaper left as it is.
inline constexpr std::uint64_t kMaxScreenBitmapBytes = 400ULL << 20;

// Bytes in one row of a 24-bit bitmap `width` pixels wide.
inline std::size_t BitmapStride(int width) { return (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3}; }

// Receives the bitmap in bands from its bottom up, as a BMP file holds its
// rows: `count` rows starting at row `top` (counted from the top), laid out
// top-down, `stride` bytes apart (BitmapStride, padding zero). False stops.
using BandSink = std::function<bool(const std::uint8_t* rows, std::size_t stride, int top, int count)>;

// Composes the bitmap of the box around the monitors, each showing its
// picture, the background (0x00RRGGBB) elsewhere, in bands of at most
// `bandRows` rows. False when there is nothing to compose, the bitmap
// would be too large or the sink stopped.
bool ComposeScreen(const std::vector<MonitorPicture>& monitors, std::uint32_t background, int bandRows,
                   const BandSink& sink);

}  // namespace velmora::wallpaper
