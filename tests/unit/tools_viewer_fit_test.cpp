// The viewer's fit and scale steps, in twips.
#include "tools/viewer_fit.h"

#include <gtest/gtest.h>

namespace velmora::tools {
namespace {

constexpr double kTwips = 15;  // twips per pixel at 96 dots per inch

ViewerSizes FitPixels(double w, double h) {
    return FitViewer(InitialViewerSizes(kTwips, kTwips), w * kTwips, h * kTwips);
}

TEST(ViewerFit, EveryRowOfTheSizeTable) {
    const struct {
        double pw, ph;            // picture, pixels
        double width, height;     // shown as, pixels
        bool windowIsImage;       // the window takes the image's size
    } rows[] = {
        {1024, 768, 397.25, 397.25 * 768 / 1024, true},   // 397.25 x 297.9
        {600, 800, 286.125 * 600 / 800, 286.125, true},   // 214.6 x 286.125
        {200, 100, 175, 87.5, true},                      // natural size, then 7/8 of it
        {100, 200, 87.5, 175, true},
        {100, 100, 100, 100, true},                       // natural size only
        {390, 300, 417, 297, false},                      // nothing acts
        {500, 500, 417, 297, false},
    };
    for (const auto& r : rows) {
        const ViewerSizes s = FitPixels(r.pw, r.ph);
        SCOPED_TRACE(testing::Message() << r.pw << " x " << r.ph);
        EXPECT_NEAR(s.imageWidth / kTwips, r.width, 1e-9);
        EXPECT_NEAR(s.imageHeight / kTwips, r.height, 1e-9);
        if (r.windowIsImage) {
            EXPECT_EQ(s.windowWidth, s.imageWidth);
            EXPECT_EQ(s.windowHeight, s.imageHeight);
        } else {
            EXPECT_DOUBLE_EQ(s.windowWidth, 454 * kTwips);
            EXPECT_DOUBLE_EQ(s.windowHeight, 327 * kTwips);
        }
    }
}

TEST(ViewerFit, ComparisonsAreStrictAtSevenEighths) {
    // 7/8 of 454 x 327 pixels is 397.25 x 286.125: a picture exactly that
    // wide is not "smaller", and not "larger" either.
    const ViewerSizes atWidth = FitPixels(397.25, 100);
    EXPECT_DOUBLE_EQ(atWidth.windowWidth, 454 * kTwips);
    EXPECT_DOUBLE_EQ(atWidth.imageWidth, 417 * kTwips);
    const ViewerSizes overWidth = FitPixels(397.3, 100);
    EXPECT_NEAR(overWidth.imageWidth / kTwips, 397.25, 1e-9);
    const ViewerSizes underHeight = FitPixels(100, 286.1);
    EXPECT_NEAR(underHeight.windowHeight / kTwips, 286.1 * 7 / 8, 1e-9);  // natural, then 7/8
}

TEST(ViewerFit, SevenEighthsIsReducedToSinglePrecisionBeforeComparing) {
    // A window whose 7/8 rounds up in single precision, and a picture exactly
    // as wide as the exact 7/8: by the exact value it would not fit, by the
    // reduced value it does, so it is first shown at natural size and then
    // scaled to 7/8 of that.
    double window = 1000.1;
    while (static_cast<double>(static_cast<float>(window * 7 / 8)) <= window * 7 / 8) window += 0.1;
    const double pw = window * 7 / 8, ph = 1;
    const ViewerSizes s = FitViewer({900, 900, window, window}, pw, ph);
    EXPECT_EQ(s.imageWidth, static_cast<double>(static_cast<float>(pw * 7 / 8)));
    EXPECT_EQ(s.windowWidth, s.imageWidth);
    EXPECT_LT(s.imageWidth, pw);
}

}  // namespace
}  // namespace velmora::tools
