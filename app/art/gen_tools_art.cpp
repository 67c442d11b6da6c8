// Pictures of the web-search box and the recycle-bin emptier.
// PLACEHOLDER: plain shapes until the finished drawings replace them.
#include "art_draw.h"

namespace art {

int WriteToolsArt(const std::string& dir) {
    const Tone tones[] = {Green(), Blue(), Red(), Yellow(), Tone{Hex(0xC05050), Hex(0x902020), Hex(0x601010), Hex(0x400808)}};
    for (int i = 0; i < 5; ++i) {
        Canvas cv(65, 66);
        cv.Fill(Circle(32, 30, 28), Solid(tones[i].mid));
        WriteAlphaBmp(cv, dir + "/mushroom" + std::to_string(i) + ".bmp");
    }
    Image grass(391, 66);
    for (int y = 0; y < 66; ++y)
        for (int x = 0; x < 391; ++x) grass.at(x, y) = Green().mid;
    WriteBmp(grass, dir + "/grass.bmp");
    Canvas ball(32, 32);
    ball.Fill(Circle(16, 16, 15), Solid(Red().mid));
    WriteAlphaIcon({&ball}, dir + "/ball.ico");
    Image title(325, 25);
    for (int y = 0; y < 25; ++y)
        for (int x = 0; x < 325; ++x) title.at(x, y) = Green().dark;
    WriteBmp(title, dir + "/bin_title.bmp");
    Canvas bin16(16, 16), bin32(32, 32);
    bin16.Fill(Box(3, 2, 13, 15), Solid(Silver().mid));
    bin32.Fill(Box(6, 4, 26, 30), Solid(Silver().mid));
    WriteAlphaIcon({&bin16, &bin32}, dir + "/bin.ico");
    return 0;
}

}  // namespace art
