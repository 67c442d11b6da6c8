// The menu tables: properties that keep the tray menu, the power menu and
// the panel's cells running the same commands, rather than a copy of them.
#include "shell/menus.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <string>

#include "launcher/cells.h"

namespace velmora::menus {
namespace {

void Walk(std::span<const Entry> menu, const std::function<void(const Entry&)>& visit) {
    for (const Entry& e : menu) {
        visit(e);
        Walk(e.children, visit);
    }
}

TEST(Menus, EveryEntryOfAMenuRunsItsOwnAction) {
    for (std::span<const Entry> menu : {TrayMenu(), PowerMenu()}) {
        std::map<Action, int> seen;
        Walk(menu, [&](const Entry& e) {
            if (e.kind == Kind::Item) ++seen[e.action];
            // Separators and submenus only arrange the entries.
            if (e.kind != Kind::Item) EXPECT_EQ(e.action, Action::None) << e.caption;
            if (e.kind == Kind::Separator) EXPECT_EQ(e.caption, "-");
        });
        for (const auto& [action, count] : seen) EXPECT_EQ(count, 1) << static_cast<int>(action);
    }
}

TEST(Menus, ThePowerMenuOffersWhatTheTraysPowerSubmenuOffers) {
    std::set<Action> tray, power;
    Walk(TrayMenu(), [&](const Entry& e) {
        if (e.action == Action::LogOff || e.action == Action::ShutDown || e.action == Action::Restart) {
            tray.insert(e.action);
        }
    });
    Walk(PowerMenu(), [&](const Entry& e) {
        if (e.kind == Kind::Item) power.insert(e.action);
    });
    EXPECT_EQ(power, (std::set<Action>{Action::LogOff, Action::ShutDown, Action::Restart}));
    EXPECT_EQ(tray, power);
    // The same action keeps the same caption wherever it appears.
    for (Action a : power) EXPECT_EQ(FindEntry(TrayMenu(), a)->caption, FindEntry(PowerMenu(), a)->caption);
}

TEST(Menus, ATrayEntryAndAPanelCellOfTheSameCaptionRunTheSameAction) {
    // 我的电脑, 清空回收站, 关闭显示器 and the others: one command, two roads.
    // The panel's 关闭计算机 is the exception by design: it opens the power
    // menu, where the tray's entry of that name shuts down.
    int shared = 0;
    for (const launcher::Cell& cell : launcher::Cells()) {
        if (cell.action == Action::ShowPowerMenu) continue;
        Walk(TrayMenu(), [&](const Entry& e) {
            if (e.kind != Kind::Item || e.caption != cell.caption) return;
            ++shared;
            EXPECT_EQ(e.action, cell.action) << e.caption;
        });
    }
    EXPECT_GE(shared, 8);
}

TEST(Menus, OnlyTheRecommendationsAndTheirSeparatorAreHiddenAndOneEntryIsCheckable) {
    int hidden = 0, checkable = 0;
    Walk(TrayMenu(), [&](const Entry& e) {
        if (e.hidden) ++hidden;
        if (e.checkable) {
            ++checkable;
            EXPECT_EQ(e.action, Action::ToggleStartAtLogon);
        }
    });
    EXPECT_EQ(hidden, 2);
    EXPECT_EQ(checkable, 1);
    // The hidden submenu holds the three recommended programs.
    std::set<Action> recommended;
    for (const Entry& e : TrayMenu()) {
        if (e.hidden && e.kind == Kind::Submenu) {
            for (const Entry& c : e.children) recommended.insert(c.action);
        }
    }
    EXPECT_EQ(recommended,
              (std::set<Action>{Action::OpenSnapToolPage, Action::OpenNotesPage, Action::OpenShredderPage}));
}

}  // namespace
}  // namespace velmora::menus
