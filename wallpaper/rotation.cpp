#include "wallpaper/rotation.h"

#include <cmath>

namespace velmora::wallpaper {

int AdvanceSelection(int selection, int count) {
    if (count <= 0) return -1;
    // The last entry wraps to the first; so does a selection left over from
    // a longer list.
    if (selection < -1 || selection + 1 >= count) return 0;
    return selection + 1;
}

int RandomIndex(int count, double r) {
    if (count <= 0) return -1;
    if (!(r >= 0)) r = 0;  // also NaN
    const double scaled = std::floor(static_cast<double>(count) * r);
    if (scaled >= count) return count - 1;
    return static_cast<int>(scaled);
}

RotationStep NextPicture(Order order, int selection, int count, double r) {
    if (order == Order::Sequential) {
        const int next = AdvanceSelection(selection, count);
        return {next, next};
    }
    // Any entry, the same one possibly twice in a row.
    return {RandomIndex(count, r), selection};
}

int SelectionAfterFailure(Order order, int selection, int count) {
    return order == Order::Random ? AdvanceSelection(selection, count) : selection;
}

}  // namespace velmora::wallpaper
