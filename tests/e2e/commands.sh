#!/usr/bin/env bash
# Panel commands for real under Wine: 网站导航 makes the navigation site the
# browser's start page (its page opening is recorded, so that nothing
# reaches the host's browser); the calculator, which Wine lacks, brings its
# message and the program goes on; Notepad starts; the CD cell alternates
# its caption although no drive answers.
DIST=$1 WIN=$2
source "$(dirname "$0")/lib.sh"

# open_panel: double-click the icon, wait for the panel; sets L and T.
panel_shown() { [ "$(drv_field 2 panel)" = 1 ]; }
open_panel() {
  drv tray 0x203 >/dev/null
  wait_for 5 panel_shown
  read -r _ _ _ L T _ _ <<<"$(drv panel)"
}
# click_cell LEFT TOP: the middle of a cell picture at (LEFT, TOP) of the panel.
click_cell() { click_at $((L + $1 + 15)) $((T + $2 + 15)); }

app=$(app_copy commands recording)
exe=$(winpath "$app/Velmora.exe")
log=$VELMORA_SESSION/out/commands-effects.log
rm -f "$log"
wine reg delete 'HKCU\Software\Microsoft\Internet Explorer\Main' /v "Start Page" /f >/dev/null 2>&1 || true

# 网站导航, with the page opening recorded.
VELMORA_EFFECTS_LOG=$(winpath "$log") drv start "$exe" >/dev/null
check "program started" icon_is 1
check "the panel opens" open_panel
click_cell 144 55
start_page() {
  wine reg query 'HKCU\Software\Microsoft\Internet Explorer\Main' /v "Start Page" 2>/dev/null | tr -d '\r' |
    awk '$1 == "Start" && $2 == "Page" {print $4}'
}
has_start_page() { [ "$(start_page)" = "https://www.hao123.com/" ]; }
check "网站导航 sets the browser's start page" wait_for 5 has_start_page
check "and opens it, hidden show command" grep -q '"open", "https://www.hao123.com/", NULL, NULL, 0)' "$log"
drv kill >/dev/null

# The rest with the system's own effects.
drv start "$exe" >/dev/null
check "program started again" icon_is 1
check "the panel opens" open_panel
click_cell 232 200
box_up() { [ "$(drv_field 2 box)" = 1 ]; }
check "计算器 without a calculator shows a message" wait_for 5 box_up
check "titled ' Velmora ' with its text" eq "$(drv box | cut -d' ' -f3-)" " Velmora |对不起，您的操作系统没有安装计算器！"
shot calculator-message
drv box ok >/dev/null
box_gone() { [ "$(drv_field 2 box)" = 0 ]; }
check "OK closes it" wait_for 5 box_gone
check "and the program goes on" processes_are 1

click_cell 235 275
notepad_up() { [ "$(drv_field 2 count notepad.exe)" = 1 ]; }
check "记事本 starts Notepad" wait_for 10 notepad_up
check "with no message" eq "$(drv_field 2 box)" 0
drv kill notepad.exe >/dev/null

cd_caption() { drv text 1106 | cut -d' ' -f2-; }
cd_caption_is() { [ "$(cd_caption)" = "$1" ]; }
check "the CD caption starts as 打开光驱" eq "$(cd_caption)" "打开光驱"
click_cell 144 130
check "a click opens the tray: the caption offers to close it" wait_for 5 cd_caption_is "关闭光驱"
click_cell 144 130
check "the next click closes it, although no drive answers here" wait_for 5 cd_caption_is "打开光驱"
check "the program goes on" processes_are 1
finish
