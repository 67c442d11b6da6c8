// The two popup menus as data: the tray menu and the power menu that the
// launcher panel's 关闭计算机 cell pops up. The tray host builds real menus
// from these tables; a chosen entry runs its action.
#pragma once

#include <span>
#include <string_view>

#include "commands/actions.h"

namespace velmora::menus {

enum class Kind { Item, Separator, Submenu };

struct Entry {
    std::string_view caption;  // UTF-8; "-" for separators
    Kind kind;
    Action action = Action::None;
    bool hidden = false;       // kept for a later release, never shown
    bool checkable = false;
    std::span<const Entry> children{};  // entries of a submenu
};

// The tray menu, top to bottom.
std::span<const Entry> TrayMenu();
// The power menu, popped up from the panel.
std::span<const Entry> PowerMenu();

// The entry that runs `action`, searching submenus too; nullptr when none.
const Entry* FindEntry(std::span<const Entry> menu, Action action);

}  // namespace velmora::menus
