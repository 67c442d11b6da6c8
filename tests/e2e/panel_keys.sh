#!/usr/bin/env bash
# The launcher panel from the keyboard, typed for real into the active
# panel: "jsq" and Enter run 计算器 (Wine has no calculator, so its message
# comes and the program goes on), the arrow keys walk to the CD cell and
# Enter toggles it, and Esc closes the panel as its close button does. A
# second start with /panel brings the panel back in front, taking the keys
# with no click. A high-contrast theme turned on and off while it is open
# changes its colours at once. Enter and the menu key on the focused icon
# show the panel and the tray menu.
DIST=$1 WIN=$2
source "$(dirname "$0")/lib.sh"

app=$(app_copy panel_keys)
exe=$(winpath "$app/Velmora.exe")
drv start "$exe" >/dev/null
check "program started" icon_is 1
panel_shown() { [ "$(drv_field 2 panel)" = 1 ]; }
drv tray 0x203 >/dev/null
check "a double-click on the icon shows the panel" wait_for 5 panel_shown
read -r _ _ _ L T _ _ <<<"$(drv panel)"
panel_active() { [ "$(drv_field 2 active)" = "Velmora.LauncherPanel" ]; }
check "the panel is the active window" wait_for 5 panel_active

# Keys go to the X window with the keyboard focus, or to the one under the
# pointer when none has it; a dialog or a desktop that went away may have
# left the focus on nothing. So: the pointer on the clock line, where a
# moving mouse changes nothing, and the focus on the panel, before typing.
panel_window() { xdotool search --onlyvisible --name '^Velmora2\.2$' | head -n 1; }
panel_x=$(panel_window)
keys_to_panel() {  # the panel of now: one closed and shown again is a new window
  read -r _ _ _ L T _ _ <<<"$(drv panel)"
  xdotool mousemove --sync $((L + 60)) $((T + 350))
  xdotool windowfocus "$(panel_window)"
}
check "the panel is a window of the display" test -n "$panel_x"
# Right after the double-click the panel is the active window (checked
# above); the X focus is put where a window manager would put it, as for
# every typing below: pointing at the pointer alone once let the keys go
# elsewhere on a busy machine.
keys_to_panel
xdotool type --delay 80 jsq
xdotool key Return
box_up() { [ "$(drv_field 2 box)" = 1 ]; }
check "jsq and Enter run 计算器: its message, as Wine has none" wait_for 10 box_up
check "titled ' Velmora ' with its text" eq "$(drv box | cut -d' ' -f3-)" " Velmora |对不起，您的操作系统没有安装计算器！"
shot panel-keys-calculator
drv box ok >/dev/null
box_gone() { [ "$(drv_field 2 box)" = 0 ]; }
check "OK closes it" wait_for 5 box_gone
check "the program goes on" processes_are 1
check "the panel is active again" wait_for 5 panel_active

# From 计算器: up to 桌面变换, left to the CD cell, Enter.
cd_caption_is() { [ "$(drv text 1106 | cut -d' ' -f2-)" = "$1" ]; }
keys_to_panel
xdotool key Up Left Return
check "Up, Left and Enter toggle the CD cell: its caption offers to close" wait_for 5 cd_caption_is "关闭光驱"
xdotool type --delay 80 gbgq
xdotool key space
check "gbgq, the caption it shows now, and Space toggle it back" wait_for 5 cd_caption_is "打开光驱"

xdotool key Escape
panel_gone() { [ "$(drv panel | cut -d' ' -f2-)" = "0 0 0 0 0 0" ]; }
check "Esc closes the panel" wait_for 5 panel_gone
check "and leaves the program in the tray" icon_is 1

# No click from here on: the pointer only rests on the clock line, since on a
# display without a window manager keys go to the window under it.
check "a second start with /panel ends by itself" eq "$(drv start-wait "$exe" /panel | awk '{print $1}')" ended
check "and the running copy shows the panel" wait_for 5 panel_shown
check "in front" wait_for 5 panel_active
read -r _ _ _ L T _ _ <<<"$(drv panel)"
xdotool mousemove --sync $((L + 60)) $((T + 350))
xdotool type --delay 80 jsq
xdotool key Return
check "jsq and Enter, typed at once, run 计算器" wait_for 10 box_up
drv box ok >/dev/null
check "OK closes its message" wait_for 5 box_gone
check "one program still" processes_are 1

# A high-contrast theme turned on while the panel is open: at once the panel
# is drawn in the system's window and caption colours instead of the skin,
# and in the skin again when the theme goes.
read -r _ _ _ L T R B <<<"$(drv panel)"
read -r _ window caption _ <<<"$(drv syscolours)"
system_share() {  # percent of the panel's pixels in those two colours
  xwd -root -silent | /usr/bin/convert xwd:- -crop "$((R - L))x$((B - T))+$L+$T" -depth 8 txt:- |
    awk -v a="#$window" -v b="#$caption" 'NR > 1 { n++; if (substr($3, 1, 7) == a || substr($3, 1, 7) == b) s++ }
      END { print n ? int(100 * s / n) : 0 }'
}
share_at_least() { [ "$(system_share)" -ge "$1" ]; }
share_below() { [ "$(system_share)" -lt "$1" ]; }
echo "     skin: $(system_share) % of the panel in the system's colours"
check "the skin is not the system's colours" share_below 50
check "the theme turned on" drv contrast on
check "at once the panel takes the system's colours" wait_for 5 share_at_least 75
echo "     high contrast: $(system_share) %"
shot panel-high-contrast
check "the theme turned off" drv contrast off
check "and the skin comes back" wait_for 5 share_below 50

# The icon focused in the notification area: Enter (NIN_KEYSELECT) shows the
# panel in front, the menu key (WM_CONTEXTMENU) opens the tray menu at the
# icon's anchor, and Esc closes it; as the shell sends them in version 4.
keys_to_panel
xdotool key Escape
check "Esc closes the panel again" wait_for 5 panel_gone
drv tray 0x401 600 500 >/dev/null
check "Enter on the focused icon shows the panel" wait_for 5 panel_shown
check "in front" wait_for 5 panel_active
keys_to_panel
xdotool key Escape
check "and Esc closes it" wait_for 5 panel_gone
drv tray 0x7B 300 200 >/dev/null
check "the menu key on the icon opens the tray menu" wait_for 5 menus_are 1
read -r _ _ mL mT _ _ <<<"$(drv menu)"
check "at the icon's anchor" eq "$mL $mT" "300 200"
drv menu-keys 0x1B >/dev/null
check "Esc closes the menu" wait_for 5 menus_are 0
check "one program still" processes_are 1
finish
