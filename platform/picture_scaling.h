// Resampling a picture to another size without a window: an area average
// (box filter) where a picture is reduced, so that a photograph shrunk to a
// monitor keeps its fine detail instead of sparkling, and a bilinear filter
// where it is enlarged. Each axis takes its own filter. Rows are produced one
// at a time, so a caller can fill a file band by band and never hold the
// whole result.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace velmora {

// Pixels in memory: rows `stride` bytes apart (negative for a bottom-up
// bitmap, with `first` then pointing at the top row), three bytes a pixel
// (blue, green, red) or four (blue, green, red, alpha, premultiplied).
struct PixelView {
    const std::uint8_t* first = nullptr;
    std::ptrdiff_t stride = 0;
    int width = 0;
    int height = 0;
    int bytesPerPixel = 3;
    const std::uint8_t* Row(int y) const { return first + static_cast<std::ptrdiff_t>(y) * stride; }
};

// A part of a picture, in its pixels; fractions allowed.
struct SourceArea {
    double x = 0, y = 0, width = 0, height = 0;
};

// Which source pixels make one destination pixel along an axis, and how much.
struct AxisTaps {
    std::vector<int> first;      // per destination pixel: the first source pixel
    std::vector<int> count;      // how many follow
    std::vector<int> offset;     // where its weights start in `weights`
    std::vector<float> weights;  // summing to 1 per destination pixel
};

// The taps for `size` destination pixels showing source pixels
// [start, start + length) of an axis `limit` pixels long.
AxisTaps MakeAxisTaps(double start, double length, int size, int limit);

class Resampler {
public:
    // `area` of `source` drawn onto `width` x `height` pixels.
    Resampler(const PixelView& source, const SourceArea& area, int width, int height);

    // Destination row `y`, pixels [x0, x1), written as blue, green, red to
    // `out` (three bytes a pixel); a picture with alpha is laid over
    // `background` (0x00RRGGBB).
    void RenderRow(int y, int x0, int x1, std::uint8_t* out, std::uint32_t background);

private:
    PixelView source_;
    AxisTaps columns_;
    AxisTaps rows_;
    std::vector<float> line_;  // one row of source pixels, weighted down the column
};

}  // namespace velmora
