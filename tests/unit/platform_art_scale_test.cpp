// The artwork drawn for a scale: sizes rounded as the layouts round them,
// pictures drawn afresh (not the 96-dpi pixels enlarged), the skin still
// tiling, and filling near a shape's bounds drawing what filling
// everywhere would.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "resources/art/artwork.h"
#include "resources/ids.h"

namespace {

using namespace art;

TEST(ArtScale, DesignLengthsRoundHalfUpAsMulDivDoes) {
    EXPECT_EQ(DesignToPixels(410, 96), 410);
    EXPECT_EQ(DesignToPixels(27, 144), 41);  // 40.5
    EXPECT_EQ(DesignToPixels(28, 144), 42);
    EXPECT_EQ(DesignToPixels(15, 120), 19);  // 18.75
    EXPECT_EQ(DesignToPixels(30, 168), 53);  // 52.5
    EXPECT_EQ(DesignToPixels(-3, 144), -5);  // -4.5, away from zero as MulDiv
    for (int dpi : {120, 144, 168, 192, 240, 288}) {
        const Bitmap cell = *DrawBitmapResource(IDB_CELL_FIRST + 4, dpi);
        EXPECT_EQ(cell.width, DesignToPixels(CellWidth(4), dpi)) << dpi;
        EXPECT_EQ(cell.height, DesignToPixels(kCellHeight, dpi)) << dpi;
        const Bitmap button = *DrawBitmapResource(IDB_CAPTION_BUTTON_FIRST + 2, dpi);
        EXPECT_EQ(button.width, DesignToPixels(kButtonWidth[2], dpi)) << dpi;
        EXPECT_EQ(button.bits, 24) << dpi;
    }
}

// Alpha of a premultiplied bitmap at (x, y), rows top to bottom.
int AlphaAt(const Bitmap& b, int x, int y) { return b.rows[(size_t(b.height - 1 - y) * b.width + x) * 4 + 3]; }

TEST(ArtScale, TwiceTheDpiIsDrawnForItNotEnlarged) {
    for (int i = 0; i < kCellCount; ++i) {
        const Bitmap small = *DrawBitmapResource(IDB_CELL_FIRST + i, 96);
        const Bitmap large = *DrawBitmapResource(IDB_CELL_FIRST + i, 192);
        ASSERT_EQ(large.width, 2 * small.width);
        // An enlarged picture is made of 2 x 2 blocks of one pixel each; a
        // drawn one has its edges inside the blocks.
        int blocks = 0, uniform = 0;
        for (int y = 0; y + 1 < large.height; y += 2)
            for (int x = 0; x + 1 < large.width; x += 2) {
                const int a = AlphaAt(large, x, y);
                if (a == 0 || a == 255) continue;
                ++blocks;
                uniform += a == AlphaAt(large, x + 1, y) && a == AlphaAt(large, x, y + 1) &&
                           a == AlphaAt(large, x + 1, y + 1);
            }
        EXPECT_LT(uniform * 4, blocks) << "cell " << i << ": its edges look enlarged";
        // Edges as sharp: the steepest step of coverage between neighbours
        // is as steep as at 96 (a smoothed enlargement halves it).
        auto steepest = [](const Bitmap& b) {
            int most = 0;
            for (int y = 0; y < b.height; ++y)
                for (int x = 0; x + 1 < b.width; ++x) most = std::max(most, std::abs(AlphaAt(b, x, y) - AlphaAt(b, x + 1, y)));
            return most;
        };
        EXPECT_GE(steepest(large) * 10, steepest(small) * 8) << "cell " << i;
    }
}

TEST(ArtScale, SkinStillTilesAtEveryScale) {
    for (int dpi : {120, 144, 192, 240}) {
        const Bitmap skin = *DrawBitmapResource(IDB_SKIN, dpi);
        ASSERT_EQ(skin.width, DesignToPixels(kSkinW, dpi));
        const auto at = [&](int x, int y) {
            const uint8_t* p = &skin.rows[size_t(skin.height - 1 - y) * ((skin.width * 3 + 3) & ~3) + size_t(x) * 3];
            return p[0] | p[1] << 8 | p[2] << 16;
        };
        const int tile = DesignToPixels(kSkinTile, dpi), mid = DesignToPixels(200, dpi);
        // the top band between the title picture and the buttons, the rows
        // the windows repeat down the sides, and the client's grey
        for (int y = 0; y < tile; ++y)
            for (int x = DesignToPixels(32, dpi); x < DesignToPixels(kButtonLeft[0] - 1, dpi); ++x)
                ASSERT_EQ(at(x, y), at(mid, y)) << dpi << " top band at " << x << "," << y;
        for (int y = DesignToPixels(kBandBottom + 2, dpi); y < skin.height - DesignToPixels(13, dpi); ++y)
            for (int x = 0; x < skin.width; ++x) ASSERT_EQ(at(x, y), at(x, tile + tile / 2)) << dpi << " row " << y;
        EXPECT_EQ(at(skin.width / 2, skin.height / 2), 0xF8F8F8) << dpi;
        // the frame's outline is still there, on the same side of the edge
        EXPECT_NE(at(DesignToPixels(3, dpi), skin.height / 2), 0xF8F8F8) << dpi;
    }
}

TEST(ArtScale, FillingNearTheBoundsDrawsWhatFillingEverywhereDraws) {
    const Shape shapes[] = {
        Rotated(Ellipse(20, 14, 9, 3.5f), 20, 14, 33),
        Union(Capsule({4, 4}, {30, 20}, 1.2f), Circle(34, 8, 3)),
        Outline(Box(6, 5, 26, 23, 4), 1.5f),
        Inter(Grow(Poly({{2, 2}, {35, 6}, {20, 27}}), 0.8f), Above(18)),
    };
    for (int dpi : {96, 144, 192}) {
        for (const Shape& s : shapes) {
            Canvas bounded = Canvas::At(40, 30, dpi), whole = Canvas::At(40, 30, dpi);
            bounded.Fill(s, Solid(Hex(0x3366CC)));
            whole.Fill(Shape(s.distance), Solid(Hex(0x3366CC)));
            float drawn = 0;
            for (size_t i = 0; i < whole.px.size(); ++i) {
                ASSERT_EQ(bounded.px[i].a, whole.px[i].a) << dpi << " pixel " << i;
                drawn += whole.px[i].a;
            }
            EXPECT_GT(drawn, 10.0f) << dpi;
        }
    }
}

}  // namespace
