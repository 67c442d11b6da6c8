// Draws the program's artwork: the program icon, the sample wallpapers
// shipped in pic/ and (gen_ui_art.cpp) the launcher panel's pictures. Runs
// on the build machine; everything is procedural, so these files are the
// artwork's source.
//
//   gen_art icon OUT.ico
//   gen_art wallpapers OUTDIR WIDTH HEIGHT   (writes BMP files)
//   gen_art ui OUTDIR                        (the launcher panel's pictures)
//   gen_art tools OUTDIR                     (the tool windows' pictures)
// The bitmaps of ui and tools are also written packed (NAME.bmp.pk), as
// the resource script stores them.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "artwork.h"
#include "resources/art_pack.h"

namespace art {
namespace {

// ---------------------------------------------------------------- icon ----

// One icon image: BITMAPINFOHEADER, colour rows, AND mask rows, bottom-up.
std::vector<uint8_t> IconBytes(int size, int bits) {
    const std::vector<IconPixel> px = RenderIcon(size);
    const int colorRow = ((size * bits / 8) + 3) & ~3;
    const int maskRow = ((size + 31) / 32) * 4;
    std::vector<uint8_t> out(40 + size_t(colorRow) * size + size_t(maskRow) * size, 0);
    Put32(out, 0, 40);
    Put32(out, 4, uint32_t(size));
    Put32(out, 8, uint32_t(size * 2));
    out[12] = 1;
    out[14] = uint8_t(bits);
    for (int y = 0; y < size; ++y) {
        uint8_t* row = &out[40 + size_t(size - 1 - y) * colorRow];
        uint8_t* mask = &out[40 + size_t(colorRow) * size + size_t(size - 1 - y) * maskRow];
        for (int x = 0; x < size; ++x) {
            const IconPixel& p = px[size_t(y) * size + x];
            const bool opaque = p.cover >= 0.5f;
            uint8_t* d = row + x * (bits / 8);
            if (bits == 32) {
                // premultiplication is not used by icons: straight alpha
                d[0] = uint8_t(std::clamp(p.c.b, 0.0f, 255.0f));
                d[1] = uint8_t(std::clamp(p.c.g, 0.0f, 255.0f));
                d[2] = uint8_t(std::clamp(p.c.r, 0.0f, 255.0f));
                d[3] = uint8_t(std::clamp(p.cover * 255.0f + 0.5f, 0.0f, 255.0f));
            } else if (opaque) {
                d[0] = uint8_t(std::clamp(p.c.b, 0.0f, 255.0f));
                d[1] = uint8_t(std::clamp(p.c.g, 0.0f, 255.0f));
                d[2] = uint8_t(std::clamp(p.c.r, 0.0f, 255.0f));
            }
            if (!(bits == 32 ? p.cover > 0.02f : opaque)) mask[x / 8] |= uint8_t(0x80 >> (x % 8));
        }
    }
    return out;
}

void WriteIcon(const std::string& path) {
    // The small icon of every usual scale (the tray takes the one of its
    // DPI: 16 at 96, 20 at 120, 24 at 144, 32 at 192, 40 at 240, 48 at 288)
    // in 24-bit colour as the tray has always had it; 48 with alpha, also
    // for Explorer's larger views.
    const std::pair<int, int> sizes[] = {{16, 24}, {20, 24}, {24, 24}, {32, 24}, {40, 24}, {48, 32}};
    std::vector<IconImage> images;
    for (auto [size, bits] : sizes) images.push_back({size, size, bits, IconBytes(size, bits)});
    WriteIconFile(images, path);
}

// ----------------------------------------------------------- wallpapers ----

using Painter = std::function<Rgb(float u, float v, float aspect)>;

// Ridge line of a mountain layer at u, in 0..1 of the height.
float Ridge(float u, float seed, float base, float amp) {
    return base - amp * (0.55f * Fbm(u * 3.2f + seed, seed * 1.7f, 5) + 0.45f * std::fabs(std::sin(u * 4.1f + seed)));
}

Rgb DawnMountains(float u, float v, float aspect) {
    Rgb sky = v < 0.45f ? Mix(Hex(0x2B4C8C), Hex(0xF49A6C), Smooth(0.0f, 0.45f, v))
                        : Mix(Hex(0xF49A6C), Hex(0xFFD9A0), Smooth(0.45f, 0.62f, v));
    float dx = (u - 0.62f) * aspect, dy = v - 0.50f;
    float d = std::sqrt(dx * dx + dy * dy);
    sky = Mix(sky, Hex(0xFFF4D6), std::exp(-d * 9.0f) * 0.9f);
    sky = Mix(sky, Hex(0xFFFDF2), Smooth(0.052f, 0.045f, d));
    const Rgb layers[] = {Hex(0xC98A8A), Hex(0x8C5E7A), Hex(0x573F66), Hex(0x2A2440)};
    const float bases[] = {0.60f, 0.70f, 0.82f, 0.95f};
    Rgb c = sky;
    for (int i = 0; i < 4; ++i) {
        float ridge = Ridge(u, 3.7f * (i + 1), bases[i], 0.16f + 0.04f * i);
        if (v > ridge) {
            c = layers[i];
            c = Mix(c, Hex(0xF2B38C), 0.35f * Smooth(0.08f, 0.0f, v - ridge) * (1.0f - i / 4.0f));
        }
    }
    return c;
}

Rgb DeepSea(float u, float v, float aspect) {
    Rgb c = Mix(Hex(0x1C8FB8), Hex(0x041B3A), Smooth(0.0f, 1.0f, v));
    float rays = 0;
    for (int i = 0; i < 5; ++i) {
        float x = u - (0.25f + 0.13f * i) - (v * (0.2f - 0.08f * i));
        rays += std::exp(-x * x * 900.0f) * (0.5f + 0.5f * Noise(i * 3.0f, v * 4));
    }
    c = Mix(c, Hex(0xBFF2FF), rays * 0.25f * (1 - v));
    float caustic = Fbm(u * 9 * aspect, v * 5, 4);
    c = Mix(c, Hex(0x7FE0F0), Smooth(0.62f, 0.75f, caustic) * 0.25f * (1 - v));
    for (int i = 0; i < 40; ++i) {
        float bx = Hash(i, 7), by = Hash(i, 11) * 0.9f + 0.05f, r = 0.004f + 0.01f * Hash(i, 3);
        float dx = (u - bx) * aspect, dy = v - by;
        float d = std::sqrt(dx * dx + dy * dy);
        c = Mix(c, Hex(0xDDF8FF), 0.5f * Smooth(r, r * 0.6f, d) - 0.35f * Smooth(r * 0.7f, r * 0.2f, d));
    }
    return c;
}

Rgb Aurora(float u, float v, float aspect) {
    Rgb c = Mix(Hex(0x050A1F), Hex(0x12244A), Smooth(0.0f, 1.0f, v));
    float star = Hash(int(u * 1600), int(v * 900));
    if (star > 0.9985f) c = Mix(c, Hex(0xFFFFFF), (star - 0.9985f) / 0.0015f);
    for (int band = 0; band < 3; ++band) {
        float center = 0.30f + 0.12f * band + 0.08f * std::sin(u * (4 + band) + band * 2.1f) +
                       0.05f * (Fbm(u * 3 + band * 5.0f, 0.3f * band, 3) - 0.5f);
        float dv = v - center;
        float curtain = std::exp(-dv * dv * (dv < 0 ? 60.0f : 500.0f));
        float streaks = 0.6f + 0.4f * Fbm(u * 40 * aspect + band * 9.0f, band * 1.0f, 3);
        Rgb tint = band == 1 ? Hex(0x9B6BFF) : Hex(0x46F2A8);
        c = Mix(c, tint, curtain * streaks * 0.75f);
    }
    float hills = 0.86f - 0.06f * Fbm(u * 4, 2.0f, 4);
    if (v > hills) c = Mix(Hex(0x040812), Hex(0x0A1424), Smooth(hills, 1.0f, v) * 0.3f);
    return c;
}

Rgb LakeMorning(float u, float v, float aspect) {
    const float horizon = 0.58f;
    auto scene = [&](float vv) {
        Rgb sky = Mix(Hex(0x8EC9F0), Hex(0xEAF6FF), Smooth(0.0f, horizon, vv));
        float cloud = Fbm(u * 4 * aspect, vv * 9, 5);
        sky = Mix(sky, Hex(0xFFFFFF), Smooth(0.55f, 0.75f, cloud) * 0.8f * (1 - vv / horizon));
        float far = horizon - 0.10f * Fbm(u * 2.5f, 1.3f, 4) - 0.05f;
        float near = horizon - 0.06f * Fbm(u * 6.0f + 4, 2.6f, 4);
        if (vv > far) sky = Mix(Hex(0x7A9CB8), Hex(0x9DB8CC), 0.3f);
        if (vv > near) sky = Mix(Hex(0x3F6B52), Hex(0x2E5440), Smooth(near, horizon, vv));
        return sky;
    };
    if (v < horizon) return scene(v);
    float depth = (v - horizon) / (1 - horizon);
    float ripple = 0.006f * std::sin(v * 420.0f + 6 * Noise(u * 8, v * 30)) * depth;
    Rgb refl = scene(horizon - (v - horizon) * 1.1f + ripple);
    return Mix(Mix(refl, Hex(0x3C6E8F), 0.25f + 0.45f * depth), Hex(0xFFFFFF),
               0.12f * Smooth(0.7f, 0.9f, Noise(u * 60 * aspect, v * 300)) * (1 - depth));
}

Rgb SoftLight(float u, float v, float aspect) {
    Rgb c = Mix(Mix(Hex(0x1FA2A8), Hex(0x5B4BB7), u), Hex(0xE66FA0), Smooth(0.3f, 1.1f, v * 0.6f + u * 0.5f));
    for (int i = 0; i < 36; ++i) {
        float bx = Hash(i, 21), by = Hash(i, 42), r = 0.02f + 0.07f * Hash(i, 63);
        float dx = (u - bx) * aspect, dy = v - by;
        float d = std::sqrt(dx * dx + dy * dy);
        float disc = Smooth(r, r * 0.85f, d);
        c = Mix(c, Mix(Hex(0xFFFFFF), Hex(0xFFE2F1), Hash(i, 5)), disc * (0.10f + 0.12f * Hash(i, 9)));
    }
    return c;
}

void WriteWallpaper(const std::string& path, int w, int h, const Painter& paint) {
    Image img(w, h);
    const float aspect = float(w) / h;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            // 2x2 samples keep ridges and discs smooth
            Rgb acc{0, 0, 0};
            for (int j = 0; j < 2; ++j)
                for (int i = 0; i < 2; ++i) {
                    Rgb c = paint((x + 0.25f + 0.5f * i) / w, (y + 0.25f + 0.5f * j) / h, aspect);
                    acc.r += c.r / 4;
                    acc.g += c.g / 4;
                    acc.b += c.b / 4;
                }
            // a touch of grain against banding in the gradients
            float g = (Hash(x, y) - 0.5f) * 2.0f;
            img.at(x, y) = {acc.r + g, acc.g + g, acc.b + g};
        }
    WriteBmp(img, path);
}

// Beside each bitmap the program holds (not the preview sheets), its packed
// form for the resource script: of no filter, a pixel and a row as the
// filter distance, the one that packs smallest.
int PackBitmaps(const std::string& dir) {
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        const std::filesystem::path path = entry.path();
        if (path.extension() != ".bmp" || path.filename().string().find("preview") != std::string::npos) continue;
        std::ifstream in(path, std::ios::binary);
        const std::vector<uint8_t> bmp{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        if (bmp.size() < 54 || bmp[0] != 'B' || bmp[1] != 'M') {
            std::fprintf(stderr, "gen_art: %s is no bitmap\n", path.string().c_str());
            return 1;
        }
        auto get32 = [&](size_t at) { return uint32_t(bmp[at] | bmp[at + 1] << 8 | bmp[at + 2] << 16 | bmp[at + 3] << 24); };
        const size_t start = get32(10), width = get32(18), bits = bmp[28] | bmp[29] << 8;
        const size_t stride = (width * bits + 31) / 32 * 4;
        std::vector<uint8_t> best;
        for (size_t distance : {size_t(0), bits / 8, stride}) {
            std::vector<uint8_t> packed = velmora::art_pack::Pack(bmp, start, distance);
            if (best.empty() || packed.size() < best.size()) best = std::move(packed);
        }
        WriteFile(path.string() + ".pk", best);
    }
    return 0;
}

}  // namespace

void WriteBitmap(const Bitmap& bitmap, const std::string& path) {
    std::vector<uint8_t> out = BmpHeader(bitmap.width, bitmap.height, bitmap.bits, uint32_t(bitmap.rows.size()));
    std::copy(bitmap.rows.begin(), bitmap.rows.end(), out.begin() + 54);
    WriteFile(path, out);
}

}  // namespace art

int main(int argc, char** argv) {
    using namespace art;
    const std::string what = argc > 1 ? argv[1] : "";
    if (what == "icon" && argc == 3) {
        WriteIcon(argv[2]);
        return 0;
    }
    if (what == "wallpapers" && argc == 5) {
        const std::string dir = argv[2];
        const int w = std::stoi(argv[3]), h = std::stoi(argv[4]);
        const std::pair<const char*, Painter> walls[] = {
            {"晨曦山峦", DawnMountains}, {"深海微光", DeepSea}, {"极光之夜", Aurora},
            {"湖畔清晨", LakeMorning},   {"柔光",     SoftLight},
        };
        for (const auto& [name, paint] : walls) WriteWallpaper(dir + "/" + name + ".bmp", w, h, paint);
        return 0;
    }
    if (what == "ui" && argc == 3) {
        const int rc = WriteUiArt(argv[2]);
        return rc != 0 ? rc : PackBitmaps(argv[2]);
    }
    if (what == "tools" && argc == 3) {
        const int rc = WriteToolsArt(argv[2]);
        return rc != 0 ? rc : PackBitmaps(argv[2]);
    }
    std::fprintf(stderr, "usage: gen_art icon OUT.ico | gen_art wallpapers DIR W H | gen_art ui DIR | gen_art tools DIR\n");
    return 2;
}
