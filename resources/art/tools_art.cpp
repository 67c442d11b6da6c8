// Pictures of the web-search box at any DPI (artwork.h): the five
// mushrooms, the grass strip and the red close ball.
//
// The search box is keyed on pure white: every white pixel of it is cut out
// of the window. So its pictures keep a hard outline (each pixel fully in
// or fully out: a pixel blended with the white around it would stay behind
// as a pale fringe on a dark desktop), and nothing inside them may be pure
// white, or it would become a hole.
#include <algorithm>

#include "artwork.h"

namespace art {
namespace {

// ------------------------------------------------------------ keying ----

// What stands in for white inside a keyed picture.
constexpr Rgb kNearWhite{250, 250, 246};

bool IsKey(const Rgb& c) { return Byte(c.r) == 255 && Byte(c.g) == 255 && Byte(c.b) == 255; }

// Every pixel fully in (colour un-premultiplied) or fully out.
void Harden(Canvas& cv) {
    for (Px& p : cv.px) {
        if (p.a < 0.5f) {
            p = {};
            continue;
        }
        Rgb c{std::min(p.c.r / p.a, 255.0f), std::min(p.c.g / p.a, 255.0f), std::min(p.c.b / p.a, 255.0f)};
        if (IsKey(c)) c = kNearWhite;
        p = {c, 1};
    }
}

// ---------------------------------------------------------- mushroom ----

Tone DarkRed() { return {Hex(0xE0766A), Hex(0xA8282A), Hex(0x721418), Hex(0x4C0C10)}; }

// A cartoon mushroom, 65 x 66: a spotted dome cap over a pale stem with a
// friendly face. Only the cap's colour changes between the five.
Canvas DrawMushroomOf(const Tone& t, int dpi) {
    Canvas cv = Canvas::At(kMushroomW, kMushroomH, dpi);
    const float cx = 32.5f;

    // Stem, running on below the picture's foot: the grass strip covers
    // the last rows, so the mushroom stands in the grass.
    const Shape stem = Grow(Poly({{cx - 10.5f, 36}, {cx + 10.5f, 36}, {cx + 13, 70}, {cx - 13, 70}}), 2.5f);
    const Paint stemPaint = [=](float x, float) {
        const float u = (x - (cx - 15)) / 30;
        return Ink{Mix(Mix(Hex(0xFFF3DA), Hex(0xF2DFBB), Smooth(0.1f, 0.55f, u)), Hex(0xC9AE84), Smooth(0.55f, 1.0f, u))};
    };
    Body(cv, stem, stemPaint, Hex(0x7A5A3A), 0.35f);
    cv.Fill(Rim(stem, 1.6f), Solid(Hex(0x7A5A3A)));

    // The face.
    const Rgb eye = Hex(0x3A2A26);
    for (float ex : {cx - 5.5f, cx + 5.5f}) {
        cv.Fill(Ellipse(ex, 47, 2.1f, 3.0f), Solid(eye));
        cv.Fill(Circle(ex + 0.7f, 45.8f, 0.9f), Solid(kNearWhite));
    }
    cv.Fill(Inter(Outline(Circle(cx, 49.5f, 4.6f), 1.3f), [=](float, float y) { return 51.3f - y; }), Solid(eye));
    for (float bx : {cx - 9.5f, cx + 9.5f}) cv.Fill(Ellipse(bx, 52, 2.6f, 1.6f), Solid(Hex(0xF28C8C), 0.55f));

    // The cap's underside shows as a pale rim of gills under its edge.
    const Shape gills = Ellipse(cx, 37.5f, 20.5f, 3.6f);
    cv.Fill(gills, Vertical(34, 41, {{0, Hex(0x8C6E50)}, {1, Hex(0xD7C09A)}}));
    cv.Fill(Rim(gills, 1.4f), Solid(Hex(0x7A5A3A)));

    // The cap: a dome with a softly rounded lower edge.
    const Shape cap = Grow(Inter(Ellipse(cx, 34.5f, 28, 31.5f), [](float, float y) { return y - 35.5f; }), 2.2f);
    cv.Fill(cap, Radial(cx - 9, 12, 40, 36, {{0, t.light}, {0.42f, t.mid}, {0.92f, t.dark}}));
    // shade along the lower edge, where the cap curls under
    cv.Fill(Inter(cap, [](float, float y) { return 31.5f - y; }),
            Vertical(31.5f, 38.5f, {{0, t.dark, 0}, {1, t.rim, 0.55f}}));
    // spots, pale cream, never pure white
    struct Spot {
        float x, y, r;
    };
    const Spot spots[] = {{cx - 13.5f, 17, 5.6f}, {cx + 1.5f, 9.5f, 5.0f}, {cx + 15, 19.5f, 5.8f},
                          {cx - 4, 26.5f, 3.8f},  {cx + 22.5f, 31, 2.8f},  {cx - 22, 30.5f, 3.0f},
                          {cx + 7.5f, 29.5f, 2.6f}};
    for (const Spot& s : spots) {
        const Shape spot = Inter(Grow(cap, -1.5f), Circle(s.x, s.y, s.r));
        cv.Fill(spot, Radial(s.x - s.r * 0.35f, s.y - s.r * 0.4f, s.r * 1.4f, s.r * 1.4f,
                             {{0, kNearWhite}, {0.6f, Hex(0xF4EEE0)}, {1, Hex(0xDCD2C0)}}));
    }
    Gloss(cv, Inter(cap, Ellipse(cx - 8, 12, 14, 7.5f)), 4, 20, 0.55f);
    cv.Fill(Rim(cap, 1.6f), Solid(t.rim));
    Harden(cv);
    return cv;
}

// ------------------------------------------------------------- grass ----

// What the window shows of the strip: it is clipped at 327 x 47.
constexpr float kStripRight = 325, kStripBottom = 45;

// Height of the grass's top edge at x (0 is the picture's top): a knoll
// under the mushroom, then a lawn whose blades reach up to the edge.
float GroundTop(float x) {
    const float knoll = 13 - 13 * Smooth(6, 18, x) * (1 - Smooth(48, 62, x));
    return std::max(0.0f, std::min(knoll, 6.0f - 1.2f * Noise(x * 0.15f, 3.0f)));
}

// One row of blades: spikes `period` apart whose tips rise up to `reach`
// above the ground, each leaning its own way.
float BladeRow(float x, float period, float phase, int seed, float reach) {
    const float k = std::floor((x + phase) / period);
    const float u = (x + phase) / period - k;
    const float height = reach * (0.45f + 0.55f * Hash(int(k), seed));
    const float lean = (Hash(int(k), seed + 7) - 0.5f) * 0.6f;
    const float spike = std::max(0.0f, 1 - std::fabs((u - 0.5f - lean) * 1.6f));
    return height * spike * std::sqrt(spike);
}

// Top of the lawn at x: the ground with two rows of blades on it.
float BladeTop(float x) {
    const float rise = std::max(BladeRow(x, 4.3f, 0, 17, 7.5f), BladeRow(x, 6.1f, 2.2f, 41, 6.0f));
    return GroundTop(x) + 3.0f - rise;
}

}  // namespace

Canvas DrawGrass(int dpi) {
    Canvas cv = Canvas::At(kGrassW, kGrassH, dpi);
    // The lawn: a band with rounded ends, its top edge blades of grass.
    const Shape band = Box(1, -20, kStripRight, kStripBottom, 0, 0, 9, 9);
    const Shape blades = [](float x, float y) { return std::max(0.0f, BladeTop(x)) - y; };
    const Shape lawn = Inter(band, blades);
    const Rgb top = Hex(0x8EDB5A), mid = Hex(0x4FB23A), deep = Hex(0x2C7D2A);
    cv.Fill(lawn, [=](float x, float y) {
        const float ground = GroundTop(x);
        const float depth = (y - ground) / (kStripBottom - ground);
        Rgb c = Mix(Mix(top, mid, Smooth(0.0f, 0.45f, depth)), deep, Smooth(0.55f, 1.0f, depth));
        // tufts: lighter and darker streaks leaning a little
        const float streak = Fbm(x * 0.55f + y * 0.18f, y * 0.08f, 3);
        c = Mix(c, Hex(0xB6EE86), Smooth(0.62f, 0.8f, streak) * 0.35f * (1 - depth));
        c = Mix(c, Hex(0x23682A), Smooth(0.38f, 0.2f, streak) * 0.3f);
        return Ink{c};
    });
    // dark blades standing in the lawn
    for (int i = 0; i < 120; ++i) {
        const float x = 3 + Hash(i, 5) * (kStripRight - 6);
        const float y0 = GroundTop(x) + 9 + Hash(i, 9) * 26;
        if (y0 > kStripBottom - 3) continue;
        const float len = 3 + Hash(i, 13) * 4, lean = (Hash(i, 21) - 0.5f) * 3;
        cv.Fill(Inter(lawn, Capsule({x, y0}, {x + lean, y0 - len}, 0.45f)), Solid(Hex(0x2E8A2C), 0.65f));
    }
    // a few small flowers where the field and the button leave the lawn
    // free: along the foot and on the knoll
    struct Flower {
        float x, y;
        Rgb petals;
    };
    const Flower flowers[] = {{4.5f, 30, Hex(0xFFE066)},  {60, 40.5f, Hex(0xFF9EC4)}, {118, 40, Hex(0xFFE066)},
                              {183, 41, Hex(0xB9A4FF)},   {247, 40, Hex(0xFF9EC4)},  {268.5f, 18, Hex(0xFFE066)},
                              {316, 37.5f, Hex(0xB9A4FF)}};
    for (const Flower& f : flowers) {
        for (int k = 0; k < 5; ++k) {
            const float a = k * 2 * kPi / 5 - kPi / 2;
            cv.Fill(Circle(f.x + 1.5f * std::cos(a), f.y + 1.5f * std::sin(a), 1.05f), Solid(f.petals));
        }
        cv.Fill(Circle(f.x, f.y, 0.8f), Solid(Hex(0xE08A1A)));
    }
    // The edge: dark along the blades and round the foot.
    cv.Fill(Rim(lawn, 1.2f), Solid(Hex(0x2A7230)));
    Harden(cv);
    return cv;
}

// -------------------------------------------------------------- ball ----

// The close ball, 32 x 32 in the design: a glossy red ball with a pale cross.
Canvas DrawBall(int size) {
    Canvas cv = Canvas::At(kBallSize, kBallSize, size * 96 / kBallSize);
    const Tone r = Red();
    const Shape disc = Circle(16, 16, 15);
    cv.Fill(disc, Radial(12, 10, 21, 21, {{0, r.light}, {0.45f, r.mid}, {1, r.dark}}));
    cv.Fill(disc, Radial(16, 29, 13, 8, {{0, Hex(0xFF7A5E), 0.7f}, {1, Hex(0xFF7A5E), 0}}));
    const Shape cross = Union(Capsule({11, 11}, {21, 21}, 2.1f), Capsule({21, 11}, {11, 21}, 2.1f));
    cv.Fill(Grow(cross, 0.9f), Solid(r.rim, 0.45f));
    cv.Fill(cross, Solid(Hex(0xFDF2EE)));
    Gloss(cv, Inter(disc, Ellipse(14.5f, 9.5f, 10, 6)), 3, 16, 0.6f);
    cv.Fill(Rim(disc, 2), Solid(r.rim));
    Harden(cv);
    return cv;
}

Canvas DrawMushroom(int index, int dpi) {
    const Tone tones[kMushroomCount] = {Green(), Blue(), Red(), Yellow(), DarkRed()};
    return DrawMushroomOf(tones[index], dpi);
}

}  // namespace art
