// The pinyin initials the panel answers to when typed: one check per caption
// the user can see, and what the table does with characters it lacks.
#include "launcher/cell_initials.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "launcher/cell_keys.h"
#include "launcher/cells.h"

namespace velmora::launcher {
namespace {

struct Expected {
    const char* caption;
    const char* initials;
};
void PrintTo(const Expected& e, std::ostream* os) { *os << e.caption; }

// What a user reads on each cell and types for it.
constexpr Expected kExpected[] = {
    {"我的电脑", "wddn"},   {"网站导航", "wzdh"},   {"网络搜索", "wlss"},       {"打开控制面板", "dkkzmb"},
    {"任务管理器", "rwglq"}, {"清空回收站", "qkhsz"}, {"打开光驱", "dkgq"},       {"关闭光驱", "gbgq"},
    {"桌面变换", "zmbh"},   {"添加/删除程序", "tjsccx"}, {"关于", "gy"},         {"系统搜索", "xtss"},
    {"桌面取色", "zmqs"},   {"计算器", "jsq"},       {"系统属性", "xtsx"},       {"关闭显示器", "gbxsq"},
    {"资源管理器", "zyglq"}, {"修改系统时间", "xgxtsj"}, {"记事本", "jsb"},       {"显示属性", "xssx"},
    {"关闭计算机", "gbjsj"},
};

class EachCaption : public ::testing::TestWithParam<Expected> {};

TEST_P(EachCaption, HasItsInitials) {
    EXPECT_EQ(PinyinInitials(GetParam().caption), std::optional<std::string>(GetParam().initials));
}

INSTANTIATE_TEST_SUITE_P(Panel, EachCaption, ::testing::ValuesIn(kExpected),
                         [](const ::testing::TestParamInfo<Expected>& info) {
                             return std::string(info.param.initials);
                         });

TEST(PinyinInitials, EveryCellIsReachableByTypingItsInitialsInFull) {
    // A cell whose initials began an earlier cell's could never be picked.
    std::vector<std::string> all;
    for (const Cell& c : Cells()) {
        const std::optional<std::string> initials = PinyinInitials(c.caption);
        ASSERT_TRUE(initials.has_value()) << c.caption << ": a character missing from the table";
        all.push_back(*initials);
    }
    for (std::size_t i = 0; i < all.size(); ++i) {
        EXPECT_EQ(FirstCellStartingWith(all, all[i]), std::optional<std::size_t>(i)) << all[i];
    }
    // The CD cell's other caption too.
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (Cells()[i].action == Action::ToggleCdTray) all[i] = *PinyinInitials("关闭光驱");
    }
    for (std::size_t i = 0; i < all.size(); ++i) {
        EXPECT_EQ(FirstCellStartingWith(all, all[i]), std::optional<std::size_t>(i)) << all[i];
    }
}

TEST(PinyinInitials, AsciiStaysLowerCasedPunctuationGoesAndAnUnknownCharacterFailsTheWhole) {
    EXPECT_EQ(PinyinInitials(""), std::optional<std::string>(""));
    EXPECT_EQ(PinyinInitials("Win 7/关于"), std::optional<std::string>("win7gy"));
    EXPECT_EQ(PinyinInitials("关于猫"), std::nullopt);
    EXPECT_EQ(PinyinInitials("é"), std::nullopt);
    // A sequence cut short at the end is no character the table knows.
    EXPECT_EQ(PinyinInitials(std::string("关于") + "\xE5\x85"), std::nullopt);
}

}  // namespace
}  // namespace velmora::launcher
