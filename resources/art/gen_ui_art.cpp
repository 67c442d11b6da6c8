// The generator's side of the launcher panel's pictures (ui_art.cpp draws
// them): the stored files, the checks that the skin tiles, the hand cursor
// and a preview sheet for people to look at.
#include <array>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "artwork.h"
#include "resources/ids.h"

namespace art {
namespace {

// The panel builds its frame by repeating 50-pixel pieces of the skin, so
// the skin must hold still where it gets repeated: the top and bottom bands
// the same in every column between the corners' ornaments, the sides the
// same in every row below the title band, and the client exactly the
// panel's grey. Returns what is wrong, or nothing.
std::string SkinFaults(const Image& skin) {
    auto same = [](const Rgb& a, const Rgb& b) { return Byte(a.r) == Byte(b.r) && Byte(a.g) == Byte(b.g) && Byte(a.b) == Byte(b.b); };
    auto where = [](const char* what, int x, int y) {
        return std::string(what) + " at (" + std::to_string(x) + ", " + std::to_string(y) + ")";
    };
    // between the title picture (ends at x 30) and the first button
    for (int y = 0; y < 50; ++y)
        for (int x = 31; x < kButtonLeft[0]; ++x)
            if (!same(skin.at(x, y), skin.at(200, y))) return where("top band differs from its tile", x, y);
    for (int y = kSkinH - 50; y < kSkinH; ++y)
        for (int x = 12; x < kSkinW - 12; ++x)
            if (!same(skin.at(x, y), skin.at(200, y))) return where("bottom band differs from its tile", x, y);
    for (int i = 0; i < 100; ++i) {
        const int x = i < 50 ? i : kSkinW - 100 + i;  // the left and the right tile's columns
        for (int y = kBandBottom + 1; y < kSkinH - 12; ++y)
            if (!same(skin.at(x, y), skin.at(x, 75))) return where("side differs from its tile", x, y);
    }
    for (int y = kBandBottom + 1; y < kSkinH - 2 - kBorder; ++y)
        for (int x = 3 + kBorder; x < kSkinW - 2 - kBorder; ++x)
            if (!same(skin.at(x, y), ClientGrey())) return where("client is not the panel grey", x, y);
    return {};
}

// --------------------------------------------------------------- cursor --
//
// The link-select hand, a one-bit cursor: '#' black, 'o' white, anything
// else transparent. The fingertip's top-left pixel is the hot spot (5, 0).

constexpr int kHotX = 5, kHotY = 0;
const char* const kHand[32] = {
    "     ##",
    "    #oo#",
    "    #oo#",
    "    #oo#",
    "    #oo#",
    "    #oo###",
    "    #oo#oo###",
    "    #oo#oo#oo##",
    "    #oo#oo#oo#o#",
    "    #oo#oo#oo#oo#",
    " ## #oo#oo#oo#oo#",
    "#oo##ooooooooooo#",
    "#ooo#ooooooooooo#",
    " #oooooooooooooo#",
    " #oooooooooooooo#",
    "  #ooooooooooooo#",
    "  #oooooooooooo#",
    "   #ooooooooooo#",
    "   #ooooooooooo#",
    "    #oooooooooo#",
    "    #oooooooooo#",
    "    ############",
};

// 0 transparent, 1 black, 2 white
int HandPixel(int x, int y) {
    if (y >= 32 || !kHand[y]) return 0;
    const std::string row = kHand[y];
    if (x >= int(row.size())) return 0;
    return row[size_t(x)] == '#' ? 1 : row[size_t(x)] == 'o' ? 2 : 0;
}

// A .cur file: ICONDIR (type 2), one entry whose planes/bit-count fields
// hold the hot spot, then a 1-bit DIB of double height: palette black and
// white, the XOR mask, the AND mask (1 = transparent), bottom-up.
void WriteHandCursor(const std::string& path) {
    const int size = 32, rowBytes = 4;
    const uint32_t imageBytes = 40 + 8 + 2 * rowBytes * size;
    std::vector<uint8_t> out(6 + 16 + imageBytes, 0);
    Put16(out, 2, 2);
    Put16(out, 4, 1);
    out[6] = size;
    out[7] = size;
    out[8] = 2;  // colours
    Put16(out, 10, kHotX);
    Put16(out, 12, kHotY);
    Put32(out, 14, imageBytes);
    Put32(out, 18, 22);
    const size_t bih = 22;
    Put32(out, bih + 0, 40);
    Put32(out, bih + 4, size);
    Put32(out, bih + 8, size * 2);
    Put16(out, bih + 12, 1);
    Put16(out, bih + 14, 1);
    Put32(out, bih + 20, 2 * rowBytes * size);
    // palette: index 0 black, index 1 white
    out[bih + 40 + 4] = out[bih + 40 + 5] = out[bih + 40 + 6] = 255;
    const size_t xorAt = bih + 48, andAt = xorAt + size_t(rowBytes) * size;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const int p = HandPixel(x, y);
            const size_t row = size_t(size - 1 - y) * rowBytes + size_t(x / 8);
            const uint8_t bit = uint8_t(0x80 >> (x % 8));
            if (p == 2) out[xorAt + row] |= bit;
            if (p == 0) out[andAt + row] |= bit;
        }
    WriteFile(path, out);
}

// ------------------------------------------------------------- preview --

void Paste(Image& dst, const Image& src, int ox, int oy, int scale = 1) {
    for (int y = 0; y < src.h * scale; ++y)
        for (int x = 0; x < src.w * scale; ++x) {
            const int tx = ox + x, ty = oy + y;
            if (tx >= 0 && ty >= 0 && tx < dst.w && ty < dst.h) dst.at(tx, ty) = src.at(x / scale, y / scale);
        }
}
void FillRect(Image& dst, int x0, int y0, int w, int h, Rgb c) {
    for (int y = std::max(0, y0); y < std::min(dst.h, y0 + h); ++y)
        for (int x = std::max(0, x0); x < std::min(dst.w, x0 + w); ++x) dst.at(x, y) = c;
}

// Where the panel puts each cell's picture (client pixels).
constexpr std::array<std::pair<int, int>, 20> kCellPlaces = {{
    {56, 55}, {144, 55}, {235, 55}, {328, 55}, {416, 55},
    {56, 130}, {144, 130}, {232, 128}, {328, 130}, {424, 130},
    {56, 200}, {144, 200}, {232, 200}, {328, 200}, {424, 200},
    {56, 275}, {144, 275}, {235, 275}, {328, 275}, {424, 275},
}};

// The panel as the program paints it: the skin pieces tiled and stretched
// onto a 520 x 373 client, caption buttons, title picture and cells, one
// cell highlighted, clipped to the rounded window region over a desktop.
Image PanelMock(const Canvas& skinArt, const std::vector<Canvas>& cells, int highlighted) {
    const int W = 520, H = 373;
    const Image skin = Flatten(skinArt, ClientGrey());
    Image win(W, H);
    FillRect(win, 0, 0, W, H, ClientGrey());
    auto blit = [&](int sx, int sy, int sw, int sh, int dx, int dy, int dw, int dh) {
        for (int y = 0; y < dh; ++y)
            for (int x = 0; x < dw; ++x) {
                // stretching picks the source pixel under the destination's centre
                const int px = sx + int((x + 0.5f) * sw / dw), py = sy + int((y + 0.5f) * sh / dh);
                if (dx + x < W && dy + y < H) win.at(dx + x, dy + y) = skin.at(px, py);
            }
    };
    for (int x = 0; x <= W - 50; x += 50) {
        blit(200, 0, 50, 50, x, 0, 50, 50);
        blit(200, 337, 50, 50, x, H - 50, 50, 50);
    }
    for (int y = 0; y <= H + 50; y += 50) {
        blit(0, 50, 50, 50, 0, y, 50, 50);
        blit(360, 50, 50, 50, W - 50, y, 50, 50);
    }
    blit(0, 0, 200, 50, 0, 0, 200, 50);
    blit(210, 0, 200, 50, W - 200, 0, 200, 50);
    blit(0, 337, 50, 50, 0, H - 50, 52, 50);
    blit(360, 337, 50, 50, W - 50, H - 50, 50, 50);
    const int buttonLeft[3] = {W - 104, W - 76, W - 49};
    for (int i = 0; i < 3; ++i) Paste(win, Flatten(DrawCaptionButton(0, i, 96), Black()), buttonLeft[i], kButtonTop);
    auto blend = [&](const Canvas& c, int ox, int oy) {
        for (int y = 0; y < c.h; ++y)
            for (int x = 0; x < c.w; ++x) {
                const Px& p = c.at(x, y);
                Rgb& d = win.at(ox + x, oy + y);
                d = {p.c.r + d.r * (1 - p.a), p.c.g + d.g * (1 - p.a), p.c.b + d.b * (1 - p.a)};
            }
    };
    blend(DrawTitlePicture(18), 12, 8);
    if (highlighted >= 0) {
        const auto [px, py] = kCellPlaces[size_t(highlighted)];
        Canvas hl(81, 73);
        hl.Fill(Box(0.5f, 0.5f, 80.5f, 72.5f, 5), Solid(Hex(0xC0C0C0)));
        hl.Fill(Box(1.5f, 1.5f, 79.5f, 71.5f, 4), Solid(Hex(0xE0E0E0)));
        blend(hl, px + cells[size_t(highlighted)].w / 2 - 40, py - 10);
    }
    for (size_t i = 0; i < cells.size(); ++i) blend(cells[i], kCellPlaces[i].first, kCellPlaces[i].second);
    // the window region over a plain desktop
    Image out(W + 40, H + 40);
    for (int y = 0; y < out.h; ++y)
        for (int x = 0; x < out.w; ++x) out.at(x, y) = Mix(Hex(0x3A6EA5), Hex(0x7FA7CF), float(x + y) / (out.w + out.h));
    const Shape region = Box(1, 1, float(W), float(H), 10);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            if (region(x + 0.5f, y + 0.5f) < 0) out.at(20 + x, 20 + y) = win.at(x, y);
    return out;
}

Image CursorPicture(Rgb bg) {
    Image img(32, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const int p = HandPixel(x, y);
            img.at(x, y) = p == 1 ? Black() : p == 2 ? White() : bg;
        }
    return img;
}

void WritePreview(const std::string& path, const Canvas& skin, const std::vector<Canvas>& cells,
                  const std::vector<Canvas>& buttons) {
    const int scale = 4, pitchX = 40 * scale + 12, pitchY = 30 * scale + 12;
    const int sheetW = 2 * (5 * pitchX + 12) + 12;
    Image img(sheetW, 12 + 4 * pitchY + 12 + 3 * (15 * scale + 8) + 12 + 433 + 12);
    FillRect(img, 0, 0, img.w, img.h, Hex(0xFFFFFF));
    // the cells at 4x over the panel grey and over the highlight grey
    const Rgb grounds[2] = {ClientGrey(), Hex(0xE0E0E0)};
    for (int g = 0; g < 2; ++g) {
        const int ox = 12 + g * (5 * pitchX + 12);
        FillRect(img, ox - 6, 6, 5 * pitchX, 4 * pitchY, grounds[g]);
        for (size_t i = 0; i < cells.size(); ++i) {
            const int x = ox + int(i % 5) * pitchX + (40 - cells[i].w) * scale / 2, y = 12 + int(i / 5) * pitchY;
            Paste(img, Flatten(cells[i], grounds[g]), x, y, scale);
        }
    }
    // caption buttons at 4x: rows normal, hover, pressed
    int y = 12 + 4 * pitchY + 12;
    for (int s = 0; s < 3; ++s) {
        int x = 12;
        for (int i = 0; i < 3; ++i) {
            Paste(img, Flatten(buttons[size_t(s * 3 + i)], Black()), x, y, scale);
            x += kButtonWidth[i] * scale;
        }
        y += 15 * scale + 8;
    }
    // the title picture and the cursor at 4x
    const int bx = 12 + 97 * scale + 24, by = 12 + 4 * pitchY + 12;
    Paste(img, Flatten(DrawTitlePicture(18), Hex(0x4B8EDF)), bx, by, scale);
    Paste(img, Flatten(DrawTitlePicture(18), ClientGrey()), bx + 18 * scale + 12, by, scale);
    Paste(img, CursorPicture(White()), bx + 36 * scale + 36, by, scale);
    Paste(img, CursorPicture(Hex(0x3A6EA5)), bx + 68 * scale + 48, by, scale);
    // the skin at 1x and the panel mock
    const int sy = y + 12;
    Paste(img, Flatten(skin, Hex(0xFF00FF)), 12, sy);
    Paste(img, PanelMock(skin, cells, 5), 12 + kSkinW + 24, sy);
    WriteBmp(img, path);
}

}  // namespace

int WriteUiArt(const std::string& dir) {
    const Canvas skin = DrawSkin(96);
    const Image skinImage = Flatten(skin, FrameOutline());
    if (const std::string fault = SkinFaults(skinImage); !fault.empty()) {
        std::fprintf(stderr, "gen_art ui: the skin would not tile: %s\n", fault.c_str());
        return 1;
    }
    if (HandPixel(kHotX, kHotY) != 1) {
        std::fprintf(stderr, "gen_art ui: the hand's hot spot is not on its fingertip\n");
        return 1;
    }
    // The stored pictures come from the same function the program draws
    // other scales with.
    WriteBitmap(*DrawBitmapResource(IDB_SKIN, 96), dir + "/skin.bmp");
    std::vector<Canvas> buttons;
    for (int s = 0; s < 3; ++s)
        for (int i = 0; i < 3; ++i) {
            buttons.push_back(DrawCaptionButton(s, i, 96));
            WriteBitmap(*DrawBitmapResource(IDB_CAPTION_BUTTON_FIRST + s * 3 + i, 96),
                        dir + "/capbtn_" + std::to_string(s) + "_" + std::to_string(i) + ".bmp");
        }
    std::vector<Canvas> cells;
    for (int i = 0; i < kCellCount; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "/cell%02d.bmp", i);
        WriteBitmap(*DrawBitmapResource(IDB_CELL_FIRST + i, 96), dir + name);
        cells.push_back(DrawCell(i, 96));
    }
    WriteBitmap(*DrawBitmapResource(IDB_PANEL_TITLE, 96), dir + "/panel_title.bmp");
    WriteHandCursor(dir + "/hand.cur");
    WritePreview(dir + "/preview.bmp", skin, cells, buttons);
    return 0;
}

}  // namespace art
