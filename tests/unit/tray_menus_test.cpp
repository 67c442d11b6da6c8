#include "shell/tray_menus.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace velmora::menus {
namespace {

std::vector<std::string> Visible(std::span<const Entry> menu) {
    std::vector<std::string> out;
    for (const Entry& e : menu) {
        if (!e.hidden) out.emplace_back(e.name);
    }
    return out;
}

TEST(TrayMenu, ShowsTheEntriesInOrderWithoutTheHiddenOnes) {
    const std::vector<std::string> expected = {"gbcdd", "h12",  "xszjm", "h1",   "mycomputer", "zyglq",
                                               "xtss",  "dkhsz", "h6",   "gbjj", "h2",         "wzdh",
                                               "wanglss", "h3", "shez",  "h9",   "chakxbb",    "guany",
                                               "h11",   "tuiccx"};
    EXPECT_EQ(Visible(TrayMenu()), expected);
    // Between 设置 and 查看新版本 the user sees exactly one separator.
    const auto v = Visible(TrayMenu());
    const auto shez = std::find(v.begin(), v.end(), "shez");
    ASSERT_NE(shez, v.end());
    EXPECT_EQ(*(shez + 1), "h9");
    EXPECT_EQ(*(shez + 2), "chakxbb");
}

TEST(TrayMenu, CaptionsAndKinds) {
    struct Row {
        const char* name;
        const char* caption;
        Kind kind;
    };
    const Row rows[] = {
        {"gbcdd", "关闭菜单", Kind::Item},     {"xszjm", "显示主界面", Kind::Item},
        {"mycomputer", "我的电脑", Kind::Item}, {"zyglq", "资源管理器", Kind::Item},
        {"xtss", "系统搜索", Kind::Item},      {"dkhsz", "清空回收站", Kind::Item},
        {"gbjj", "关闭计算机", Kind::Submenu}, {"gbxsqq", "关闭显示器", Kind::Item},
        {"zx1", "注销计算机", Kind::Item},     {"gj1", "关闭计算机", Kind::Item},
        {"cqjsj1", "重启计算机", Kind::Item},  {"wzdh", "网站导航", Kind::Item},
        {"wanglss", "网络搜索", Kind::Item},   {"shez", "设置", Kind::Submenu},
        {"kaijzdqd", "开机自动启动", Kind::Item}, {"tuij", "推荐软件", Kind::Submenu},
        {"h10", "-", Kind::Separator},         {"chakxbb", "查看新版本", Kind::Item},
        {"guany", "关于", Kind::Item},         {"tuiccx", "退出程序", Kind::Item},
    };
    for (const Row& r : rows) {
        const Entry* e = FindEntry(TrayMenu(), r.name);
        ASSERT_NE(e, nullptr) << r.name;
        EXPECT_EQ(e->caption, r.caption) << r.name;
        EXPECT_EQ(e->kind, r.kind) << r.name;
    }
}

TEST(TrayMenu, PowerSubmenuAndSettingsSubmenu) {
    const Entry* gbjj = FindEntry(TrayMenu(), "gbjj");
    ASSERT_NE(gbjj, nullptr);
    EXPECT_EQ(Visible(gbjj->children),
              (std::vector<std::string>{"gbxsqq", "h13", "zx1", "h7", "gj1", "h8", "cqjsj1"}));
    const Entry* shez = FindEntry(TrayMenu(), "shez");
    ASSERT_NE(shez, nullptr);
    ASSERT_EQ(shez->children.size(), 1u);
    EXPECT_EQ(shez->children[0].name, "kaijzdqd");
    EXPECT_TRUE(shez->children[0].checkable);
}

TEST(TrayMenu, OnlyTheRecommendationsAndTheirSeparatorAreHidden) {
    std::set<std::string> hidden;
    for (const Entry& e : TrayMenu()) {
        if (e.hidden) hidden.emplace(e.name);
    }
    EXPECT_EQ(hidden, (std::set<std::string>{"tuij", "h10"}));
    const Entry* tuij = FindEntry(TrayMenu(), "tuij");
    ASSERT_NE(tuij, nullptr);
    EXPECT_EQ(tuij->children.size(), 3u);
}

TEST(TrayMenu, SeparatorsCarryTheDashCaptionAndNamesAreUnique) {
    std::set<std::string> names;
    auto walk = [&](auto&& self, std::span<const Entry> menu) -> void {
        for (const Entry& e : menu) {
            EXPECT_TRUE(names.emplace(e.name).second) << "duplicate " << e.name;
            if (e.kind == Kind::Separator) EXPECT_EQ(e.caption, "-") << e.name;
            self(self, e.children);
        }
    };
    walk(walk, TrayMenu());
    walk(walk, PowerMenu());
}

TEST(PowerMenu, LogOffShutDownRestart) {
    EXPECT_EQ(Visible(PowerMenu()), (std::vector<std::string>{"zx", "h4", "gj", "h5", "cqjsj"}));
    EXPECT_EQ(FindEntry(PowerMenu(), "zx")->caption, "注销计算机");
    EXPECT_EQ(FindEntry(PowerMenu(), "gj")->caption, "关闭计算机");
    EXPECT_EQ(FindEntry(PowerMenu(), "cqjsj")->caption, "重启计算机");
}

}  // namespace
}  // namespace velmora::menus
