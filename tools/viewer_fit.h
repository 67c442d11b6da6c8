// The picture viewer's sizing rules (the fit and scale steps of its load),
// in twips, computed in floating point with each 7/8 product reduced to
// single precision before it is compared.
#pragma once

namespace velmora::tools {

struct ViewerSizes {
    double imageWidth, imageHeight;    // the picture area
    double windowWidth, windowHeight;  // the window
};

// The sizes every viewer starts from: window 454 x 327 pixels, picture area
// 417 x 297 pixels, in twips at the given twips per pixel.
ViewerSizes InitialViewerSizes(double twipsPerPixelX, double twipsPerPixelY);

// The fit and scale steps for a picture of natural size pw x ph twips,
// starting from `start`.
ViewerSizes FitViewer(ViewerSizes start, double pw, double ph);

}  // namespace velmora::tools
