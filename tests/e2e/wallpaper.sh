#!/usr/bin/env bash
# The wallpaper changer through the real shell, inside Wine's virtual
# desktop: a double-click on the icon opens the panel, 桌面变换 opens the
# changer over it, "拉伸" and 立即更换 make the first picture of pic\ the
# desktop wallpaper. The desktop shows it, wallpaper.bmp is a BMP of the
# picture's own size, and the registry behind "Win.ini" holds the path,
# "0" and "2". Real effects: the prefix is this session's own.
DIST=$1 WIN=$2
source "$(dirname "$0")/lib.sh"

desktop="Velmora-wall,1024x768"
app=$(app_copy wallpaper)
cp -r "$DIST/pic" "$app/"
# A forged JPEG that claims 60000 x 60000 pixels, half a JPEG and a text
# file sit in the folder too: listing and previewing them must do no harm.
# Their names sort after the pictures' (code point order, as the list's).
first=$(ls "$app/pic" | LC_ALL=C sort | head -n 1)
pictures=$(ls "$app/pic" | wc -l)
printf '\xff\xd8\xff\xc0\x00\x11\x08\xea\x60\xea\x60\x03\x01\x22\x00\x02\x11\x01\x03\x11\x01\xff\xd9' >"$app/pic/龙1-forged.jpg"
head -c 20000 "$app/pic/$first" >"$app/pic/龙2-half.jpg"
echo "not a picture" >"$app/pic/龙3-notes.txt"
printf '[Velmora]\r\nxz=3\r\n' >"$app/vlmr.INI"

start_in_desktop "$app/Velmora.exe"
check "Wine's desktop opens" wait_for 15 desktop_up
dicon_is() { [ "$(ddrv_field 2 icon)" = "$1" ]; }
check "the icon is in the notification area" wait_for 15 dicon_is 1

visible_at() { [ "$(ddrv_field 2 rect "$1" 0)" = 1 ]; }
xdotool mousemove 1013 757 click --repeat 2 --delay 80 1
check "a double-click on the icon opens the panel" wait_for 10 visible_at Velmora.LauncherPanel
read -r _ _ L T _ _ <<<"$(ddrv rect Velmora.LauncherPanel 0)"
click_at $((L + 232 + 15)) $((T + 128 + 15))  # 桌面变换's picture
check "桌面变换 opens the changer" wait_for 10 visible_at Velmora.WallpaperChanger
read -r _ _ l t _ _ <<<"$(ddrv rect Velmora.WallpaperChanger 0)"
check "over the panel" eq "$l,$t" "$L,$T"
name=$(ddrv wtext Velmora.WallpaperChanger 2301 | cut -d' ' -f2-)
check "the first picture is previewed" eq "$name" "文件名：$first"

# 拉伸, then 立即更换, with the real mouse.
read -r _ _ ol ot orr ob <<<"$(ddrv rect Velmora.WallpaperChanger 2207)"
click_at $(((ol + orr) / 2)) $(((ot + ob) / 2))
read -r _ _ bl bt br bb <<<"$(ddrv rect Velmora.WallpaperChanger 2106)"
plain=$(xwd -root -silent | /usr/bin/convert xwd:- -crop 1x1+900+600 -format '%[hex:p{0,0}]' info:-)
click_at $(((bl + br) / 2)) $(((bt + bb) / 2))
check "立即更换 writes wallpaper.bmp" wait_for 10 test -s "$app/wallpaper.bmp"
# The desktop beside the windows is no longer the plain colour of before.
desktop_pixel() { xwd -root -silent | /usr/bin/convert xwd:- -crop 1x1+900+600 -format '%[hex:p{0,0}]' info:-; }
desktop_changed() { [ "$(desktop_pixel)" != "$plain" ]; }
check "the desktop shows the wallpaper" wait_for 10 desktop_changed
shot wallpaper-desktop

bmp_size() { od -An -t d4 -j 18 -N 8 "$1" | awk '{print $1 "x" $2}'; }
check "wallpaper.bmp is a bitmap" eq "$(head -c 2 "$app/wallpaper.bmp")" "BM"
check "of the picture's own size" eq "$(bmp_size "$app/wallpaper.bmp")" \
  "$(/usr/bin/identify -format '%wx%h' "$app/pic/$first")"
check "24 bits a pixel" eq "$(od -An -t d2 -j 28 -N 2 "$app/wallpaper.bmp" | tr -d ' ')" "24"

desktop_value() {
  wine reg query 'HKCU\Control Panel\Desktop' /v "$1" </dev/null 2>/dev/null | tr -d '\r' |
    awk -v k="$1" '$1 == k {sub(/^ *[^ ]+ +REG_SZ +/, ""); print}'
}
check "Win.ini's Wallpaper names the bitmap" eq "$(desktop_value Wallpaper)" "$(winpath "$app")\\wallpaper.bmp"
check "TileWallpaper is 0" eq "$(desktop_value TileWallpaper)" "0"
check "WallpaperStyle is 2" eq "$(desktop_value WallpaperStyle)" "2"

# The forged, truncated and text files in the list: selecting each one
# shows the update message and closes the changer; the program lives on
# and the panel's cell opens the changer again.
box_says() { ddrv box | grep -q "需要更新图片，请重新打开更换桌面功能！"; }
for n in 0 1 2; do
  ddrv select Velmora.WallpaperChanger 2001 $((pictures + n)) >/dev/null
  check "selecting bad file $((n + 1)) shows the update message" wait_for 10 box_says
  ddrv box ok >/dev/null
  check "and closes the changer" wait_for 10 eval '! visible_at Velmora.WallpaperChanger'
  check "the program still runs" eq "$(ddrv_field 2 count Velmora.exe)" "1"
  click_at $((L + 232 + 15)) $((T + 128 + 15))
  check "桌面变换 opens it again" wait_for 10 visible_at Velmora.WallpaperChanger
done

wineserver -k 2>/dev/null || true
setsid wineserver -p </dev/null >/dev/null 2>&1 &
sleep 0.5
finish
