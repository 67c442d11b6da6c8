// The pictures' stored forms and the program icon's renderer, shared by
// the generator and the program (artwork.h).
#include "artwork.h"

#include "resources/ids.h"

namespace art {

// ---------------------------------------------------------------- icon ----

namespace {

// Signed distance to a rounded square of half-size s and corner radius r.
float RoundSquare(float x, float y, float s, float r) {
    float qx = std::fabs(x) - s + r, qy = std::fabs(y) - s + r;
    float ox = std::max(qx, 0.0f), oy = std::max(qy, 0.0f);
    return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.0f) - r;
}
float Segment(float px, float py, float ax, float ay, float bx, float by) {
    float dx = bx - ax, dy = by - ay;
    float t = std::clamp(((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy), 0.0f, 1.0f);
    float ex = px - ax - dx * t, ey = py - ay - dy * t;
    return std::sqrt(ex * ex + ey * ey);
}

// The icon in unit coordinates (-1..1): a blue tile with a white "V" whose
// right arm ends in a small gold spark, the program's mark.
IconPixel IconAt(float x, float y, float px) {
    const float tile = RoundSquare(x, y, 0.94f, 0.34f);
    IconPixel out{};
    out.cover = std::clamp(0.5f - tile / px, 0.0f, 1.0f);
    Rgb bg = Mix(Hex(0x4FA3FF), Hex(0x1A4FC4), (y + 1) / 2);
    // soft highlight on the upper half
    bg = Mix(bg, Hex(0xFFFFFF), 0.18f * Smooth(0.2f, -0.9f, y));
    // darker rim
    bg = Mix(bg, Hex(0x123A8F), std::clamp(1 - (-tile) / (px * 1.4f), 0.0f, 1.0f) * 0.8f);
    const float stroke = std::max(0.17f, px * 1.1f);
    float v = std::min(Segment(x, y, -0.50f, -0.46f, 0.0f, 0.50f), Segment(x, y, 0.0f, 0.50f, 0.42f, -0.36f));
    float vCover = std::clamp(0.5f - (v - stroke) / px, 0.0f, 1.0f);
    // shadow under the V
    float sh = std::min(Segment(x, y - 0.07f, -0.50f, -0.46f, 0.0f, 0.50f), Segment(x, y - 0.07f, 0.0f, 0.50f, 0.42f, -0.36f));
    bg = Mix(bg, Hex(0x0E2F78), 0.35f * std::clamp(0.5f - (sh - stroke) / px, 0.0f, 1.0f));
    Rgb c = Mix(bg, Hex(0xFFFFFF), vCover);
    // spark: a four-pointed star above the right arm
    float sx = x - 0.55f, sy = y + 0.56f;
    float star = std::fabs(sx) * std::fabs(sy) * 40 + (sx * sx + sy * sy) * 6;
    float starCover = std::clamp((0.55f - star) / std::max(px * 6, 0.3f) + 0.5f, 0.0f, 1.0f);
    c = Mix(c, Hex(0xFFD54A), starCover);
    out.c = c;
    return out;
}

}  // namespace

std::vector<IconPixel> RenderIcon(int size) {
    const int ss = 8;  // samples per axis
    std::vector<IconPixel> px(size_t(size) * size);
    const float pixel = 2.0f / size;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            Rgb acc{0, 0, 0};
            float cover = 0;
            for (int j = 0; j < ss; ++j)
                for (int i = 0; i < ss; ++i) {
                    float ux = -1 + (x + (i + 0.5f) / ss) * pixel;
                    float uy = -1 + (y + (j + 0.5f) / ss) * pixel;
                    IconPixel p = IconAt(ux, uy, pixel / ss);
                    acc.r += p.c.r * p.cover;
                    acc.g += p.c.g * p.cover;
                    acc.b += p.c.b * p.cover;
                    cover += p.cover;
                }
            IconPixel& o = px[size_t(y) * size + x];
            o.cover = cover / (ss * ss);
            o.c = cover > 0 ? Rgb{acc.r / cover, acc.g / cover, acc.b / cover} : Rgb{0, 0, 0};
        }
    return px;
}


// ---------------------------------------------------------- stored form ----

namespace {

Bitmap Blank(const Canvas& cv, int bits) {
    Bitmap out{cv.w, cv.h, bits, {}};
    out.rows.resize(size_t((cv.w * bits / 8 + 3) & ~3) * size_t(cv.h));
    return out;
}
uint8_t* Row(Bitmap& b, int y) {
    const size_t stride = size_t((b.width * b.bits / 8 + 3) & ~3);
    return &b.rows[size_t(b.height - 1 - y) * stride];
}

}  // namespace

Bitmap Flattened(const Canvas& cv, Rgb bg) {
    Bitmap out = Blank(cv, 24);
    for (int y = 0; y < cv.h; ++y) {
        uint8_t* p = Row(out, y);
        for (int x = 0; x < cv.w; ++x) {
            const Px& s = cv.at(x, y);
            p[x * 3 + 0] = Byte(s.c.b + bg.b * (1 - s.a));
            p[x * 3 + 1] = Byte(s.c.g + bg.g * (1 - s.a));
            p[x * 3 + 2] = Byte(s.c.r + bg.r * (1 - s.a));
        }
    }
    return out;
}

Bitmap Premultiplied(const Canvas& cv) {
    Bitmap out = Blank(cv, 32);
    for (int y = 0; y < cv.h; ++y) {
        uint8_t* p = Row(out, y);
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
    return out;
}

Bitmap StraightAlpha(const Canvas& cv) {
    Bitmap out = Blank(cv, 32);
    for (int y = 0; y < cv.h; ++y) {
        uint8_t* p = Row(out, y);
        for (int x = 0; x < cv.w; ++x) {
            const Px& s = cv.at(x, y);
            const uint8_t a = Byte(s.a * 255);
            if (a > 0) {
                p[x * 4 + 0] = Byte(s.c.b / s.a);
                p[x * 4 + 1] = Byte(s.c.g / s.a);
                p[x * 4 + 2] = Byte(s.c.r / s.a);
            }
            p[x * 4 + 3] = a;
        }
    }
    return out;
}

std::optional<Bitmap> DrawBitmapResource(int id, int dpi) {
    if (id == IDB_SKIN) return Flattened(DrawSkin(dpi), FrameOutline());
    if (id == IDB_PANEL_TITLE) return Premultiplied(DrawTitlePicture(DesignToPixels(kTitlePictureSize, dpi)));
    if (id >= IDB_CELL_FIRST && id < IDB_CELL_FIRST + kCellCount) return Premultiplied(DrawCell(id - IDB_CELL_FIRST, dpi));
    if (id >= IDB_CAPTION_BUTTON_FIRST && id < IDB_CAPTION_BUTTON_FIRST + 9) {
        const int n = id - IDB_CAPTION_BUTTON_FIRST;
        return Flattened(DrawCaptionButton(n / 3, n % 3, dpi), FrameOutline());
    }
    if (id >= IDB_SEARCH_MUSHROOM_FIRST && id < IDB_SEARCH_MUSHROOM_FIRST + kMushroomCount) {
        return Premultiplied(DrawMushroom(id - IDB_SEARCH_MUSHROOM_FIRST, dpi));
    }
    if (id == IDB_SEARCH_GRASS) return Flattened(DrawGrass(dpi), kKeyWhite);
    if (id == IDB_PICKER_PIPETTE) return Premultiplied(DrawPipette(dpi));
    return std::nullopt;
}

std::optional<Bitmap> DrawIconResource(int id, int size) {
    if (size <= 0) return std::nullopt;
    if (id == IDI_SEARCH_CLOSE) return StraightAlpha(DrawBall(size));
    if (id == IDI_PICKER_CLOSE) return StraightAlpha(DrawCross(size));
    return std::nullopt;
}

}  // namespace art
