#include "frame/frame_layout.h"

#include "platform/units.h"

namespace velmora::frame {

namespace {

// The skin picture is cut on a 50-pixel grid; only the top corners, 200 px
// wide, break it.
constexpr int kTile = 50;
constexpr int kTopCornerWidth = 200;
// The bottom-left corner is stretched 2 px wider than its source piece.
constexpr int kBottomLeftStretch = 2;

constexpr int kRegionOrigin = 1;
constexpr int kSkinEllipse = 20;

constexpr int kButtonWidths[kCaptionButtonCount] = {28, 27, 42};
// Distance from a button's left edge to the client's right edge.
constexpr int kButtonOffsets[kCaptionButtonCount] = {104, 76, 49};

constexpr int kCornerSize = 15;
constexpr int kTopEdge = 3;
constexpr int kOtherEdge = 7;

}  // namespace

std::vector<Blit> SkinBlits(int sw, int sh, int iw, int ih, int dpi) {
    const auto at = [dpi](int design) { return ScaleDesign(design, dpi); };
    const int tile = at(kTile), corner = at(kTopCornerWidth), stretch = at(kBottomLeftStretch);
    std::vector<Blit> blits;
    for (int x = 0; x <= sw - tile; x += tile) {
        blits.push_back({{corner, 0, tile, tile}, {x, 0, tile, tile}});
        blits.push_back({{corner, ih - tile, tile, tile}, {x, sh - tile, tile, tile}});
    }
    // The side tiles run past the bottom edge; the bottom corners, painted
    // afterwards, cover whatever the last tiles leave behind.
    for (int y = 0; y <= sh + tile; y += tile) {
        blits.push_back({{0, tile, tile, tile}, {0, y, tile, tile}});
        blits.push_back({{iw - tile, tile, tile, tile}, {sw - tile, y, tile, tile}});
    }
    blits.push_back({{0, 0, corner, tile}, {0, 0, corner, tile}});
    blits.push_back({{iw - corner, 0, corner, tile}, {sw - corner, 0, corner, tile}});
    blits.push_back({{0, ih - tile, tile, tile}, {0, sh - tile, tile + stretch, tile}});
    blits.push_back({{iw - tile, ih - tile, tile, tile}, {sw - tile, sh - tile, tile, tile}});
    return blits;
}

RoundRegion SkinRegion(double clientWidth, double clientHeight, int extraWidth, int extraHeight, int dpi) {
    // The extra is added before rounding: the client size can be fractional
    // when it comes from a twips conversion.
    const int origin = ScaleDesign(kRegionOrigin, dpi);
    return {origin, origin, RoundHalfEven(clientWidth + extraWidth), RoundHalfEven(clientHeight + extraHeight),
            ScaleDesign(kSkinEllipse, dpi)};
}

Rect CaptionButtonPlace(int index, int clientWidth, int dpi) {
    if (index < 0 || index >= kCaptionButtonCount) return {clientWidth, 0, 0, 0};
    // From the right edge: the design's distance to it, scaled.
    const int left = clientWidth - ScaleDesign(kButtonOffsets[index], dpi);
    const int top = ScaleDesign(kCaptionButtonTop, dpi);
    return {left, top, clientWidth - ScaleDesign(kButtonOffsets[index] - kButtonWidths[index], dpi) - left,
            ScaleDesign(kCaptionButtonTop + kCaptionButtonHeight, dpi) - top};
}

Zone HitTest(Point cursor, Edges window, int dpi) {
    const int x = cursor.x;
    const int y = cursor.y;
    const int corner = ScaleDesign(kCornerSize, dpi), top = ScaleDesign(kTopEdge, dpi);
    const int edge = ScaleDesign(kOtherEdge, dpi);
    // Corners first: they overlap the edge bands and must win over them.
    if (y < window.top + corner && x < window.left + corner) return Zone::TopLeft;
    if (y > window.bottom - corner && x > window.right - corner) return Zone::BottomRight;
    if (x > window.right - corner && y < window.top + corner) return Zone::TopRight;
    if (y > window.bottom - corner && x < window.left + corner) return Zone::BottomLeft;
    // The top band is only 3 px deep, so the caption buttons (4 px below
    // the top) lie outside it.
    if (y < window.top + top && x < window.right) return Zone::Top;
    if (y > window.bottom - edge && x < window.right) return Zone::Bottom;
    if (x < window.left + edge && y < window.bottom) return Zone::Left;
    if (x > window.right - edge && y < window.bottom) return Zone::Right;
    return Zone::Interior;
}

Pointer ZonePointer(Zone zone) {
    switch (zone) {
        case Zone::Top:
        case Zone::Bottom:
            return Pointer::SizeNS;
        case Zone::Left:
        case Zone::Right:
            return Pointer::SizeWE;
        case Zone::TopLeft:
        case Zone::BottomRight:
            return Pointer::SizeNWSE;
        case Zone::BottomLeft:
        case Zone::TopRight:
            return Pointer::SizeNESW;
        case Zone::Interior:
            break;
    }
    return Pointer::Default;
}

int ZoneHitTestCode(Zone zone) {
    // The HT* values of WM_NCHITTEST, spelled out because this side of the
    // program must not include <windows.h>. A press inside the window
    // answers HTCAPTION so that it drags the borderless window.
    switch (zone) {
        case Zone::Top: return 12;          // HTTOP
        case Zone::Bottom: return 15;       // HTBOTTOM
        case Zone::Left: return 10;         // HTLEFT
        case Zone::Right: return 11;        // HTRIGHT
        case Zone::TopLeft: return 13;      // HTTOPLEFT
        case Zone::BottomLeft: return 16;   // HTBOTTOMLEFT
        case Zone::TopRight: return 14;     // HTTOPRIGHT
        case Zone::BottomRight: return 17;  // HTBOTTOMRIGHT
        case Zone::Interior: break;
    }
    return 2;  // HTCAPTION
}

}  // namespace velmora::frame
