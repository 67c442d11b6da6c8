#include "platform/scale.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(UsableDpi, KeepsWindowsScalesAndBringsNonsenseIntoRange) {
    for (int dpi : {96, 120, 144, 168, 192, 240, 288, 480}) EXPECT_EQ(UsableDpi(dpi), dpi);
    EXPECT_EQ(UsableDpi(72), 96) << "below 100 % the texts would be too small to read";
    EXPECT_EQ(UsableDpi(0), 96) << "a failed call";
    EXPECT_EQ(UsableDpi(-144), 96);
    EXPECT_EQ(UsableDpi(481), 480);
    EXPECT_EQ(UsableDpi(0xFFFFFFFFLL), 480);
}

TEST(ScaleDesign, RoundsHalvesAwayFromZeroAsMulDivDoes) {
    EXPECT_EQ(ScaleDesign(50, 96), 50);
    EXPECT_EQ(ScaleDesign(50, 144), 75);
    EXPECT_EQ(ScaleDesign(50, 120), 63) << "62.5";
    EXPECT_EQ(ScaleDesign(-50, 120), -63);
    EXPECT_EQ(ScaleDesign(373, 192), 746);
    EXPECT_EQ(ScaleDesign(1, 120), 1);
    EXPECT_EQ(ScaleDesign(0, 480), 0);
}

TEST(ScaleDesign, NeighbouringPlacesStayNeighboursAtEveryScale) {
    // Two pieces side by side in the design, 25 and 38 wide: scaling each
    // size alone would leave a gap or an overlap of a pixel at 125 %.
    for (int dpi = 96; dpi <= 480; ++dpi) {
        const DesignRect a = ScaleDesign(DesignRect{13, 7, 25, 9}, dpi);
        const DesignRect b = ScaleDesign(DesignRect{38, 16, 38, 9}, dpi);
        ASSERT_EQ(a.x + a.w, b.x) << dpi;
        ASSERT_EQ(a.y + a.h, b.y) << dpi;
        ASSERT_NEAR(a.w, 25.0 * dpi / 96, 1.0) << dpi;
    }
}

TEST(Twips, ConvertAtTheGivenDpiSoThatAPlaceKeepsItsMeaning) {
    EXPECT_EQ(TwipsToPixelsAt(7800, 96), 520);
    EXPECT_EQ(TwipsToPixelsAt(7800, 144), 780);
    EXPECT_EQ(TwipsToPixelsAt(5600, 144), 560);
    EXPECT_EQ(TwipsToPixelsAt(5600, 96), 373);
    EXPECT_EQ(TwipsToPixelsAt(5600, 192), 747);
    EXPECT_EQ(TwipsToPixelsAt(1000, 120), 83) << "83.33";
    EXPECT_DOUBLE_EQ(PixelsToTwipsAt(100, 96), 1500);
    EXPECT_DOUBLE_EQ(PixelsToTwipsAt(150, 144), 1500) << "the same inch and a bit at 150 %";
    EXPECT_DOUBLE_EQ(TwipsPerPixelAt(0), 15) << "no DPI counts as 96, never a division by zero";
    for (int dpi : {96, 120, 144, 192, 480}) {
        for (int px : {-32000, -1, 0, 1, 67, 1279}) EXPECT_EQ(TwipsToPixelsAt(PixelsToTwipsAt(px, dpi), dpi), px);
    }
}

TEST(DpiThatFits, LowersTheDpiOnlyAsFarAsTheAreaNeeds) {
    EXPECT_EQ(DpiThatFits(144, 520, 373, 1280, 770), 144);
    EXPECT_EQ(DpiThatFits(192, 520, 373, 1280, 770), 192) << "1040 x 746";
    // LogPixels 480 on a 1280 x 800 screen: the panel would be 2600 px wide.
    const int fits = DpiThatFits(480, 520, 373, 1280, 770);
    EXPECT_LE(ScaleDesign(373, fits), 770);
    EXPECT_GT(ScaleDesign(373, fits + 1), 770) << "the greatest that fits";
    EXPECT_EQ(DpiThatFits(144, 520, 373, 300, 200), 96) << "never below the design";
    EXPECT_EQ(DpiThatFits(144, 520, 373, 0, 0), 144) << "no monitor known";
}

}  // namespace
}  // namespace velmora
