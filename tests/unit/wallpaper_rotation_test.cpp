#include "wallpaper/rotation.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <initializer_list>
#include <string>
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

TEST(SelectionAfterFailure, MovesTheListOnOnceInRandomOrderOnly) {
    // Sequential: the step itself moved the selection; random: it moves now.
    EXPECT_EQ(SelectionAfterFailure(Order::Sequential, 1, 3), 1);
    EXPECT_EQ(SelectionAfterFailure(Order::Random, 0, 3), 1);
    EXPECT_EQ(SelectionAfterFailure(Order::Random, 2, 3), 0);
}

std::vector<std::string> Names(std::initializer_list<const char*> names) { return {names.begin(), names.end()}; }

TEST(PictureRotation, SequentialStepsSelectTheNextAndRandomStepsLeaveTheSelection) {
    PictureRotation rotation;
    rotation.SetNames(Names({"a.jpg", "b.jpg", "c.jpg"}));
    rotation.SetPosition(1);  // the user clicked the second
    const RotationStep sequential = rotation.Step(Order::Sequential, 0.9);
    EXPECT_EQ(sequential.picture, 2);
    EXPECT_EQ(sequential.selection, 2);
    EXPECT_EQ(rotation.Step(Order::Sequential, 0).picture, 0);  // round to the first
    const RotationStep random = rotation.Step(Order::Random, 0.9);
    EXPECT_EQ(random.selection, 0);
    EXPECT_EQ(rotation.Position(), 0);
    rotation.StepFailed(Order::Random);
    EXPECT_EQ(rotation.Position(), 1);
    rotation.StepFailed(Order::Sequential);
    EXPECT_EQ(rotation.Position(), 1);
    rotation.SetPosition(7);  // no such entry: nothing selected
    EXPECT_EQ(rotation.Position(), -1);
}

TEST(PictureRotation, ANewListingKeepsThePositionOnItsFileOrJustBeforeItsGap) {
    PictureRotation rotation;
    rotation.SetNames(Names({"a.jpg", "B.jpg", "c.jpg", "d.jpg"}));
    rotation.SetPosition(1);
    // A file added before it: the position moves with its file.
    EXPECT_TRUE(rotation.SetNames(Names({"a.jpg", "aa.jpg", "B.jpg", "c.jpg", "d.jpg"})));
    EXPECT_EQ(rotation.Position(), 2);
    // Its file removed: the next in order is the one that followed it.
    EXPECT_FALSE(rotation.SetNames(Names({"a.jpg", "aa.jpg", "c.jpg", "d.jpg"})));
    EXPECT_EQ(rotation.Step(Order::Sequential, 0).picture, 2);
    // The first file removed while it is the position: the next is the new first.
    rotation.SetPosition(0);
    EXPECT_FALSE(rotation.SetNames(Names({"aa.jpg", "c.jpg", "d.jpg"})));
    EXPECT_EQ(rotation.Step(Order::Sequential, 0).picture, 0);
    // The last removed, another added after it: that one comes next.
    rotation.SetPosition(2);
    EXPECT_FALSE(rotation.SetNames(Names({"aa.jpg", "c.jpg", "e.jpg"})));
    EXPECT_EQ(rotation.Step(Order::Sequential, 0).picture, 2);
    // Nothing selected stays so; an empty folder leaves nothing to select.
    rotation.SetPosition(-1);
    EXPECT_FALSE(rotation.SetNames(Names({"x.jpg"})));
    EXPECT_EQ(rotation.Position(), -1);
    rotation.SetPosition(0);
    EXPECT_FALSE(rotation.SetNames({}));
    EXPECT_EQ(rotation.Step(Order::Sequential, 0).picture, -1);
    EXPECT_EQ(rotation.Step(Order::Random, 0.5).picture, -1);
}

TEST(PictureRotation, FindsNamesExactly) {
    PictureRotation rotation;
    rotation.SetNames(Names({"A.jpg", "a.jpg", "海边.jpg"}));
    EXPECT_EQ(rotation.IndexOf("a.jpg"), 1);
    EXPECT_EQ(rotation.IndexOf("海边.jpg"), 2);
    EXPECT_EQ(rotation.IndexOf("b.jpg"), -1);
}

}  // namespace
}  // namespace velmora::wallpaper

namespace velmora::wallpaper {
namespace {

// Portrait pictures are named p*, landscape ones l*.
bool PortraitName(const std::vector<std::string>& names, int i) { return names[static_cast<size_t>(i)][0] == 'p'; }

TEST(StepFor, EachMonitorTakesTheNextPictureOfItsOrientationWhileTheListHoldsOne) {
    PictureRotation rotation;
    rotation.SetNames({"l1", "l2", "l3", "p1", "p2"});
    // A landscape primary and a second monitor: each goes through its own
    // kind, the position following the primary.
    using Set = std::pair<std::string, std::string>;
    const auto change = [](PictureRotation& rot, bool portraitSecond) {
        const auto& names = rot.Names();
        const auto kind = [&](bool portrait) {
            return [&names, portrait](int i) { return PortraitName(names, i) == portrait; };
        };
        const int a = rot.StepFor(Order::Sequential, 0, true, false, kind(false), nullptr);
        const int b = rot.StepFor(Order::Sequential, 0, false, portraitSecond, kind(portraitSecond),
                                  [&](int i) { return i == a; });
        return Set{names[static_cast<size_t>(a)], names[static_cast<size_t>(b)]};
    };
    std::vector<Set> sets;
    for (int i = 0; i < 3; ++i) sets.push_back(change(rotation, true));
    EXPECT_EQ(sets, (std::vector<Set>{{"l1", "p1"}, {"l2", "p2"}, {"l3", "p1"}}));
    EXPECT_EQ(rotation.Position(), 2);
    // Two landscape monitors hand out the list in pairs; a choice in the
    // list starts both from it.
    PictureRotation pairs;
    pairs.SetNames({"l1", "l2", "l3", "l4", "l5"});
    sets.clear();
    for (int i = 0; i < 2; ++i) sets.push_back(change(pairs, false));
    pairs.SetPosition(0);
    sets.push_back(change(pairs, false));
    EXPECT_EQ(sets, (std::vector<Set>{{"l1", "l2"}, {"l3", "l4"}, {"l2", "l3"}}));
    // A folder of one orientation serves the portrait monitor too.
    PictureRotation flat;
    flat.SetNames({"l1", "l2"});
    EXPECT_EQ(change(flat, true), (Set{"l1", "l2"}));
    // One picture for two monitors: both show it.
    PictureRotation single;
    single.SetNames({"l1"});
    EXPECT_EQ(change(single, true), (Set{"l1", "l1"}));
}

TEST(StepFor, RandomSetsKeepTheRoundsPromiseAcrossMonitors) {
    PictureRotation rotation;
    rotation.SetNames({"l1", "l2", "l3", "p1", "p2", "p3"});
    const auto& names = rotation.Names();
    std::vector<std::string> seen;
    double r = 0.1;
    for (int change = 0; change < 3; ++change) {
        const int first = rotation.StepFor(Order::Random, r, true, false,
                                           [&](int i) { return !PortraitName(names, i); }, nullptr);
        const int second = rotation.StepFor(Order::Random, r = r * 3.7 - static_cast<int>(r * 3.7), false, true,
                                            [&](int i) { return PortraitName(names, i); },
                                            [&](int i) { return i == first; });
        EXPECT_FALSE(PortraitName(names, first));
        EXPECT_TRUE(PortraitName(names, second));
        seen.push_back(names[static_cast<size_t>(first)]);
        seen.push_back(names[static_cast<size_t>(second)]);
        rotation.Shown(names[static_cast<size_t>(first)]);
        rotation.Shown(names[static_cast<size_t>(second)]);
    }
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(seen, (std::vector<std::string>{"l1", "l2", "l3", "p1", "p2", "p3"}));  // each once in the round
}

}  // namespace
}  // namespace velmora::wallpaper
