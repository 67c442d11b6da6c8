#include "shell/menus.h"

namespace velmora::menus {

namespace {

constexpr Entry Separator() { return {"-", Kind::Separator}; }

constexpr Entry kPowerSubmenu[] = {
    {"关闭显示器", Kind::Item, Action::MonitorOff},
    Separator(),
    {"注销计算机", Kind::Item, Action::LogOff},
    Separator(),
    {"关闭计算机", Kind::Item, Action::ShutDown},
    Separator(),
    {"重启计算机", Kind::Item, Action::Restart},
};

constexpr Entry kSettingsSubmenu[] = {
    {"开机自动启动", Kind::Item, Action::ToggleStartAtLogon, false, true},
};

// Other programs of the same maker; hidden in this release.
constexpr Entry kRecommendSubmenu[] = {
    {"Velmora 截图助手", Kind::Item, Action::OpenSnapToolPage},
    {"Velmora 便签", Kind::Item, Action::OpenNotesPage},
    {"Velmora 文件粉碎机", Kind::Item, Action::OpenShredderPage},
};

constexpr Entry kTray[] = {
    {"关闭菜单", Kind::Item, Action::None},
    Separator(),
    {"显示主界面", Kind::Item, Action::ShowPanel},
    Separator(),
    {"我的电脑", Kind::Item, Action::OpenMyComputer},
    {"资源管理器", Kind::Item, Action::ExploreDriveC},
    {"系统搜索", Kind::Item, Action::SearchDriveC},
    {"清空回收站", Kind::Item, Action::EmptyRecycleBin},
    Separator(),
    {"关闭计算机", Kind::Submenu, Action::None, false, false, kPowerSubmenu},
    Separator(),
    {"网站导航", Kind::Item, Action::OpenWebNavigation},
    {"网络搜索", Kind::Item, Action::ShowSearchBox},
    Separator(),
    {"设置", Kind::Submenu, Action::None, false, false, kSettingsSubmenu},
    Separator(),
    {"推荐软件", Kind::Submenu, Action::None, true, false, kRecommendSubmenu},
    {"-", Kind::Separator, Action::None, true},
    {"查看新版本", Kind::Item, Action::CheckForNewVersion},
    {"关于", Kind::Item, Action::ShowAboutBox},
    Separator(),
    {"退出程序", Kind::Item, Action::ExitProgram},
};

constexpr Entry kPower[] = {
    {"注销计算机", Kind::Item, Action::LogOff},
    Separator(),
    {"关闭计算机", Kind::Item, Action::ShutDown},
    Separator(),
    {"重启计算机", Kind::Item, Action::Restart},
};

}  // namespace

std::span<const Entry> TrayMenu() { return kTray; }
std::span<const Entry> PowerMenu() { return kPower; }

const Entry* FindEntry(std::span<const Entry> menu, Action action) {
    for (const Entry& e : menu) {
        if (e.kind == Kind::Item && e.action == action) return &e;
        if (const Entry* inner = FindEntry(e.children, action)) return inner;
    }
    return nullptr;
}

}  // namespace velmora::menus
