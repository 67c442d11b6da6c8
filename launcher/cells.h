// The launcher panel's twenty cells as data: where the highlight goes, the
// picture and caption with their places, and the action each runs.
// Positions are pixels of the panel's client area.
#pragma once

#include <span>
#include <string_view>

#include "commands/actions.h"

namespace velmora::launcher {

struct Cell {
    int highlightLeft, highlightTop;  // where the highlight goes
    int pictureLeft, pictureTop, pictureWidth, pictureHeight;
    std::string_view caption;         // UTF-8, e.g. "我的电脑"
    int captionLeft, captionTop;
    Action action;
};

// The twenty cells, row by row, left to right (five to a row).
std::span<const Cell> Cells();
inline constexpr int kColumns = 5;
inline constexpr int kRows = 4;

// The highlight: a rounded rectangle of this size, filled E0E0E0, outlined
// C0C0C0; parked here when no cell is highlighted.
inline constexpr int kHighlightWidth = 81;
inline constexpr int kHighlightHeight = 73;
inline constexpr int kHighlightParked = -200;

// The bottom line: the clock, the red "推荐：" and the recommended links.
inline constexpr int kBottomLineTop = 344;
inline constexpr int kClockLeft = 32;
inline constexpr int kRecommendLeft = 240;
inline constexpr int kLinkLefts[] = {280, 352, 424};

// The panel's title picture.
inline constexpr int kTitlePictureLeft = 12, kTitlePictureTop = 8, kTitlePictureSize = 18;

}  // namespace velmora::launcher
