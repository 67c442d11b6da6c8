#include "launcher/cells.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace velmora::launcher {
namespace {

constexpr int kCommandCount = static_cast<int>(Command::PowerMenu) + 1;

// Width of a caption in the panel's 12-px font: CJK characters are full
// width, ASCII half width.
int TextWidth(std::string_view utf8) {
    int width = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        const std::size_t len = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
        width += c < 0x80 ? 6 : 12;
        i += len;
    }
    return width;
}

// The number after a control's kind, or -1 if the name is not kind + digits.
int ControlNumber(std::string_view name, std::string_view kind) {
    if (name.substr(0, kind.size()) != kind || name.size() == kind.size()) return -1;
    int n = 0;
    for (char c : name.substr(kind.size())) {
        if (c < '0' || c > '9') return -1;
        n = n * 10 + (c - '0');
    }
    return n;
}

TEST(Cells, FiveColumnsByFourRowsInReadingOrder) {
    const std::vector<int> columns = {32, 120, 208, 304, 400};
    const std::vector<int> rows = {40, 112, 184, 256};
    ASSERT_EQ(Cells().size(), columns.size() * rows.size());
    for (std::size_t i = 0; i < Cells().size(); ++i) {
        EXPECT_EQ(Cells()[i].highlightLeft, columns[i % columns.size()]) << "cell " << i;
        EXPECT_EQ(Cells()[i].highlightTop, rows[i / columns.size()]) << "cell " << i;
    }
}

TEST(Cells, ControlNamesAreWellFormedAndUsedOnce) {
    std::set<int> images, labels;
    for (const Cell& c : Cells()) {
        const int image = ControlNumber(c.image, "Image");
        const int label = ControlNumber(c.label, "Label");
        EXPECT_GT(image, 0) << c.image;
        EXPECT_GT(label, 0) << c.label;
        EXPECT_TRUE(images.insert(image).second) << c.image << " used twice";
        EXPECT_TRUE(labels.insert(label).second) << c.label << " used twice";
    }
    // The bottom line's labels belong to no cell: Label1 is the clock,
    // Label18 the "推荐：" caption, the links follow it.
    std::set<int> bottomLine = {1, 18};
    for (const Link& l : RecommendedLinks()) bottomLine.insert(ControlNumber(l.label, "Label"));
    EXPECT_EQ(bottomLine.size(), 2 + RecommendedLinks().size());
    for (int n : bottomLine) EXPECT_EQ(labels.count(n), 0u) << "Label" << n << " is on the bottom line";
}

TEST(Cells, PictureAndCaptionSitInsideTheHighlight) {
    for (const Cell& c : Cells()) {
        const int right = c.highlightLeft + kHighlightWidth;
        const int bottom = c.highlightTop + kHighlightHeight;
        const int imageRight = c.imageLeft + c.imageWidth;
        const int imageBottom = c.imageTop + c.imageHeight;
        SCOPED_TRACE(std::string(c.caption));

        EXPECT_GE(c.imageLeft, c.highlightLeft);
        EXPECT_LE(imageRight, right);
        EXPECT_GT(c.imageTop, c.highlightTop);
        EXPECT_LT(imageBottom, bottom);
        EXPECT_EQ(c.imageHeight, 30);
        EXPECT_TRUE(c.imageWidth == 30 || c.imageWidth == 40) << c.imageWidth;

        const int labelRight = c.labelLeft + TextWidth(c.caption);
        EXPECT_GE(c.labelLeft, c.highlightLeft);
        EXPECT_LE(labelRight, right);
        EXPECT_GE(c.labelTop, imageBottom) << "caption overlaps its picture";
        EXPECT_LE(c.labelTop + 12, bottom);
    }
}

TEST(Cells, PictureAndCaptionAreCentredInTheirColumn) {
    // The layout was placed by eye, so centres are off by a few pixels, but
    // never by more than 5: a mistyped coordinate or a caption that lost or
    // gained a character shows up here.
    for (const Cell& c : Cells()) {
        SCOPED_TRACE(std::string(c.caption));
        const double centre = c.highlightLeft + kHighlightWidth / 2.0;
        EXPECT_LE(std::abs(c.imageLeft + c.imageWidth / 2.0 - centre), 5.0);
        EXPECT_LE(std::abs(c.labelLeft + TextWidth(c.caption) / 2.0 - centre), 5.0);
    }
}

TEST(Cells, PicturesAndCaptionsOfARowShareALine) {
    // Within a row the pictures' tops and the captions' tops differ by a
    // few pixels at most; a value copied from another row would not.
    for (std::size_t row = 0; row < 4; ++row) {
        const Cell* first = &Cells()[row * 5];
        for (std::size_t col = 1; col < 5; ++col) {
            const Cell& c = Cells()[row * 5 + col];
            EXPECT_LE(std::abs(c.imageTop - first->imageTop), 3) << c.caption;
            EXPECT_LE(std::abs(c.labelTop - first->labelTop), 3) << c.caption;
        }
    }
}

TEST(Cells, EveryCommandOnceInDeclarationOrder) {
    std::map<Command, int> seen;
    for (const Cell& c : Cells()) ++seen[c.command];
    for (int i = 0; i < kCommandCount; ++i) {
        EXPECT_EQ(seen[static_cast<Command>(i)], 1) << "command " << i;
    }
    // The enumeration is declared in the panel's reading order, so a pair
    // of commands swapped between cells breaks this.
    for (std::size_t i = 0; i < Cells().size(); ++i) {
        EXPECT_EQ(static_cast<int>(Cells()[i].command), static_cast<int>(i)) << Cells()[i].caption;
    }
}

TEST(Cells, CaptionsAreDistinct) {
    std::set<std::string_view> captions;
    for (const Cell& c : Cells()) {
        EXPECT_FALSE(c.caption.empty());
        EXPECT_TRUE(captions.insert(c.caption).second) << c.caption;
    }
}

TEST(RecommendedLinks, FitTheBottomLineInOrder) {
    const auto links = RecommendedLinks();
    ASSERT_EQ(links.size(), 3u);
    int previousEnd = kRecommendLeft + TextWidth("推荐：");
    std::set<std::string_view> addresses;
    for (const Link& l : links) {
        SCOPED_TRACE(std::string(l.label));
        EXPECT_FALSE(l.caption.empty());
        EXPECT_GE(l.left, previousEnd) << "overlaps what comes before it";
        previousEnd = l.left + TextWidth(l.caption);
        EXPECT_EQ(l.address.substr(0, 8), "https://");
        EXPECT_GT(l.address.size(), 8u);
        EXPECT_TRUE(addresses.insert(l.address).second) << l.address;
    }
    // The last link stays inside the panel's 520-px client area, clear of
    // its right skin border.
    EXPECT_LE(previousEnd, 520 - 20);
}

}  // namespace
}  // namespace velmora::launcher
