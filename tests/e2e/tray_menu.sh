#!/usr/bin/env bash
# The tray menu as the user meets it: right-button release over the icon,
# 关闭菜单, a click elsewhere, a second right click, and 退出程序.
DIST=$1 WIN=$2
source "$(dirname "$0")/lib.sh"

app=$(app_copy tray)
exe=$(winpath "$app/Velmora.exe")
drv start "$exe" >/dev/null
check "program started" icon_is 1

xdotool mousemove 700 300
drv tray 0x205 >/dev/null
check "right-button release pops up the menu" wait_for 5 menus_are 1
read -r _ _ left top right bottom <<<"$(drv menu)"
check "the menu opens at the mouse position" eq "$left,$top" "700,300"
shot tray-menu
drv tray 0x205 >/dev/null
sleep 0.5
check "a second right click opens no second menu" menus_are 1

click_at $((left + 30)) $((top + 12))
check "关闭菜单 closes the menu" wait_for 3 menus_are 0
check "and nothing else happens" processes_are 1
check "the icon stays" icon_is 1

drv tray 0x202 >/dev/null
drv tray 0x201 >/dev/null
drv tray 0x200 >/dev/null
sleep 0.3
check "a left click or a move over the icon opens nothing" menus_are 0

drv tray 0x205 >/dev/null
wait_for 5 menus_are 1
click_at 1100 700
check "a click elsewhere closes the menu" wait_for 3 menus_are 0
check "and the program runs on" processes_are 1

drv tray 0x205 >/dev/null
wait_for 5 menus_are 1
read -r _ _ left top right bottom <<<"$(drv menu)"
t0=$(date +%s%N)
click_at $((left + 30)) $((bottom - 12))
check "退出程序 removes the icon" wait_for 5 icon_is 0
echo "     icon gone $((($(date +%s%N) - t0) / 1000000)) ms after the click"
check "and ends the process" wait_for 5 processes_are 0
check "no window of the program remains" eq "$(drv_field 2 windows)" 0

finish
