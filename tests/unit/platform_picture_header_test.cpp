#include "platform/picture_header.h"

#include <gtest/gtest.h>

#include <string>

namespace velmora {
namespace {

std::string Le16(uint32_t v) { return {char(v & 0xFF), char(v >> 8 & 0xFF)}; }
std::string Le32(uint32_t v) { return Le16(v & 0xFFFF) + Le16(v >> 16); }
std::string Be16(uint32_t v) { return {char(v >> 8 & 0xFF), char(v & 0xFF)}; }
std::string Be32(uint32_t v) { return Be16(v >> 16) + Be16(v & 0xFFFF); }

std::string Bmp(int32_t width, int32_t height) {
    return "BM" + Le32(54 + 4) + Le32(0) + Le32(54) + Le32(40) + Le32(uint32_t(width)) + Le32(uint32_t(height)) +
           Le16(1) + Le16(24) + std::string(24, '\0') + std::string(4, '\0');
}

std::string Png(uint32_t width, uint32_t height) {
    return std::string("\x89PNG\r\n\x1A\n", 8) + Be32(13) + "IHDR" + Be32(width) + Be32(height) +
           std::string("\x08\x06\0\0\0", 5) + Be32(0);
}

// SOI, an APP0 segment, a quantisation table, then the frame header.
std::string Jpeg(uint32_t width, uint32_t height, char sof = '\xC0') {
    std::string app0 = std::string("\xFF\xE0", 2) + Be16(16) + std::string("JFIF\0\1\1\0\0\1\0\1\0\0", 14);
    std::string dqt = std::string("\xFF\xDB", 2) + Be16(67) + std::string(65, '\x01');
    std::string frame = std::string("\xFF", 1) + sof + Be16(17) + '\x08' + Be16(height) + Be16(width) + '\x03' +
                        std::string(9, '\x11');
    return std::string("\xFF\xD8", 2) + app0 + dqt + frame + std::string("\xFF\xDA", 2) + Be16(12) +
           std::string(10, '\0') + std::string("\xFF\xD9", 2);
}

std::string Gif(uint32_t width, uint32_t height, uint32_t frameW, uint32_t frameH) {
    std::string s = "GIF89a" + Le16(width) + Le16(height) + '\x80' + '\0' + '\0';  // 2-colour global table
    s += std::string(6, '\x7F');
    s += std::string("\x21\xF9\x04\x00\x00\x00\x00\x00", 8);  // graphic control extension
    s += '\x2C' + Le16(0) + Le16(0) + Le16(frameW) + Le16(frameH) + '\0';
    s += std::string("\x02\x02\x44\x01\x00\x3B", 6);
    return s;
}

// Icon directory with one entry per size, each image a 40-byte DIB header.
std::string IconFile(uint16_t type, std::initializer_list<std::pair<int, int>> sizes) {
    std::string dir = Le16(0) + Le16(type) + Le16(uint32_t(sizes.size()));
    std::string images;
    const size_t first = 6 + 16 * sizes.size();
    for (auto [w, h] : sizes) {
        const size_t offset = first + images.size();
        dir += char(w & 0xFF) + std::string(1, char(h & 0xFF)) + std::string(2, '\0') + Le16(1) + Le16(32) +
               Le32(40) + Le32(uint32_t(offset));
        images += Le32(40) + Le32(uint32_t(w)) + Le32(uint32_t(2 * h)) + Le16(1) + Le16(32) + std::string(28, '\0');
    }
    return dir + images;
}

std::string PlaceableWmf(int left, int top, int right, int bottom, int inch) {
    return std::string("\xD7\xCD\xC6\x9A", 4) + Le16(0) + Le16(uint16_t(left)) + Le16(uint16_t(top)) +
           Le16(uint16_t(right)) + Le16(uint16_t(bottom)) + Le16(uint32_t(inch)) + Le32(0) + Le16(0) +
           // the metafile header that follows
           Le16(1) + Le16(9) + Le16(0x300) + Le32(12) + Le16(0) + Le32(3) + Le16(0) + Le32(3) + Le16(0);
}

void ExpectPicture(const std::string& bytes, PictureFormat format, uint32_t w, uint32_t h) {
    const PictureHeader header = ReadPictureHeader(bytes);
    EXPECT_EQ(header.status, HeaderStatus::Ok);
    EXPECT_EQ(header.format, format);
    EXPECT_EQ(header.width, w);
    EXPECT_EQ(header.height, h);
    EXPECT_TRUE(WithinBudget(header, 100'000'000));
}

TEST(PictureHeader, ReadsTheSizeOfEveryFormat) {
    ExpectPicture(Bmp(640, 480), PictureFormat::Bmp, 640, 480);
    ExpectPicture(Bmp(640, -480), PictureFormat::Bmp, 640, 480);  // top-down rows
    ExpectPicture("BM" + std::string(12, '\0') + Le32(12) + Le16(33) + Le16(17) + Le16(1) + Le16(24), PictureFormat::Bmp,
                  33, 17);  // the old core header
    ExpectPicture(Png(1920, 1080), PictureFormat::Png, 1920, 1080);
    ExpectPicture(Jpeg(3840, 2160), PictureFormat::Jpeg, 3840, 2160);
    ExpectPicture(Jpeg(17, 9, '\xC2'), PictureFormat::Jpeg, 17, 9);  // progressive
    ExpectPicture(Gif(320, 200, 320, 200), PictureFormat::Gif, 320, 200);
    ExpectPicture(IconFile(1, {{32, 32}, {16, 16}}), PictureFormat::Ico, 32, 32);
    ExpectPicture(IconFile(2, {{256, 256}}), PictureFormat::Cur, 256, 256);  // written as 0 in the directory
    ExpectPicture(PlaceableWmf(0, 0, 1440, 720, 1440), PictureFormat::PlaceableWmf, 96, 48);
    ExpectPicture(PlaceableWmf(100, 50, 1100, 550, 1000), PictureFormat::PlaceableWmf, 96, 48);
}

TEST(PictureHeader, ABareMetafileIsAPictureWithoutSize) {
    const std::string wmf = Le16(1) + Le16(9) + Le16(0x300) + Le32(12) + Le16(0) + Le32(3) + Le16(0) + Le32(3) + Le16(0);
    const PictureHeader header = ReadPictureHeader(wmf);
    EXPECT_EQ(header.status, HeaderStatus::Ok);
    EXPECT_EQ(header.format, PictureFormat::Wmf);
    EXPECT_EQ(header.width, 0u);
    EXPECT_TRUE(WithinBudget(header, 100'000'000));
}

TEST(PictureHeader, AJpegSizeAfterLongMetadataIsFound) {
    std::string exif = std::string("\xFF\xE1", 2) + Be16(60000) + std::string(59998, 'x');
    std::string jpeg = Jpeg(800, 600);
    jpeg.insert(2, exif + exif);
    ExpectPicture(jpeg, PictureFormat::Jpeg, 800, 600);
    // Fill bytes before a marker are allowed.
    std::string filled = Jpeg(10, 20);
    filled.insert(2, "\xFF\xFF");
    ExpectPicture(filled, PictureFormat::Jpeg, 10, 20);
}

TEST(PictureHeader, ForgedHugeSizesAreOverTheBudget) {
    const uint64_t budget = 100'000'000;
    const PictureHeader jpeg = ReadPictureHeader(Jpeg(60000, 60000));
    EXPECT_EQ(jpeg.status, HeaderStatus::Ok);
    EXPECT_EQ(jpeg.largestPixels, 3'600'000'000ULL);
    EXPECT_FALSE(WithinBudget(jpeg, budget));
    EXPECT_FALSE(WithinBudget(ReadPictureHeader(Png(100000, 100000)), budget));
    EXPECT_FALSE(WithinBudget(ReadPictureHeader(Bmp(20000, -20000)), budget));
    // A GIF whose logical screen is small but whose first frame is huge.
    const PictureHeader gif = ReadPictureHeader(Gif(10, 10, 65535, 65535));
    EXPECT_EQ(gif.width, 10u);
    EXPECT_FALSE(WithinBudget(gif, budget));
    // An icon whose directory says 16 x 16 but whose image says otherwise.
    std::string icon = IconFile(1, {{16, 16}});
    icon.replace(6 + 16 + 4, 4, Le32(50000));
    icon.replace(6 + 16 + 8, 4, Le32(100000));
    EXPECT_FALSE(WithinBudget(ReadPictureHeader(icon), budget));
    // Exactly at the budget is still accepted.
    EXPECT_TRUE(WithinBudget(ReadPictureHeader(Png(10000, 10000)), budget));
    EXPECT_FALSE(WithinBudget(ReadPictureHeader(Png(10000, 10001)), budget));
}

TEST(PictureHeader, TruncatedHeadersAreDamaged) {
    const std::pair<std::string, PictureFormat> files[] = {
        {Bmp(640, 480), PictureFormat::Bmp},
        {Png(10, 10), PictureFormat::Png},
        {Jpeg(10, 10), PictureFormat::Jpeg},
        {Gif(10, 10, 10, 10), PictureFormat::Gif},
        {IconFile(1, {{16, 16}, {32, 32}}), PictureFormat::Ico},
        {PlaceableWmf(0, 0, 100, 100, 96), PictureFormat::PlaceableWmf},
    };
    for (const auto& [bytes, format] : files) {
        const size_t keep = format == PictureFormat::Jpeg ? 2 + 18 + 69 + 6 : format == PictureFormat::Gif ? 10 : 12;
        const PictureHeader header = ReadPictureHeader(bytes.substr(0, keep));
        EXPECT_EQ(header.status, HeaderStatus::Damaged) << static_cast<int>(format);
        EXPECT_EQ(header.format, format);
        EXPECT_FALSE(WithinBudget(header, 100'000'000));
    }
    // Every prefix of a JPEG short of its frame header is damaged, never a
    // size read from beyond the bytes.
    const std::string jpeg = Jpeg(300, 200);
    const size_t frameEnd = 2 + 18 + 69 + 9;
    for (size_t n = 3; n < frameEnd; ++n) {
        EXPECT_EQ(ReadPictureHeader(jpeg.substr(0, n)).status, HeaderStatus::Damaged) << n;
    }
    EXPECT_EQ(ReadPictureHeader(jpeg.substr(0, frameEnd)).status, HeaderStatus::Ok);
}

TEST(PictureHeader, ImpossibleHeadersAreDamaged) {
    EXPECT_EQ(ReadPictureHeader(Bmp(0, 10)).status, HeaderStatus::Damaged);
    EXPECT_EQ(ReadPictureHeader(Bmp(-5, 10)).status, HeaderStatus::Damaged);
    EXPECT_EQ(ReadPictureHeader(Png(0, 10)).status, HeaderStatus::Damaged);
    EXPECT_EQ(ReadPictureHeader(Png(0x80000000u, 1)).status, HeaderStatus::Damaged);
    EXPECT_EQ(ReadPictureHeader(Jpeg(10, 0)).status, HeaderStatus::Damaged);  // height left to a DNL marker
    EXPECT_EQ(ReadPictureHeader(PlaceableWmf(0, 0, 100, 100, 0)).status, HeaderStatus::Damaged);
    EXPECT_EQ(ReadPictureHeader(IconFile(1, {})).status, HeaderStatus::Damaged);
    // A JPEG whose data starts without any frame header.
    const std::string noFrame = std::string("\xFF\xD8\xFF\xDA", 4) + Be16(2) + std::string("\xFF\xD9", 2);
    EXPECT_EQ(ReadPictureHeader(noFrame).status, HeaderStatus::Damaged);
    // A segment length that points nowhere.
    const std::string badLength = std::string("\xFF\xD8\xFF\xE0", 4) + Be16(1);
    EXPECT_EQ(ReadPictureHeader(badLength).status, HeaderStatus::Damaged);
}

TEST(PictureHeader, TextAndOtherFilesAreNotPictures) {
    for (const std::string& bytes : {std::string("readme: pictures go in this folder\r\n"), std::string(),
                                    std::string("B"), std::string("GIF8"), std::string("PK\3\4zipzip", 10),
                                    std::string("\xFF\xD8", 2) /* no marker after SOI */,
                                    std::string("%PDF-1.4\n")}) {
        const PictureHeader header = ReadPictureHeader(bytes);
        EXPECT_EQ(header.status, HeaderStatus::NotAPicture) << bytes;
        EXPECT_EQ(header.format, PictureFormat::Unknown);
        EXPECT_FALSE(WithinBudget(header, 100'000'000));
    }
}

}  // namespace
}  // namespace velmora
