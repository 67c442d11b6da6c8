// Shared by the artwork generator's drawing files: colours, noise, a plain
// RGB image with its BMP writer, and the program icon's renderer (the panel's
// title picture and the skin reuse the icon's drawing).
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace art {

// A colour with channels 0..255, kept in float so gradients mix smoothly
// until the very end.
struct Rgb {
    float r, g, b;
};

inline Rgb Mix(Rgb a, Rgb b, float t) {
    t = std::clamp(t, 0.0f, 1.0f);
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
inline Rgb Hex(uint32_t v) { return {float((v >> 16) & 255), float((v >> 8) & 255), float(v & 255)}; }
inline float Smooth(float e0, float e1, float x) {
    float t = std::clamp((x - e0) / (e1 - e0), 0.0f, 1.0f);
    return t * t * (3 - 2 * t);
}
// The length of (x, y): plain, with no care for overflow, which these
// small numbers never come near, and much quicker than std::hypot.
inline float Length(float x, float y) { return std::sqrt(x * x + y * y); }
inline uint8_t Byte(float v) { return uint8_t(std::clamp(v, 0.0f, 255.0f) + 0.5f); }

// Cheap value noise for organic shapes.
inline float Hash(int x, int y) {
    uint32_t h = uint32_t(x) * 374761393u + uint32_t(y) * 668265263u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return float(h & 0xFFFFFF) / float(0xFFFFFF);
}
inline float Noise(float x, float y) {
    int xi = int(std::floor(x)), yi = int(std::floor(y));
    float fx = x - xi, fy = y - yi;
    float sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    float a = Hash(xi, yi), b = Hash(xi + 1, yi), c = Hash(xi, yi + 1), d = Hash(xi + 1, yi + 1);
    return (a + (b - a) * sx) + ((c + (d - c) * sx) - (a + (b - a) * sx)) * sy;
}
inline float Fbm(float x, float y, int octaves) {
    float sum = 0, amp = 0.5f, freq = 1;
    for (int i = 0; i < octaves; ++i) {
        sum += amp * Noise(x * freq, y * freq);
        amp *= 0.5f;
        freq *= 2.03f;
    }
    return sum;
}

struct Image {
    int w, h;
    std::vector<Rgb> px;
    Image(int w_, int h_) : w(w_), h(h_), px(size_t(w_) * h_) {}
    Rgb& at(int x, int y) { return px[size_t(y) * w + x]; }
    const Rgb& at(int x, int y) const { return px[size_t(y) * w + x]; }
};

// Little-endian fields of the Windows file headers.
inline void Put16(std::vector<uint8_t>& out, size_t at, uint32_t v) {
    out[at] = uint8_t(v);
    out[at + 1] = uint8_t(v >> 8);
}
inline void Put32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + i] = uint8_t(v >> (8 * i));
}
// A build step that wrote nothing must not pass for one that worked.
inline void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out.flush()) {
        std::fprintf(stderr, "gen_art: cannot write %s\n", path.c_str());
        std::exit(1);
    }
}

// BITMAPFILEHEADER + BITMAPINFOHEADER for a bottom-up BI_RGB bitmap whose
// pixel rows follow at offset 54.
// An icon file: the directory of its images, then the images themselves
// (each a BITMAPINFOHEADER with colour and mask, as icon files hold them).
struct IconImage {
    int width, height, bits;
    std::vector<uint8_t> bytes;
};
inline void WriteIconFile(const std::vector<IconImage>& images, const std::string& path) {
    std::vector<uint8_t> out(6 + 16 * images.size(), 0);
    out[2] = 1;
    out[4] = uint8_t(images.size());
    uint32_t offset = uint32_t(out.size());
    for (size_t i = 0; i < images.size(); ++i) {
        uint8_t* e = &out[6 + 16 * i];
        e[0] = uint8_t(images[i].width);
        e[1] = uint8_t(images[i].height);
        e[4] = 1;
        e[6] = uint8_t(images[i].bits);
        const uint32_t len = uint32_t(images[i].bytes.size());
        for (int k = 0; k < 4; ++k) e[8 + k] = uint8_t(len >> (8 * k));
        for (int k = 0; k < 4; ++k) e[12 + k] = uint8_t(offset >> (8 * k));
        offset += len;
    }
    for (const IconImage& img : images) out.insert(out.end(), img.bytes.begin(), img.bytes.end());
    WriteFile(path, out);
}

inline std::vector<uint8_t> BmpHeader(int w, int h, int bits, uint32_t dataSize) {
    std::vector<uint8_t> out(54 + dataSize, 0);
    out[0] = 'B';
    out[1] = 'M';
    Put32(out, 2, 54 + dataSize);
    Put32(out, 10, 54);
    Put32(out, 14, 40);
    Put32(out, 18, uint32_t(w));
    Put32(out, 22, uint32_t(h));
    Put16(out, 26, 1);
    Put16(out, 28, uint32_t(bits));
    Put32(out, 34, dataSize);
    Put32(out, 38, 2835);  // 72 dpi
    Put32(out, 42, 2835);
    return out;
}

// 24-bit BMP, rows padded to four bytes.
inline void WriteBmp(const Image& img, const std::string& path) {
    const int row = (img.w * 3 + 3) & ~3;
    std::vector<uint8_t> out = BmpHeader(img.w, img.h, 24, uint32_t(row) * img.h);
    for (int y = 0; y < img.h; ++y) {
        uint8_t* p = &out[54 + size_t(img.h - 1 - y) * row];
        for (int x = 0; x < img.w; ++x) {
            const Rgb& c = img.at(x, y);
            p[x * 3 + 0] = Byte(c.b);
            p[x * 3 + 1] = Byte(c.g);
            p[x * 3 + 2] = Byte(c.r);
        }
    }
    WriteFile(path, out);
}

// One pixel of the rendered program icon: straight (not premultiplied)
// colour and how much of the pixel the icon covers.
struct IconPixel {
    Rgb c;
    float cover;
};
// The program icon at size x size pixels, rows top to bottom (artwork.cpp).
std::vector<IconPixel> RenderIcon(int size);

// gen_art ui OUTDIR: the launcher panel's skin, caption buttons, cell
// pictures, title picture, hand cursor and a preview sheet (gen_ui_art.cpp).
int WriteUiArt(const std::string& dir);

// gen_art tools OUTDIR: the tool windows' pictures, the web-search box's
// and the colour picker's (gen_tools_art.cpp).
int WriteToolsArt(const std::string& dir);

// A bitmap file of a picture in its stored form (artwork.h).
struct Bitmap;
void WriteBitmap(const Bitmap& bitmap, const std::string& path);

}  // namespace art
