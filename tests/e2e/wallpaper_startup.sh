#!/usr/bin/env bash
# A profile that asks for timed changing at start ("qhzm" = 1) starts it
# with nothing shown and no changer window made: the program's own schedule
# changes the wallpaper. With "qhzm" = 0 nothing changes.
DIST=$1 WIN=$2
source "$(dirname "$0")/lib.sh"

app=$(app_copy wallpaper-startup recording)
cp -r "$DIST/pic" "$app/"
export VELMORA_EFFECTS_LOG
log="$VELMORA_SESSION/out/wallpaper-startup-effects.log"
rm -f "$log"
VELMORA_EFFECTS_LOG=$(winpath "$log")

# Every second, from the profile: 自定义 with the interval 1.
printf '[Velmora]\r\nqhzm=1\r\nxz=1\r\nsj=%s\r\nzdy=1\r\n' "$(printf '自定义' | iconv -f UTF-8 -t GBK)" >"$app/vlmr.INI"
drv start "$(winpath "$app/Velmora.exe")" >/dev/null
check "program started" icon_is 1
changed() { grep -q '^SetDeskWallpaper(' "$log" 2>/dev/null; }
check "the wallpaper changes on its own" wait_for 10 changed
check "to the bitmap beside the program" grep -qF "SetDeskWallpaper(\"$(winpath "$app")\\wallpaper.bmp\", 1)" "$log"
check "wallpaper.bmp is written" test -s "$app/wallpaper.bmp"
check "no window is shown" eq "$(drv_field 2 windows)" "0"
check "with no changer window ever made" eq "$(drv_field 2 rect Velmora.WallpaperChanger 0)" "none"
check "no panel was made for it" eq "$(drv_field 2 rect Velmora.LauncherPanel 0)" "none"
drv kill >/dev/null

app=$(app_copy wallpaper-startup-off recording)
cp -r "$DIST/pic" "$app/"
rm -f "$log"
printf '[Velmora]\r\nqhzm=0\r\n' >"$app/vlmr.INI"
drv start "$(winpath "$app/Velmora.exe")" >/dev/null
check "program started" icon_is 1
check "the start-up is over" program_answers
check "with qhzm = 0 no changer exists" eq "$(drv_field 2 rect Velmora.WallpaperChanger 0)" "none"
check "nor a panel" eq "$(drv_field 2 rect Velmora.LauncherPanel 0)" "none"
check "and nothing changes" eval '! changed'
finish
