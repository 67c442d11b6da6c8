#include "wallpaper/screen_layout.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>

namespace velmora::wallpaper {

namespace {

int Mod(int a, int n) { return ((a % n) + n) % n; }

// A centred span of `inner` in `outer`, cut to it: where it starts in the
// outer span, and how much of the inner one is cut off at its start.
struct Span {
    int at, cut, length;
};
Span Centred(int inner, int outer) {
    const int at = (outer - inner) / 2;
    if (at >= 0) return {at, 0, inner};
    return {0, -at, outer};
}

// One monitor while the bitmap is composed.
struct MonitorJob {
    const MonitorPicture* monitor;
    Placement place;
    std::vector<BitmapPiece> pieces;
    std::optional<Resampler> resampler;
};

void Blend(const std::uint8_t* px, int bpp, std::uint32_t background, std::uint8_t* out) {
    if (bpp == 3) {
        out[0] = px[0], out[1] = px[1], out[2] = px[2];
        return;
    }
    const unsigned clear = 255u - px[3];
    for (int ch = 0; ch < 3; ++ch) {
        const unsigned back = background >> (8 * ch) & 0xFF;
        out[ch] = static_cast<std::uint8_t>(std::min(255u, px[ch] + (clear * back + 127) / 255));
    }
}

// Monitor row `y`, pixels [x0, x1), into `out`, which holds the background.
void RenderMonitorRow(MonitorJob& job, int y, int x0, int x1, std::uint32_t background, std::uint8_t* out) {
    const PixelView& picture = job.monitor->picture;
    const Placement& p = job.place;
    if (p.tiled) {
        const std::uint8_t* row = picture.Row(Mod(y, picture.height));
        for (int x = x0; x < x1; ++x, out += 3) {
            Blend(row + static_cast<std::size_t>(Mod(x, picture.width)) * picture.bytesPerPixel, picture.bytesPerPixel,
                  background, out);
        }
        return;
    }
    if (y < p.y || y >= p.y + p.h) return;
    const int from = std::max(x0, p.x), to = std::min(x1, p.x + p.w);
    if (from >= to) return;
    if (!job.resampler) job.resampler.emplace(picture, p.source, p.w, p.h);
    job.resampler->RenderRow(y - p.y, from - p.x, to - p.x, out + static_cast<std::size_t>(from - x0) * 3, background);
}

void FillBackground(std::uint8_t* rows, std::size_t stride, int count, int width, std::uint32_t background) {
    for (int r = 0; r < count; ++r) {
        std::uint8_t* out = rows + static_cast<std::size_t>(r) * stride;
        for (int x = 0; x < width; ++x, out += 3) {
            out[0] = static_cast<std::uint8_t>(background), out[1] = static_cast<std::uint8_t>(background >> 8),
            out[2] = static_cast<std::uint8_t>(background >> 16);
        }
    }
}

}  // namespace

ScreenBox BoxAround(const std::vector<MonitorArea>& monitors) {
    if (monitors.empty()) return {};
    int left = monitors[0].left, top = monitors[0].top, right = left, bottom = top;
    for (const MonitorArea& m : monitors) {
        left = std::min(left, m.left), top = std::min(top, m.top);
        right = std::max(right, m.left + m.width), bottom = std::max(bottom, m.top + m.height);
    }
    return {left, top, right - left, bottom - top};
}

bool Suits(const MonitorArea& monitor, int pictureWidth, int pictureHeight) {
    if (pictureWidth == pictureHeight) return true;
    return monitor.Portrait() == (pictureHeight > pictureWidth);
}

Placement PlaceOnMonitor(Position position, int pictureWidth, int pictureHeight, int width, int height) {
    Placement p;
    const double pw = pictureWidth, ph = pictureHeight;
    switch (position) {
        case Position::Tile:
            p.tiled = true;
            p.w = width, p.h = height;
            return p;
        case Position::Centre: {
            const Span across = Centred(pictureWidth, width), down = Centred(pictureHeight, height);
            p.source = {static_cast<double>(across.cut), static_cast<double>(down.cut),
                        static_cast<double>(across.length), static_cast<double>(down.length)};
            p.x = across.at, p.y = down.at, p.w = across.length, p.h = down.length;
            return p;
        }
        case Position::Fill: {
            // The picture covers the monitor; what overhangs is cut evenly.
            const double scale = std::max(width / pw, height / ph);
            const double sw = std::min(pw, width / scale), sh = std::min(ph, height / scale);
            p.source = {(pw - sw) / 2, (ph - sh) / 2, sw, sh};
            p.w = width, p.h = height;
            return p;
        }
        case Position::Fit: {
            // The whole picture; a strip of it at the least one pixel wide.
            const double scale = std::min(width / pw, height / ph);
            p.w = std::clamp(static_cast<int>(std::lround(pw * scale)), 1, width);
            p.h = std::clamp(static_cast<int>(std::lround(ph * scale)), 1, height);
            p.x = (width - p.w) / 2, p.y = (height - p.h) / 2;
            p.source = {0, 0, pw, ph};
            return p;
        }
        case Position::Stretch:
            break;
    }
    p.source = {0, 0, pw, ph};
    p.w = width, p.h = height;
    return p;
}

std::vector<BitmapPiece> PiecesOnBitmap(const MonitorArea& monitor, const ScreenBox& box) {
    std::vector<BitmapPiece> pieces;
    if (box.width <= 0 || box.height <= 0) return pieces;
    // Where the tiling from 0, 0 wraps inside the monitor, it is cut in two.
    const auto cuts = [](int start, int length, int period) {
        std::vector<int> at{0};
        const int first = Mod(start, period);
        if (first + length > period) at.push_back(period - first);
        at.push_back(length);
        return at;
    };
    const std::vector<int> xs = cuts(monitor.left, monitor.width, box.width);
    const std::vector<int> ys = cuts(monitor.top, monitor.height, box.height);
    for (size_t j = 0; j + 1 < ys.size(); ++j) {
        for (size_t i = 0; i + 1 < xs.size(); ++i) {
            pieces.push_back({xs[i], ys[j], xs[i + 1] - xs[i], ys[j + 1] - ys[j], Mod(monitor.left + xs[i], box.width),
                              Mod(monitor.top + ys[j], box.height)});
        }
    }
    return pieces;
}

bool ComposeScreen(const std::vector<MonitorPicture>& monitors, std::uint32_t background, int bandRows,
                   const BandSink& sink) {
    std::vector<MonitorArea> areas;
    for (const MonitorPicture& m : monitors) {
        if (m.area.width <= 0 || m.area.height <= 0 || m.picture.width <= 0 || m.picture.height <= 0) return false;
        areas.push_back(m.area);
    }
    const ScreenBox box = BoxAround(areas);
    const std::size_t stride = BitmapStride(box.width);
    if (areas.empty() || stride * static_cast<std::uint64_t>(box.height) > kMaxScreenBitmapBytes) return false;
    std::vector<MonitorJob> jobs;
    for (const MonitorPicture& m : monitors) {
        jobs.push_back({&m, PlaceOnMonitor(m.position, m.picture.width, m.picture.height, m.area.width, m.area.height),
                        PiecesOnBitmap(m.area, box), std::nullopt});
    }
    bandRows = std::clamp(bandRows, 1, box.height);
    std::vector<std::uint8_t> band(stride * static_cast<std::size_t>(bandRows), 0);
    for (int end = box.height; end > 0;) {
        const int top = std::max(0, end - bandRows), count = end - top;
        FillBackground(band.data(), stride, count, box.width, background);
        for (MonitorJob& job : jobs) {
            for (const BitmapPiece& piece : job.pieces) {
                const int from = std::max(top, piece.bitmapY), to = std::min(end, piece.bitmapY + piece.height);
                for (int row = from; row < to; ++row) {
                    std::uint8_t* out = band.data() + static_cast<std::size_t>(row - top) * stride +
                                        static_cast<std::size_t>(piece.bitmapX) * 3;
                    RenderMonitorRow(job, piece.monitorY + row - piece.bitmapY, piece.monitorX,
                                     piece.monitorX + piece.width, background, out);
                }
            }
        }
        if (!sink(band.data(), stride, top, count)) return false;
        end = top;
    }
    return true;
}

}  // namespace velmora::wallpaper
