#include "platform/units.h"

#include <cmath>
#include <limits>

namespace velmora {

int RoundHalfEven(double value) {
    // Done by hand rather than with nearbyint so that the result does not
    // depend on the floating-point rounding mode someone else may have set.
    const double lower = std::floor(value);
    const double fraction = value - lower;
    double result = lower;
    if (fraction > 0.5) {
        result = lower + 1.0;
    } else if (fraction == 0.5) {
        result = std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
    }
    // Saturate rather than overflow: a size far out of range, or NaN from a
    // zero twips-per-pixel, must not become undefined behaviour.
    if (std::isnan(result)) return 0;
    if (result <= static_cast<double>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
    if (result >= static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
    return static_cast<int>(result);
}

int TwipsToPixels(double twips, double twipsPerPixel) { return RoundHalfEven(twips / twipsPerPixel); }

}  // namespace velmora
