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

std::vector<Blit> SkinBlits(int sw, int sh, int iw, int ih) {
    std::vector<Blit> blits;
    for (int x = 0; x <= sw - kTile; x += kTile) {
        blits.push_back({{kTopCornerWidth, 0, kTile, kTile}, {x, 0, kTile, kTile}});
        blits.push_back({{kTopCornerWidth, ih - kTile, kTile, kTile}, {x, sh - kTile, kTile, kTile}});
    }
    // The side tiles run past the bottom edge; the bottom corners, painted
    // afterwards, cover whatever the last tiles leave behind.
    for (int y = 0; y <= sh + kTile; y += kTile) {
        blits.push_back({{0, kTile, kTile, kTile}, {0, y, kTile, kTile}});
        blits.push_back({{iw - kTile, kTile, kTile, kTile}, {sw - kTile, y, kTile, kTile}});
    }
    blits.push_back({{0, 0, kTopCornerWidth, kTile}, {0, 0, kTopCornerWidth, kTile}});
    blits.push_back({{iw - kTopCornerWidth, 0, kTopCornerWidth, kTile}, {sw - kTopCornerWidth, 0, kTopCornerWidth, kTile}});
    blits.push_back({{0, ih - kTile, kTile, kTile}, {0, sh - kTile, kTile + kBottomLeftStretch, kTile}});
    blits.push_back({{iw - kTile, ih - kTile, kTile, kTile}, {sw - kTile, sh - kTile, kTile, kTile}});
    return blits;
}

RoundRegion SkinRegion(double clientWidth, double clientHeight, int extraWidth, int extraHeight) {
    // The extra is added before rounding: the client size can be fractional
    // when it comes from a twips conversion.
    return {kRegionOrigin, kRegionOrigin, RoundHalfEven(clientWidth + extraWidth),
            RoundHalfEven(clientHeight + extraHeight), kSkinEllipse};
}

// An index outside 0..2 names no button: it gets no width and sits at the
// client's right edge, so it can never be hit.
int CaptionButtonWidth(int index) {
    if (index < 0 || index >= kCaptionButtonCount) return 0;
    return kButtonWidths[index];
}

int CaptionButtonLeft(int index, int clientWidth) {
    if (index < 0 || index >= kCaptionButtonCount) return clientWidth;
    return clientWidth - kButtonOffsets[index];
}

Zone HitTest(Point cursor, Edges window) {
    const int x = cursor.x;
    const int y = cursor.y;
    // Corners first: they overlap the edge bands and must win over them.
    if (y < window.top + kCornerSize && x < window.left + kCornerSize) return Zone::TopLeft;
    if (y > window.bottom - kCornerSize && x > window.right - kCornerSize) return Zone::BottomRight;
    if (x > window.right - kCornerSize && y < window.top + kCornerSize) return Zone::TopRight;
    if (y > window.bottom - kCornerSize && x < window.left + kCornerSize) return Zone::BottomLeft;
    // The top band is only 3 px deep, so the caption buttons (4 px below
    // the top) lie outside it.
    if (y < window.top + kTopEdge && x < window.right) return Zone::Top;
    if (y > window.bottom - kOtherEdge && x < window.right) return Zone::Bottom;
    if (x < window.left + kOtherEdge && y < window.bottom) return Zone::Left;
    if (x > window.right - kOtherEdge && y < window.bottom) return Zone::Right;
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
