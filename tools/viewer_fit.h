// The picture viewer's sizing rules (the fit and scale steps of its load),
// in twips, computed in floating point with each 7/8 product reduced to
// single precision before it is compared.
#pragma once

namespace velmora::tools {

struct ViewerSizes {
    double imageWidth, imageHeight;    // Image1
    double windowWidth, windowHeight;  // the window
};

// Initial sizes: window 454 x 327 pixels, Image1 417 x 297 pixels (in twips
// at the given twips per pixel).
ViewerSizes InitialViewerSizes(double twipsPerPixelX, double twipsPerPixelY);

// The load's steps 3 and 4 for a picture of natural size pw x ph twips,
// starting from `start`.
ViewerSizes FitViewer(ViewerSizes start, double pw, double ph);

}  // namespace velmora::tools
