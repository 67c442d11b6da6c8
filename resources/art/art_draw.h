// The drawing kit of the artwork generator: signed distance shapes, paints,
// premultiplied RGBA canvases sampled 4 x 4 per pixel, the palette and the
// house style's building blocks (lit bodies, gloss, glass orbs). Shared by
// every drawing file of gen_art.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <numbers>
#include <type_traits>
#include <string>
#include <utility>
#include <vector>

#include "art_common.h"

namespace art {

inline constexpr float kPi = std::numbers::pi_v<float>;

// ------------------------------------------------------------- shapes ----

// Where a shape may be inside, in design coordinates: a rectangle, or the
// whole plane when nobody knows better. Filling looks only near it, which
// is most of what makes drawing at run time quick.
struct Bounds {
    float x0 = -1e9f, y0 = -1e9f, x1 = 1e9f, y1 = 1e9f;
    bool Whole() const { return x0 <= -1e8f || y0 <= -1e8f || x1 >= 1e8f || y1 >= 1e8f; }
};
inline Bounds Hull(Bounds a, Bounds b) {
    return {std::min(a.x0, b.x0), std::min(a.y0, b.y0), std::max(a.x1, b.x1), std::max(a.y1, b.y1)};
}
inline Bounds Common(Bounds a, Bounds b) {
    return {std::max(a.x0, b.x0), std::max(a.y0, b.y0), std::min(a.x1, b.x1), std::min(a.y1, b.y1)};
}
inline Bounds Widened(Bounds a, float d) { return {a.x0 - d, a.y0 - d, a.x1 + d, a.y1 + d}; }

struct Pt {
    float x, y;
};

inline Bounds BoundsOf(const std::vector<Pt>& pts) {
    Bounds b{1e9f, 1e9f, -1e9f, -1e9f};
    for (const Pt& p : pts) b = {std::min(b.x0, p.x), std::min(b.y0, p.y), std::max(b.x1, p.x), std::max(b.y1, p.y)};
    return b;
}

// Signed distance in design pixels from a point to a shape's edge,
// negative inside, with the bounds of its inside.
struct Shape {
    std::function<float(float, float)> distance;
    Bounds bounds;

    Shape() = default;
    template <class F>
        requires(std::is_invocable_r_v<float, F, float, float> && !std::is_same_v<std::decay_t<F>, Shape>)
    Shape(F f, Bounds b = {}) : distance(std::move(f)), bounds(b) {}
    float operator()(float x, float y) const { return distance(x, y); }
};

inline Shape Circle(float cx, float cy, float r) {
    return {[=](float x, float y) { return Length(x - cx, y - cy) - r; }, {cx - r, cy - r, cx + r, cy + r}};
}

// An approximation that is good enough for edges (exact on the axes).
inline Shape Ellipse(float cx, float cy, float rx, float ry) {
    return {[=](float x, float y) {
                const float px = (x - cx) / rx, py = (y - cy) / ry;
                const float k0 = Length(px, py);
                const float k1 = Length((x - cx) / (rx * rx), (y - cy) / (ry * ry));
                return k1 < 1e-6f ? -std::min(rx, ry) : k0 * (k0 - 1) / k1;
            },
            {cx - rx, cy - ry, cx + rx, cy + ry}};
}

// Rectangle from (x0, y0) to (x1, y1) with corner radii top-left, top-right,
// bottom-right, bottom-left.
inline Shape Box(float x0, float y0, float x1, float y1, float tl, float tr, float br, float bl) {
    const float cx = (x0 + x1) / 2, cy = (y0 + y1) / 2, hx = (x1 - x0) / 2, hy = (y1 - y0) / 2;
    return {[=](float x, float y) {
                const float r = x < cx ? (y < cy ? tl : bl) : (y < cy ? tr : br);
                const float qx = std::fabs(x - cx) - hx + r, qy = std::fabs(y - cy) - hy + r;
                return Length(std::max(qx, 0.0f), std::max(qy, 0.0f)) + std::min(std::max(qx, qy), 0.0f) - r;
            },
            {x0, y0, x1, y1}};
}
inline Shape Box(float x0, float y0, float x1, float y1, float r = 0) { return Box(x0, y0, x1, y1, r, r, r, r); }

inline float SegmentDistance(float x, float y, Pt a, Pt b) {
    const float dx = b.x - a.x, dy = b.y - a.y;
    const float t = std::clamp(((x - a.x) * dx + (y - a.y) * dy) / (dx * dx + dy * dy), 0.0f, 1.0f);
    return Length(x - a.x - dx * t, y - a.y - dy * t);
}

// A line from a to b, r either side, with round ends.
inline Shape Capsule(Pt a, Pt b, float r) {
    return {[=](float x, float y) { return SegmentDistance(x, y, a, b) - r; }, Widened(BoundsOf({a, b}), r)};
}

// A stroked open polyline.
inline Shape Polyline(std::vector<Pt> pts, float r) {
    const Bounds b = Widened(BoundsOf(pts), r);
    return {[pts = std::move(pts), r](float x, float y) {
                float d = 1e9f;
                for (size_t i = 0; i + 1 < pts.size(); ++i) d = std::min(d, SegmentDistance(x, y, pts[i], pts[i + 1]));
                return d - r;
            },
            b};
}

// A closed polygon (any winding, not self-intersecting).
inline Shape Poly(std::vector<Pt> v) {
    const Bounds b = BoundsOf(v);
    return {[v = std::move(v)](float x, float y) {
                float d = 1e9f;
                bool inside = false;
                for (size_t i = 0, j = v.size() - 1; i < v.size(); j = i++) {
                    d = std::min(d, SegmentDistance(x, y, v[j], v[i]));
                    if ((v[i].y > y) != (v[j].y > y) &&
                        x < (v[j].x - v[i].x) * (y - v[i].y) / (v[j].y - v[i].y) + v[i].x)
                        inside = !inside;
                }
                return inside ? -d : d;
            },
            b};
}

inline Shape Union(Shape a, Shape b) {
    const Bounds box = Hull(a.bounds, b.bounds);
    return {[a = std::move(a), b = std::move(b)](float x, float y) { return std::min(a(x, y), b(x, y)); }, box};
}
inline Shape Union(std::vector<Shape> pieces) {
    Bounds box{1e9f, 1e9f, -1e9f, -1e9f};
    for (const Shape& s : pieces) box = Hull(box, s.bounds);
    return {[pieces = std::move(pieces)](float x, float y) {
                float d = 1e9f;
                for (const Shape& s : pieces) d = std::min(d, s(x, y));
                return d;
            },
            box};
}
inline Shape Inter(Shape a, Shape b) {
    const Bounds box = Common(a.bounds, b.bounds);
    return {[a = std::move(a), b = std::move(b)](float x, float y) { return std::max(a(x, y), b(x, y)); }, box};
}
inline Shape Minus(Shape a, Shape b) {
    const Bounds box = a.bounds;
    return {[a = std::move(a), b = std::move(b)](float x, float y) { return std::max(a(x, y), -b(x, y)); }, box};
}
// Grown by d pixels (shrunk when d < 0); also rounds a polygon's corners
// when it was shrunk first.
inline Shape Grow(Shape a, float d) {
    const Bounds box = Widened(a.bounds, std::max(d, 0.0f));
    return {[a = std::move(a), d](float x, float y) { return a(x, y) - d; }, box};
}
// A stroke w wide centred on the edge.
inline Shape Outline(Shape a, float w) {
    const Bounds box = Widened(a.bounds, w / 2);
    return {[a = std::move(a), w](float x, float y) { return std::fabs(a(x, y)) - w / 2; }, box};
}
// The band w wide just inside the edge.
inline Shape Rim(Shape a, float w) {
    const Bounds box = a.bounds;
    return {[a = std::move(a), w](float x, float y) {
                const float d = a(x, y);
                return std::max(d, -d - w);
            },
            box};
}
// The bounds of a rectangle's four corners each taken through `to`.
template <class Map>
inline Bounds MappedBounds(Bounds b, Map to) {
    if (b.Whole()) return {};
    std::vector<Pt> corners;
    for (Pt p : {Pt{b.x0, b.y0}, Pt{b.x1, b.y0}, Pt{b.x1, b.y1}, Pt{b.x0, b.y1}}) corners.push_back(to(p));
    return BoundsOf(corners);
}
inline Shape Rotated(Shape a, float cx, float cy, float degrees) {
    const float c = std::cos(degrees * kPi / 180), s = std::sin(degrees * kPi / 180);
    // the picture's point (x, y) is the shape's point turned back; the
    // shape's point p shows at p turned forwards
    const Bounds box = MappedBounds(a.bounds, [=](Pt p) {
        const float dx = p.x - cx, dy = p.y - cy;
        return Pt{cx + dx * c - dy * s, cy + dx * s + dy * c};
    });
    return {[a = std::move(a), c, s, cx, cy](float x, float y) {
                const float dx = x - cx, dy = y - cy;
                return a(cx + dx * c + dy * s, cy - dx * s + dy * c);
            },
            box};
}
// A half plane: everything above the line y = y0 (for clipping glosses).
inline Shape Above(float y0) {
    return {[=](float, float y) { return y - y0; }, {-1e9f, -1e9f, 1e9f, y0}};
}

// -------------------------------------------------------------- paint ----

// Straight (not premultiplied) colour and opacity.
struct Ink {
    Rgb c;
    float a = 1;
};
using Paint = std::function<Ink(float x, float y)>;

struct Stop {
    float t;
    Rgb c;
    float a = 1;
};

inline Ink Ramp(const std::vector<Stop>& stops, float t) {
    if (t <= stops.front().t) return {stops.front().c, stops.front().a};
    for (size_t i = 1; i < stops.size(); ++i)
        if (t <= stops[i].t) {
            const Stop &a = stops[i - 1], &b = stops[i];
            const float u = (t - a.t) / std::max(b.t - a.t, 1e-6f);
            return {Mix(a.c, b.c, u), a.a + (b.a - a.a) * u};
        }
    return {stops.back().c, stops.back().a};
}

inline Paint Solid(Rgb c, float a = 1) {
    return [=](float, float) { return Ink{c, a}; };
}
// Along the line from (x0, y0) to (x1, y1).
inline Paint Linear(float x0, float y0, float x1, float y1, std::vector<Stop> stops) {
    const float dx = x1 - x0, dy = y1 - y0, len2 = dx * dx + dy * dy;
    return [=](float x, float y) { return Ramp(stops, ((x - x0) * dx + (y - y0) * dy) / len2); };
}
inline Paint Vertical(float y0, float y1, std::vector<Stop> stops) { return Linear(0, y0, 0, y1, std::move(stops)); }
// Outwards from (cx, cy), reaching t = 1 on the ellipse rx, ry.
inline Paint Radial(float cx, float cy, float rx, float ry, std::vector<Stop> stops) {
    return [=](float x, float y) { return Ramp(stops, Length((x - cx) / rx, (y - cy) / ry)); };
}

inline Rgb White() { return Hex(0xFFFFFF); }
inline Rgb Black() { return Hex(0x000000); }

// Hue 0..1 round the colour circle at full saturation and value.
inline Rgb HueColour(float h) {
    h = (h - std::floor(h)) * 6;
    const float x = 1 - std::fabs(std::fmod(h, 2.0f) - 1);
    Rgb c{};
    switch (int(h)) {
        case 0: c = {1, x, 0}; break;
        case 1: c = {x, 1, 0}; break;
        case 2: c = {0, 1, x}; break;
        case 3: c = {0, x, 1}; break;
        case 4: c = {x, 0, 1}; break;
        default: c = {1, 0, x}; break;
    }
    return {c.r * 255, c.g * 255, c.b * 255};
}

// ------------------------------------------------------------- canvas ----

// Premultiplied RGBA: colour 0..255 already multiplied by alpha 0..1.
struct Px {
    Rgb c{0, 0, 0};
    float a = 0;
};

// Pixels for a length of the 96-dpi design at `dpi`, rounded as MulDiv
// rounds (half up), so that pictures and the layouts placing them agree.
inline int DesignToPixels(int design, int dpi) { return (design * dpi + (design < 0 ? -48 : 48)) / 96; }

// Samples per pixel along each axis at a DPI: 4 x 4 at the design size,
// fewer as pixels get smaller (a design pixel gets 3 x 3 or more), so that
// drawing at run time stays quick; each sample's own soft edge keeps edges
// smooth.
inline int SamplesPerAxis(int dpi) { return dpi <= 96 ? 4 : dpi < 144 ? 3 : 2; }

// A picture being drawn. Shapes, paints and offsets are given in the 96-dpi
// design; the canvas holds pixels at its DPI, every design coordinate
// multiplied by dpi / 96. A canvas may hold only a part of a larger
// picture: its pixel (0, 0) is the larger picture's pixel (left, top).
struct Canvas {
    int w, h;
    int dpi = 96;
    int left = 0, top = 0;
    // Pixels inside these rectangles (x0, y0, x1, y1; this canvas's pixels)
    // are never painted: parts drawn some other way afterwards.
    std::vector<std::array<int, 4>> holes;
    // Well inside a shape, one sample of the paint stands for all the
    // pixel's samples: the paints are smooth, and drawing at run time
    // must be quick. The generator's 96-dpi pictures keep every sample.
    bool quickInside = false;
    std::vector<Px> px;

    Canvas(int w_, int h_) : w(w_), h(h_), px(size_t(w_) * h_) {}
    // A picture of w96 x h96 design pixels at `dpi`.
    static Canvas At(int w96, int h96, int dpi) {
        Canvas cv(DesignToPixels(w96, dpi), DesignToPixels(h96, dpi));
        cv.dpi = dpi;
        cv.quickInside = dpi != 96;
        return cv;
    }
    // An empty canvas of the same size, place and resolution, for a layer.
    Canvas Layer() const {
        Canvas cv(w, h);
        cv.dpi = dpi;
        cv.left = left;
        cv.top = top;
        cv.holes = holes;
        cv.quickInside = quickInside;
        return cv;
    }
    float Scale() const { return float(dpi) / 96.0f; }
    int Pixels(int design) const { return DesignToPixels(design, dpi); }
    // Design coordinates of a point given in this canvas's pixels.
    float DesignX(float x) const { return (x + float(left)) * 96.0f / float(dpi); }
    float DesignY(float y) const { return (y + float(top)) * 96.0f / float(dpi); }
    // Where the hole holding pixel (x, y) ends on its row; x when none does.
    int HoleEnd(int x, int y) const {
        for (const auto& r : holes)
            if (x >= r[0] && x < r[2] && y >= r[1] && y < r[3]) return r[2];
        return x;
    }
    // The pixels (x0, y0, x1, y1) worth looking at for a shape: its bounds
    // and two pixels round them, where an edge's soft samples may fall.
    std::array<int, 4> PixelsNear(const Bounds& b) const {
        if (b.Whole()) return {0, 0, w, h};
        const float scale = Scale();
        const auto clampTo = [](float v, int hi) { return int(std::clamp(v, 0.0f, float(hi))); };
        return {clampTo(std::floor(b.x0 * scale - float(left)) - 2, w), clampTo(std::floor(b.y0 * scale - float(top)) - 2, h),
                clampTo(std::ceil(b.x1 * scale - float(left)) + 2, w), clampTo(std::ceil(b.y1 * scale - float(top)) + 2, h)};
    }

    Px& at(int x, int y) { return px[size_t(y) * w + x]; }
    const Px& at(int x, int y) const { return px[size_t(y) * w + x]; }

    void Blend(int x, int y, Px s) {
        Px& d = at(x, y);
        const float k = 1 - s.a;
        d = {{s.c.r + d.c.r * k, s.c.g + d.c.g * k, s.c.b + d.c.b * k}, s.a + d.a * k};
    }

    // Paints the inside of a shape. Each pixel takes n x n samples; each
    // sample is itself a ramp one sample wide across the edge, so thin
    // strokes and near-horizontal edges come out even.
    void Fill(const Shape& s, const Paint& p, float opacity = 1) {
        const int n = SamplesPerAxis(dpi);
        const float scale = Scale(), unit = 96.0f / float(dpi);
        const auto [xa, ya, xb, yb] = PixelsNear(s.bounds);
        for (int y = ya; y < yb; ++y) {
            const float cy = DesignY(y + 0.5f);
            for (int x = xa; x < xb; ++x) {
                if (!holes.empty()) {
                    if (const int end = HoleEnd(x, y); end > x) {
                        x = end - 1;
                        continue;
                    }
                }
                const float cx = DesignX(x + 0.5f);
                // distances in pixels
                const float centre = s(cx, cy) * scale;
                if (centre > 1.5f) continue;
                Rgb acc{0, 0, 0};
                float cover = 0;
                if (quickInside && centre < -1.5f) {
                    const Ink ink = p(cx, cy);
                    const float wgt = std::clamp(ink.a, 0.0f, 1.0f) * float(n * n);
                    acc = {ink.c.r * wgt, ink.c.g * wgt, ink.c.b * wgt};
                    cover = wgt;
                } else {
                    for (int j = 0; j < n; ++j)
                        for (int i = 0; i < n; ++i) {
                            const float sx = cx + ((i + 0.5f) / n - 0.5f) * unit;
                            const float sy = cy + ((j + 0.5f) / n - 0.5f) * unit;
                            const float d = centre < -1.5f ? -1.0f : s(sx, sy) * scale;
                            const float k = std::clamp(0.5f - d * n, 0.0f, 1.0f);
                            if (k <= 0) continue;
                            const Ink ink = p(sx, sy);
                            const float wgt = k * std::clamp(ink.a, 0.0f, 1.0f);
                            acc = {acc.r + ink.c.r * wgt, acc.g + ink.c.g * wgt, acc.b + ink.c.b * wgt};
                            cover += wgt;
                        }
                }
                const float f = opacity / float(n * n);
                if (cover > 0) Blend(x, y, {{acc.r * f, acc.g * f, acc.b * f}, cover * f});
            }
        }
    }

    // Lays another canvas (same size, or placed at ox, oy: pixels of this
    // canvas) over this one.
    void Over(const Canvas& top, int ox = 0, int oy = 0, float opacity = 1) {
        for (int y = 0; y < top.h; ++y)
            for (int x = 0; x < top.w; ++x) {
                const int tx = x + ox, ty = y + oy;
                if (tx < 0 || ty < 0 || tx >= w || ty >= h) continue;
                Px s = top.at(x, y);
                s = {{s.c.r * opacity, s.c.g * opacity, s.c.b * opacity}, s.a * opacity};
                Blend(tx, ty, s);
            }
    }

    // Lays a layer over this one with the layer's own soft shadow beneath:
    // its coverage blurred (sigma), moved down-right and darkened; dx, dy
    // and sigma in design pixels.
    void Drop(const Canvas& layer, float opacity = 0.32f, float dx = 0.6f, float dy = 1.0f, float sigma = 0.9f) {
        const float scale = Scale();
        dx *= scale;
        dy *= scale;
        sigma *= scale;
        std::vector<float> a(layer.px.size());
        for (size_t i = 0; i < a.size(); ++i) a[i] = layer.px[i].a;
        const int r = int(std::ceil(sigma * 3));
        std::vector<float> kernel(size_t(2 * r + 1));
        float sum = 0;
        for (int i = -r; i <= r; ++i) sum += kernel[size_t(i + r)] = std::exp(-0.5f * i * i / (sigma * sigma));
        for (float& k : kernel) k /= sum;
        auto blur = [&](bool horizontal) {
            std::vector<float> out(a.size(), 0);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    float v = 0;
                    for (int i = -r; i <= r; ++i) {
                        const int sx = horizontal ? x + i : x, sy = horizontal ? y : y + i;
                        if (sx >= 0 && sy >= 0 && sx < w && sy < h) v += a[size_t(sy) * w + sx] * kernel[size_t(i + r)];
                    }
                    out[size_t(y) * w + x] = v;
                }
            a.swap(out);
        };
        blur(true);
        blur(false);
        // bilinear sample of the blurred coverage at (x - dx, y - dy)
        auto sample = [&](float fx, float fy) {
            const int x0 = int(std::floor(fx)), y0 = int(std::floor(fy));
            const float tx = fx - x0, ty = fy - y0;
            auto get = [&](int x, int y) {
                return x < 0 || y < 0 || x >= w || y >= h ? 0.0f : a[size_t(y) * w + x];
            };
            return (get(x0, y0) * (1 - tx) + get(x0 + 1, y0) * tx) * (1 - ty) +
                   (get(x0, y0 + 1) * (1 - tx) + get(x0 + 1, y0 + 1) * tx) * ty;
        };
        const Rgb shade = Hex(0x101820);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const float s = sample(x - dx, y - dy) * opacity;
                if (s > 0) Blend(x, y, {{shade.r * s, shade.g * s, shade.b * s}, s});
            }
        Over(layer);
    }
};

// The canvas flattened onto a plain background.
inline Image Flatten(const Canvas& cv, Rgb bg) {
    Image img(cv.w, cv.h);
    for (int y = 0; y < cv.h; ++y)
        for (int x = 0; x < cv.w; ++x) {
            const Px& p = cv.at(x, y);
            img.at(x, y) = {p.c.r + bg.r * (1 - p.a), p.c.g + bg.g * (1 - p.a), p.c.b + bg.b * (1 - p.a)};
        }
    return img;
}

// 32-bit BMP with premultiplied alpha, the layout AlphaBlend wants.
inline void WriteAlphaBmp(const Canvas& cv, const std::string& path) {
    std::vector<uint8_t> out = BmpHeader(cv.w, cv.h, 32, uint32_t(cv.w) * cv.h * 4);
    for (int y = 0; y < cv.h; ++y) {
        uint8_t* p = &out[54 + size_t(cv.h - 1 - y) * cv.w * 4];
        for (int x = 0; x < cv.w; ++x) {
            const Px& s = cv.at(x, y);
            const uint8_t a = Byte(s.a * 255);
            // rounding must never leave a channel above alpha
            p[x * 4 + 0] = std::min(Byte(s.c.b), a);
            p[x * 4 + 1] = std::min(Byte(s.c.g), a);
            p[x * 4 + 2] = std::min(Byte(s.c.r), a);
            p[x * 4 + 3] = a;
        }
    }
    WriteFile(path, out);
}

// The vertical extent of a shape on a canvas (pixel centres inside), in
// design coordinates.
inline std::pair<float, float> Extent(const Shape& s, const Canvas& cv) {
    int first = cv.h, last = -1;
    for (int y = 0; y < cv.h; ++y)
        for (int x = 0; x < cv.w; ++x)
            if (s(cv.DesignX(x + 0.5f), cv.DesignY(y + 0.5f)) < 0) {
                first = std::min(first, y);
                last = std::max(last, y);
                break;
            }
    if (last < 0) return {1e9f, -1e9f};
    return {cv.DesignY(float(first)), cv.DesignY(float(last + 1))};
}

// ------------------------------------------------------------ palette ----
//
// One family of tones per hue: light (lit face), mid, dark (shaded face),
// rim (the one-pixel outline).

struct Tone {
    Rgb light, mid, dark, rim;
};
inline Tone Blue() { return {Hex(0x9AD4FF), Hex(0x3F93EA), Hex(0x1B5BB5), Hex(0x174582)}; }
inline Tone Green() { return {Hex(0xA8EC8A), Hex(0x4DBB3C), Hex(0x24862A), Hex(0x1C5F22)}; }
inline Tone Red() { return {Hex(0xFF9B86), Hex(0xE8452F), Hex(0xAE1F14), Hex(0x7A1710)}; }
inline Tone Yellow() { return {Hex(0xFFEFA8), Hex(0xFCCB4A), Hex(0xE0A21F), Hex(0xA8741A)}; }
inline Tone Silver() { return {Hex(0xFCFDFE), Hex(0xDCE2E9), Hex(0xA9B3C0), Hex(0x6B7787)}; }
inline Tone Graphite() { return {Hex(0x6B7585), Hex(0x3D4552), Hex(0x232830), Hex(0x161A20)}; }
inline Tone Orange() { return {Hex(0xFFD08A), Hex(0xFFA237), Hex(0xE2760F), Hex(0xA4520C)}; }

// ----------------------------------------------------------- building ----

// A lit solid: the fill, a thin light line inside its top, the rim.
inline void Body(Canvas& cv, const Shape& s, const Paint& fill, Rgb rim, float shine = 0.55f) {
    cv.Fill(s, fill);
    const auto [top, bottom] = Extent(s, cv);
    cv.Fill(Rim(Grow(s, -1), 1),
            Vertical(top, bottom, {{0, White(), shine}, {0.55f, White(), shine * 0.25f}, {1, White(), 0}}));
    cv.Fill(Rim(s, 1), Solid(rim));
}

// The usual fill of a tone: lit at the top-left, shaded at the bottom-right.
inline Paint Lit(const Tone& t, float x0, float y0, float x1, float y1) {
    return Linear(x0, y0, x1, y1, {{0, t.light}, {0.45f, t.mid}, {1, t.dark}});
}

// A glassy highlight: the upper part of a shape washed with white that
// fades downwards.
inline void Gloss(Canvas& cv, const Shape& clip, float y0, float y1, float strength = 0.6f) {
    cv.Fill(clip, Vertical(y0, y1, {{0, White(), strength}, {1, White(), strength * 0.08f}}));
}

// A round glass button with its colour lit from the top-left and a glow
// coming back up from the bottom.
inline void Orb(Canvas& cv, float cx, float cy, float r, const Tone& t) {
    const Shape disc = Circle(cx, cy, r);
    cv.Fill(disc, Radial(cx - r * 0.25f, cy - r * 0.35f, r * 1.45f, r * 1.45f,
                         {{0, t.light}, {0.45f, t.mid}, {1, t.dark}}));
    cv.Fill(disc, Radial(cx, cy + r * 0.95f, r * 0.9f, r * 0.55f, {{0, t.light, 0.75f}, {1, t.light, 0}}));
    cv.Fill(Rim(disc, 1), Solid(t.rim));
    Gloss(cv, Ellipse(cx, cy - r * 0.42f, r * 0.74f, r * 0.5f), cy - r * 0.92f, cy, 0.75f);
}

// An icon file of 32-bit images with alpha (straight colour in the file, as
// Windows wants it), one per canvas, with the AND mask of the transparent
// pixels for old readers.
inline void WriteAlphaIcon(const std::vector<const Canvas*>& sizes, const std::string& path) {
    std::vector<IconImage> images;
    for (const Canvas* cv : sizes) {
        const int w = cv->w, h = cv->h;
        const int maskRow = ((w + 31) / 32) * 4;
        std::vector<uint8_t> img(40 + size_t(w) * h * 4 + size_t(maskRow) * h, 0);
        Put32(img, 0, 40);
        Put32(img, 4, uint32_t(w));
        Put32(img, 8, uint32_t(h * 2));
        Put16(img, 12, 1);
        Put16(img, 14, 32);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const Px& p = cv->px[size_t(y) * w + x];
                const uint8_t a = Byte(p.a * 255);
                uint8_t* d = &img[40 + (size_t(h - 1 - y) * w + x) * 4];
                if (a > 0) {
                    d[0] = Byte(p.c.b / p.a);
                    d[1] = Byte(p.c.g / p.a);
                    d[2] = Byte(p.c.r / p.a);
                }
                d[3] = a;
                if (a == 0) img[40 + size_t(w) * h * 4 + size_t(h - 1 - y) * maskRow + x / 8] |= uint8_t(0x80 >> (x % 8));
            }
        images.push_back({w, h, 32, std::move(img)});
    }
    WriteIconFile(images, path);
}

}  // namespace art
