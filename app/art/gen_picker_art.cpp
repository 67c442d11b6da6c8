// Pictures of the colour picker.
// PLACEHOLDER: plain shapes until the finished drawings replace them.
#include "art_draw.h"

namespace art {

int WritePickerArt(const std::string& dir) {
    Canvas pipette(113, 86);
    pipette.Fill(Capsule({20, 70}, {100, 10}, 6), Solid(Silver().mid));
    WriteAlphaBmp(pipette, dir + "/pipette.bmp");
    Canvas cross(16, 16);
    cross.Fill(Union(Capsule({3, 3}, {13, 13}, 2), Capsule({13, 3}, {3, 13}, 2)), Solid(Red().mid));
    WriteAlphaIcon({&cross}, dir + "/cross.ico");
    return 0;
}

}  // namespace art
