// The panel's keyboard rules: arrow steps in the five-by-four grid that stop
// at the edges, the first cell whose initials start with what was typed,
// and the one-second pause that starts a new prefix.
#include "launcher/cell_keys.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "launcher/cells.h"

namespace velmora::launcher {
namespace {

using Cell = std::optional<std::size_t>;

TEST(StepInGrid, TheFirstPressHighlightsTheFirstCellWhicheverArrow) {
    for (Arrow a : {Arrow::Left, Arrow::Right, Arrow::Up, Arrow::Down}) {
        EXPECT_EQ(StepInGrid(std::nullopt, a), 0u);
        EXPECT_EQ(StepInGrid(20, a), 0u) << "a cell past the grid counts as none";
    }
}

TEST(StepInGrid, MovesOneCellInsideAndStopsAtEveryEdgeWithoutWrapping) {
    // Inside: cell 7 is row 1, column 2.
    EXPECT_EQ(StepInGrid(7, Arrow::Left), 6u);
    EXPECT_EQ(StepInGrid(7, Arrow::Right), 8u);
    EXPECT_EQ(StepInGrid(7, Arrow::Up), 2u);
    EXPECT_EQ(StepInGrid(7, Arrow::Down), 12u);
    // The left and right columns do not lead into the neighbouring rows.
    EXPECT_EQ(StepInGrid(5, Arrow::Left), 5u);
    EXPECT_EQ(StepInGrid(9, Arrow::Right), 9u);
    // The top and bottom rows stay.
    EXPECT_EQ(StepInGrid(3, Arrow::Up), 3u);
    EXPECT_EQ(StepInGrid(17, Arrow::Down), 17u);
    // The corners.
    EXPECT_EQ(StepInGrid(0, Arrow::Left), 0u);
    EXPECT_EQ(StepInGrid(0, Arrow::Up), 0u);
    EXPECT_EQ(StepInGrid(4, Arrow::Right), 4u);
    EXPECT_EQ(StepInGrid(19, Arrow::Down), 19u);
    EXPECT_EQ(StepInGrid(19, Arrow::Right), 19u);
    EXPECT_EQ(StepInGrid(15, Arrow::Down), 15u);
    EXPECT_EQ(StepInGrid(15, Arrow::Left), 15u);
}

TEST(FirstCellStartingWith, TheFirstInReadingOrderOrNone) {
    const std::vector<std::string> initials = {"wddn", "jsq", "gbgq", "jsb", "gbjsj"};
    EXPECT_EQ(FirstCellStartingWith(initials, "j"), Cell(1));
    EXPECT_EQ(FirstCellStartingWith(initials, "jsb"), Cell(3));
    EXPECT_EQ(FirstCellStartingWith(initials, "gb"), Cell(2));
    EXPECT_EQ(FirstCellStartingWith(initials, "gbj"), Cell(4));
    EXPECT_EQ(FirstCellStartingWith(initials, "wddn"), Cell(0));
    EXPECT_EQ(FirstCellStartingWith(initials, "wddnx"), std::nullopt) << "longer than any";
    EXPECT_EQ(FirstCellStartingWith(initials, "x"), std::nullopt);
    EXPECT_EQ(FirstCellStartingWith(initials, ""), std::nullopt);
    EXPECT_EQ(FirstCellStartingWith({}, "j"), std::nullopt);
}

TEST(TypedPrefix, LettersLessThanASecondApartFormOnePrefix) {
    TypedPrefix typed;
    EXPECT_EQ(typed.Add('j', 5000), "j");
    EXPECT_EQ(typed.Add('S', 5999), "js") << "999 ms later, and lower-cased";
    EXPECT_EQ(typed.Add('q', 6500), "jsq");
    EXPECT_EQ(typed.Add('g', 7500), "g") << "a whole second later: a new prefix";
    EXPECT_EQ(typed.Add('b', 7600), "gb");
    EXPECT_EQ(typed.Add('j', 9000), "j");
    // The pause counts from the last letter, not the first.
    for (std::uint64_t t = 9900; t < 14000; t += 900) typed.Add('x', t);
    EXPECT_EQ(typed.prefix(), "jxxxxx");
    typed.Clear();
    EXPECT_EQ(typed.Add('w', 14100), "w");
}

TEST(TypedPrefix, OnlyAsciiLettersSelect) {
    for (char32_t c : {U'a', U'z', U'A', U'Z', U'q'}) EXPECT_TRUE(IsSelectingLetter(c));
    for (char32_t c : {U' ', U'\r', U'\x1B', U'0', U'9', U'/', U'@', U'[', U'`', U'{', U'计'}) {
        EXPECT_FALSE(IsSelectingLetter(c)) << static_cast<unsigned>(c);
    }
}

}  // namespace
}  // namespace velmora::launcher
