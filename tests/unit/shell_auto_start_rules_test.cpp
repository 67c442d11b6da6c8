// The text of the logon entry.
#include <gtest/gtest.h>

#include <string>

#include "shell/auto_start_rules.h"

namespace velmora {
namespace {

TEST(AutoStartRules, RunCommandIsTheFolderAndVelmoraExe) {
    const std::string data = autostart::RunCommand("D:\\Tools");
    EXPECT_EQ(data, "D:\\Tools\\Velmora.exe");
    EXPECT_EQ(data.size(), 20u);
    EXPECT_EQ(autostart::StoredLength(data), 21u);
}

TEST(AutoStartRules, AFolderWithABlankIsQuoted) {
    const std::string data = autostart::RunCommand("C:\\Program Files\\Velmora");
    EXPECT_EQ(data, "\"C:\\Program Files\\Velmora\\Velmora.exe\"");
    EXPECT_EQ(autostart::StoredLength(data), data.size() + 1);
    EXPECT_EQ(autostart::RunCommand("D:\\a b"), "\"D:\\a b\\Velmora.exe\"");
}

TEST(AutoStartRules, ChineseFolderIsKeptAsItIsAndDriveRootsGetOneSeparator) {
    EXPECT_EQ(autostart::RunCommand("D:\\工具"), "D:\\工具\\Velmora.exe");
    EXPECT_EQ(autostart::RunCommand("D:"), "D:\\Velmora.exe");
    EXPECT_EQ(autostart::RunCommand("D:\\"), "D:\\Velmora.exe");
}

}  // namespace
}  // namespace velmora
