#include "platform/scale.h"

#include <algorithm>
#include <cstdint>

#include "platform/units.h"

namespace velmora {

int UsableDpi(long long reported) {
    if (reported <= 0) return kDesignDpi;
    return static_cast<int>(std::clamp<long long>(reported, kLeastDpi, kMostDpi));
}

int ScaleDesign(int design, int dpi) {
    const std::int64_t product = std::int64_t{design} * dpi;
    const std::int64_t half = kDesignDpi / 2;
    return static_cast<int>(product >= 0 ? (product + half) / kDesignDpi : -((-product + half) / kDesignDpi));
}

DesignRect ScaleDesign(const DesignRect& design, int dpi) {
    const int left = ScaleDesign(design.x, dpi), top = ScaleDesign(design.y, dpi);
    return {left, top, ScaleDesign(design.x + design.w, dpi) - left, ScaleDesign(design.y + design.h, dpi) - top};
}

double TwipsPerPixelAt(int dpi) { return static_cast<double>(kTwipsPerInch) / UsableDpi(dpi); }

int TwipsToPixelsAt(double twips, int dpi) { return TwipsToPixels(twips, TwipsPerPixelAt(dpi)); }

double PixelsToTwipsAt(int pixels, int dpi) { return pixels * TwipsPerPixelAt(dpi); }

int DpiThatFits(int dpi, int width, int height, int areaWidth, int areaHeight) {
    if (areaWidth <= 0 || areaHeight <= 0 || width <= 0 || height <= 0) return dpi;
    // Whole steps down from `dpi`: at most a few hundred, done once per layout.
    int fits = dpi;
    while (fits > kLeastDpi && (ScaleDesign(width, fits) > areaWidth || ScaleDesign(height, fits) > areaHeight)) {
        --fits;
    }
    return fits;
}

}  // namespace velmora
