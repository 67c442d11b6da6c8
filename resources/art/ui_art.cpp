// The launcher panel's pictures: the window skin, the caption buttons, the
// twenty cell pictures and the title picture, at any DPI (artwork.h).
//
// Everything is drawn with signed distance shapes, sampled per pixel with a
// soft edge per sample, onto premultiplied RGBA canvases. The house style:
// light from the top-left, a darker rim one pixel wide around every solid,
// a thin light line inside the top of it, and a soft shadow down and to the
// right.
#include <functional>
#include <utility>
#include <vector>

#include "artwork.h"

namespace art {
namespace {

// A monitor: bezel (x0, y0)-(x1, y1), the screen inset by `inset`, a neck
// and a foot under the bezel. The screen's picture comes from `screen`,
// painted into the screen's rectangle.
void Monitor(Canvas& cv, float x0, float y0, float x1, float y1, float inset,
             const std::function<void(Canvas&, Shape, float, float, float, float)>& screen, bool stand = true) {
    const float mx = (x0 + x1) / 2;
    if (stand) {
        const Tone s = Silver();
        Body(cv, Box(mx - 2.5f, y1 - 1, mx + 2.5f, y1 + 2.5f), Lit(s, mx - 2.5f, 0, mx + 3, 0), s.rim, 0.3f);
        Body(cv, Box(mx - 6.5f, y1 + 1.5f, mx + 6.5f, y1 + 4.5f, 1.4f, 1.4f, 1.2f, 1.2f),
             Vertical(y1 + 1.5f, y1 + 4.5f, {{0, s.light}, {1, s.dark}}), s.rim, 0.6f);
    }
    const Tone g = Graphite();
    Body(cv, Box(x0, y0, x1, y1, 1.8f), Lit(g, x0, y0, x1 * 0.6f, y1), g.rim, 0.45f);
    const float sx0 = x0 + inset, sy0 = y0 + inset, sx1 = x1 - inset, sy1 = y1 - inset;
    const Shape glass = Box(sx0, sy0, sx1, sy1, 0.4f);
    screen(cv, glass, sx0, sy0, sx1, sy1);
    // the glass catches the light across its upper-left
    cv.Fill(Inter(glass, Poly({{sx0, sy0}, {sx1, sy0}, {sx1, sy0 + (sy1 - sy0) * 0.3f}, {sx0, sy1 - (sy1 - sy0) * 0.15f}})),
            Solid(White(), 0.16f));
    cv.Fill(Rim(glass, 0.8f), Solid(Black(), 0.35f));
}

// The usual blue screen of a switched-on monitor.
void BlueScreen(Canvas& cv, Shape glass, float x0, float y0, float x1, float y1) {
    cv.Fill(glass, Linear(x0, y0, x1 * 0.7f, y1, {{0, Hex(0x8FD6FF)}, {0.5f, Hex(0x3A98EA)}, {1, Hex(0x1858B8)}}));
    cv.Fill(glass, Radial(x0 + (x1 - x0) * 0.3f, y0 + (y1 - y0) * 0.25f, (x1 - x0) * 0.45f, (y1 - y0) * 0.5f,
                          {{0, White(), 0.35f}, {1, White(), 0}}));
}

// A globe: ocean and land shaded as a sphere lit from the top-left.
void Globe(Canvas& cv, float cx, float cy, float r) {
    const Shape disc = Circle(cx, cy, r);
    cv.Fill(disc, [=](float x, float y) {
        const float nx = (x - cx) / r, ny = (y - cy) / r;
        const float nz = std::sqrt(std::max(0.0f, 1 - nx * nx - ny * ny));
        // longitude and latitude of the point, the globe turned a little
        const float lon = std::atan2(nx, nz) + 0.35f, lat = std::asin(std::clamp(ny, -1.0f, 1.0f));
        const float land = Fbm(lon * 2.1f + 11.1f, lat * 2.4f + 2.7f, 4) + 0.12f * std::cos(lat * 2.0f);
        const float light = std::clamp(-0.55f * nx - 0.6f * ny + 0.58f * nz, 0.0f, 1.0f);
        Rgb sea = Mix(Hex(0x0E4FA8), Hex(0x5DC0FF), light);
        Rgb ground = Mix(Hex(0x2C7F22), Hex(0x9BE15A), light);
        Rgb c = Mix(sea, ground, Smooth(0.5f, 0.53f, land));
        // the limb darkens
        c = Mix(c, Hex(0x0A3677), Smooth(0.55f, 1.0f, Length(nx, ny)) * 0.55f);
        return Ink{c, 1};
    });
    cv.Fill(Rim(disc, 1), Solid(Hex(0x0D3D80)));
    Gloss(cv, Ellipse(cx - r * 0.12f, cy - r * 0.45f, r * 0.68f, r * 0.44f), cy - r * 0.9f, cy - r * 0.05f, 0.62f);
}

// A magnifier: lens centred at (cx, cy) of radius r, handle going down-right
// to (hx, hy).
void Magnifier(Canvas& cv, float cx, float cy, float r, float hx, float hy) {
    const float len = Length(hx - cx, hy - cy), ux = (hx - cx) / len, uy = (hy - cy) / len;
    const Pt neck{cx + ux * (r + 0.6f), cy + uy * (r + 0.6f)};
    const Pt grip{cx + ux * (r + 2.6f), cy + uy * (r + 2.6f)};
    // handle: dark grip, silver ferrule where it joins the ring
    const Tone g = Graphite();
    Body(cv, Capsule(grip, {hx, hy}, 1.9f), Lit(g, grip.x - 2, grip.y - 2, hx + 1, hy + 1), g.rim, 0.35f);
    const Tone s = Silver();
    Body(cv, Capsule(neck, grip, 1.35f), Lit(s, neck.x - 1, neck.y - 1, grip.x + 1, grip.y + 1), s.rim, 0.2f);
    // glass: a faint blue tint with the light caught at the top-left
    const Shape lens = Circle(cx, cy, r);
    cv.Fill(lens, Radial(cx - r * 0.3f, cy - r * 0.35f, r * 1.3f, r * 1.3f,
                         {{0, Hex(0xFFFFFF), 0.55f}, {0.6f, Hex(0xCFEAFF), 0.35f}, {1, Hex(0x8EC6F0), 0.45f}}));
    cv.Fill(Inter(lens, Ellipse(cx - r * 0.25f, cy - r * 0.3f, r * 0.45f, r * 0.3f)), Solid(White(), 0.55f));
    // ring
    const Shape ring = Outline(Circle(cx, cy, r + 0.6f), 2.2f);
    cv.Fill(ring, Linear(cx - r, cy - r, cx + r, cy + r, {{0, s.light}, {0.5f, s.mid}, {1, s.dark}}));
    cv.Fill(Outline(Circle(cx, cy, r + 1.7f), 0.8f), Solid(s.rim));
    cv.Fill(Outline(Circle(cx, cy, r - 0.5f), 0.6f), Solid(s.rim, 0.75f));
}

// A gear of `teeth` teeth between radii r0 (root) and r1 (tips), with a hole:
// a disc plus slightly tapered teeth, their outer corners rounded.
Shape GearShape(float cx, float cy, float r0, float r1, int teeth, float hole, float turnDegrees) {
    const float round = 0.45f;
    std::vector<Shape> pieces = {Circle(cx, cy, r0 - round)};
    const float base = 1.25f, tip = 0.85f;  // half-widths of a tooth at root and tip
    const Shape tooth = Poly({{cx - base + round, cy - r0 + 1}, {cx - tip + round, cy - r1 + round},
                              {cx + tip - round, cy - r1 + round}, {cx + base - round, cy - r0 + 1}});
    for (int i = 0; i < teeth; ++i) pieces.push_back(Rotated(tooth, cx, cy, turnDegrees + i * 360.0f / teeth));
    return Minus(Grow(Union(pieces), round), Circle(cx, cy, hole));
}
void Gear(Canvas& cv, float cx, float cy, float r0, float r1, int teeth, float hole) {
    const Tone s = Silver();
    const Shape gear = GearShape(cx, cy, r0, r1, teeth, hole, 12);
    Body(cv, gear, Linear(cx - r1, cy - r1, cx + r1, cy + r1, {{0, s.light}, {0.5f, s.mid}, {1, Hex(0x8894A3)}}),
         s.rim, 0.7f);
    // a bevel ring round the hole
    cv.Fill(Outline(Circle(cx, cy, hole + 1.3f), 0.7f), Solid(s.dark, 0.7f));
}

// A sheet of paper with a folded top-right corner and lines of text.
void Document(Canvas& cv, float x0, float y0, float x1, float y1, int lines) {
    const float fold = 4.5f;
    const Shape sheet = Poly({{x0, y0}, {x1 - fold, y0}, {x1, y0 + fold}, {x1, y1}, {x0, y1}});
    Body(cv, sheet, Linear(x0, y0, x1, y1, {{0, White()}, {1, Hex(0xDCE3EC)}}), Hex(0x7C8898), 0.0f);
    for (int i = 0; i < lines; ++i) {
        const float y = y0 + 6.5f + i * 2.6f;
        const float right = (i == 0 ? x1 - fold - 1 : x1 - 2.5f) - (i % 3 == 2 ? 3 : 0);
        cv.Fill(Box(x0 + 2.5f, y, right, y + 1.1f), Solid(Hex(0x8FA3BA)));
    }
    const Shape flap = Poly({{x1 - fold, y0}, {x1, y0 + fold}, {x1 - fold, y0 + fold}});
    Body(cv, flap, Linear(x1 - fold, y0 + fold, x1, y0, {{0, Hex(0xC9D2DD)}, {1, White()}}), Hex(0x7C8898), 0.0f);
}

// ------------------------------------------------------------- cells ----
//
// Each cell picture is drawn as layers; every layer lands with its own soft
// shadow, so what stands in front casts onto what lies behind.

using CellPainter = void (*)(Canvas&);

void CellMyComputer(Canvas& cv) {
    Canvas tower = cv.Layer(), screen = cv.Layer();
    const Tone s = Silver();
    Body(tower, Box(18.5f, 6.5f, 28, 27.5f, 1.5f), Lit(s, 18.5f, 6.5f, 28, 12), s.rim, 0.8f);
    tower.Fill(Box(21.5f, 10, 26.5f, 11.3f, 0.3f), Solid(Hex(0x59636F)));
    tower.Fill(Box(21.5f, 13, 26.5f, 14.3f, 0.3f), Solid(Hex(0x59636F)));
    tower.Fill(Circle(24.3f, 23.8f, 1.6f), Radial(24.3f, 23.8f, 1.6f, 1.6f, {{0, Hex(0x9CFF6A), 0.9f}, {1, Hex(0x4CD13A), 0}}));
    tower.Fill(Circle(24.3f, 23.8f, 0.75f), Solid(Hex(0x6DE84A)));
    Monitor(screen, 1.5f, 4.5f, 21.5f, 20, 1.8f, BlueScreen);
    cv.Drop(tower);
    cv.Drop(screen, 0.4f);
}

void CellWebNavigation(Canvas& cv) {
    Canvas globe = cv.Layer(), house = cv.Layer();
    Globe(globe, 12.5f, 12.5f, 11);
    // a house: the home page
    const Tone r = Red();
    Body(house, Box(16, 18, 26, 27.8f, 0.6f), Linear(16, 18, 26, 28, {{0, Hex(0xFFFDF6)}, {1, Hex(0xE9DCC4)}}),
         Hex(0x8C7A5E), 0.3f);
    Body(house, Box(19.5f, 21.5f, 22.5f, 27.8f, 0.5f, 0.5f, 0, 0), Lit(Orange(), 19.5f, 21.5f, 23, 28), Hex(0x8A4A12), 0.3f);
    Body(house, Grow(Poly({{14.5f, 19.2f}, {21, 13.2f}, {27.5f, 19.2f}}), 0.7f), Lit(r, 17, 13, 25, 20), r.rim, 0.6f);
    cv.Drop(globe);
    cv.Drop(house, 0.45f);
}

void CellWebSearch(Canvas& cv) {
    Canvas globe = cv.Layer(), lens = cv.Layer();
    Globe(globe, 12, 12, 10.5f);
    Magnifier(lens, 18.8f, 17.8f, 5.2f, 26.4f, 26.2f);
    cv.Drop(globe);
    cv.Drop(lens, 0.4f);
}

void CellControlPanel(Canvas& cv) {
    Canvas panel = cv.Layer();
    const Shape face = Box(3, 3.5f, 27, 26.5f, 2);
    Body(panel, face, Linear(3, 3.5f, 27, 26.5f, {{0, Hex(0xFFFFFF)}, {0.5f, Hex(0xE8EEF5)}, {1, Hex(0xC4CFDC)}}),
         Hex(0x66768C), 0.9f);
    // a band of blue along the top, as on the real window
    const Tone b = Blue();
    panel.Fill(Inter(Grow(face, -1), Above(7.5f)), Vertical(4, 7.5f, {{0, b.light}, {1, b.mid}}));
    panel.Fill(Box(4, 7.5f, 26, 8.3f), Solid(b.rim, 0.6f));
    // three sliders
    const float xs[] = {9, 15, 21}, knobs[] = {19, 12.5f, 16};
    const Tone colours[] = {Red(), Green(), Blue()};
    for (int i = 0; i < 3; ++i) {
        panel.Fill(Capsule({xs[i], 11}, {xs[i], 23.5f}, 0.9f), Solid(Hex(0x56637A)));
        panel.Fill(Capsule({xs[i] + 0.4f, 11.6f}, {xs[i] + 0.4f, 23.9f}, 0.45f), Solid(White(), 0.8f));
    }
    for (int i = 0; i < 3; ++i) {
        const float k = knobs[i];
        Canvas knob = cv.Layer();
        Body(knob, Box(xs[i] - 2.6f, k - 1.7f, xs[i] + 2.6f, k + 1.7f, 0.9f),
             Lit(colours[i], xs[i] - 2.6f, k - 1.7f, xs[i] + 1, k + 1.7f), colours[i].rim, 0.8f);
        panel.Drop(knob, 0.35f, 0.4f, 0.8f, 0.6f);
    }
    cv.Drop(panel);
}

void CellTaskManager(Canvas& cv) {
    Canvas win = cv.Layer();
    const Shape frame = Box(1.5f, 2.5f, 38, 27.5f, 2);
    const Tone b = Blue();
    Body(win, frame, Vertical(2.5f, 27.5f, {{0, Hex(0x7DBDF5)}, {0.25f, Hex(0x3F8BDF)}, {1, Hex(0x2F6FC4)}}),
         b.rim, 0.7f);
    win.Fill(Box(32, 4.3f, 36.5f, 7.2f, 0.8f), Lit(Red(), 32, 4.3f, 36.5f, 7.2f));
    // the graph pane: a dark screen with a green grid and the usage line
    const Shape pane = Box(4, 9, 36, 25, 0.6f);
    win.Fill(pane, Vertical(9, 25, {{0, Hex(0x12301C)}, {1, Hex(0x06160C)}}));
    for (float x = 8; x < 36; x += 4) win.Fill(Box(x, 9, x + 0.6f, 25), Solid(Hex(0x2F8A45), 0.55f));
    for (float y = 13; y < 25; y += 4) win.Fill(Box(4, y, 36, y + 0.6f), Solid(Hex(0x2F8A45), 0.55f));
    const std::vector<Pt> line = {{4.5f, 21}, {8, 19.5f}, {11, 22}, {14.5f, 15}, {17.5f, 18},
                                  {21, 12.5f}, {24.5f, 16.5f}, {28, 13.5f}, {31.5f, 17.5f}, {35.5f, 14}};
    std::vector<Pt> area = line;
    area.push_back({35.5f, 25});
    area.push_back({4.5f, 25});
    win.Fill(Inter(pane, Poly(area)), Vertical(12, 25, {{0, Hex(0x3CFF6A), 0.4f}, {1, Hex(0x3CFF6A), 0.05f}}));
    win.Fill(Inter(pane, Polyline(line, 1.6f)), Solid(Hex(0x5CFF78), 0.25f));
    win.Fill(Inter(pane, Polyline(line, 0.75f)), Solid(Hex(0x8DFF8C)));
    win.Fill(Rim(pane, 0.8f), Solid(Hex(0x0C2446)));
    cv.Drop(win);
}

void CellRecycleBin(Canvas& cv) {
    Canvas bin = cv.Layer();
    // a tapered basket: shading runs across it so it reads as round
    const Shape body = Grow(Poly({{7.5f, 8.5f}, {22.5f, 8.5f}, {20.5f, 26.5f}, {9.5f, 26.5f}}), 1);
    const Paint round = [](float x, float) {
        const float u = (x - 7) / 16;
        return Ramp({{0, Hex(0xB8C6D6)}, {0.3f, Hex(0xF7FAFD)}, {0.55f, Hex(0xE1E8F0)}, {1, Hex(0x8E9DB0)}}, u);
    };
    Body(bin, body, round, Hex(0x5D6D82), 0.4f);
    // ribs
    for (int i = 1; i < 5; ++i) {
        const float t = i / 5.0f;
        bin.Fill(Capsule({7.2f + 15.6f * t, 11}, {9.2f + 11.6f * t, 25}, 0.45f), Solid(Hex(0x7D8FA6), 0.75f));
    }
    // the opening: a lip with the darker inside showing
    const Shape lip = Ellipse(15, 8, 9.6f, 2.8f);
    Body(bin, lip, Vertical(5.4f, 10.6f, {{0, Hex(0xE9EEF4)}, {1, Hex(0x9AA8BA)}}), Hex(0x5D6D82), 0.6f);
    bin.Fill(Ellipse(15, 8.3f, 7.8f, 1.6f), Vertical(6.7f, 9.9f, {{0, Hex(0x4B5A6E)}, {1, Hex(0x8495AB)}}));
    // recycling arrows on the front, three green chevrons chasing round
    Canvas mark = cv.Layer();
    const float cx = 15, cy = 18.2f, rr = 3.6f;
    for (int i = 0; i < 3; ++i) {
        const float a0 = (-90 + i * 120 + 18) * kPi / 180, a1 = (-90 + i * 120 + 95) * kPi / 180;
        const Pt p0{cx + rr * std::cos(a0), cy + rr * std::sin(a0)}, p1{cx + rr * std::cos(a1), cy + rr * std::sin(a1)};
        mark.Fill(Capsule(p0, p1, 0.75f), Solid(Hex(0x2FA83A)));
        // arrow head at p1, pointing along the chase
        const float hx = -std::sin(a1), hy = std::cos(a1);
        const float nx = std::cos(a1), ny = std::sin(a1);
        mark.Fill(Poly({{p1.x + hx * 1.9f, p1.y + hy * 1.9f},
                        {p1.x + nx * 1.8f - hx * 0.3f, p1.y + ny * 1.8f - hy * 0.3f},
                        {p1.x - nx * 1.8f - hx * 0.3f, p1.y - ny * 1.8f - hy * 0.3f}}),
                  Solid(Hex(0x2FA83A)));
    }
    bin.Drop(mark, 0.2f, 0.3f, 0.5f, 0.5f);
    cv.Drop(bin);
}

void CellOpticalDisc(Canvas& cv) {
    Canvas disc = cv.Layer();
    const float cx = 15, cy = 14.5f, r = 12.8f;
    const Shape outer = Minus(Circle(cx, cy, r), Circle(cx, cy, 2.2f));
    disc.Fill(outer, [=](float x, float y) {
        const float a = std::atan2(y - cy, x - cx);
        // the sheen: rainbow colours in two opposite fans, silver between
        const float fan = std::pow(std::fabs(std::sin(a - 0.7f)), 3.0f);
        Rgb base = Mix(Hex(0xF4F6F9), Hex(0xB9C2CE), (x - cx + y - cy) / (4 * r) + 0.5f);
        Rgb rainbow = HueColour(a / (2 * kPi) * 2 + Length(x - cx, y - cy) / r * 0.35f);
        return Ink{Mix(base, rainbow, 0.36f * fan + 0.06f), 1};
    });
    // clear plastic round the hub
    disc.Fill(Minus(Circle(cx, cy, 5.2f), Circle(cx, cy, 2.2f)), Solid(Hex(0xE9EEF3)));
    disc.Fill(Outline(Circle(cx, cy, 5.2f), 0.7f), Solid(Hex(0x9AA6B4)));
    disc.Fill(Outline(Circle(cx, cy, 3.6f), 0.5f), Solid(Hex(0xB8C2CE)));
    disc.Fill(Rim(Minus(Circle(cx, cy, r), Circle(cx, cy, 2.2f)), 1), Solid(Hex(0x76828F)));
    disc.Fill(Outline(Circle(cx, cy, 2.2f), 0.9f), Solid(Hex(0x76828F)));
    // a streak of light across the upper left
    disc.Fill(Inter(outer, Rotated(Ellipse(cx - 4.5f, cy - 4.5f, 6.5f, 1.8f), cx - 4.5f, cy - 4.5f, 45)),
              Solid(White(), 0.55f));
    cv.Drop(disc);
}

// A little landscape: sky, sun, hills; used by the wallpaper cell.
void Landscape(Canvas& cv, const Shape& frame, float x0, float y0, float x1, float y1) {
    const float w = x1 - x0, h = y1 - y0;
    cv.Fill(frame, Vertical(y0, y1, {{0, Hex(0x4DA6F2)}, {0.7f, Hex(0xBEE6FF)}, {1, Hex(0xDDF3FF)}}));
    cv.Fill(Inter(frame, Circle(x0 + w * 0.74f, y0 + h * 0.3f, 4)),
            Radial(x0 + w * 0.74f, y0 + h * 0.3f, 4, 4, {{0, Hex(0xFFF7C0), 0.9f}, {1, Hex(0xFFF7C0), 0}}));
    cv.Fill(Inter(frame, Circle(x0 + w * 0.74f, y0 + h * 0.3f, 1.9f)), Solid(Hex(0xFFE45C)));
    cv.Fill(Inter(frame, Poly({{x0 - 1, y1 - h * 0.25f}, {x0 + w * 0.3f, y0 + h * 0.3f}, {x0 + w * 0.48f, y0 + h * 0.55f},
                               {x0 + w * 0.62f, y0 + h * 0.42f}, {x1 + 1, y1 - h * 0.2f}, {x1 + 1, y1 + 1}, {x0 - 1, y1 + 1}})),
            Linear(x0, y0, x0 + w * 0.5f, y1, {{0, Hex(0x7C9CC4)}, {1, Hex(0x4E6F9C)}}));
    cv.Fill(Inter(frame, Poly({{x0 + w * 0.22f, y0 + h * 0.42f}, {x0 + w * 0.3f, y0 + h * 0.3f}, {x0 + w * 0.38f, y0 + h * 0.42f},
                               {x0 + w * 0.3f, y0 + h * 0.38f}})),
            Solid(White(), 0.9f));
    cv.Fill(Inter(frame, [=](float x, float y) {
                const float u = (x - x0) / w;
                return (y1 - h * (0.28f + 0.1f * std::sin(u * 5.5f + 0.8f))) - y;
            }),
            Vertical(y0 + h * 0.55f, y1, {{0, Hex(0x8AD65A)}, {1, Hex(0x3E9A2E)}}));
}

void CellWallpaper(Canvas& cv) {
    Canvas back = cv.Layer(), front = cv.Layer();
    // the next picture, turned a little, waiting behind
    const Shape backFrame = Rotated(Box(5, 3.5f, 26.5f, 20.5f, 0.8f), 16, 12, 9);
    Body(back, backFrame, Solid(Hex(0xF4F6F8)), Hex(0x8A96A6), 0.0f);
    back.Fill(Rotated(Box(6.8f, 5.3f, 24.7f, 18.7f), 16, 12, 9),
              Linear(6, 4, 26, 19, {{0, Hex(0xF7B86A)}, {0.5f, Hex(0xE9796A)}, {1, Hex(0x7D5AA6)}}));
    // the current one
    const Shape frame = Box(1.5f, 8, 24.5f, 27, 0.8f);
    Body(front, frame, Linear(1.5f, 8, 24.5f, 27, {{0, White()}, {1, Hex(0xE3E8EE)}}), Hex(0x7C8898), 0.0f);
    const Shape photo = Box(3.3f, 9.8f, 22.7f, 25.2f);
    Landscape(front, photo, 3.3f, 9.8f, 22.7f, 25.2f);
    front.Fill(Rim(photo, 0.6f), Solid(Black(), 0.25f));
    cv.Drop(back, 0.25f);
    cv.Drop(front, 0.4f);
}

void CellAddRemove(Canvas& cv) {
    Canvas box = cv.Layer(), badge = cv.Layer();
    // a carton seen from above-left: lid, left face, right face
    const Pt top{14, 3.5f}, left{2.5f, 8.5f}, front{14, 13.5f}, right{25.5f, 8.5f};
    const float depth = 13;
    const Shape lid = Poly({top, right, front, left});
    const Shape leftFace = Poly({left, front, {front.x, front.y + depth}, {left.x, left.y + depth}});
    const Shape rightFace = Poly({front, right, {right.x, right.y + depth}, {front.x, front.y + depth}});
    box.Fill(leftFace, Linear(2, 10, 14, 24, {{0, Hex(0xF0C47A)}, {1, Hex(0xD9A052)}}));
    box.Fill(rightFace, Linear(14, 10, 26, 24, {{0, Hex(0xCB8C3E)}, {1, Hex(0xA96E2A)}}));
    box.Fill(lid, Linear(8, 4, 20, 13, {{0, Hex(0xFFE6B0)}, {1, Hex(0xF2CB86)}}));
    // packing tape along the lid and down the front edge
    box.Fill(Inter(lid, Capsule({8.25f, 6}, {19.75f, 11}, 1.1f)), Solid(Hex(0xE3B36A), 0.9f));
    box.Fill(Capsule({front.x, front.y}, {front.x, front.y + depth}, 0.45f), Solid(Hex(0xFFE8BC), 0.7f));
    box.Fill(Outline(Union({lid, leftFace, rightFace}), 1.0f), Solid(Hex(0x8A5A22)));
    box.Fill(Inter(Union(leftFace, rightFace), Outline(lid, 0.8f)), Solid(Hex(0x9C6A2C), 0.8f));
    Orb(badge, 22, 21.3f, 6.3f, Green());
    badge.Fill(Box(20.7f, 17.1f, 23.3f, 25.5f, 0.5f), Solid(White()));
    badge.Fill(Box(17.8f, 20, 26.2f, 22.6f, 0.5f), Solid(White()));
    cv.Drop(box);
    cv.Drop(badge, 0.4f);
}

void CellAbout(Canvas& cv) {
    Canvas orb = cv.Layer();
    Orb(orb, 15, 14.5f, 13, Blue());
    // the "i": a dot and a stem with a small foot
    Canvas letter = cv.Layer();
    letter.Fill(Circle(15, 8.2f, 2.05f), Solid(White()));
    letter.Fill(Union(Box(13.1f, 11.8f, 16.9f, 22.8f, 0.7f), Box(11.8f, 20.8f, 18.2f, 23, 0.6f)), Solid(White()));
    letter.Fill(Box(11.8f, 11.8f, 16.9f, 13.6f, 0.6f), Solid(White()));
    orb.Drop(letter, 0.35f, 0.3f, 0.7f, 0.6f);
    cv.Drop(orb);
}

void CellSystemSearch(Canvas& cv) {
    Canvas doc = cv.Layer(), lens = cv.Layer();
    Document(doc, 3.5f, 2, 20.5f, 25, 7);
    Magnifier(lens, 17.6f, 17.2f, 5.6f, 26.4f, 26.2f);
    cv.Drop(doc);
    cv.Drop(lens, 0.4f);
}

void CellColourPicker(Canvas& cv) {
    Canvas wheel = cv.Layer(), pipette = cv.Layer();
    // a colour wheel: hue round, white at the middle
    const float cx = 12, cy = 16.5f, r = 10.5f;
    const Shape disc = Circle(cx, cy, r);
    wheel.Fill(disc, [=](float x, float y) {
        const float a = std::atan2(y - cy, x - cx) / (2 * kPi);
        const float d = Length(x - cx, y - cy) / r;
        Rgb c = Mix(White(), HueColour(-a + 0.25f), Smooth(0.0f, 0.95f, d));
        return Ink{Mix(c, Hex(0x5C6B80), Smooth(0.8f, 1.05f, d) * 0.2f), 1};
    });
    wheel.Fill(Rim(disc, 1), Solid(Hex(0x5C6B80)));
    Gloss(wheel, Ellipse(cx - 1, cy - 4.5f, 7.5f, 4.5f), cy - 9.5f, cy, 0.45f);
    // the pipette lies from its tip on the wheel's edge up to the right
    const Pt tip{20, 18.5f}, end{36.6f, 3.4f};
    const float len = Length(end.x - tip.x, end.y - tip.y);
    const float ux = (end.x - tip.x) / len, uy = (end.y - tip.y) / len, nx = -uy, ny = ux;
    auto at = [&](float t, float side = 0) { return Pt{tip.x + ux * t + nx * side, tip.y + uy * t + ny * side}; };
    const Tone s = Silver();
    const Rgb picked = HueColour(-std::atan2(tip.y - cy, tip.x - cx) / (2 * kPi) + 0.25f);
    // glass: a tapering nose and a straight tube, the colour drawn up into it
    const Shape glass = Grow(Poly({at(0.4f, 0.1f), at(5, 1.5f), at(13.5f, 1.5f), at(13.5f, -1.5f), at(5, -1.5f), at(0.4f, -0.1f)}), 0.5f);
    pipette.Fill(glass, Solid(Hex(0xEAF5FF), 0.9f));
    pipette.Fill(Inter(glass, [&](float x, float y) { return (x - tip.x) * ux + (y - tip.y) * uy - 9.5f; }),
                 Linear(at(0, -2).x, at(0, -2).y, at(0, 2).x, at(0, 2).y, {{0, Mix(picked, White(), 0.35f)}, {1, Mix(picked, Black(), 0.2f)}}));
    pipette.Fill(Capsule(at(5, -0.7f), at(12.8f, -0.7f), 0.4f), Solid(White(), 0.85f));
    pipette.Fill(Rim(glass, 0.9f), Solid(Hex(0x546A86)));
    // the collar and the rubber bulb
    Body(pipette, Capsule(at(13.6f), at(15.2f), 2.5f), Lit(s, at(13).x - 2, at(13).y - 2, at(15).x + 2, at(15).y + 2), s.rim, 0.6f);
    const Tone bulb{Hex(0x8593AA), Hex(0x46546B), Hex(0x262F3E), Hex(0x181E28)};
    Body(pipette, Capsule(at(16.9f), at(19.4f), 3.0f), Lit(bulb, at(16).x - 3, at(16).y - 3, at(20).x + 3, at(20).y + 3),
         bulb.rim, 0.5f);
    cv.Drop(wheel);
    cv.Drop(pipette, 0.4f);
}

void CellCalculator(Canvas& cv) {
    Canvas calc = cv.Layer();
    const Tone g = Graphite();
    const Shape body = Box(5, 2, 25, 28, 2.2f);
    Body(calc, body, Linear(5, 2, 25, 28, {{0, Hex(0x7A8799)}, {0.4f, Hex(0x4C5869)}, {1, Hex(0x2A323D)}}), g.rim, 0.5f);
    // display showing a zero, as a calculator does when it starts
    const Shape lcd = Box(7.5f, 4.5f, 22.5f, 10.5f, 0.8f);
    calc.Fill(lcd, Vertical(4.5f, 10.5f, {{0, Hex(0xE6F6D8)}, {1, Hex(0xB4D69C)}}));
    calc.Fill(Rim(lcd, 0.8f), Solid(Hex(0x1E252E), 0.8f));
    calc.Fill(Minus(Box(17.2f, 5.9f, 19.8f, 9.3f, 0.5f), Box(18.1f, 6.8f, 18.9f, 8.4f)), Solid(Hex(0x2E4A22), 0.9f));
    calc.Fill(Box(20.4f, 8.5f, 21.2f, 9.3f), Solid(Hex(0x2E4A22), 0.9f));
    // four by four keys, the right-hand column for the operations
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 4; ++col) {
            const float x = 7.5f + col * 3.9f, y = 12.5f + row * 3.7f;
            const bool op = col == 3;
            const Tone t = op ? Orange() : Silver();
            Canvas key = cv.Layer();
            const Shape k = Box(x, y, x + 3.1f, y + 2.8f, 0.7f);
            key.Fill(k, Vertical(y, y + 2.8f, {{0, t.light}, {1, op ? t.mid : t.dark}}));
            key.Fill(Rim(k, 0.6f), Solid(op ? t.rim : Hex(0x1E252E), 0.6f));
            calc.Drop(key, 0.35f, 0.2f, 0.6f, 0.5f);
        }
    cv.Drop(calc);
}

void CellSystemProperties(Canvas& cv) {
    Canvas screen = cv.Layer(), gear = cv.Layer();
    Monitor(screen, 1.5f, 3, 24.5f, 19.5f, 1.8f, BlueScreen);
    Gear(gear, 21, 20.3f, 5.3f, 7.4f, 8, 2.3f);
    cv.Drop(screen);
    cv.Drop(gear, 0.45f);
}

void CellMonitorOff(Canvas& cv) {
    Canvas screen = cv.Layer();
    Monitor(screen, 2, 3.5f, 28, 21, 2, [](Canvas& c, Shape glass, float x0, float y0, float x1, float y1) {
        c.Fill(glass, Linear(x0, y0, x1 * 0.7f, y1, {{0, Hex(0x2E3D5C)}, {0.6f, Hex(0x141C2E)}, {1, Hex(0x0A0F1A)}}));
        // a crescent moon and two stars: the screen is asleep
        const Shape moon = Minus(Circle(17.5f, 11.8f, 4.8f), Circle(19.9f, 9.9f, 4.2f));
        c.Fill(Inter(glass, Circle(17.5f, 11.8f, 6.5f)),
               Radial(17.5f, 11.8f, 6.5f, 6.5f, {{0, Hex(0xFFE58A), 0.16f}, {1, Hex(0xFFE58A), 0}}));
        c.Fill(moon, Linear(13, 7, 20, 16, {{0, Hex(0xFFF4B8)}, {1, Hex(0xF5C63C)}}));
        auto star = [&](float x, float y, float s) {
            c.Fill(Union(Capsule({x - s, y}, {x + s, y}, 0.28f), Capsule({x, y - s}, {x, y + s}, 0.28f)),
                   Solid(Hex(0xFFF6D0), 0.9f));
        };
        star(22.5f, 13.5f, 1.2f);
        star(9, 9, 1.0f);
        star(11.5f, 15, 0.8f);
    });
    // the amber standby light
    screen.Fill(Circle(24.6f, 19.85f, 0.7f), Solid(Hex(0xFFB13B)));
    cv.Drop(screen);
}

void CellExplorer(Canvas& cv) {
    Canvas folder = cv.Layer();
    const Tone y = Yellow();
    // back of the folder with its tab
    const Shape back = Union(Box(2.5f, 6, 27.5f, 26, 1.5f), Box(2.5f, 3.5f, 12.5f, 8, 1.3f, 1.3f, 0, 0));
    Body(folder, back, Vertical(3.5f, 26, {{0, Hex(0xF3C65A)}, {1, Hex(0xC58A18)}}), y.rim, 0.5f);
    // papers inside
    Canvas papers = cv.Layer();
    Body(papers, Rotated(Box(6, 6.5f, 23, 20), 14.5f, 13, -4), Solid(Hex(0xF4F6F8)), Hex(0x8A96A6), 0.0f);
    Body(papers, Box(6.5f, 8, 24.5f, 20), Vertical(8, 20, {{0, White()}, {1, Hex(0xE8EDF2)}}), Hex(0x8A96A6), 0.0f);
    for (int i = 0; i < 2; ++i) papers.Fill(Box(9, 10.5f + i * 2.4f, 21.5f - i * 3, 11.4f + i * 2.4f), Solid(Hex(0xA9B8CA)));
    folder.Drop(papers, 0.25f, 0.3f, 0.6f, 0.7f);
    // the front flap, leaning out a little at the top
    const Shape front = Grow(Poly({{2.3f, 12.3f}, {27.7f, 12.3f}, {26.5f, 25.7f}, {3.5f, 25.7f}}), 0.3f);
    Canvas flap = cv.Layer();
    Body(flap, front, Vertical(12, 26, {{0, Hex(0xFFEB9A)}, {0.5f, Hex(0xFFD556)}, {1, Hex(0xF0B332)}}), y.rim, 0.9f);
    folder.Drop(flap, 0.3f, 0.0f, -0.6f, 0.7f);
    cv.Drop(folder);
}

void CellDateTime(Canvas& cv) {
    Canvas cal = cv.Layer(), clock = cv.Layer();
    // a calendar page behind
    const Shape page = Box(1.5f, 2.5f, 19.5f, 21, 1.5f);
    Body(cal, page, Vertical(2.5f, 21, {{0, White()}, {1, Hex(0xE2E7EE)}}), Hex(0x7C8898), 0.0f);
    const Tone r = Red();
    cal.Fill(Inter(Grow(page, -0.8f), Above(7.5f)), Vertical(2.5f, 7.5f, {{0, r.light}, {0.5f, r.mid}, {1, r.dark}}));
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 4; ++col)
            cal.Fill(Box(3.8f + col * 3.6f, 9.5f + row * 3.2f, 5.8f + col * 3.6f, 11.2f + row * 3.2f, 0.3f),
                     Solid(row == 1 && col == 1 ? r.mid : Hex(0x9AA8BA)));
    for (float x : {6.0f, 15.0f}) Body(cal, Capsule({x, 2.2f}, {x, 5}, 0.9f), Lit(Silver(), x - 1, 0, x + 1, 0), Silver().rim, 0.3f);
    // a clock in front
    const float cx = 18.8f, cy = 18.3f, rr = 9.4f;
    const Tone b = Blue();
    Body(clock, Circle(cx, cy, rr), Linear(cx - rr, cy - rr, cx + rr, cy + rr, {{0, b.light}, {0.5f, b.mid}, {1, b.dark}}),
         b.rim, 0.6f);
    const Shape face = Circle(cx, cy, rr - 2);
    clock.Fill(face, Radial(cx - 2, cy - 2, rr, rr, {{0, White()}, {0.7f, Hex(0xF1F4F8)}, {1, Hex(0xD3DAE3)}}));
    clock.Fill(Rim(face, 0.7f), Solid(b.rim, 0.7f));
    for (int i = 0; i < 12; ++i) {
        const float a = i * kPi / 6, major = i % 3 == 0;
        const float r0 = rr - (major ? 4.6f : 3.6f), r1 = rr - 2.9f;
        clock.Fill(Capsule({cx + r0 * std::sin(a), cy - r0 * std::cos(a)}, {cx + r1 * std::sin(a), cy - r1 * std::cos(a)},
                           major ? 0.42f : 0.25f),
                   Solid(Hex(0x3A4656)));
    }
    // ten past ten
    auto hand = [&](float deg, float len, float width, Rgb c) {
        const float a = deg * kPi / 180;
        clock.Fill(Capsule({cx, cy}, {cx + len * std::sin(a), cy - len * std::cos(a)}, width), Solid(c));
    };
    hand(-55, 4.0f, 0.75f, Hex(0x1F2833));
    hand(60, 5.6f, 0.55f, Hex(0x1F2833));
    hand(160, 5.8f, 0.3f, Hex(0xD8301E));
    clock.Fill(Circle(cx, cy, 1.0f), Solid(Hex(0xD8301E)));
    Gloss(clock, Ellipse(cx - 1, cy - 4.2f, 5.8f, 3.2f), cy - 7.5f, cy - 1, 0.45f);
    cv.Drop(cal);
    cv.Drop(clock, 0.45f);
}

void CellNotepad(Canvas& cv) {
    Canvas pad = cv.Layer(), pencil = cv.Layer();
    const Shape sheet = Box(4, 4, 22.5f, 27.5f, 0.8f);
    Body(pad, sheet, Linear(4, 4, 22.5f, 27.5f, {{0, White()}, {1, Hex(0xE4EAF1)}}), Hex(0x7C8898), 0.0f);
    for (int i = 0; i < 6; ++i) pad.Fill(Box(5, 11.5f + i * 2.7f, 21.5f, 12.2f + i * 2.7f), Solid(Hex(0x8CB6E4)));
    pad.Fill(Box(8, 8, 8.7f, 27), Solid(Hex(0xE86A5C), 0.8f));
    // the binding along the top with its wire loops
    const Tone b = Blue();
    Body(pad, Box(3.5f, 3.5f, 23, 8, 1), Vertical(3.5f, 8, {{0, b.light}, {0.5f, b.mid}, {1, b.dark}}), b.rim, 0.5f);
    for (int i = 0; i < 5; ++i) {
        const float x = 6.5f + i * 3.6f;
        pad.Fill(Capsule({x, 2}, {x, 5.5f}, 0.75f), Lit(Silver(), x - 1, 2, x + 1, 5));
        pad.Fill(Outline(Capsule({x, 2}, {x, 5.5f}, 0.75f), 0.5f), Solid(Silver().rim));
    }
    // a pencil across the corner
    const Pt tipPt{13, 25.5f}, endPt{27.2f, 9.2f};
    const float len = Length(endPt.x - tipPt.x, endPt.y - tipPt.y);
    const float ux = (endPt.x - tipPt.x) / len, uy = (endPt.y - tipPt.y) / len, nx = -uy, ny = ux;
    auto at = [&](float t, float side) { return Pt{tipPt.x + ux * t + nx * side, tipPt.y + uy * t + ny * side}; };
    const float w = 1.85f;
    const Shape wood = Poly({at(0, 0), at(4.6f, w), at(4.6f, -w)});
    const Shape lead = Poly({at(0, 0), at(1.7f, w * 0.37f), at(1.7f, -w * 0.37f)});
    const Shape shaft = Poly({at(4.5f, w), at(17.5f, w), at(17.5f, -w), at(4.5f, -w)});
    const Shape ferrule = Poly({at(17.4f, w), at(19.6f, w), at(19.6f, -w), at(17.4f, -w)});
    const Shape eraser = Grow(Poly({at(19.5f, w - 0.5f), at(21.5f, w - 0.5f), at(21.5f, -w + 0.5f), at(19.5f, -w + 0.5f)}), 0.5f);
    // the shaft is lit on its upper face
    const Paint yellow = [=](float x, float y) {
        const float side = (x - tipPt.x) * nx + (y - tipPt.y) * ny;
        return Ramp({{-w, Hex(0xFFF2A0)}, {-0.2f, Hex(0xFFD23F)}, {0.3f, Hex(0xF2B21C)}, {w, Hex(0xC98A12)}}, side);
    };
    pencil.Fill(wood, Solid(Hex(0xF4D4A4)));
    pencil.Fill(lead, Solid(Hex(0x3A3F47)));
    pencil.Fill(shaft, yellow);
    pencil.Fill(ferrule, Linear(at(0, -w).x, at(0, -w).y, at(0, w).x, at(0, w).y, {{0, Hex(0xF4F6F8)}, {1, Hex(0x8D98A6)}}));
    pencil.Fill(eraser, Linear(at(0, -w).x, at(0, -w).y, at(0, w).x, at(0, w).y, {{0, Hex(0xFFB3B8)}, {1, Hex(0xD9646E)}}));
    pencil.Fill(Outline(Union({wood, shaft, ferrule, eraser}), 0.8f), Solid(Hex(0x6E5418), 0.85f));
    cv.Drop(pad);
    cv.Drop(pencil, 0.4f);
}

void CellDisplayProperties(Canvas& cv) {
    Canvas screen = cv.Layer(), palette = cv.Layer();
    Monitor(screen, 1.5f, 3, 25.5f, 19.5f, 1.8f, [](Canvas& c, Shape glass, float x0, float y0, float x1, float y1) {
        // a colourful desktop: the settings are about how it looks
        c.Fill(glass, Linear(x0, y0, x1, y1, {{0, Hex(0x58C8F2)}, {0.5f, Hex(0x6F7BE8)}, {1, Hex(0xC25CC8)}}));
        c.Fill(Inter(glass, [=](float x, float y) { return (y1 - 3.2f - 1.6f * std::sin((x - x0) * 0.35f)) - y; }),
               Vertical(y1 - 6, y1, {{0, Hex(0x7FD65C)}, {1, Hex(0x3A9A36)}}));
    });
    // an artist's palette with its thumb hole and dabs of colour
    const Shape board = Minus(Rotated(Ellipse(20.6f, 21.5f, 7.5f, 5.7f), 20.6f, 21.5f, -12), Circle(16.9f, 23.6f, 1.3f));
    Body(palette, board, Linear(14, 16, 28, 27, {{0, Hex(0xFBE3B8)}, {0.5f, Hex(0xEAC182)}, {1, Hex(0xC9924A)}}),
         Hex(0x8A5A22), 0.7f);
    const std::pair<Pt, Tone> dabs[] = {{{17.7f, 19.4f}, Red()}, {{21.2f, 17.8f}, Yellow()},
                                        {{24.8f, 18.6f}, Green()}, {{25.0f, 22.4f}, Blue()}};
    for (const auto& [p, t] : dabs) {
        palette.Fill(Circle(p.x, p.y, 1.45f), Radial(p.x - 0.5f, p.y - 0.5f, 1.9f, 1.9f, {{0, t.light}, {0.5f, t.mid}, {1, t.dark}}));
        palette.Fill(Outline(Circle(p.x, p.y, 1.45f), 0.5f), Solid(t.rim, 0.7f));
    }
    cv.Drop(screen);
    cv.Drop(palette, 0.45f);
}

void CellShutDown(Canvas& cv) {
    Canvas orb = cv.Layer(), mark = cv.Layer();
    Orb(orb, 15, 14.5f, 13, Red());
    // the power symbol: a ring open at the top, and a bar through the gap
    const float cx = 15, cy = 15.3f, r = 6.2f;
    const Shape ring = Minus(Outline(Circle(cx, cy, r), 2.3f), Poly({{cx, cy}, {cx - 7, cy - 11}, {cx + 7, cy - 11}}));
    const Shape roundEnds = Union({ring, Circle(cx - r * std::sin(0.56f), cy - r * std::cos(0.56f), 1.15f),
                                   Circle(cx + r * std::sin(0.56f), cy - r * std::cos(0.56f), 1.15f)});
    mark.Fill(Union(Inter(roundEnds, Grow(Outline(Circle(cx, cy, r), 2.3f), 0.01f)), Capsule({cx, cy - 8.2f}, {cx, cy - 1.4f}, 1.2f)),
              Solid(White()));
    orb.Drop(mark, 0.4f, 0.3f, 0.7f, 0.6f);
    cv.Drop(orb);
}

struct CellDef {
    int w;
    CellPainter paint;
};
const CellDef kCells[20] = {
    {30, CellMyComputer}, {30, CellWebNavigation},  {30, CellWebSearch},   {30, CellControlPanel},
    {40, CellTaskManager}, {30, CellRecycleBin},    {30, CellOpticalDisc}, {30, CellWallpaper},
    {30, CellAddRemove},  {30, CellAbout},          {30, CellSystemSearch}, {40, CellColourPicker},
    {30, CellCalculator}, {30, CellSystemProperties}, {30, CellMonitorOff}, {30, CellExplorer},
    {30, CellDateTime},   {30, CellNotepad},        {30, CellDisplayProperties}, {30, CellShutDown},
};

}  // namespace

int CellWidth(int index) { return kCells[index].w; }

Canvas DrawCell(int index, int dpi) {
    Canvas art = Canvas::At(kCells[index].w, kCellHeight, dpi);
    kCells[index].paint(art);
    return art;
}

namespace {

// ------------------------------------------------------- window frame ----
//
// The window is clipped to a rounded rectangle from (1, 1) with a 20 x 20
// corner ellipse, so column 0 and row 0 never show and the outline runs
// along column 1 / row 1.

Rgb FrameInnerLine() { return Hex(0x2C5C9C); }

// The title band: a glassy blue, lighter in the upper half, lit along its
// top row; depends on y only, so the top tile repeats seamlessly.
Paint TitleBand() {
    return Vertical(2, float(kBandBottom),
                    {{0, Hex(0x8FC2F4)}, {0.06f, Hex(0x6AA8EC)}, {0.45f, Hex(0x4B8EDF)},
                     {0.5f, Hex(0x3D80D6)}, {1, Hex(0x2F6DC3)}});
}
// The thin borders take the band's lower tone, so the band seems to run on
// round the window.
Rgb BorderBlue() { return Hex(0x3474C8); }

// The frame without its icon and buttons, into a canvas holding the whole
// skin or a part of it.
void DrawFrame(Canvas& cv) {
    cv.Fill(Box(-1, -1, kSkinW + 1, kSkinH + 1), Solid(FrameOutline()));
    const Shape inside = Box(2, 2, kSkinW - 1, kSkinH - 1, 9);
    cv.Fill(inside, Solid(BorderBlue()));
    cv.Fill(Inter(inside, Above(kBandBottom)), TitleBand());
    // light from the top-left: a paler line inside the outline on the top
    // and left, none on the shaded sides
    cv.Fill(Inter(Rim(inside, 1), [](float x, float y) { return std::min(x - 2, y - 2) - 6.0f; }),
            Solid(White(), 0.28f));
    // the client, framed by a clean darker line
    const int left = 2 + kBorder, right = kSkinW - 2 - kBorder, bottom = kSkinH - 2 - kBorder;
    cv.Fill(Box(float(left), float(kBandBottom), float(right + 1), float(bottom + 1)), Solid(FrameInnerLine()));
    cv.Fill(Box(float(left + 1), float(kBandBottom + 1), float(right), float(bottom)), Solid(ClientGrey()));
}

// The frame's pixels under a caption button (skin coordinates), so that the
// band shows through the button picture's rounded corners.
Canvas FrameStrip(int x, int y, int w, int h, int dpi) {
    Canvas strip = Canvas::At(w, h, dpi);
    strip.left = DesignToPixels(x, dpi);
    strip.top = DesignToPixels(y, dpi);
    DrawFrame(strip);
    strip.left = strip.top = 0;
    return strip;
}

// Caption buttons: three hang side by side as one group with rounded lower
// corners; each picture holds its own part of the group.
struct ButtonLook {
    Rgb top, upper, lower, bottom, glow, rim;
};
ButtonLook Look(int state, int index) {
    const bool close = index == 2;
    switch (state) {
        case 1:  // hover
            return close ? ButtonLook{Hex(0xFFC3B4), Hex(0xF47C62), Hex(0xD83A20), Hex(0xE0512F), Hex(0xFFB08A), Hex(0x7C1A0E)}
                         : ButtonLook{Hex(0xC8E8FF), Hex(0x7CC0F8), Hex(0x2F8BE6), Hex(0x3E9CF2), Hex(0x9EF0FF), Hex(0x12407E)};
        case 2:  // pressed
            return close ? ButtonLook{Hex(0xC46A5C), Hex(0xA43C2C), Hex(0x7A1A0F), Hex(0x8E2616), Hex(0xD0573A), Hex(0x4E0E07)}
                         : ButtonLook{Hex(0x6F95C8), Hex(0x3F67A6), Hex(0x1C427F), Hex(0x25508F), Hex(0x4F86C8), Hex(0x0E2752)};
        default:
            return ButtonLook{Hex(0xC2D2E6), Hex(0x9DB3D1), Hex(0x7791B8), Hex(0x86A1C6), Hex(0xB9D2EE), Hex(0x284A78)};
    }
}

}  // namespace

Canvas DrawCaptionButton(int state, int index, int dpi) {
    const int bx = kButtonLeft[index], w = kButtonWidth[index], h = kButtonHeight;
    Canvas cv = FrameStrip(bx, kButtonTop, w, h, dpi);
    const ButtonLook look = Look(state, index);
    // the whole group in this picture's coordinates; only this part shows
    const float g0 = float(kButtonLeft[0] - bx), g1 = float(kButtonLeft[2] + kButtonWidth[2] - bx);
    const Shape group = Box(g0, 0, g1, float(h), 1.5f, 1.5f, 4, 4);
    const Shape mine = Inter(group, Box(0, -1, float(w), float(h + 1)));
    cv.Fill(mine, Vertical(0, float(h), {{0, look.top}, {0.45f, look.upper}, {0.5f, look.lower}, {1, look.bottom}}));
    cv.Fill(Inter(mine, Ellipse(w / 2.0f, float(h), w * 0.45f, h * 0.45f)),
            Radial(w / 2.0f, float(h), w * 0.45f, h * 0.45f, {{0, look.glow, 0.8f}, {1, look.glow, 0}}));
    // a light line inside the rim, then the rim; between two buttons the
    // rim is the left edge of the right-hand one
    cv.Fill(Inter(Rim(Grow(group, -1), 1), Box(index == 0 ? 0.0f : 1.0f, -1, float(w), float(h + 1))),
            Vertical(0, float(h), {{0, White(), 0.55f}, {1, White(), 0.2f}}));
    cv.Fill(Inter(Rim(group, 1), Box(0, -1, float(w), float(h + 1))), Solid(look.rim));
    if (index > 0) cv.Fill(Box(0, 0.5f, 1, h - 0.5f), Solid(look.rim));
    // the glyph: white with a dark halo so it holds on every state
    const float cx = w / 2.0f;
    Shape glyph;
    if (index == 0) {
        glyph = Box(cx - 4, 9, cx + 4, 11);
    } else if (index == 1) {
        glyph = Minus(Box(cx - 4.5f, 3, cx + 4.5f, 11), Box(cx - 3.5f, 5, cx + 3.5f, 10));
    } else {
        glyph = Union(Capsule({cx - 3.4f, 3.6f}, {cx + 3.4f, 10.4f}, 1.05f), Capsule({cx - 3.4f, 10.4f}, {cx + 3.4f, 3.6f}, 1.05f));
    }
    cv.Fill(Grow(glyph, 1), Solid(look.rim, 0.55f));
    cv.Fill(glyph, Vertical(3, 11, {{0, White()}, {1, Hex(0xE4ECF6)}}));
    return cv;
}

// The program icon as a premultiplied canvas.
Canvas DrawTitlePicture(int size) {
    Canvas cv(size, size);
    const std::vector<IconPixel> icon = RenderIcon(size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const IconPixel& p = icon[size_t(y) * size + x];
            cv.at(x, y) = {{p.c.r * p.cover, p.c.g * p.cover, p.c.b * p.cover}, p.cover};
        }
    return cv;
}

Canvas DrawSkin(int dpi) {
    Canvas cv = Canvas::At(kSkinW, kSkinH, dpi);
    const auto px = [&](int design) { return cv.Pixels(design); };
    // Between its corners and ornaments the frame repeats: the top band is
    // the same in every column from the title picture to the buttons, the
    // bottom band between the corners, and every row below the title band
    // is the same down to the bottom corners (the generator checks it at
    // 96 dpi). So above the design size one column or row of each run is
    // drawn and copied along.
    const int topFrom = px(kTitlePictureLeft + kTitlePictureSize + 2), topTo = px(kButtonLeft[0] - 1);
    const int bottomFrom = px(13), bottomTo = cv.w - px(13);
    const int rowsFrom = px(kBandBottom + 2), rowsTo = cv.h - px(13);
    if (dpi != 96) {
        cv.holes = {{topFrom, 0, topTo, rowsFrom}, {bottomFrom, rowsTo, bottomTo, cv.h}, {0, rowsFrom, cv.w, rowsTo}};
    }
    DrawFrame(cv);
    cv.Over(DrawTitlePicture(px(kTitlePictureSize)), px(kTitlePictureLeft), px(kTitlePictureTop));
    for (int i = 0; i < 3; ++i) cv.Over(DrawCaptionButton(0, i, dpi), px(kButtonLeft[i]), px(kButtonTop));
    if (dpi == 96) return cv;
    for (int y = 0; y < cv.h; ++y) {
        const bool top = y < rowsFrom, bottom = y >= rowsTo;
        for (int x = top ? topFrom : bottomFrom; (top || bottom) && x < (top ? topTo : bottomTo); ++x) {
            cv.at(x, y) = cv.at((top ? topFrom : bottomFrom) - 1, y);
        }
    }
    for (int y = rowsFrom; y < rowsTo; ++y) std::copy_n(&cv.at(0, rowsFrom - 1), cv.w, &cv.at(0, y));
    return cv;
}

}  // namespace art
