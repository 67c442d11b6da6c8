#!/usr/bin/env bash
# The next and the previous wallpaper from outside. "Velmora.exe /next" and
# "/prev" started while the program runs hand their verb to it and end at
# once, showing nothing; the running copy applies the next picture in order
# and puts the previous one back, keeping the history in the file beside the
# profile. With the changer open, /next moves its list selection, and a
# picture copied into pic shows in its list within two seconds while the
# selection stays on its file. Effects are recorded; the bitmap is real.
DIST=$1 WIN=$2
source "$(dirname "$0")/lib.sh"

wine reg delete 'HKCU\Software\Velmora Program Settings' /f >/dev/null 2>&1 || true
app=$(app_copy verbs recording)
mkdir -p "$app/pic"
# Widths tell the pictures apart on the desktop.
for n in 1 2 3; do /usr/bin/convert -size "10${n}x60" "xc:#3060a0" "BMP3:$app/pic/$n.bmp"; done
log=$VELMORA_SESSION/out/verbs-effects.log
rm -f "$log"
export VELMORA_EFFECTS_LOG
VELMORA_EFFECTS_LOG=$(winpath "$log")
exe=$(winpath "$app/Velmora.exe")

drv start "$exe" >/dev/null
check "the program runs with its icon" icon_is 1

width() { od -An -t d4 -j 18 -N 4 "$app/wallpaper.bmp" 2>/dev/null | tr -d ' '; }
width_is() { [ "$(width)" = "$1" ]; }
wallpapers() { grep -c '^SetDeskWallpaper(' "$log" 2>/dev/null || true; }
wallpapers_are() { [ "$(wallpapers)" = "$1" ]; }
# second VERB: a second start with the verb; "ENDED MS" of that process.
second() { drv start-wait "$exe" "$1" | awk '{print $1, $3}'; }

read -r ended _ <<<"$(second /next)"
check "a second start with /next ends by itself" eq "$ended" ended
check "the first picture becomes the wallpaper" wait_for 5 width_is 101
check "showing nothing" eq "$(drv_field 2 windows)" 0
read -r ended _ <<<"$(second -NEXT)"
check "-NEXT: the second picture" wait_for 5 width_is 102
read -r ended _ <<<"$(second /prev)"
check "/prev puts the first back" wait_for 5 width_is 101
check "the history beside the profile holds it" eq "$(cat "$app/vlmr-history.txt")" \
  "$(printf 'Velmora wallpaper history 1\n1.bmp')"
check "one process still" processes_are 1

count=$(wallpapers)
read -r ended _ <<<"$(second /shuffle)"
check "an unknown verb ends the second start too" eq "$ended" ended
read -r ended _ <<<"$(second /prev)"
check "the program has handled both" program_answers
check "and neither it nor /prev at the oldest changes anything" wallpapers_are "$count"
check "nor shows anything" eq "$(drv_field 2 windows)" 0

# The changer, opened from the panel's 桌面变换 cell with the real mouse.
drv tray 0x203 >/dev/null
panel_up() { [ "$(drv_field 2 panel)" = 1 ]; }
check "a double-click on the icon shows the panel" wait_for 10 panel_up
read -r _ _ _ L T _ _ <<<"$(drv panel)"
click_at $((L + 232 + 15)) $((T + 128 + 15))
changer_up() { [ "$(drv_field 2 window Velmora.WallpaperChanger)" = 1 ]; }
check "桌面变换 opens the changer" wait_for 10 changer_up
listing() { drv list Velmora.WallpaperChanger 2001; }
check "its list: three pictures, none selected" eq "$(listing | head -n 1)" "list 3 -1"

second /next >/dev/null
selected_is() { [ "$(listing | head -n 1)" = "$1" ]; }
check "/next selects the picture it applies in the open list" wait_for 5 selected_is "list 3 0"
check "the first in order, as the changer opened afresh" wait_for 5 width_is 101

/usr/bin/convert -size 115x60 "xc:#a06030" "BMP3:$VELMORA_SESSION/out/15.bmp"
cp "$VELMORA_SESSION/out/15.bmp" "$app/pic/15.bmp"
check "a picture copied into pic shows in the open list" wait_for 5 selected_is "list 4 0"
check "in its place, the selection staying on its file" eq "$(listing | tail -n +2 | tr '\n' ' ')" \
  "1.bmp 15.bmp 2.bmp 3.bmp "
second /next >/dev/null
check "and /next takes it next, without 更新图片" wait_for 5 width_is 115
check "the selection with it" wait_for 5 selected_is "list 4 1"

finish
