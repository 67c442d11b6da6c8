#include "wallpaper/rotation.h"

#include <gtest/gtest.h>

#include <vector>

namespace velmora::wallpaper {
namespace {

TEST(AdvanceSelection, WalksTheListAndWrapsAround) {
    // Three pictures, nothing selected: first, second, third, first again.
    int selection = -1;
    std::vector<int> seen;
    for (int i = 0; i < 7; ++i) seen.push_back(selection = AdvanceSelection(selection, 3));
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 0, 1, 2, 0}));
    EXPECT_EQ(AdvanceSelection(1, 3), 2);  // the user clicked the second: the third comes next
    EXPECT_EQ(AdvanceSelection(-1, 1), 0);
    EXPECT_EQ(AdvanceSelection(0, 1), 0);
    EXPECT_EQ(AdvanceSelection(5, 3), 0);  // left over from a longer list
    EXPECT_EQ(AdvanceSelection(-1, 0), -1);
    EXPECT_EQ(AdvanceSelection(0, 0), -1);
}

TEST(RandomIndex, CoversTheListUniformlyAndStaysInside) {
    EXPECT_EQ(RandomIndex(1, 0.999999), 0);
    EXPECT_EQ(RandomIndex(4, 0.25), 1);
    EXPECT_EQ(RandomIndex(4, 0.7499), 2);
    EXPECT_EQ(RandomIndex(4, 0.99999999999999989), 3);
    EXPECT_EQ(RandomIndex(3, 1.0), 2);  // r out of range still lands inside
    EXPECT_EQ(RandomIndex(3, -0.5), 0);
    EXPECT_EQ(RandomIndex(0, 0.5), -1);
    // Equal shares of [0, 1) for each of 7 pictures.
    int counts[7] = {};
    for (int i = 0; i < 7000; ++i) ++counts[RandomIndex(7, i / 7000.0)];
    for (int c : counts) EXPECT_EQ(c, 1000);
}

TEST(NextPicture, SequentialOrderSelectsTheNextRandomOrderLeavesTheSelection) {
    const RotationStep sequential = NextPicture(Order::Sequential, 1, 3, 0.9);
    EXPECT_EQ(sequential.picture, 2);
    EXPECT_EQ(sequential.selection, 2);
    const RotationStep random = NextPicture(Order::Random, 1, 4, 0.9);
    EXPECT_EQ(random.picture, 3);
    EXPECT_EQ(random.selection, 1);
    EXPECT_EQ(NextPicture(Order::Random, -1, 1, 0.5).picture, 0);  // one picture: always that one
}

TEST(NextPicture, AFailedChangeMovesTheListOnOnceInEitherOrder) {
    // Sequential: the step itself moved the selection; random: it moves now.
    const RotationStep step = NextPicture(Order::Sequential, 0, 3, 0);
    EXPECT_EQ(SelectionAfterFailure(Order::Sequential, step.selection, 3), 1);
    EXPECT_EQ(SelectionAfterFailure(Order::Random, 0, 3), 1);
    EXPECT_EQ(SelectionAfterFailure(Order::Random, 2, 3), 0);
}

}  // namespace
}  // namespace velmora::wallpaper
