// The generator's side of the tool windows' pictures (tools_art.cpp and
// picker_art.cpp draw them): the stored files, the checks a white-keyed
// window needs and a preview sheet for people to look at.
#include <cstdio>
#include <string>
#include <vector>

#include "artwork.h"
#include "resources/ids.h"

namespace art {
namespace {

constexpr Rgb kKey = kKeyWhite;

bool IsKey(const Rgb& c) { return Byte(c.r) == 255 && Byte(c.g) == 255 && Byte(c.b) == 255; }

// What would go wrong on the keyed window, or nothing.
std::string KeyingFaults(const Canvas& cv, const std::string& name) {
    for (const Px& p : cv.px) {
        const uint8_t a = Byte(p.a * 255);
        if (a != 0 && a != 255) return name + ": a soft edge would leave a pale fringe";
        if (a == 255 && IsKey(p.c)) return name + ": a pure white pixel would be a hole";
    }
    return {};
}


// ----------------------------------------------------------- preview ----

void Paste(Image& dst, const Image& src, int ox, int oy, int scale = 1) {
    for (int y = 0; y < src.h * scale; ++y)
        for (int x = 0; x < src.w * scale; ++x)
            if (ox + x < dst.w && oy + y < dst.h) dst.at(ox + x, oy + y) = src.at(x / scale, y / scale);
}

// The search box as the keyed window shows it over a desktop: white
// pixels let the desktop through.
Image OverDesktop(const Image& box, Rgb desktop) {
    Image out = box;
    for (Rgb& c : out.px)
        if (IsKey(c)) c = desktop;
    return out;
}

void WritePreview(const std::string& path, const std::vector<Canvas>& mushrooms, const Canvas& grass,
                  const Canvas& ball) {
    Image img(720, 320);
    for (Rgb& c : img.px) c = Hex(0xE8ECF0);
    // the five mushrooms on white, then on a dark and a light desktop
    const Rgb grounds[] = {Hex(0xFFFFFF), Hex(0x1E2A44), Hex(0xC8D4E0)};
    for (int row = 0; row < 3; ++row)
        for (int i = 0; i < 5; ++i) Paste(img, Flatten(mushrooms[i], grounds[row]), 12 + i * 72, 12 + row * 72);
    // the search box put together (327 x 111), over two desktops
    Image box(327, 111);
    for (Rgb& c : box.px) c = kKey;
    const Image m = Flatten(mushrooms[4], kKey), g = Flatten(grass, kKey), b = Flatten(ball, kKey);
    Paste(box, m, 0, 0);
    for (int y = 0; y < 47; ++y)
        for (int x = 0; x < 327; ++x) box.at(x, 64 + y) = g.at(x, y);
    for (int y = 0; y < 111; ++y)  // the field and the button, roughly
        for (int x = 0; x < 327; ++x) {
            if (x >= 8 && x < 265 && y >= 72 && y < 99) box.at(x, y) = (x == 8 || x == 264 || y == 72 || y == 98) ? Hex(0x000000) : Hex(0xF6F6FA);
            if (x >= 272 && x < 297 && y >= 75 && y < 100) box.at(x, y) = Hex(0x9ACCF4);
        }
    for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 17; ++x) {
            const Rgb c = b.at(x * 32 / 17, y * 32 / 17);
            if (!IsKey(c)) box.at(304 + x, 64 + y) = c;
        }
    Paste(img, OverDesktop(box, Hex(0x1E2A44)), 380, 12);
    Paste(img, OverDesktop(box, Hex(0x4A90C8)), 380, 135);
    // the close ball, twice its size
    Paste(img, Flatten(ball, Hex(0x4FB23A)), 12, 240, 2);
    WriteBmp(img, path);
}

}  // namespace

int WriteToolsArt(const std::string& dir) {
    std::vector<Canvas> mushrooms;
    for (int i = 0; i < kMushroomCount; ++i) mushrooms.push_back(DrawMushroom(i, 96));
    const Canvas grass = DrawGrass(96);
    const Canvas ball = DrawBall(kBallSize);
    const Canvas pipette = DrawPipette(96);
    std::string fault;
    for (int i = 0; i < kMushroomCount && fault.empty(); ++i) fault = KeyingFaults(mushrooms[i], "mushroom" + std::to_string(i));
    if (fault.empty()) fault = KeyingFaults(grass, "grass");
    if (fault.empty()) fault = KeyingFaults(ball, "ball");
    if (fault.empty()) fault = KeyingFaults(pipette, "pipette");
    if (!fault.empty()) {
        std::fprintf(stderr, "gen_art tools: %s\n", fault.c_str());
        return 1;
    }
    for (int i = 0; i < kMushroomCount; ++i) {
        WriteBitmap(*DrawBitmapResource(IDB_SEARCH_MUSHROOM_FIRST + i, 96), dir + "/mushroom" + std::to_string(i) + ".bmp");
    }
    // White round the lawn: keyed out with the window's own white.
    WriteBitmap(*DrawBitmapResource(IDB_SEARCH_GRASS, 96), dir + "/grass.bmp");
    WriteAlphaIcon({&ball}, dir + "/ball.ico");
    WritePreview(dir + "/search_preview.bmp", mushrooms, grass, ball);
    WriteBitmap(*DrawBitmapResource(IDB_PICKER_PIPETTE, 96), dir + "/pipette.bmp");
    const Canvas cross = DrawCross(16);
    WriteAlphaIcon({&cross}, dir + "/cross.ico");
    return 0;
}

}  // namespace art
