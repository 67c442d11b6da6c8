#include "platform/picture_scaling.h"

#include <algorithm>
#include <cmath>

namespace velmora {

namespace {

// Reducing: each destination pixel averages the source pixels it covers,
// each weighted by how much of it lies inside.
void AreaTaps(double start, double length, int size, int limit, AxisTaps& taps) {
    const double step = length / size;
    for (int i = 0; i < size; ++i) {
        const double from = std::clamp(start + i * step, 0.0, static_cast<double>(limit));
        const double to = std::clamp(start + (i + 1) * step, from, static_cast<double>(limit));
        int first = std::min(static_cast<int>(std::floor(from)), limit - 1);
        const int last = std::max(first, std::min(static_cast<int>(std::ceil(to)) - 1, limit - 1));
        taps.first[i] = first;
        taps.offset[i] = static_cast<int>(taps.weights.size());
        double total = 0;
        for (int s = first; s <= last; ++s) {
            const double w = std::max(0.0, std::min(to, s + 1.0) - std::max(from, static_cast<double>(s)));
            taps.weights.push_back(static_cast<float>(w));
            total += w;
        }
        taps.count[i] = last - first + 1;
        const float scale = total > 0 ? static_cast<float>(1.0 / total) : 0.0f;
        for (int k = 0; k < taps.count[i]; ++k) {
            float& w = taps.weights[static_cast<size_t>(taps.offset[i] + k)];
            w = total > 0 ? w * scale : (k == 0 ? 1.0f : 0.0f);
        }
    }
}

// Enlarging: each destination pixel's centre falls between two source
// centres and takes both in proportion; at the edges the outer pixel holds.
void LinearTaps(double start, double length, int size, int limit, AxisTaps& taps) {
    const double step = length / size;
    const double lo = std::max(0.0, std::floor(start));
    const double hi = std::min(static_cast<double>(limit - 1), std::ceil(start + length) - 1);
    for (int i = 0; i < size; ++i) {
        const double centre = std::clamp(start + (i + 0.5) * step - 0.5, lo, std::max(lo, hi));
        const int first = std::min(static_cast<int>(std::floor(centre)), limit - 1);
        const double t = centre - first;
        taps.first[i] = first;
        taps.offset[i] = static_cast<int>(taps.weights.size());
        if (t > 0 && first + 1 < limit) {
            taps.count[i] = 2;
            taps.weights.push_back(static_cast<float>(1 - t));
            taps.weights.push_back(static_cast<float>(t));
        } else {
            taps.count[i] = 1;
            taps.weights.push_back(1.0f);
        }
    }
}

std::uint8_t ToByte(float v) { return static_cast<std::uint8_t>(std::clamp(v + 0.5f, 0.0f, 255.0f)); }

// Across one line already weighted down its column, `Bpp` values a pixel:
// fixed at compile time, so the inner loops unroll.
template <int Bpp>
void Across(const AxisTaps& columns, const float* line, int from, int x0, int x1, std::uint8_t* out,
            const float (&back)[3]) {
    for (int x = x0; x < x1; ++x, out += 3) {
        const auto c = static_cast<size_t>(x);
        float px[Bpp] = {};
        const float* at = line + static_cast<size_t>(columns.first[c] - from) * Bpp;
        const float* w = columns.weights.data() + columns.offset[c];
        for (int k = 0; k < columns.count[c]; ++k, at += Bpp) {
            for (int ch = 0; ch < Bpp; ++ch) px[ch] += w[k] * at[ch];
        }
        if constexpr (Bpp == 4) {
            const float clear = 1.0f - px[3] / 255.0f;
            for (int ch = 0; ch < 3; ++ch) out[ch] = ToByte(px[ch] + clear * back[ch]);
        } else {
            for (int ch = 0; ch < 3; ++ch) out[ch] = ToByte(px[ch]);
        }
    }
}

}  // namespace

AxisTaps MakeAxisTaps(double start, double length, int size, int limit) {
    AxisTaps taps;
    if (size <= 0 || limit <= 0) return taps;
    length = std::max(length, 1e-6);
    taps.first.resize(static_cast<size_t>(size));
    taps.count.resize(static_cast<size_t>(size));
    taps.offset.resize(static_cast<size_t>(size));
    if (length > size) {
        AreaTaps(start, length, size, limit, taps);
    } else {
        LinearTaps(start, length, size, limit, taps);
    }
    return taps;
}

Resampler::Resampler(const PixelView& source, const SourceArea& area, int width, int height)
    : source_(source),
      columns_(MakeAxisTaps(area.x, area.width, width, source.width)),
      rows_(MakeAxisTaps(area.y, area.height, height, source.height)) {}

void Resampler::RenderRow(int y, int x0, int x1, std::uint8_t* out, std::uint32_t background) {
    if (x1 <= x0 || y < 0 || y >= static_cast<int>(rows_.first.size())) return;
    const int bpp = source_.bytesPerPixel;
    // The source columns these destination pixels need.
    const int from = columns_.first[static_cast<size_t>(x0)];
    const int to = columns_.first[static_cast<size_t>(x1 - 1)] + columns_.count[static_cast<size_t>(x1 - 1)];
    const size_t span = static_cast<size_t>(to - from) * static_cast<size_t>(bpp);
    line_.assign(span, 0.0f);
    // Down the column first: the source rows weighted into one line.
    const auto r = static_cast<size_t>(y);
    for (int k = 0; k < rows_.count[r]; ++k) {
        const float w = rows_.weights[static_cast<size_t>(rows_.offset[r] + k)];
        const std::uint8_t* row = source_.Row(rows_.first[r] + k) + static_cast<size_t>(from) * bpp;
        float* acc = line_.data();
        for (size_t i = 0; i < span; ++i) acc[i] += w * row[i];
    }
    // Then across.
    const float back[3] = {static_cast<float>(background & 0xFF), static_cast<float>(background >> 8 & 0xFF),
                           static_cast<float>(background >> 16 & 0xFF)};
    if (bpp == 4) {
        Across<4>(columns_, line_.data(), from, x0, x1, out, back);
    } else {
        Across<3>(columns_, line_.data(), from, x0, x1, out, back);
    }
}

}  // namespace velmora
