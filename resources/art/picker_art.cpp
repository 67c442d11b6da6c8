// Pictures of the colour picker at any DPI (artwork.h): the glass pipette
// its window is shaped like, and the red cross that closes it.
//
// The picker's window is keyed on pure white: white pixels are not drawn
// and the desktop shows through them. So the pipette has a hard outline (a
// soft edge blended with the window's white would leave a pale fringe on a
// dark desktop), is opaque inside, and holds no pure-white pixel (it would
// be a hole). It is drawn along its own axis, from the tip at the lower
// left up to the rubber bulb at the upper right, and turned into place.
#include <algorithm>

#include "artwork.h"

namespace art {
namespace {

// The pipette's own frame: u along the axis from the tip, v across it
// (positive towards the lower right, the shaded side).
struct Axis {
    Pt tip;
    float c, s;  // direction of the axis: (c, -s)
    Pt Local(float x, float y) const {
        const float dx = x - tip.x, dy = y - tip.y;
        return {dx * c - dy * s, dx * s + dy * c};
    }
    // A shape drawn in (u, v), placed in the picture.
    Shape Place(Shape local) const {
        return [=, this](float x, float y) {
            const Pt p = Local(x, y);
            return local(p.x, p.y);
        };
    }
    Paint Place(std::function<Ink(float u, float v)> local) const {
        return [=, this](float x, float y) {
            const Pt p = Local(x, y);
            return local(p.x, p.y);
        };
    }
};

// Half the glass's width at u: the nozzle tapers, the shoulder widens into
// the barrel.
constexpr float kNozzleEnd = 25, kShoulderEnd = 32, kBarrelEnd = 75;
constexpr float kTipHalf = 1.5f, kNozzleHalf = 3.6f, kBarrelHalf = 7.4f;
float GlassHalf(float u) {
    if (u < kNozzleEnd) return kTipHalf + (kNozzleHalf - kTipHalf) * std::max(u, 0.0f) / kNozzleEnd;
    if (u < kShoulderEnd) return kNozzleHalf + (kBarrelHalf - kNozzleHalf) * Smooth(kNozzleEnd, kShoulderEnd, u);
    return kBarrelHalf;
}

Shape GlassOutline() {
    const Shape tube = Grow(Poly({{0.4f, -kTipHalf + 0.4f}, {kNozzleEnd, -kNozzleHalf + 0.4f},
                                  {kShoulderEnd, -kBarrelHalf + 0.4f}, {kBarrelEnd, -kBarrelHalf + 0.4f},
                                  {kBarrelEnd, kBarrelHalf - 0.4f}, {kShoulderEnd, kBarrelHalf - 0.4f},
                                  {kNozzleEnd, kNozzleHalf - 0.4f}, {0.4f, kTipHalf - 0.4f}}),
                            0.4f);
    // the lip where the bulb's sleeve ends
    return Union(tube, Box(kBarrelEnd - 3.5f, -kBarrelHalf - 1.6f, kBarrelEnd, kBarrelHalf + 1.6f, 1.2f));
}

// Across a cylinder lit from the upper left: t runs -1 (lit edge) .. 1.
Rgb AcrossTube(float t, Rgb edgeLit, Rgb middle, Rgb edgeShade) {
    return t < 0 ? Mix(middle, edgeLit, std::pow(-t, 2.2f)) : Mix(middle, edgeShade, std::pow(t, 1.6f));
}

void Pipette(Canvas& cv, const Axis& ax) {
    // ---- glass
    const Shape glass = ax.Place(GlassOutline());
    const Rgb glassRim = Hex(0x47627C);
    cv.Fill(glass, ax.Place([](float u, float v) {
        const float t = std::clamp(v / GlassHalf(u), -1.0f, 1.0f);
        return Ink{AcrossTube(t, Hex(0xB8CFE0), Hex(0xE6F1F8), Hex(0x8DA9C0)), 1};
    }));

    // ---- liquid: up the nozzle into the barrel, a curved surface on top
    const float level = 55;
    const Shape inside = [](float u, float v) { return std::fabs(v) - (GlassHalf(u) - 1.7f); };
    const Shape liquid = Inter(inside, [=](float u, float v) {
        const float across = v / kBarrelHalf;
        return std::max(u - (level + 1.6f * across * across), 1.2f - u);
    });
    const Tone b = Blue();
    cv.Fill(ax.Place(liquid), ax.Place([=](float u, float v) {
        const float t = std::clamp(v / std::max(GlassHalf(u) - 1.7f, 0.5f), -1.0f, 1.0f);
        Rgb c = AcrossTube(t, Hex(0x7CC4FF), b.mid, Hex(0x123F8C));
        // deeper in the barrel than in the thin nozzle
        c = Mix(Mix(c, b.light, 0.35f), c, Smooth(4, 30, u));
        return Ink{c, 1};
    }));
    // the meniscus catches the light
    cv.Fill(ax.Place(Inter(inside, [=](float u, float v) {
                return std::fabs(u - (level + 1.6f * (v / kBarrelHalf) * (v / kBarrelHalf))) - 0.55f;
            })),
            Solid(Hex(0xB5E0FF)));

    // ---- graduation marks on the barrel, longer every other one
    for (int i = 0; i < 7; ++i) {
        const float u = 38 + i * 5.0f;
        const float len = i % 2 == 0 ? 4.2f : 2.6f;
        cv.Fill(ax.Place(Capsule({u, -kBarrelHalf + 1.6f}, {u, -kBarrelHalf + 1.6f + len}, 0.42f)),
                Solid(Hex(0x3C5670), 0.85f));
    }

    // ---- light on the glass: a long streak along the lit side, a short
    // one on the shaded side
    cv.Fill(ax.Place([](float u, float v) {
                const float h = GlassHalf(u);
                return std::max(std::fabs(v + h * 0.52f) - std::max(0.35f, h * 0.13f),
                                std::max(3.5f - u, u - (kBarrelEnd - 6)));
            }),
            Solid(Hex(0xFAFDFF), 0.9f));
    cv.Fill(ax.Place(Capsule({kShoulderEnd + 4, kBarrelHalf * 0.58f}, {kBarrelEnd - 10, kBarrelHalf * 0.58f}, 0.4f)),
            Solid(Hex(0xEAF4FB), 0.7f));
    cv.Fill(Rim(glass, 1), Solid(glassRim));

    // ---- the rubber bulb: a ribbed sleeve over the glass, then the bulb
    const Tone r{Hex(0xF47A64), Hex(0xD23A26), Hex(0x8E1B10), Hex(0x5E120B)};
    const float bulbU = kBarrelEnd + 15, bulbRu = 13, bulbRv = 10.6f;
    const Shape sleeve = Box(kBarrelEnd - 1.5f, -kBarrelHalf - 0.6f, kBarrelEnd + 6, kBarrelHalf + 0.6f, 1.0f);
    const Shape bulb = Union(Ellipse(bulbU, 0, bulbRu, bulbRv), sleeve);
    auto rubber = [=](float u, float v) {
        // a sphere lit from the upper left, its sleeve a lit cylinder
        const float nu = (u - bulbU) / bulbRu, nv = v / bulbRv;
        const float light = std::clamp(0.55f - 0.45f * nu - 0.75f * nv, 0.0f, 1.0f);
        Rgb c = light > 0.5f ? Mix(r.mid, r.light, (light - 0.5f) * 1.6f) : Mix(r.dark, r.mid, light * 2);
        if (u < kBarrelEnd + 6) c = AcrossTube(std::clamp(v / kBarrelHalf, -1.0f, 1.0f), r.light, r.mid, r.dark);
        return Ink{c, 1};
    };
    cv.Fill(ax.Place(bulb), ax.Place(rubber));
    for (float u : {kBarrelEnd + 0.8f, kBarrelEnd + 3.4f}) {
        cv.Fill(ax.Place(Capsule({u, -kBarrelHalf}, {u, kBarrelHalf}, 0.45f)), Solid(r.dark, 0.8f));
    }
    // gloss on the bulb
    cv.Fill(ax.Place(Rotated(Ellipse(bulbU - 3, -4.2f, 5.5f, 2.4f), bulbU - 3, -4.2f, -12)), Solid(Hex(0xFFD8CF), 0.75f));
    cv.Fill(ax.Place(Rim(bulb, 1)), Solid(r.rim));

    // ---- a drop about to fall from the tip
    const Pt centre{ax.tip.x - 1.6f, ax.tip.y + 4};
    const Shape drop = Union(Circle(centre.x, centre.y, 2.4f), Capsule(ax.tip, centre, 1.0f));
    cv.Fill(drop, Radial(centre.x - 0.8f, centre.y - 1, 3.2f, 3.2f, {{0, b.light}, {0.5f, b.mid}, {1, b.dark}}));
    cv.Fill(Circle(centre.x - 0.8f, centre.y - 0.9f, 0.75f), Solid(Hex(0xDDF1FF)));
    cv.Fill(Rim(drop, 0.9f), Solid(Hex(0x123F8C)));
}

// Hard edge, opaque inside, no pure white: what a white-keyed window needs.
void KeyReady(Canvas& cv) {
    for (Px& p : cv.px) {
        if (p.a < 0.5f) {
            p = {};
            continue;
        }
        Rgb c{p.c.r / p.a, p.c.g / p.a, p.c.b / p.a};
        if (c.r > 251.5f && c.g > 251.5f && c.b > 251.5f) c = {251, 251, 251};
        p = {c, 1};
    }
}

void Cross(Canvas& cv) {
    const float n = float(cv.w);
    const float a = n * 0.2f, b = n * 0.8f, r = n * 0.13f;
    const Shape cross = Union(Capsule({a, a}, {b, b}, r), Capsule({b, a}, {a, b}, r));
    const Tone t = Red();
    cv.Fill(cross, Lit(t, a, a, b, b));
    cv.Fill(Inter(Grow(cross, -n * 0.05f), Above(n * 0.5f)), Solid(White(), 0.28f));
    cv.Fill(Rim(cross, std::max(1.0f, n / 16)), Solid(t.rim));
}

}  // namespace

Canvas DrawPipette(int dpi) {
    Canvas pipette = Canvas::At(kPipetteW, kPipetteH, dpi);
    const float degrees = 25;
    const Axis ax{{14, 73.5f}, std::cos(degrees * kPi / 180), std::sin(degrees * kPi / 180)};
    Pipette(pipette, ax);
    KeyReady(pipette);
    return pipette;
}

Canvas DrawCross(int size) {
    Canvas cross(size, size);
    Cross(cross);
    return cross;
}

}  // namespace art
