#include "wallpaper/screen_layout.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <vector>

namespace velmora::wallpaper {
namespace {

TEST(PlaceOnMonitor, FillCoversAndCropsEvenlyFitShowsAllWithBands) {
    // A 16:9 picture fitted to 1280 x 800: 1280 x 720, 40 rows above and below.
    const Placement fit = PlaceOnMonitor(Position::Fit, 1920, 1080, 1280, 800);
    EXPECT_EQ(fit.w, 1280);
    EXPECT_EQ(fit.h, 720);
    EXPECT_EQ(fit.x, 0);
    EXPECT_EQ(fit.y, 40);
    // A 4:3 landscape picture filling a portrait monitor: full height, the
    // middle 1687.5 columns of 4000.
    const Placement fill = PlaceOnMonitor(Position::Fill, 4000, 3000, 1080, 1920);
    EXPECT_EQ(fill.w, 1080);
    EXPECT_EQ(fill.h, 1920);
    EXPECT_DOUBLE_EQ(fill.source.width, 1687.5);
    EXPECT_DOUBLE_EQ(fill.source.x, (4000 - 1687.5) / 2);
    EXPECT_DOUBLE_EQ(fill.source.height, 3000);
    // A picture 1 x 10000: Fill crops it to a sliver of rows, Fit draws a
    // strip one pixel wide, centred.
    const Placement sliver = PlaceOnMonitor(Position::Fill, 1, 10000, 1280, 800);
    EXPECT_DOUBLE_EQ(sliver.source.height, 0.625);
    EXPECT_EQ(sliver.w * sliver.h, 1280 * 800);
    const Placement strip = PlaceOnMonitor(Position::Fit, 1, 10000, 1280, 800);
    EXPECT_EQ(strip.w, 1);
    EXPECT_EQ(strip.h, 800);
    EXPECT_EQ(strip.x, 639);
}

TEST(PlaceOnMonitor, CentreKeepsTheOwnSizeAndCutsWhatOverhangs) {
    const Placement small = PlaceOnMonitor(Position::Centre, 100, 50, 1280, 800);
    EXPECT_EQ(small.x, 590);
    EXPECT_EQ(small.y, 375);
    EXPECT_EQ(small.w, 100);
    EXPECT_DOUBLE_EQ(small.source.width, 100);
    const Placement large = PlaceOnMonitor(Position::Centre, 3000, 900, 1280, 800);
    EXPECT_EQ(large.x, 0);
    EXPECT_EQ(large.w, 1280);
    EXPECT_DOUBLE_EQ(large.source.x, 860);
    EXPECT_DOUBLE_EQ(large.source.width, 1280);
    EXPECT_DOUBLE_EQ(large.source.y, 50);
    EXPECT_TRUE(PlaceOnMonitor(Position::Tile, 10, 10, 1280, 800).tiled);
}

TEST(PiecesOnBitmap, MonitorsLeftOfOrAboveThePrimaryWrapToWhereTheTilingBringsThem) {
    const std::vector<MonitorArea> monitors = {{0, 0, 1920, 1080}, {-1080, -400, 1080, 1920}};
    const ScreenBox box = BoxAround(monitors);
    EXPECT_EQ(box.width, 3000);
    EXPECT_EQ(box.height, 1920);
    const std::vector<BitmapPiece> primary = PiecesOnBitmap(monitors[0], box);
    ASSERT_EQ(primary.size(), 1u);
    EXPECT_EQ(primary[0].bitmapX, 0);
    EXPECT_EQ(primary[0].bitmapY, 0);
    // x from -1080: bitmap column 1920 on; y from -400: its first 400 rows
    // at the bottom of the bitmap, the rest from the top.
    const std::vector<BitmapPiece> left = PiecesOnBitmap(monitors[1], box);
    ASSERT_EQ(left.size(), 2u);
    EXPECT_EQ(left[0].bitmapX, 1920);
    EXPECT_EQ(left[0].bitmapY, 1520);
    EXPECT_EQ(left[0].height, 400);
    EXPECT_EQ(left[1].bitmapY, 0);
    EXPECT_EQ(left[1].monitorY, 400);
    EXPECT_EQ(left[1].height, 1520);
    // Every bitmap pixel belongs to at most one monitor.
    std::map<std::pair<int, int>, int> covered;
    for (const MonitorArea& m : monitors) {
        for (const BitmapPiece& p : PiecesOnBitmap(m, box)) {
            EXPECT_GE(p.bitmapX, 0);
            EXPECT_LE(p.bitmapX + p.width, box.width);
            EXPECT_LE(p.bitmapY + p.height, box.height);
            ++covered[{p.bitmapX, p.bitmapY}];
        }
    }
    for (const auto& [at, n] : covered) EXPECT_EQ(n, 1);
}

// One solid 2 x 2 picture per colour.
PixelView Solid(std::vector<std::uint8_t>& store, std::uint8_t b, std::uint8_t g, std::uint8_t r, int w = 2,
                int h = 2) {
    store.clear();
    for (int i = 0; i < w * h; ++i) store.insert(store.end(), {b, g, r});
    return {store.data(), w * 3, w, h, 3};
}

TEST(ComposeScreen, EachMonitorShowsItsPictureInItsRectangleBandByBandFromTheBottom) {
    std::vector<std::uint8_t> red, blue;
    const std::vector<MonitorPicture> monitors = {
        {{0, 0, 1280, 800}, Solid(red, 0, 0, 200, 16, 9), Position::Fit},
        {{1280, 0, 800, 1280}, Solid(blue, 200, 0, 0), Position::Fill},
    };
    const std::size_t stride = BitmapStride(2080);
    std::vector<std::uint8_t> bitmap(stride * 1280);
    int expectedEnd = 1280, bands = 0;
    ASSERT_TRUE(ComposeScreen(monitors, 0x102030, 100, [&](const std::uint8_t* rows, std::size_t s, int top, int n) {
        EXPECT_EQ(s, stride);
        EXPECT_EQ(top + n, expectedEnd);
        expectedEnd = top;
        ++bands;
        std::copy(rows, rows + s * static_cast<size_t>(n), bitmap.begin() + static_cast<std::ptrdiff_t>(s * top));
        return true;
    }));
    EXPECT_EQ(expectedEnd, 0);
    EXPECT_EQ(bands, 13);
    const auto pixel = [&](int x, int y) {
        const std::uint8_t* p = &bitmap[stride * static_cast<size_t>(y) + static_cast<size_t>(x) * 3];
        return static_cast<std::uint32_t>(p[2]) << 16 | p[1] << 8 | p[0];
    };
    EXPECT_EQ(pixel(640, 39), 0x102030u);  // the band above the fitted picture
    EXPECT_EQ(pixel(640, 40), 0xC80000u);
    EXPECT_EQ(pixel(640, 759), 0xC80000u);
    EXPECT_EQ(pixel(640, 760), 0x102030u);
    EXPECT_EQ(pixel(1280, 0), 0x0000C8u);  // filled: no background anywhere
    EXPECT_EQ(pixel(2079, 1279), 0x0000C8u);
    EXPECT_EQ(pixel(0, 1000), 0x102030u);  // below the landscape monitor
}

TEST(ComposeScreen, SixMonitorsAreComposedAndAScreenTooLargeOrEmptyIsRefused) {
    std::vector<std::uint8_t> grey;
    const PixelView picture = Solid(grey, 90, 90, 90);
    std::vector<MonitorPicture> six;
    for (int i = 0; i < 6; ++i) six.push_back({{(i % 3) * 640, (i / 3) * 480, 640, 480}, picture, Position::Stretch});
    long long rows = 0;
    EXPECT_TRUE(ComposeScreen(six, 0, 64, [&](const std::uint8_t* p, std::size_t s, int, int n) {
        for (int r = 0; r < n; ++r) EXPECT_EQ(p[s * static_cast<size_t>(r) + 3 * 1919], 90);
        rows += n;
        return true;
    }));
    EXPECT_EQ(rows, 960);
    const auto never = [](const std::uint8_t*, std::size_t, int, int) { return true; };
    EXPECT_FALSE(ComposeScreen({}, 0, 64, never));
    const std::vector<MonitorPicture> huge = {{{0, 0, 7680, 4320}, picture, Position::Fill},
                                              {{7680, 0, 7680, 4320}, picture, Position::Fill},
                                              {{0, 4320, 7680, 4320}, picture, Position::Fill},
                                              {{7680, 4320, 7680, 4320}, picture, Position::Fill},
                                              {{0, 8640, 7680, 4320}, picture, Position::Fill},
                                              {{7680, 8640, 7680, 4320}, picture, Position::Fill}};
    EXPECT_FALSE(ComposeScreen(huge, 0, 64, never));  // six 8K monitors: 600 MB of bitmap
    EXPECT_FALSE(ComposeScreen(six, 0, 64, [](const std::uint8_t*, std::size_t, int, int) { return false; }));
}

TEST(Suits, PortraitMonitorsTakePortraitPicturesAndSquaresSuitEither) {
    const MonitorArea landscape{0, 0, 1280, 800}, portrait{1280, 0, 800, 1280};
    EXPECT_TRUE(Suits(landscape, 4000, 3000));
    EXPECT_FALSE(Suits(landscape, 3000, 4000));
    EXPECT_TRUE(Suits(portrait, 3000, 4000));
    EXPECT_FALSE(Suits(portrait, 4000, 3000));
    EXPECT_TRUE(Suits(portrait, 500, 500));
}

}  // namespace
}  // namespace velmora::wallpaper
