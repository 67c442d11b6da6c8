// The program's pictures, drawn from their shapes at any DPI. The same code
// draws the 96-dpi pictures the generator stores in Velmora.exe and, in the
// program, the pictures for any other scale, so that nothing is ever a
// stretched copy. Every design coordinate is multiplied by dpi / 96 and a
// picture of w x h design pixels is DesignToPixels(w) x DesignToPixels(h).
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "art_draw.h"

namespace art {

// ---- the skinned windows' frame (96-dpi design)
//
// The skin is itself the picture of a 410 x 387 window; the panel copies
// its 50-pixel edges and corners. A title band 30 high, blue borders 4 wide,
// then the client grey.
inline constexpr int kSkinW = 410, kSkinH = 387;
inline constexpr int kSkinTile = 50;    // the depth of the pieces the windows copy
inline constexpr int kBandBottom = 31;  // the title band covers rows 2..30
inline constexpr int kBorder = 4;       // the blue border on the other three sides
inline constexpr int kButtonTop = 4, kButtonHeight = 15;
inline constexpr int kButtonLeft[3] = {306, 334, 361};
inline constexpr int kButtonWidth[3] = {28, 27, 42};
inline constexpr int kTitlePictureSize = 18, kTitlePictureLeft = 12, kTitlePictureTop = 8;

inline Rgb FrameOutline() { return Hex(0x1D3F70); }
inline Rgb ClientGrey() { return {248, 248, 248}; }

// The skin (its middle, which no window shows, is left plain client grey
// above 96 dpi), a caption button (state 0 at rest, 1 under the pointer, 2
// pressed; button 0 minimise, 1 restore, 2 close), the launcher panel's
// cells (30 or 40 x 30) and its title picture (the program icon at `size`).
Canvas DrawSkin(int dpi);
Canvas DrawCaptionButton(int state, int index, int dpi);
inline constexpr int kCellCount = 20, kCellHeight = 30;
int CellWidth(int index);
Canvas DrawCell(int index, int dpi);
Canvas DrawTitlePicture(int size);

// ---- the web-search box and the colour picker. Their windows are keyed
// on pure white: these pictures have hard outlines and no pure white.
inline constexpr int kMushroomCount = 5, kMushroomW = 65, kMushroomH = 66;
inline constexpr int kGrassW = 391, kGrassH = 66;
inline constexpr int kBallSize = 32;
inline constexpr int kPipetteW = 113, kPipetteH = 86;
inline constexpr Rgb kKeyWhite{255, 255, 255};
Canvas DrawMushroom(int index, int dpi);
Canvas DrawGrass(int dpi);
Canvas DrawBall(int size);
Canvas DrawPipette(int dpi);
Canvas DrawCross(int size);

// ---- the stored form

// A bitmap as a BMP file holds it: bottom-up rows padded to four bytes,
// 24-bit (a picture flattened onto its background) or 32-bit with
// premultiplied alpha (what AlphaBlend wants).
struct Bitmap {
    int width = 0, height = 0, bits = 0;
    std::vector<uint8_t> rows;
};
Bitmap Flattened(const Canvas& cv, Rgb background);
Bitmap Premultiplied(const Canvas& cv);
// An icon's picture: 32-bit straight (not premultiplied) alpha, bottom-up.
Bitmap StraightAlpha(const Canvas& cv);

// The bitmap resource `id` (resources/ids.h) drawn at `dpi`, as the
// resource holds it at 96 dpi; nothing for an id that is no bitmap.
std::optional<Bitmap> DrawBitmapResource(int id, int dpi);
// The icon resource `id` drawn `size` pixels square; nothing for an id that
// is drawn here in no size (the program icon comes from its resource).
std::optional<Bitmap> DrawIconResource(int id, int size);

}  // namespace art
