#!/usr/bin/env bash
# The picture folder followed by its path while the changer is open: a pic
# replaced by another (the old one moved away, as to the recycle bin) and a
# pic deleted and made again show in the open list within two seconds, and
# /next takes a picture of the new folder; a pic that links to itself
# leaves the list empty and the program answering. Effects are recorded; the bitmap
# is real.
DIST=$1 WIN=$2
source "$(dirname "$0")/lib.sh"

wine reg delete 'HKCU\Software\Velmora Program Settings' /f >/dev/null 2>&1 || true
app=$(app_copy picfolder recording)
picture() { /usr/bin/convert -size "${2}x60" "xc:#3060a0" "BMP3:$1"; }
mkdir -p "$app/pic"
picture "$app/pic/1.bmp" 101
export VELMORA_EFFECTS_LOG
VELMORA_EFFECTS_LOG=$(winpath "$VELMORA_SESSION/out/picfolder-effects.log")
exe=$(winpath "$app/Velmora.exe")
width_is() { [ "$(od -An -t d4 -j 18 -N 4 "$app/wallpaper.bmp" 2>/dev/null | tr -d ' ')" = "$1" ]; }

drv start "$exe" >/dev/null
check "the program runs with its icon" icon_is 1
drv tray 0x203 >/dev/null
panel_up() { [ "$(drv_field 2 panel)" = 1 ]; }
check "a double-click on the icon shows the panel" wait_for 10 panel_up
read -r _ _ _ L T _ _ <<<"$(drv panel)"
click_at $((L + 232 + 15)) $((T + 128 + 15))
changer_up() { [ "$(drv_field 2 window Velmora.WallpaperChanger)" = 1 ]; }
check "桌面变换 opens the changer" wait_for 10 changer_up
names() { drv list Velmora.WallpaperChanger 2001 | tail -n +2 | tr '\n' ' '; }
names_are() { [ "$(names)" = "$1" ]; }
check "its list shows pic" wait_for 5 names_are "1.bmp "

# Replaced: the old folder moved away, a new one made in its place.
picture "$VELMORA_SESSION/out/7.bmp" 107
start=$(date +%s%N)
mv "$app/pic" "$app/pic-gone"
mkdir "$app/pic"
cp "$VELMORA_SESSION/out/7.bmp" "$app/pic/"
check "a replaced pic shows in the open list" wait_for 5 names_are "7.bmp "
took=$((($(date +%s%N) - start) / 1000000))
check "within two seconds ($took ms)" le "$took" 2000
drv start-wait "$exe" /next >/dev/null
check "and /next takes its picture" wait_for 5 width_is 107

# Deleted, and made again.
rm -rf "$app/pic"
check "a deleted pic empties the list" wait_for 5 names_are ""
picture "$VELMORA_SESSION/out/8.bmp" 108
start=$(date +%s%N)
mkdir "$app/pic"
cp "$VELMORA_SESSION/out/8.bmp" "$app/pic/"
check "a pic made again shows in the open list" wait_for 5 names_are "8.bmp "
took=$((($(date +%s%N) - start) / 1000000))
check "within two seconds ($took ms)" le "$took" 2000
drv start-wait "$exe" /next >/dev/null
check "and /next takes its picture" wait_for 5 width_is 108

# A link that leads round to itself in its place: nothing to list, and the
# program goes on answering.
rm -rf "$app/pic"
ln -s pic "$app/pic"
check "a pic that links to itself empties the list" wait_for 5 names_are ""
check "and the program still answers" program_answers

finish
