#!/usr/bin/env bash
# The whole road through the real shell: Velmora inside Wine's virtual
# desktop, whose taskbar holds the notification area; a real right click on
# the icon opens the menu, a real click on 退出程序 ends the program.
DIST=$1 WIN=$2
source "$(dirname "$0")/lib.sh"

desktop="Velmora-e2e,1024x768"
dicon_is() { [ "$(ddrv_field 2 icon)" = "$1" ]; }
dmenus_are() { [ "$(ddrv_field 2 menu)" = "$1" ]; }
dprocesses_are() { [ "$(ddrv_field 2 processes)" = "$1" ]; }

app=$(app_copy desktop)
start_in_desktop "$app/Velmora.exe"
check "Wine's desktop opens" wait_for 15 desktop_up
check "the icon is in the desktop's notification area" wait_for 15 dicon_is 1
shot desktop-tray

# The icon is the only one, at the right end of the taskbar.
xdotool mousemove 1013 757
sleep 0.3
xdotool click 3
check "a right click on the icon opens the tray menu" wait_for 5 dmenus_are 1
shot desktop-tray-menu
read -r _ _ left top right bottom <<<"$(ddrv menu)"
check "the menu opens by the icon" le $((1013 - left)) 200
click_at $((left + 30)) $((bottom - 12))
check "退出程序 ends the program" wait_for 10 dprocesses_are 0
check "and takes its icon away" dicon_is 0

wineserver -k 2>/dev/null || true
# a fresh wineserver for whatever runs next in this session
setsid wineserver -p </dev/null >/dev/null 2>&1 &
sleep 0.5
finish
