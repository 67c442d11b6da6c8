#include "platform/picture_header.h"

#include <algorithm>
#include <cstdlib>

namespace velmora {

namespace {

// Little- and big-endian readers; callers check the length first.
uint32_t U8(std::string_view b, size_t at) { return static_cast<unsigned char>(b[at]); }
uint32_t Le16(std::string_view b, size_t at) { return U8(b, at) | U8(b, at + 1) << 8; }
uint32_t Le32(std::string_view b, size_t at) { return Le16(b, at) | Le16(b, at + 2) << 16; }
uint32_t Be16(std::string_view b, size_t at) { return U8(b, at) << 8 | U8(b, at + 1); }
uint32_t Be32(std::string_view b, size_t at) { return Be16(b, at) << 16 | Be16(b, at + 2); }

PictureHeader Damaged(PictureFormat format) { return {HeaderStatus::Damaged, format, 0, 0, 0}; }

PictureHeader Sized(PictureFormat format, uint32_t width, uint32_t height, uint64_t largest = 0) {
    if (width == 0 || height == 0) return Damaged(format);
    const uint64_t pixels = uint64_t{width} * height;
    return {HeaderStatus::Ok, format, width, height, std::max(pixels, largest)};
}

bool StartsWith(std::string_view b, std::string_view sig) { return b.substr(0, sig.size()) == sig; }

PictureHeader ReadBmp(std::string_view b) {
    // BITMAPFILEHEADER (14 bytes), then the size of the info header.
    if (b.size() < 18) return Damaged(PictureFormat::Bmp);
    const uint32_t infoSize = Le32(b, 14);
    if (infoSize == 12) {  // BITMAPCOREHEADER: 16-bit sides
        if (b.size() < 26) return Damaged(PictureFormat::Bmp);
        return Sized(PictureFormat::Bmp, Le16(b, 18), Le16(b, 20));
    }
    if (infoSize < 40 || b.size() < 26) return Damaged(PictureFormat::Bmp);
    const auto width = static_cast<int32_t>(Le32(b, 18));
    const auto height = static_cast<int32_t>(Le32(b, 22));  // negative: top-down rows
    if (width <= 0 || height == 0 || height == INT32_MIN) return Damaged(PictureFormat::Bmp);
    return Sized(PictureFormat::Bmp, static_cast<uint32_t>(width), static_cast<uint32_t>(std::abs(height)));
}

PictureHeader ReadPngAt(std::string_view b, size_t at, PictureFormat format) {
    // Signature, then the IHDR chunk: length, "IHDR", width, height.
    if (b.size() < at + 24 || b.substr(at + 12, 4) != "IHDR") return Damaged(format);
    const uint32_t width = Be32(b, at + 16), height = Be32(b, at + 20);
    if (width > 0x7FFFFFFF || height > 0x7FFFFFFF) return Damaged(format);
    return Sized(format, width, height);
}

constexpr std::string_view kPngSignature("\x89PNG\r\n\x1A\n", 8);

PictureHeader ReadIconFile(std::string_view b, PictureFormat format) {
    // ICONDIR (6 bytes) and 16-byte entries. Each entry's own header is read
    // too: an embedded PNG or DIB may claim far more than the directory's
    // one-byte sides.
    const uint32_t count = Le16(b, 4);
    if (count == 0 || b.size() < 6 + 16 * size_t{count}) return Damaged(format);
    uint32_t firstWidth = 0, firstHeight = 0;
    uint64_t largest = 0;
    for (uint32_t i = 0; i < count; ++i) {
        const size_t entry = 6 + 16 * size_t{i};
        uint32_t width = U8(b, entry) ? U8(b, entry) : 256;
        uint32_t height = U8(b, entry + 1) ? U8(b, entry + 1) : 256;
        const size_t offset = Le32(b, entry + 12);
        if (offset < b.size() && StartsWith(b.substr(offset), kPngSignature)) {
            const PictureHeader png = ReadPngAt(b, offset, format);
            if (png.status != HeaderStatus::Ok) return Damaged(format);
            width = png.width;
            height = png.height;
        } else if (offset + 12 <= b.size()) {
            // BITMAPINFOHEADER: the height counts the colour rows and the mask.
            const auto w = static_cast<int32_t>(Le32(b, offset + 4));
            const auto h = static_cast<int32_t>(Le32(b, offset + 8));
            if (w <= 0 || h <= 0) return Damaged(format);
            largest = std::max(largest, uint64_t(uint32_t(w)) * uint32_t(h));
        }
        largest = std::max(largest, uint64_t{width} * height);
        if (i == 0) {
            firstWidth = width;
            firstHeight = height;
        }
    }
    return Sized(format, firstWidth, firstHeight, largest);
}

PictureHeader ReadGif(std::string_view b) {
    if (b.size() < 13) return Damaged(PictureFormat::Gif);
    const uint32_t width = Le16(b, 6), height = Le16(b, 8);
    // Walk to the first image descriptor: a frame larger than the logical
    // screen is what a decoder allocates.
    size_t at = 13;
    if (U8(b, 10) & 0x80) at += 3u << ((U8(b, 10) & 7) + 1);  // global colour table
    uint64_t largest = 0;
    while (at < b.size()) {
        const uint32_t block = U8(b, at);
        if (block == 0x2C) {  // image descriptor
            if (at + 9 > b.size()) break;
            largest = uint64_t{Le16(b, at + 5)} * Le16(b, at + 7);
            break;
        }
        if (block != 0x21 || at + 2 > b.size()) break;  // only extensions come before it
        at += 2;                                        // introducer and label
        while (at < b.size() && U8(b, at) != 0) at += U8(b, at) + 1;
        ++at;  // the terminating empty sub-block
    }
    return Sized(PictureFormat::Gif, width, height, largest);
}

bool IsStartOfFrame(uint32_t marker) {
    // SOF0..SOF15 without DHT (C4), JPG (C8) and DAC (CC).
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

PictureHeader ReadJpeg(std::string_view b) {
    size_t at = 2;
    for (;;) {
        if (at >= b.size() || U8(b, at) != 0xFF) return Damaged(PictureFormat::Jpeg);
        while (at < b.size() && U8(b, at) == 0xFF) ++at;  // fill bytes
        if (at >= b.size()) return Damaged(PictureFormat::Jpeg);
        const uint32_t marker = U8(b, at++);
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) continue;  // no length
        // The image data (SOS) or its end before any frame header: nothing
        // tells the size.
        if (marker == 0xDA || marker == 0xD9 || marker == 0xD8 || marker == 0x00) return Damaged(PictureFormat::Jpeg);
        if (at + 2 > b.size()) return Damaged(PictureFormat::Jpeg);
        const uint32_t length = Be16(b, at);
        if (length < 2) return Damaged(PictureFormat::Jpeg);
        if (IsStartOfFrame(marker)) {
            // Length, precision, height, width.
            if (length < 7 || at + 7 > b.size()) return Damaged(PictureFormat::Jpeg);
            return Sized(PictureFormat::Jpeg, Be16(b, at + 5), Be16(b, at + 3));
        }
        at += length;
    }
}

PictureHeader ReadPlaceableWmf(std::string_view b) {
    // Key, handle, bounding box (left, top, right, bottom) in metafile units,
    // units per inch.
    if (b.size() < 22) return Damaged(PictureFormat::PlaceableWmf);
    const auto left = static_cast<int16_t>(Le16(b, 6)), top = static_cast<int16_t>(Le16(b, 8));
    const auto right = static_cast<int16_t>(Le16(b, 10)), bottom = static_cast<int16_t>(Le16(b, 12));
    const uint32_t inch = Le16(b, 14);
    if (inch == 0) return Damaged(PictureFormat::PlaceableWmf);
    const auto toPixels = [inch](int units) {
        return static_cast<uint32_t>((static_cast<uint64_t>(std::abs(units)) * 96 + inch / 2) / inch);
    };
    return Sized(PictureFormat::PlaceableWmf, toPixels(right - left), toPixels(bottom - top));
}

PictureHeader ReadBareWmf(std::string_view b) {
    // METAHEADER: type 1 (memory) or 2 (disk), header size 9 words, version
    // 0x100 or 0x300, the whole size in words.
    if (b.size() < 18) return Damaged(PictureFormat::Wmf);
    const uint32_t sizeWords = Le32(b, 6);
    if (sizeWords < 9) return Damaged(PictureFormat::Wmf);
    return {HeaderStatus::Ok, PictureFormat::Wmf, 0, 0, 0};
}

}  // namespace

PictureHeader ReadPictureHeader(std::string_view b) {
    if (StartsWith(b, kPngSignature)) return ReadPngAt(b, 0, PictureFormat::Png);
    if (StartsWith(b, "\xFF\xD8\xFF")) return ReadJpeg(b);
    if (StartsWith(b, "GIF87a") || StartsWith(b, "GIF89a")) return ReadGif(b);
    if (StartsWith(b, "BM")) return ReadBmp(b);
    if (StartsWith(b, std::string_view("\xD7\xCD\xC6\x9A", 4))) return ReadPlaceableWmf(b);
    if (b.size() >= 6 && (Le16(b, 0) == 1 || Le16(b, 0) == 2) && Le16(b, 2) == 9 &&
        (Le16(b, 4) == 0x100 || Le16(b, 4) == 0x300)) {
        return ReadBareWmf(b);
    }
    if (b.size() >= 6 && Le16(b, 0) == 0 && (Le16(b, 2) == 1 || Le16(b, 2) == 2)) {
        return ReadIconFile(b, Le16(b, 2) == 1 ? PictureFormat::Ico : PictureFormat::Cur);
    }
    return {};
}

bool WithinBudget(const PictureHeader& header, uint64_t budget) {
    return header.status == HeaderStatus::Ok && header.largestPixels <= budget;
}

}  // namespace velmora
