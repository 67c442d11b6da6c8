// Emptying the recycle bins (recorded, so the prefix's bin is left alone):
// the flags each command line of the program empties with, or that it
// empties nothing, without a window or a message.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/effects.h"
#include "tools/recycle_bin.h"
#include "tools/tools_test_support.h"

namespace velmora {
namespace {

using namespace testing;

TEST(EmptyRecycleBin, EachCommandLineEmptiesWithItsFlagsOrNotAtAll) {
    const UniqueWindow owner = HiddenOwner();
    const struct {
        const char* arguments;
        int flags;  // -1: nothing emptied
    } cases[] = {
        {"", 7}, {"   ", 7},  // a plain start: no question, no progress, no sound
        {"3", 3}, {"2.5", 2}, {"0", 0}, {" 7 ", 7},
        {"8", -1}, {"-1", -1}, {"abc", -1}, {"清空", -1},
    };
    const int windows = ThreadWindows();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        RecordingEffects effects;
        EmptyRecycleBin(effects, owner.get(), c.arguments);
        std::vector<std::string> expected;
        if (c.flags >= 0) {
            expected.push_back("SHEmptyRecycleBin(" + Hex(owner.get()) + ", NULL, " + std::to_string(c.flags) + ")");
        }
        EXPECT_EQ(effects.Calls(), expected);
    }
    EXPECT_EQ(ThreadWindows(), windows) << "nothing is shown or kept";
}

}  // namespace
}  // namespace velmora
