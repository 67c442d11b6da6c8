#include "tools/viewer_fit.h"

namespace velmora::tools {

namespace {

// Seven eighths of a window side, reduced to single precision as the sizes
// are compared: the comparisons must fall on the same side as the sizes the
// window system holds.
float SevenEighths(double side) { return static_cast<float>(side * 7 / 8); }

void ShowAsImage(ViewerSizes& s, double width, double height) {
    s.imageWidth = width;
    s.imageHeight = height;
    s.windowWidth = width;
    s.windowHeight = height;
}

}  // namespace

ViewerSizes InitialViewerSizes(double twipsPerPixelX, double twipsPerPixelY) {
    return {417 * twipsPerPixelX, 297 * twipsPerPixelY, 454 * twipsPerPixelX, 327 * twipsPerPixelY};
}

ViewerSizes FitViewer(ViewerSizes start, double pw, double ph) {
    ViewerSizes s = start;
    // Fits inside 7/8 of the window both ways: natural size.
    if (SevenEighths(s.windowWidth) > pw && SevenEighths(s.windowHeight) > ph) ShowAsImage(s, pw, ph);

    // Then, from the window as it is now, shrink to 7/8 of the window along
    // the picture's longer side, keeping its shape. A square picture is left
    // as it is.
    const float w78 = SevenEighths(s.windowWidth);
    const float h78 = SevenEighths(s.windowHeight);
    if (pw > ph && w78 < pw) {
        ShowAsImage(s, w78, static_cast<double>(w78) * ph / pw);
    } else if (pw < ph && h78 < ph) {
        ShowAsImage(s, static_cast<double>(h78) * pw / ph, h78);
    }
    return s;
}

}  // namespace velmora::tools
