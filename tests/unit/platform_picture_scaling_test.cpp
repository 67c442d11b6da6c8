#include "platform/picture_scaling.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace velmora {
namespace {

// A grey picture of `width` x `height` whose pixel values a test sets.
struct Grey {
    int width, height;
    std::vector<std::uint8_t> bytes = std::vector<std::uint8_t>(static_cast<size_t>(width * height * 3));
    void Set(int x, int y, std::uint8_t v) {
        for (int c = 0; c < 3; ++c) bytes[static_cast<size_t>((y * width + x) * 3 + c)] = v;
    }
    PixelView View() const { return {bytes.data(), width * 3, width, height, 3}; }
};

std::vector<int> RowOf(Resampler& r, int y, int width) {
    std::vector<std::uint8_t> out(static_cast<size_t>(width) * 3);
    r.RenderRow(y, 0, width, out.data(), 0);
    std::vector<int> values;
    for (int x = 0; x < width; ++x) values.push_back(out[static_cast<size_t>(x) * 3]);
    return values;
}

TEST(Resampler, ReducingAveragesWhatEachPixelCoversInsteadOfPickingOne) {
    // A one-pixel checkerboard halved: every pixel the mean, where nearest
    // neighbour would give all black or all white.
    Grey board{8, 8};
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) board.Set(x, y, (x + y) % 2 ? 255 : 0);
    }
    Resampler half(board.View(), {0, 0, 8, 8}, 4, 4);
    for (int y = 0; y < 4; ++y) EXPECT_EQ(RowOf(half, y, 4), (std::vector<int>{128, 128, 128, 128}));
    // A third of the way: a pixel covering 8/3 columns weighs the partial one.
    Grey stripe{3, 1};
    stripe.Set(0, 0, 0), stripe.Set(1, 0, 90), stripe.Set(2, 0, 255);
    Resampler toTwo(stripe.View(), {0, 0, 3, 1}, 2, 1);
    EXPECT_EQ(RowOf(toTwo, 0, 2), (std::vector<int>{30, 200}));  // (0 + 90/2) / 1.5, (90/2 + 255) / 1.5
}

TEST(Resampler, EnlargingBlendsBetweenNeighboursAndKeepsFlatAreasExact) {
    Grey edge{2, 1};
    edge.Set(0, 0, 0), edge.Set(1, 0, 200);
    Resampler wide(edge.View(), {0, 0, 2, 1}, 8, 1);
    const std::vector<int> row = RowOf(wide, 0, 8);
    EXPECT_EQ(row.front(), 0);
    EXPECT_EQ(row.back(), 200);
    for (size_t i = 1; i < row.size(); ++i) EXPECT_LE(row[i - 1], row[i]);
    EXPECT_GT(row[4], 0);  // a step in between, not a jump from one to the other
    EXPECT_LT(row[3], 200);

    Grey flat{5, 3};
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) flat.Set(x, y, 77);
    }
    for (const auto& [w, h] : {std::pair{13, 7}, std::pair{2, 1}, std::pair{5, 3}, std::pair{1, 11}}) {
        Resampler r(flat.View(), {0.3, 0.7, 4.1, 1.9}, w, h);
        for (int y = 0; y < h; ++y) EXPECT_EQ(RowOf(r, y, w), std::vector<int>(static_cast<size_t>(w), 77));
    }
}

TEST(Resampler, ThinSourcesAndPartsOfRowsStayInsideThePicture) {
    // One column of 10000 rows, a fraction of a row per output row, and a
    // strip one pixel wide: nothing read outside, every value a real one.
    Grey thin{1, 10000};
    for (int y = 0; y < 10000; ++y) thin.Set(0, y, static_cast<std::uint8_t>(y % 251));
    Resampler fill(thin.View(), {0, 4999.6875, 1, 0.625}, 1280, 800);
    const std::vector<int> first = RowOf(fill, 0, 1280);
    EXPECT_EQ(first, std::vector<int>(1280, first[0]));
    Resampler strip(thin.View(), {0, 0, 1, 10000}, 1, 800);
    EXPECT_EQ(RowOf(strip, 799, 1).size(), 1u);
    // A part of a row equals the same part of the whole row.
    Grey ramp{50, 2};
    for (int x = 0; x < 50; ++x) ramp.Set(x, 0, static_cast<std::uint8_t>(x * 5)), ramp.Set(x, 1, 9);
    Resampler r(ramp.View(), {0, 0, 50, 2}, 37, 3);
    const std::vector<int> whole = RowOf(r, 1, 37);
    std::vector<std::uint8_t> part(3 * 10);
    r.RenderRow(1, 20, 30, part.data(), 0);
    for (int x = 0; x < 10; ++x) EXPECT_EQ(part[static_cast<size_t>(x) * 3], whole[static_cast<size_t>(20 + x)]);
}

TEST(Resampler, APictureWithAlphaLiesOverTheBackground) {
    // Premultiplied: half-transparent red over blue, and a clear pixel.
    const std::uint8_t pixels[] = {0, 0, 128, 128, 0, 0, 0, 0};
    Resampler r({pixels, 8, 2, 1, 4}, {0, 0, 2, 1}, 2, 1);
    std::uint8_t out[6] = {};
    r.RenderRow(0, 0, 2, out, 0x0000FF);  // blue background
    EXPECT_EQ(out[0], 127);  // blue: half of the background
    EXPECT_EQ(out[2], 128);  // red: the picture's
    EXPECT_EQ(out[3], 255);  // the clear pixel: background only
    EXPECT_EQ(out[5], 0);
}

}  // namespace
}  // namespace velmora
