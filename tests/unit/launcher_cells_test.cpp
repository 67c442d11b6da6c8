// What the panel's cell table must hold whatever its numbers: a five by four
// grid read row by row, each picture and caption inside its highlight, each
// action once, and the bottom line clear of the grid.
#include "launcher/cells.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <iterator>
#include <set>
#include <string>

#include "commands/web_pages.h"

namespace velmora::launcher {
namespace {

// Width of a caption in the panel's 12-px font: CJK characters are full
// width, ASCII half width.
int TextWidth(std::string_view utf8) {
    int width = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        width += c < 0x80 ? 6 : 12;
        i += c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
    }
    return width;
}

constexpr int kLineHeight = 12;

const Cell& At(int row, int column) { return Cells()[static_cast<std::size_t>(row * kColumns + column)]; }

TEST(Cells, FiveColumnsByFourRowsInReadingOrder) {
    ASSERT_EQ(kColumns, 5);
    ASSERT_EQ(kRows, 4);
    ASSERT_EQ(Cells().size(), static_cast<std::size_t>(kColumns * kRows));
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            SCOPED_TRACE(std::string(At(row, column).caption));
            // One top per row and one left per column...
            EXPECT_EQ(At(row, column).highlightTop, At(row, 0).highlightTop);
            EXPECT_EQ(At(row, column).highlightLeft, At(0, column).highlightLeft);
            // ...growing to the right and downwards, without overlapping
            // highlights side by side.
            if (column > 0) {
                EXPECT_GE(At(row, column).highlightLeft, At(row, column - 1).highlightLeft + kHighlightWidth);
            }
            if (row > 0) EXPECT_GT(At(row, column).highlightTop, At(row - 1, column).highlightTop);
        }
    }
    // The grid ends above the bottom line.
    EXPECT_LE(At(kRows - 1, 0).highlightTop + kHighlightHeight, kBottomLineTop);
}

TEST(Cells, PictureAndCaptionSitInsideTheHighlightCaptionBelow) {
    for (const Cell& c : Cells()) {
        SCOPED_TRACE(std::string(c.caption));
        const int right = c.highlightLeft + kHighlightWidth;
        const int bottom = c.highlightTop + kHighlightHeight;
        const int pictureBottom = c.pictureTop + c.pictureHeight;
        EXPECT_GE(c.pictureLeft, c.highlightLeft);
        EXPECT_LE(c.pictureLeft + c.pictureWidth, right);
        EXPECT_GT(c.pictureTop, c.highlightTop);
        EXPECT_LT(pictureBottom, bottom);

        EXPECT_GE(c.captionLeft, c.highlightLeft);
        EXPECT_LE(c.captionLeft + TextWidth(c.caption), right);
        EXPECT_GE(c.captionTop, pictureBottom) << "caption overlaps its picture";
        EXPECT_LE(c.captionTop + kLineHeight, bottom);
    }
}

TEST(Cells, PictureAndCaptionAreCentredAndARowSharesItsLines) {
    // Placed by eye: centres are off by a few pixels and the tops in a row
    // by a few more, but a mistyped coordinate, a value copied from another
    // row or a caption that lost a character shows up here.
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            const Cell& c = At(row, column);
            SCOPED_TRACE(std::string(c.caption));
            const double centre = c.highlightLeft + kHighlightWidth / 2.0;
            EXPECT_LE(std::abs(c.pictureLeft + c.pictureWidth / 2.0 - centre), 5.0);
            EXPECT_LE(std::abs(c.captionLeft + TextWidth(c.caption) / 2.0 - centre), 5.0);
            EXPECT_LE(std::abs(c.pictureTop - At(row, 0).pictureTop), 3);
            EXPECT_LE(std::abs(c.captionTop - At(row, 0).captionTop), 3);
        }
    }
}

TEST(Cells, EachActionAndEachCaptionOnce) {
    std::set<Action> actions;
    std::set<std::string_view> captions;
    for (const Cell& c : Cells()) {
        SCOPED_TRACE(std::string(c.caption));
        EXPECT_NE(c.action, Action::None);
        EXPECT_TRUE(actions.insert(c.action).second) << "action used twice";
        EXPECT_FALSE(c.caption.empty());
        EXPECT_TRUE(captions.insert(c.caption).second) << "caption used twice";
    }
}

TEST(Cells, RecommendedLinksFollowTheRedCaptionInsideThePanel) {
    ASSERT_EQ(std::size(kLinkLefts), std::size(web::kRecommended));
    int previousEnd = kRecommendLeft + TextWidth("推荐：");
    for (std::size_t i = 0; i < std::size(kLinkLefts); ++i) {
        SCOPED_TRACE(std::string(web::kRecommended[i].caption));
        EXPECT_GE(kLinkLefts[i], previousEnd) << "overlaps what comes before it";
        previousEnd = kLinkLefts[i] + TextWidth(web::kRecommended[i].caption);
    }
    // Clear of the 520-px panel's right skin border.
    EXPECT_LE(previousEnd, 520 - 20);
    // The clock line ends before the red caption.
    EXPECT_LE(kClockLeft + TextWidth("2009年02月28日 星期六 14:05:09"), kRecommendLeft);
}

}  // namespace
}  // namespace velmora::launcher
