// Pictures under Wine: every format through the system's decoders, the
// refusals, and the 24-bit bitmap written for the desktop. The test pictures
// are made here at run time: bitmaps, icons and cursors byte by byte, GIF
// with a small LZW writer, metafiles with GDI, JPEG and PNG with the
// system's own encoders.
#include <windows.h>
#include <wincodec.h>
#include <wrl/client.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

#include "platform/handles.h"
#include "platform/picture.h"
#include "platform/text.h"
#include "support/test_support.h"

namespace velmora {
namespace {

using Microsoft::WRL::ComPtr;
using velmora::testing::FileExists;
using velmora::testing::ReadBytes;
using velmora::testing::TempFolder;
using velmora::testing::WriteBytes;

// ---- little-endian bytes
std::string Le16(uint32_t v) { return {char(v & 0xFF), char(v >> 8 & 0xFF)}; }
std::string Le32(uint32_t v) { return Le16(v & 0xFFFF) + Le16(v >> 16); }

using Rgba = uint32_t;  // 0xAARRGGBB
constexpr Rgba kRed = 0xFFFF0000, kBlue = 0xFF0000FF, kGreen = 0xFF00FF00, kYellow = 0xFFFFFF00;
constexpr Rgba kMagenta = 0xFFFF00FF, kClear = 0x00000000;
using Painter = std::function<Rgba(int x, int y)>;

// Left half one colour, right half another.
Painter Halves(Rgba left, Rgba right, int width) {
    return [=](int x, int) { return x < width / 2 ? left : right; };
}

std::string Bmp24(int w, int h, const Painter& paint) {
    const int stride = (w * 3 + 3) & ~3;
    std::string s = "BM" + Le32(54 + stride * h) + Le32(0) + Le32(54) + Le32(40) + Le32(w) + Le32(h) + Le16(1) +
                    Le16(24) + Le32(0) + Le32(stride * h) + std::string(16, '\0');
    for (int y = h - 1; y >= 0; --y) {
        std::string row;
        for (int x = 0; x < w; ++x) {
            const Rgba c = paint(x, y);
            row += {char(c & 0xFF), char(c >> 8 & 0xFF), char(c >> 16 & 0xFF)};
        }
        s += row + std::string(stride - 3 * w, '\0');
    }
    return s;
}

// An icon or cursor file with one 32-bit image (alpha in the colour) and
// its AND mask, which marks the clear pixels for readers that ignore alpha.
std::string IconFile(uint16_t type, int size, const Painter& paint) {
    const int maskStride = ((size + 31) / 32) * 4;
    std::string image = Le32(40) + Le32(size) + Le32(2 * size) + Le16(1) + Le16(32) + Le32(0) +
                        Le32(size * size * 4 + maskStride * size) + std::string(16, '\0');
    for (int y = size - 1; y >= 0; --y) {
        for (int x = 0; x < size; ++x) {
            const Rgba c = paint(x, y);
            image += {char(c & 0xFF), char(c >> 8 & 0xFF), char(c >> 16 & 0xFF), char(c >> 24)};
        }
    }
    for (int y = size - 1; y >= 0; --y) {
        std::string row(maskStride, '\0');
        for (int x = 0; x < size; ++x) {
            if ((paint(x, y) >> 24) == 0) row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
        }
        image += row;
    }
    const uint16_t planesOrHotX = type == 1 ? 1 : uint16_t(size / 2);
    const uint16_t bitsOrHotY = type == 1 ? 32 : uint16_t(size / 2);
    return Le16(0) + Le16(type) + Le16(1) + char(size) + char(size) + '\0' + '\0' + Le16(planesOrHotX) +
           Le16(bitsOrHotY) + Le32(uint32_t(image.size())) + Le32(6 + 16) + image;
}

// A GIF with a four-colour table, its LZW data written with a clear code
// often enough that the code width never grows.
std::string Gif(int w, int h, const Rgba palette[4], const std::function<int(int, int)>& index) {
    std::string s = "GIF89a" + Le16(w) + Le16(h) + char(0x81) + '\0' + '\0';
    for (int i = 0; i < 4; ++i) s += {char(palette[i] >> 16 & 0xFF), char(palette[i] >> 8 & 0xFF), char(palette[i] & 0xFF)};
    s += ',' + Le16(0) + Le16(0) + Le16(w) + Le16(h) + '\0' + '\x02';  // minimum code size 2
    std::string data;
    uint32_t bits = 0;
    int count = 0;
    auto put = [&](uint32_t code) {
        bits |= code << count;
        count += 3;
        while (count >= 8) {
            data += char(bits & 0xFF);
            bits >>= 8;
            count -= 8;
        }
    };
    put(4);  // clear
    int sinceClear = 0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (sinceClear == 2) {  // codes 6 and 7 taken: clear before width 4
                put(4);
                sinceClear = 0;
            }
            put(uint32_t(index(x, y)));
            ++sinceClear;
        }
    }
    put(5);  // end of information
    if (count > 0) data += char(bits & 0xFF);
    for (size_t at = 0; at < data.size(); at += 255) {
        const std::string block = data.substr(at, 255);
        s += char(block.size()) + block;
    }
    return s + '\0' + ';';
}

// JPEG or PNG through the system's encoders.
std::string Encode(const GUID& container, int w, int h, const Painter& paint) {
    static const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    (void)com;
    ComPtr<IWICImagingFactory> factory;
    ::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory));
    if (!factory) return {};
    ComPtr<IStream> stream;
    ::CreateStreamOnHGlobal(nullptr, TRUE, &stream);
    ComPtr<IWICBitmapEncoder> encoder;
    ComPtr<IWICBitmapFrameEncode> frame;
    ComPtr<IPropertyBag2> options;
    if (FAILED(factory->CreateEncoder(container, nullptr, &encoder)) ||
        FAILED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache)) ||
        FAILED(encoder->CreateNewFrame(&frame, &options)) || FAILED(frame->Initialize(options.Get())) ||
        FAILED(frame->SetSize(w, h))) {
        return {};
    }
    const bool alpha = container == GUID_ContainerFormatPng;
    WICPixelFormatGUID format = alpha ? GUID_WICPixelFormat32bppBGRA : GUID_WICPixelFormat24bppBGR;
    frame->SetPixelFormat(&format);
    const int bpp = alpha ? 4 : 3;
    const UINT stride = (w * bpp + 3) & ~3;
    std::vector<BYTE> pixels(stride * h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const Rgba c = paint(x, y);
            BYTE* p = &pixels[y * stride + x * bpp];
            p[0] = BYTE(c);
            p[1] = BYTE(c >> 8);
            p[2] = BYTE(c >> 16);
            if (alpha) p[3] = BYTE(c >> 24);
        }
    }
    if (FAILED(frame->WritePixels(h, stride, UINT(pixels.size()), pixels.data())) || FAILED(frame->Commit()) ||
        FAILED(encoder->Commit())) {
        return {};
    }
    HGLOBAL memory = nullptr;
    ::GetHGlobalFromStream(stream.Get(), &memory);
    STATSTG stat{};
    stream->Stat(&stat, STATFLAG_NONAME);
    const void* p = ::GlobalLock(memory);
    std::string bytes(static_cast<const char*>(p), size_t(stat.cbSize.QuadPart));
    ::GlobalUnlock(memory);
    return bytes;
}

// A metafile drawn with GDI: a rectangle in one colour, pen and brush alike;
// with a window of its own when `window` is not empty, as most placeable
// metafiles carry.
std::string Metafile(RECT box, COLORREF colour, SIZE window = {}) {
    const HDC dc = ::CreateMetaFileW(nullptr);
    if (window.cx) {
        ::SetWindowOrgEx(dc, 0, 0, nullptr);
        ::SetWindowExtEx(dc, window.cx, window.cy, nullptr);
    }
    UniqueGdiObject brush(::CreateSolidBrush(colour)), pen(::CreatePen(PS_SOLID, 1, colour));
    ::SelectObject(dc, brush.get());
    ::SelectObject(dc, pen.get());
    ::Rectangle(dc, box.left, box.top, box.right, box.bottom);
    const HMETAFILE mf = ::CloseMetaFile(dc);
    std::string bytes(::GetMetaFileBitsEx(mf, 0, nullptr), '\0');
    ::GetMetaFileBitsEx(mf, UINT(bytes.size()), bytes.data());
    ::DeleteMetaFile(mf);
    return bytes;
}

// The same with the placeable header: bounds in units of 1/inch.
std::string PlaceableMetafile(int w, int h, int inch, RECT drawn, COLORREF colour, bool ownWindow = false) {
    std::string header = Le32(0x9AC6CDD7) + Le16(0) + Le16(0) + Le16(0) + Le16(w) + Le16(h) + Le16(inch) + Le32(0);
    uint16_t sum = 0;
    for (int i = 0; i < 20; i += 2) sum ^= uint16_t(uint8_t(header[i]) | uint8_t(header[i + 1]) << 8);
    return header + Le16(sum) + Metafile(drawn, colour, ownWindow ? SIZE{w, h} : SIZE{});
}

// The premultiplied pixel of a loaded picture, as 0xAARRGGBB: from a 32-bit
// top-down DIB, or from a 24-bit bottom-up one (opaque: a decoded JPEG).
Rgba PixelAt(const Picture& picture, int x, int y) {
    DIBSECTION section{};
    ::GetObjectW(picture.bitmap(), sizeof section, &section);
    ::GdiFlush();
    if (section.dsBm.bmBitsPixel == 24) {
        const auto* row = static_cast<const uint8_t*>(section.dsBm.bmBits) +
                          static_cast<size_t>(picture.height() - 1 - y) * section.dsBm.bmWidthBytes;
        const uint8_t* p = row + x * 3;
        return 0xFF000000u | uint32_t{p[2]} << 16 | uint32_t{p[1]} << 8 | p[0];
    }
    return static_cast<const uint32_t*>(section.dsBm.bmBits)[y * picture.width() + x];
}

bool Near(Rgba a, Rgba b, int tolerance) {
    for (int shift = 0; shift < 32; shift += 8) {
        if (std::abs(int(a >> shift & 0xFF) - int(b >> shift & 0xFF)) > tolerance) return false;
    }
    return true;
}

// Wine counts no process handles (its count stays put), but it gives out the
// lowest free handle slot: a kernel handle left open during some work takes
// one of these slots, and the same probe afterwards gives another set.
std::vector<HANDLE> LowestFreeKernelHandles() {
    std::vector<HANDLE> handles;
    for (int i = 0; i < 64; ++i) handles.push_back(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
    for (HANDLE h : handles) ::CloseHandle(h);
    return handles;
}

class PictureFiles : public ::testing::Test {
protected:
    std::wstring Write(const wchar_t* name, const std::string& bytes) {
        const std::wstring path = folder_.File(name);
        WriteBytes(path, bytes);
        return path;
    }
    std::string SmallJpeg() { return Encode(GUID_ContainerFormatJpeg, 64, 48, Halves(0xFFC81E1E, 0xFF1E1EC8, 64)); }

    TempFolder folder_;
};

TEST_F(PictureFiles, DecodesEveryFormatAtItsNaturalSize) {
    const Rgba palette[4] = {kRed, kGreen, kBlue, 0xFFFFFFFF};
    const std::string jpeg = SmallJpeg();
    const std::string png = Encode(GUID_ContainerFormatPng, 20, 10, Halves(kGreen, kClear, 20));
    ASSERT_FALSE(jpeg.empty());
    ASSERT_FALSE(png.empty());
    const struct {
        const wchar_t* name;
        std::string bytes;
        int width, height;
        int x1, y1;
        Rgba at1;
        int x2, y2;
        Rgba at2;
        int tolerance;
    } files[] = {
        {L"a.bmp", Bmp24(40, 30, Halves(kRed, kBlue, 40)), 40, 30, 5, 5, kRed, 35, 25, kBlue, 0},
        {L"b.ico", IconFile(1, 16, [](int, int y) { return y < 8 ? kYellow : kClear; }), 16, 16, 3, 2, kYellow, 3, 12,
         kClear, 0},
        {L"c.cur", IconFile(2, 32, [](int x, int) { return x < 16 ? kMagenta : kClear; }), 32, 32, 4, 20, kMagenta,
         28, 20, kClear, 0},
        {L"d.wmf", PlaceableMetafile(60, 40, 96, {0, 0, 30, 40}, RGB(0, 0, 255)), 60, 40, 10, 20, kBlue, 50, 20,
         kClear, 0},
        {L"d2.wmf", PlaceableMetafile(1200, 600, 1440, {600, 0, 1200, 600}, RGB(0, 255, 0), true), 80, 40, 10, 20,
         kClear, 70, 20, kGreen, 0},  // twips: 1440 to the inch
        {L"e.gif", Gif(8, 4, palette, [](int x, int) { return x < 4 ? 0 : 2; }), 8, 4, 1, 1, kRed, 6, 3, kBlue, 0},
        {L"f.jpg", jpeg, 64, 48, 10, 10, 0xFFC81E1E, 54, 40, 0xFF1E1EC8, 16},
        {L"g.png", png, 20, 10, 2, 2, kGreen, 17, 8, kClear, 0},
        {L"h.wmf", Metafile({10, 10, 50, 40}, RGB(255, 0, 0)), 40, 30, 0, 0, kRed, 39, 29, kRed, 0},
    };
    for (const auto& f : files) {
        SCOPED_TRACE(Narrow(f.name));
        const auto picture = LoadPicture(Write(f.name, f.bytes));
        ASSERT_TRUE(picture.has_value());
        EXPECT_EQ(picture->width(), f.width);
        EXPECT_EQ(picture->height(), f.height);
        EXPECT_PRED3(Near, PixelAt(*picture, f.x1, f.y1), f.at1, f.tolerance) << std::hex << PixelAt(*picture, f.x1, f.y1);
        EXPECT_PRED3(Near, PixelAt(*picture, f.x2, f.y2), f.at2, f.tolerance) << std::hex << PixelAt(*picture, f.x2, f.y2);
        EXPECT_EQ(picture->opaque(), (f.at1 >> 24) == 0xFF && (f.at2 >> 24) == 0xFF);
    }
}

TEST_F(PictureFiles, RefusesWhatIsNoPictureOrTooBigWithoutCrashing) {
    const std::string jpeg = SmallJpeg();
    ASSERT_FALSE(jpeg.empty());
    // The real JPEG with its frame header claiming 60000 x 60000: the
    // decoders would die on it.
    std::string forged = jpeg;
    const size_t sof = forged.find("\xFF\xC0");
    ASSERT_NE(sof, std::string::npos);
    forged.replace(sof + 5, 4, std::string("\xEA\x60\xEA\x60", 4));
    const std::string png = Encode(GUID_ContainerFormatPng, 64, 64, Halves(kRed, kBlue, 64));
    const std::pair<const wchar_t*, std::string> refused[] = {
        {L"forged.jpg", forged},
        {L"half.jpg", jpeg.substr(0, jpeg.size() / 2)},
        {L"head.jpg", jpeg.substr(0, 40)},
        {L"half.png", png.substr(0, png.size() / 2)},
        {L"half.bmp", Bmp24(40, 30, Halves(kRed, kBlue, 40)).substr(0, 1000)},
        {L"readme.txt", "把图片复制到这个文件夹。\r\n"},
        {L"empty.jpg", ""},
        {L"huge.bmp", "BM" + Le32(0) + Le32(0) + Le32(54) + Le32(40) + Le32(20000) + Le32(20000) + Le16(1) + Le16(24) +
                          std::string(24, '\0')},
    };
    for (const auto& [name, bytes] : refused) {
        EXPECT_FALSE(LoadPicture(Write(name, bytes)).has_value()) << Narrow(name);
    }
    EXPECT_FALSE(LoadPicture(folder_.File(L"missing.jpg")).has_value());
    EXPECT_FALSE(LoadPicture(folder_.path()).has_value());  // a folder
    EXPECT_TRUE(LoadPicture(Write(L"whole.jpg", jpeg)).has_value());  // and the untouched one still loads
}

TEST_F(PictureFiles, DrawsStretchedAndBlended) {
    const auto bmp = LoadPicture(Write(L"a.bmp", Bmp24(40, 30, Halves(kRed, kBlue, 40))));
    const auto png = LoadPicture(Write(L"g.png", Encode(GUID_ContainerFormatPng, 20, 10, Halves(kGreen, kClear, 20))));
    ASSERT_TRUE(bmp && png);
    uint32_t* bits = nullptr;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, 80, -60, 1, 32, BI_RGB};
    UniqueBitmap canvas(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0));
    UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    ASSERT_TRUE(canvas && dc);
    SelectGuard select(dc.get(), canvas.get());
    std::fill(bits, bits + 80 * 60, 0x00808080);
    bmp->Draw(dc.get(), {0, 0, 80, 60});
    ::GdiFlush();
    EXPECT_EQ(bits[30 * 80 + 10] & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(bits[30 * 80 + 70] & 0xFFFFFF, 0x0000FFu);
    std::fill(bits, bits + 80 * 60, 0x00808080);
    png->Draw(dc.get(), {0, 0, 80, 60});
    ::GdiFlush();
    EXPECT_EQ(bits[30 * 80 + 10] & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(bits[30 * 80 + 70] & 0xFFFFFF, 0x808080u);  // the clear half shows what was there
}

// The pixel of a 24-bit BMP file at (x, y) counted from the top, 0xRRGGBB.
uint32_t BmpPixel(const std::string& file, int x, int y) {
    const int width = *reinterpret_cast<const int32_t*>(&file[18]);
    const int height = *reinterpret_cast<const int32_t*>(&file[22]);
    const int stride = (width * 3 + 3) & ~3;
    const auto* p = reinterpret_cast<const uint8_t*>(&file[54 + (height - 1 - y) * stride + 3 * x]);
    return uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
}

TEST_F(PictureFiles, SavesA24BitBitmapOfThePicturesOwnSize) {
    const auto bmp = LoadPicture(Write(L"a.bmp", Bmp24(41, 30, Halves(kRed, kBlue, 41))));
    ASSERT_TRUE(bmp);
    const std::wstring target = folder_.File(L"wallpaper.bmp");
    ASSERT_TRUE(SaveBitmap24(*bmp, target));
    const std::string first = ReadBytes(target);
    ASSERT_GE(first.size(), 54u);
    EXPECT_EQ(first.substr(0, 2), "BM");
    EXPECT_EQ(*reinterpret_cast<const int32_t*>(&first[18]), 41);
    EXPECT_EQ(*reinterpret_cast<const int32_t*>(&first[22]), 30);
    EXPECT_EQ(*reinterpret_cast<const uint16_t*>(&first[28]), 24);
    EXPECT_EQ(first.size(), 54u + 124 * 30);  // rows padded to four bytes
    EXPECT_EQ(*reinterpret_cast<const uint32_t*>(&first[2]), first.size());
    EXPECT_EQ(BmpPixel(first, 0, 0), 0xFF0000u);
    EXPECT_EQ(BmpPixel(first, 40, 29), 0x0000FFu);
    // The same picture again: the same bytes, and nothing left beside it.
    ASSERT_TRUE(SaveBitmap24(*bmp, target));
    EXPECT_EQ(ReadBytes(target), first);
    EXPECT_FALSE(FileExists(target + L".new"));
    // The written file loads back as the same picture.
    const auto back = LoadPicture(target);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->width(), 41);
    EXPECT_EQ(PixelAt(*back, 40, 29), kBlue);
}

TEST_F(PictureFiles, AJpegBecomesABitmapAndStaysAsItWas) {
    const std::string jpeg = SmallJpeg();
    ASSERT_FALSE(jpeg.empty());
    const std::wstring source = Write(L"海边.jpg", jpeg);
    const auto picture = LoadPicture(source);
    ASSERT_TRUE(picture);
    const std::wstring target = folder_.File(L"wallpaper.bmp");
    ASSERT_TRUE(SaveBitmap24(*picture, target));
    const std::string bitmap = ReadBytes(target);
    ASSERT_GE(bitmap.size(), 54u);
    EXPECT_EQ(bitmap.substr(0, 2), "BM");
    EXPECT_EQ(*reinterpret_cast<const int32_t*>(&bitmap[18]), 64);
    EXPECT_EQ(*reinterpret_cast<const int32_t*>(&bitmap[22]), 48);
    EXPECT_PRED3(Near, BmpPixel(bitmap, 10, 10), 0xC81E1Eu, 16);
    EXPECT_EQ(ReadBytes(source), jpeg);  // the library file is not touched
}

TEST_F(PictureFiles, ClearPartsAreSavedOverWhite) {
    const auto png = LoadPicture(Write(L"g.png", Encode(GUID_ContainerFormatPng, 20, 10, [](int x, int) {
        return x < 10 ? kGreen : x < 15 ? 0x80FF0000 : kClear;  // opaque, half-clear red, clear
    })));
    const auto wmf = LoadPicture(Write(L"d.wmf", PlaceableMetafile(60, 40, 96, {0, 0, 30, 40}, RGB(0, 0, 255))));
    ASSERT_TRUE(png && wmf);
    ASSERT_TRUE(SaveBitmap24(*png, folder_.File(L"png.bmp")));
    ASSERT_TRUE(SaveBitmap24(*wmf, folder_.File(L"wmf.bmp")));
    const std::string fromPng = ReadBytes(folder_.File(L"png.bmp"));
    EXPECT_EQ(BmpPixel(fromPng, 2, 5), 0x00FF00u);
    EXPECT_PRED3(Near, BmpPixel(fromPng, 12, 5), 0xFF7F7Fu, 2);
    EXPECT_EQ(BmpPixel(fromPng, 18, 5), 0xFFFFFFu);
    const std::string fromWmf = ReadBytes(folder_.File(L"wmf.bmp"));
    EXPECT_EQ(BmpPixel(fromWmf, 10, 20), 0x0000FFu);
    EXPECT_EQ(BmpPixel(fromWmf, 50, 20), 0xFFFFFFu);
}

TEST_F(PictureFiles, AFailedSaveLeavesTheOldFile) {
    const auto bmp = LoadPicture(Write(L"a.bmp", Bmp24(8, 8, Halves(kRed, kBlue, 8))));
    ASSERT_TRUE(bmp);
    // No such folder.
    const std::wstring nowhere = folder_.File(L"no-such-folder\\wallpaper.bmp");
    EXPECT_FALSE(SaveBitmap24(*bmp, nowhere));
    EXPECT_FALSE(FileExists(nowhere));
    // An old bitmap marked read-only is not ours to replace.
    const std::wstring locked = Write(L"wallpaper.bmp", "old wallpaper");
    ASSERT_TRUE(::SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(SaveBitmap24(*bmp, locked));
    EXPECT_EQ(ReadBytes(locked), "old wallpaper");
    EXPECT_FALSE(FileExists(locked + L".new"));
    // The new bitmap cannot be written beside the old one.
    ::SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_TRUE(::CreateDirectoryW((locked + L".new").c_str(), nullptr));
    EXPECT_FALSE(SaveBitmap24(*bmp, locked));
    EXPECT_EQ(ReadBytes(locked), "old wallpaper");
    ::RemoveDirectoryW((locked + L".new").c_str());
    // No picture at all.
    ::SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_FALSE(SaveBitmap24(Picture(), locked));
    EXPECT_EQ(ReadBytes(locked), "old wallpaper");
}

TEST_F(PictureFiles, AHeaderOverTheBudgetIsRefusedWithoutReadingTheRest) {
    // A PNG that claims 100,000 x 100,000 pixels, two megabytes long.
    std::string forged = std::string("\x89PNG\r\n\x1a\n", 8) + std::string("\0\0\0\x0dIHDR", 8);
    forged += std::string("\x00\x01\x86\xa0\x00\x01\x86\xa0\x08\x06\0\0\0", 13) + std::string(4, '\0');
    forged.resize(2u << 20, 'x');
    const std::wstring forgedPath = Write(L"forged.png", forged);
    // A sound bitmap as long, read whole.
    const std::wstring soundPath = Write(L"sound.bmp", Bmp24(1000, 700, Halves(kRed, kBlue, 1000)));
    std::string bytes;
    // Only the head is read of the forged file: what came back is all of it.
    EXPECT_EQ(ReadPictureFile(forgedPath, bytes), FileRead::Refused);
    EXPECT_EQ(bytes.size(), kPictureHeadBytes);
    EXPECT_FALSE(LoadPicture(forgedPath));
    EXPECT_EQ(ReadPictureFile(soundPath, bytes), FileRead::Ok);
    EXPECT_EQ(bytes.size(), 54u + 3000u * 700u);
    const auto sound = LoadPicture(soundPath);
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->width(), 1000);
    // Not a picture at all: the head is all that is read.
    EXPECT_EQ(ReadPictureFile(Write(L"long.txt", std::string(1u << 20, 't')), bytes), FileRead::Refused);
    EXPECT_EQ(bytes.size(), kPictureHeadBytes);
}

TEST_F(PictureFiles, AJpegWhoseSizeFollowsMoreMetadataThanTheHeadStillLoads) {
    // Application segments of padding between the start and the frame
    // header push the picture's size past the head.
    const std::string jpeg = SmallJpeg();
    std::string padded = jpeg.substr(0, 2);
    for (size_t added = 0; added <= kPictureHeadBytes; added += 65535 + 2) {
        padded += std::string("\xFF\xEF\xFF\xFF", 4) + std::string(65533, 'p');
    }
    padded += jpeg.substr(2);
    const auto picture = LoadPicture(Write(L"padded.jpg", padded));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width(), 64);
    EXPECT_EQ(picture->height(), 48);
}

TEST_F(PictureFiles, RepeatedLoadsLeaveNoHandlesBehind) {
    const Rgba palette[4] = {kRed, kGreen, kBlue, 0xFFFFFFFF};
    const std::vector<std::wstring> paths = {
        Write(L"a.bmp", Bmp24(40, 30, Halves(kRed, kBlue, 40))),
        Write(L"b.ico", IconFile(1, 16, [](int, int) { return kYellow; })),
        Write(L"c.cur", IconFile(2, 32, [](int, int) { return kMagenta; })),
        Write(L"d.wmf", PlaceableMetafile(60, 40, 96, {0, 0, 30, 40}, RGB(0, 0, 255))),
        Write(L"e.gif", Gif(8, 4, palette, [](int x, int) { return x % 4; })),
        Write(L"f.jpg", SmallJpeg()),
        Write(L"g.png", Encode(GUID_ContainerFormatPng, 20, 10, Halves(kGreen, kClear, 20))),
        Write(L"h.wmf", Metafile({10, 10, 50, 40}, RGB(255, 0, 0))),
        Write(L"i.txt", "not a picture"),
    };
    auto cycle = [&] {
        for (const auto& path : paths) {
            auto picture = LoadPicture(path);
            if (picture) SaveBitmap24(*picture, folder_.File(L"out.bmp"));
        }
    };
    cycle();  // the decoders' own first-use allocations
    const long bitmaps = UniqueBitmap::live(), dcs = UniqueMemoryDc::live(), files = UniqueFile::live();
    const std::vector<HANDLE> kernelBefore = LowestFreeKernelHandles();
    for (int i = 0; i < 40; ++i) cycle();
    EXPECT_EQ(UniqueBitmap::live(), bitmaps);
    EXPECT_EQ(UniqueMemoryDc::live(), dcs);
    EXPECT_EQ(UniqueFile::live(), files);
    EXPECT_EQ(LowestFreeKernelHandles(), kernelBefore);
}

}  // namespace
}  // namespace velmora
