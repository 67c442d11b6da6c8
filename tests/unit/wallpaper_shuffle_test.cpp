#include "wallpaper/shuffle.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace velmora::wallpaper {
namespace {

// A repeatable stream of numbers in [0, 1), like the program's random source.
class Numbers {
public:
    explicit Numbers(uint32_t seed) : state_(seed) {}
    double Next() {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<double>(state_ >> 8) / 16777216.0;
    }

private:
    uint32_t state_;
};

std::vector<std::string> List(int count) {
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) names.push_back("picture " + std::to_string(i) + ".jpg");
    return names;
}

// Draws `changes` pictures, each shown as the schedule shows them.
std::vector<int> Changes(ShuffleRound& round, const std::vector<std::string>& names, int changes, Numbers& numbers) {
    std::vector<int> drawn;
    for (int i = 0; i < changes; ++i) {
        const int pick = round.Draw(names, numbers.Next());
        round.Shown(names[static_cast<size_t>(pick)]);
        drawn.push_back(pick);
    }
    return drawn;
}

TEST(ShuffleRound, ShowsEveryPictureOnceARoundAndNeverOneTwiceInARow) {
    for (int count = 2; count <= 9; ++count) {
        for (uint32_t seed = 1; seed <= 20; ++seed) {
            SCOPED_TRACE("count " + std::to_string(count) + ", seed " + std::to_string(seed));
            ShuffleRound round;
            Numbers numbers(seed);
            const auto names = List(count);
            const std::vector<int> drawn = Changes(round, names, 12 * count, numbers);
            for (size_t start = 0; start < drawn.size(); start += static_cast<size_t>(count)) {
                std::map<int, int> seen;
                for (int k = 0; k < count; ++k) ++seen[drawn[start + static_cast<size_t>(k)]];
                ASSERT_EQ(seen.size(), static_cast<size_t>(count)) << "round from change " << start;
            }
            for (size_t i = 1; i < drawn.size(); ++i) ASSERT_NE(drawn[i], drawn[i - 1]) << "change " << i;
        }
    }
}

TEST(ShuffleRound, OnePictureIsAlwaysThatOneAndNoPictureIsNone) {
    ShuffleRound round;
    Numbers numbers(7);
    EXPECT_EQ(Changes(round, List(1), 4, numbers), (std::vector<int>{0, 0, 0, 0}));
    EXPECT_EQ(round.Draw({}, 0.5), -1);
}

TEST(ShuffleRound, APictureShownByAnotherRoadCountsInTheRound) {
    // The change-now button shows c: the round goes on with a and b, and the
    // next round does not start with c either.
    const auto names = List(3);
    for (double r : {0.0, 0.5, 0.99}) {
        ShuffleRound round;
        round.Shown(names[2]);
        const int first = round.Draw(names, r);
        round.Shown(names[static_cast<size_t>(first)]);
        const int second = round.Draw(names, r);
        round.Shown(names[static_cast<size_t>(second)]);
        EXPECT_NE(first, 2);
        EXPECT_NE(second, 2);
        EXPECT_NE(first, second);
        const int third = round.Draw(names, r);  // a new round, not beginning with the last shown
        EXPECT_NE(third, second) << r;
    }
}

TEST(ShuffleRound, APictureThatFailsIsPassedOverAndTheLastShownStaysOut) {
    const auto names = List(3);
    ShuffleRound round;
    round.Shown(names[0]);  // on the desktop now
    const int failed = round.Draw(names, 0.0);  // 1, drawn but never shown
    EXPECT_EQ(failed, 1);
    EXPECT_EQ(round.Draw(names, 0.0), 2);  // the round goes on without it
    // A new round: 0 is still the last shown, so it is left out.
    EXPECT_NE(round.Draw(names, 0.0), 0);
}

TEST(ShuffleRound, FollowsTheListWhenFilesComeAndGo) {
    ShuffleRound round;
    std::vector<std::string> names = {"a", "b", "c"};
    const int first = round.Draw(names, 0.0);
    round.Shown(names[static_cast<size_t>(first)]);  // a
    // d joins the round under way, b went: c and d remain in it.
    names = {"a", "c", "d"};
    std::vector<std::string> rest;
    for (int i = 0; i < 2; ++i) {
        const int pick = round.Draw(names, 0.99);
        rest.push_back(names[static_cast<size_t>(pick)]);
        round.Shown(rest.back());
    }
    EXPECT_EQ(rest, (std::vector<std::string>{"d", "c"}));
}

}  // namespace
}  // namespace velmora::wallpaper
