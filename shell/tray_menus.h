// The two popup menus of the start-up window as data: the tray menu `cd`
// and the power menu `gjj`. The window side builds real menus from these
// tables and dispatches a chosen entry by its name.
#pragma once

#include <span>
#include <string_view>

namespace velmora::menus {

enum class Kind { Item, Separator, Submenu };

struct Entry {
    std::string_view name;     // design name of the entry, e.g. "tuiccx"
    std::string_view caption;  // UTF-8; "-" for separators
    Kind kind;
    bool hidden = false;       // present in the design, never shown
    bool checkable = false;
    std::span<const Entry> children{};  // entries of a submenu
};

// 托盘菜单 (tray menu), top to bottom.
std::span<const Entry> TrayMenu();
// 关机菜单 (power menu), popped up from the panel's 关闭计算机 cell.
std::span<const Entry> PowerMenu();

// Looks an entry up by its design name, searching submenus too.
const Entry* FindEntry(std::span<const Entry> menu, std::string_view name);

}  // namespace velmora::menus
