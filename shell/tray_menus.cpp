#include "shell/tray_menus.h"

namespace velmora::menus {

namespace {

// Entries named hN are separators.

// 关闭计算机 submenu of the tray menu.
constexpr Entry kPowerSubmenu[] = {
    {"gbxsqq", "关闭显示器", Kind::Item},   // monitor off
    {"h13", "-", Kind::Separator},
    {"zx1", "注销计算机", Kind::Item},      // log off
    {"h7", "-", Kind::Separator},
    {"gj1", "关闭计算机", Kind::Item},      // shut down
    {"h8", "-", Kind::Separator},
    {"cqjsj1", "重启计算机", Kind::Item},   // restart
};

// 设置 submenu.
constexpr Entry kSettingsSubmenu[] = {
    {"kaijzdqd", "开机自动启动", Kind::Item, false, true},  // start at logon
};

// 推荐软件: other programs of the same maker; hidden in this release.
constexpr Entry kRecommendSubmenu[] = {
    {"tuij1", "Velmora 截图助手", Kind::Item},
    {"tuij2", "Velmora 便签", Kind::Item},
    {"tuij3", "Velmora 文件粉碎机", Kind::Item},
};

constexpr Entry kTray[] = {
    {"gbcdd", "关闭菜单", Kind::Item},          // close menu: does nothing else
    {"h12", "-", Kind::Separator},
    {"xszjm", "显示主界面", Kind::Item},        // show the launcher panel
    {"h1", "-", Kind::Separator},
    {"mycomputer", "我的电脑", Kind::Item},     // My Computer
    {"zyglq", "资源管理器", Kind::Item},        // Explorer on drive C
    {"xtss", "系统搜索", Kind::Item},           // system search on drive C
    {"dkhsz", "清空回收站", Kind::Item},        // empty the recycle bin
    {"h6", "-", Kind::Separator},
    {"gbjj", "关闭计算机", Kind::Submenu, false, false, kPowerSubmenu},  // power submenu
    {"h2", "-", Kind::Separator},
    {"wzdh", "网站导航", Kind::Item},           // web-navigation page
    {"wanglss", "网络搜索", Kind::Item},        // web-search window
    {"h3", "-", Kind::Separator},
    {"shez", "设置", Kind::Submenu, false, false, kSettingsSubmenu},    // settings submenu
    {"h9", "-", Kind::Separator},
    {"tuij", "推荐软件", Kind::Submenu, true, false, kRecommendSubmenu},  // recommended programs
    {"h10", "-", Kind::Separator, true},
    {"chakxbb", "查看新版本", Kind::Item},      // look for a newer version
    {"guany", "关于", Kind::Item},              // about box
    {"h11", "-", Kind::Separator},
    {"tuiccx", "退出程序", Kind::Item},         // exit
};

constexpr Entry kPower[] = {
    {"zx", "注销计算机", Kind::Item},     // log off
    {"h4", "-", Kind::Separator},
    {"gj", "关闭计算机", Kind::Item},     // shut down
    {"h5", "-", Kind::Separator},
    {"cqjsj", "重启计算机", Kind::Item},  // restart
};

}  // namespace

std::span<const Entry> TrayMenu() { return kTray; }
std::span<const Entry> PowerMenu() { return kPower; }

const Entry* FindEntry(std::span<const Entry> menu, std::string_view name) {
    for (const Entry& e : menu) {
        if (e.name == name) return &e;
        if (const Entry* inner = FindEntry(e.children, name)) return inner;
    }
    return nullptr;
}

}  // namespace velmora::menus
