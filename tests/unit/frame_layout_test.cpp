#include "frame/frame_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <vector>

#include "platform/units.h"

namespace velmora::frame {

// Readable failure messages.
void PrintTo(const Rect& r, std::ostream* os) { *os << "(" << r.x << ", " << r.y << " " << r.w << "x" << r.h << ")"; }
void PrintTo(const Blit& b, std::ostream* os) {
    PrintTo(b.src, os);
    *os << " -> ";
    PrintTo(b.dst, os);
}
void PrintTo(const RoundRegion& r, std::ostream* os) {
    *os << "(" << r.left << ", " << r.top << ")-(" << r.right << ", " << r.bottom << ") ellipse " << r.ellipse;
}

namespace {

TEST(SkinBlits, PanelSizePaintsEveryPieceInOrder) {
    const int sw = 520, sh = 373, iw = 410, ih = 387;
    const std::vector<Blit> blits = SkinBlits(sw, sh, iw, ih);
    ASSERT_EQ(blits.size(), 10u * 2 + 9u * 2 + 4);

    std::size_t i = 0;
    for (int x = 0; x <= 450; x += 50) {
        EXPECT_EQ(blits[i++], (Blit{{200, 0, 50, 50}, {x, 0, 50, 50}})) << "top tile at " << x;
        EXPECT_EQ(blits[i++], (Blit{{200, 337, 50, 50}, {x, 323, 50, 50}})) << "bottom tile at " << x;
    }
    for (int y = 0; y <= 400; y += 50) {
        EXPECT_EQ(blits[i++], (Blit{{0, 50, 50, 50}, {0, y, 50, 50}})) << "left tile at " << y;
        EXPECT_EQ(blits[i++], (Blit{{360, 50, 50, 50}, {470, y, 50, 50}})) << "right tile at " << y;
    }
    EXPECT_EQ(blits[i++], (Blit{{0, 0, 200, 50}, {0, 0, 200, 50}}));
    EXPECT_EQ(blits[i++], (Blit{{210, 0, 200, 50}, {320, 0, 200, 50}}));
    EXPECT_EQ(blits[i++], (Blit{{0, 337, 50, 50}, {0, 323, 52, 50}}));
    EXPECT_EQ(blits[i++], (Blit{{360, 337, 50, 50}, {470, 323, 50, 50}}));
}

// How many tiles each loop yields at the edges of its condition.
TEST(SkinBlits, TileCountsAtTheLoopBoundaries) {
    const auto count = [](const std::vector<Blit>& blits, int srcX, int srcY, int dstX, int dstY, bool byX) {
        int n = 0;
        for (const Blit& b : blits) {
            if (b.src.x == srcX && b.src.y == srcY && (byX ? b.dst.y == dstY : b.dst.x == dstX)) ++n;
        }
        return n;
    };
    const struct {
        int sw, sh;
        int topTiles, sideTiles;
    } cases[] = {
        {40, 100, 0, 4},    // narrower than a tile: no top tiles; y = 0..150
        {50, 100, 1, 4},    // exactly one tile wide
        {99, 100, 1, 4},
        {100, 100, 2, 4},
        {520, 350, 10, 9},  // y reaches sh + 50 exactly
        {520, 349, 10, 8},
    };
    const int iw = 410, ih = 387;
    for (const auto& c : cases) {
        const std::vector<Blit> blits = SkinBlits(c.sw, c.sh, iw, ih);
        // Top tiles come from (200, 0) and land on row 0; left tiles come
        // from (0, 50) and land on column 0.
        EXPECT_EQ(count(blits, 200, 0, 0, 0, true), c.topTiles) << c.sw << "x" << c.sh;
        EXPECT_EQ(count(blits, 0, 50, 0, 0, false), c.sideTiles) << c.sw << "x" << c.sh;
        EXPECT_EQ(blits.size(), static_cast<std::size_t>(2 * c.topTiles + 2 * c.sideTiles + 4)) << c.sw;
    }
}

TEST(SkinBlits, CornersArePaintedLastEvenWithoutTopTiles) {
    const std::vector<Blit> blits = SkinBlits(40, 100, 410, 387);
    ASSERT_GE(blits.size(), 4u);
    const std::vector<Blit> corners(blits.end() - 4, blits.end());
    const std::vector<Blit> expected = {
        {{0, 0, 200, 50}, {0, 0, 200, 50}},
        {{210, 0, 200, 50}, {-160, 0, 200, 50}},
        {{0, 337, 50, 50}, {0, 50, 52, 50}},
        {{360, 337, 50, 50}, {-10, 50, 50, 50}},
    };
    EXPECT_EQ(corners, expected);
}

TEST(FrameRegions, SkinRegionAddsTheExtraBeforeRounding) {
    EXPECT_EQ(SkinRegion(520, 373, 0, 0), (RoundRegion{1, 1, 520, 373, 20}));
    EXPECT_EQ(SkinRegion(519.5, 372.5, 0, 0), (RoundRegion{1, 1, 520, 372, 20}));
    // Rounding first would give 518 + 1 and 372 + 1.
    EXPECT_EQ(SkinRegion(518.5, 372.5, 1, 1), (RoundRegion{1, 1, 520, 374, 20}));
    EXPECT_EQ(SkinRegion(520, 373, 10, -3), (RoundRegion{1, 1, 530, 370, 20}));
}


TEST(CaptionButtons, SitSideBySideFromTheRightEdge) {
    EXPECT_EQ(CaptionButtonPlace(0, 520), (Rect{416, 4, 28, 15}));
    EXPECT_EQ(CaptionButtonPlace(1, 520), (Rect{444, 4, 27, 15}));
    EXPECT_EQ(CaptionButtonPlace(2, 520), (Rect{471, 4, 42, 15}));
    for (int dpi : {96, 120, 144, 168, 192, 240, 288}) {
        for (int width : {300, 520, 800}) {
            // Each button ends where the next begins, and the close button
            // stays inside the client area, 7 design pixels from its edge.
            for (int i = 0; i + 1 < kCaptionButtonCount; ++i) {
                const Rect r = CaptionButtonPlace(i, width, dpi), next = CaptionButtonPlace(i + 1, width, dpi);
                EXPECT_EQ(r.x + r.w, next.x) << "button " << i << " at width " << width << ", " << dpi << " dpi";
            }
            const Rect last = CaptionButtonPlace(kCaptionButtonCount - 1, width, dpi);
            EXPECT_EQ(last.x + last.w, width - ScaleDesign(7, dpi)) << dpi << " dpi";
        }
    }
    EXPECT_EQ(CaptionButtonPlace(3, 520).w, 0);
    EXPECT_EQ(CaptionButtonPlace(-1, 520, 144).w, 0);
}

TEST(CaptionButtons, GrowWithTheScaleWithinAPixel) {
    for (int dpi : {120, 144, 192, 480}) {
        for (int i = 0; i < kCaptionButtonCount; ++i) {
            const Rect at96 = CaptionButtonPlace(i, 520, 96);
            const Rect scaled = CaptionButtonPlace(i, ScaleDesign(520, dpi), dpi);
            EXPECT_NEAR(scaled.x, at96.x * dpi / 96.0, 1.0) << i << " at " << dpi;
            EXPECT_NEAR(scaled.w, at96.w * dpi / 96.0, 1.0) << i << " at " << dpi;
            EXPECT_NEAR(scaled.h, at96.h * dpi / 96.0, 1.0) << i << " at " << dpi;
        }
    }
}

TEST(SkinBlits, AtAnyScaleTheTilesAndCornersCoverTheWholeEdgeOfTheScaledSkin) {
    for (int dpi : {120, 144, 192, 288}) {
        const int sw = ScaleDesign(520, dpi), sh = ScaleDesign(373, dpi);
        const int iw = ScaleDesign(410, dpi), ih = ScaleDesign(387, dpi);
        const int tile = ScaleDesign(50, dpi);
        std::vector<bool> top(static_cast<std::size_t>(sw)), left(static_cast<std::size_t>(sh));
        for (const Blit& b : SkinBlits(sw, sh, iw, ih, dpi)) {
            // Every piece comes from inside the skin picture.
            EXPECT_GE(b.src.x, 0);
            EXPECT_LE(b.src.x + b.src.w, iw) << dpi;
            EXPECT_LE(b.src.y + b.src.h, ih) << dpi;
            EXPECT_EQ(b.src.h, tile) << "pieces are one tile high at " << dpi;
            if (b.dst.y == 0) {
                for (int x = std::max(0, b.dst.x); x < std::min(sw, b.dst.x + b.dst.w); ++x) top[x] = true;
            }
            if (b.dst.x == 0) {
                for (int y = std::max(0, b.dst.y); y < std::min(sh, b.dst.y + b.dst.h); ++y) left[y] = true;
            }
        }
        EXPECT_EQ(std::count(top.begin(), top.end(), false), 0) << "top edge at " << dpi;
        EXPECT_EQ(std::count(left.begin(), left.end(), false), 0) << "left edge at " << dpi;
    }
}

TEST(FrameRegions, TheCornerEllipseAndOriginScale) {
    EXPECT_EQ(SkinRegion(780, 560, 0, 0, 144), (RoundRegion{2, 2, 780, 560, 30}));
    EXPECT_EQ(SkinRegion(1040, 747, 0, 0, 192), (RoundRegion{2, 2, 1040, 747, 40}));
}

TEST(HitTest, BandsAndCornersScaleWithTheWindow) {
    const Edges w{0, 0, 1040, 746};  // the panel at 192 dpi
    EXPECT_EQ(HitTest({29, 29}, w, 192), Zone::TopLeft);
    EXPECT_EQ(HitTest({30, 29}, w, 192), Zone::Interior) << "past the 30 x 30 corner";
    EXPECT_EQ(HitTest({300, 5}, w, 192), Zone::Top);
    EXPECT_EQ(HitTest({300, 6}, w, 192), Zone::Interior);
    EXPECT_EQ(HitTest({13, 300}, w, 192), Zone::Left);
    EXPECT_EQ(HitTest({14, 300}, w, 192), Zone::Interior);
    EXPECT_EQ(HitTest({1026, 300}, w, 192), Zone::Interior);
    EXPECT_EQ(HitTest({1027, 300}, w, 192), Zone::Right);
    // The caption buttons, 8 below the top at 192, lie outside the top band.
    const Rect close = CaptionButtonPlace(2, 1040, 192);
    EXPECT_EQ(HitTest({close.x + 5, close.y}, w, 192), Zone::Interior);
}

TEST(HitTest, ZonesOfThePanelWindow) {
    const Edges w{100, 100, 620, 473};
    const struct {
        int x, y;
        Zone zone;
        const char* why;
    } cases[] = {
        // Points named with the rule.
        {105, 200, Zone::Left, "left band"},
        {110, 200, Zone::Interior, "past the left band"},
        {150, 102, Zone::Top, "top band"},
        {150, 103, Zone::Interior, "past the top band"},
        {110, 110, Zone::TopLeft, "top-left corner"},
        {610, 465, Zone::BottomRight, "bottom-right corner"},
        {614, 300, Zone::Right, "right band"},
        {612, 300, Zone::Interior, "inside the right band's edge"},
        // Row 1: top-left corner, 15 x 15.
        {114, 114, Zone::TopLeft, "last top-left pixel"},
        {115, 114, Zone::Interior, "right of the top-left corner"},
        {114, 115, Zone::Interior, "below the top-left corner"},
        {102, 102, Zone::TopLeft, "also in the top and left bands"},
        // Row 2: bottom-right corner.
        {606, 459, Zone::BottomRight, "first bottom-right pixel"},
        {605, 459, Zone::Interior, "left of the bottom-right corner"},
        {606, 458, Zone::Interior, "above the bottom-right corner"},
        {615, 470, Zone::BottomRight, "also in the bottom and right bands"},
        // Row 3: top-right corner.
        {606, 114, Zone::TopRight, "first top-right pixel"},
        {605, 114, Zone::Interior, "left of the top-right corner"},
        {606, 115, Zone::Interior, "below the top-right corner"},
        {606, 102, Zone::TopRight, "also in the top band: the corner comes first"},
        {615, 110, Zone::TopRight, "also in the right band"},
        // Row 4: bottom-left corner.
        {114, 459, Zone::BottomLeft, "first bottom-left pixel"},
        {115, 459, Zone::Interior, "right of the bottom-left corner"},
        {114, 458, Zone::Interior, "above the bottom-left corner"},
        {105, 470, Zone::BottomLeft, "also in the bottom and left bands"},
        // Row 5: top band, 3 deep.
        {300, 100, Zone::Top, "top row"},
        {300, 50, Zone::Top, "above the window"},
        {300, 103, Zone::Interior, "fourth row"},
        // Row 6: bottom band, 7 deep.
        {300, 467, Zone::Bottom, "first bottom-band row"},
        {300, 466, Zone::Interior, "above the bottom band"},
        {300, 472, Zone::Bottom, "last row"},
        // Row 7: left band, 7 deep.
        {106, 300, Zone::Left, "last left-band column"},
        {107, 300, Zone::Interior, "past the left band"},
        {50, 300, Zone::Left, "left of the window"},
        // Row 8: right band, 7 deep.
        {614, 300, Zone::Right, "first right-band column"},
        {613, 300, Zone::Interior, "left of the right band"},
        {619, 300, Zone::Right, "last column"},
        {700, 300, Zone::Right, "right of the window"},
        // Row 9.
        {360, 286, Zone::Interior, "middle"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(HitTest({c.x, c.y}, w), c.zone) << "(" << c.x << ", " << c.y << "): " << c.why;
    }
}

TEST(HitTest, FollowsTheWindowWhereverItIs) {
    // The same offsets from the edges give the same zones anywhere on the
    // screen, including left of and above the primary monitor.
    for (const Edges w : {Edges{0, 0, 520, 373}, Edges{-1000, -500, -480, -127}, Edges{1920, 40, 2440, 413}}) {
        EXPECT_EQ(HitTest({w.left + 3, w.top + 200}, w), Zone::Left);
        EXPECT_EQ(HitTest({w.right - 3, w.top + 200}, w), Zone::Right);
        EXPECT_EQ(HitTest({w.left + 200, w.top + 1}, w), Zone::Top);
        EXPECT_EQ(HitTest({w.left + 200, w.bottom - 3}, w), Zone::Bottom);
        EXPECT_EQ(HitTest({w.left + 1, w.bottom - 1}, w), Zone::BottomLeft);
        EXPECT_EQ(HitTest({w.right - 1, w.top + 1}, w), Zone::TopRight);
        EXPECT_EQ(HitTest({w.left + 200, w.top + 200}, w), Zone::Interior);
    }
}

TEST(HitTest, ZonesMapToPointersAndHitTestCodes) {
    const struct {
        Zone zone;
        Pointer pointer;
        int code;
    } cases[] = {
        {Zone::Top, Pointer::SizeNS, 12},          {Zone::Bottom, Pointer::SizeNS, 15},
        {Zone::Left, Pointer::SizeWE, 10},         {Zone::Right, Pointer::SizeWE, 11},
        {Zone::TopLeft, Pointer::SizeNWSE, 13},    {Zone::BottomRight, Pointer::SizeNWSE, 17},
        {Zone::BottomLeft, Pointer::SizeNESW, 16}, {Zone::TopRight, Pointer::SizeNESW, 14},
        {Zone::Interior, Pointer::Default, 2},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ZonePointer(c.zone), c.pointer) << static_cast<int>(c.zone);
        EXPECT_EQ(ZoneHitTestCode(c.zone), c.code) << static_cast<int>(c.zone);
    }
}

}  // namespace
}  // namespace velmora::frame
