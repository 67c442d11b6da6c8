#!/usr/bin/env bash
# Two monitors side by side (the session's Xephyr: 1280x800, the primary,
# and 800x1280 right of it), each with a picture of its own. /next writes
# one wallpaper.bmp of the whole virtual screen, set tiled: the landscape
# monitor's rectangle holds the landscape picture, the portrait monitor's
# the portrait one. Fill leaves no background, Fit leaves bands of it, and
# with the choice off both show the same picture. Timed changing from the
# profile changes the wallpaper with no changer window ever made.
DIST=$1 WIN=$2
source "$(dirname "$0")/lib.sh"

check "Wine sees the two monitors" eq "$(drv monitors | tr '\n' ' ')" "monitors 2 0 0 1280 800 1280 0 2080 1280 "

app=$(app_copy monitors)
mkdir -p "$app/pic"
/usr/bin/convert -size 1600x900 "xc:#c83232" "BMP3:$app/pic/a-landscape.bmp"
/usr/bin/convert -size 900x1600 "xc:#3232c8" "BMP3:$app/pic/b-portrait.bmp"
exe=$(winpath "$app/Velmora.exe")
bmp=$app/wallpaper.bmp

# rect_colour X Y W H: the one colour (#rrggbb) of that rectangle of
# wallpaper.bmp, "mixed" when it holds more than one; then the rows from its
# top and from its bottom that are the colour of its corner, when mixed.
rect_colour() {
  python3 - "$bmp" "$@" <<'PY'
import struct, sys
data = open(sys.argv[1], 'rb').read()
w, h = struct.unpack_from('<ii', data, 18)
x0, y0, rw, rh = map(int, sys.argv[2:6])
stride = (w * 3 + 3) & ~3
def px(x, y):
    o = 54 + stride * (h - 1 - y) + 3 * x
    return '#%02x%02x%02x' % (data[o + 2], data[o + 1], data[o])
rows = [{px(x, y) for x in range(x0, x0 + rw, 7)} for y in range(y0, y0 + rh)]
colours = set().union(*rows)
if len(colours) == 1:
    print(colours.pop())
else:
    corner = px(x0, y0)
    top = next(i for i, r in enumerate(rows) if r != {corner})
    bottom = next(i for i, r in enumerate(reversed(rows)) if r != {corner})
    print('mixed', top, bottom)
PY
}
size() { od -An -t d4 -j 18 -N 8 "$bmp" 2>/dev/null | awk '{print $1 "x" $2}'; }
stamp() { stat -c %Y%N "$bmp" 2>/dev/null || echo none; }
changed_since() { [ "$(stamp)" != "$1" ]; }
reg_value() { wine reg query 'HKCU\Control Panel\Desktop' /v "$1" 2>/dev/null | tr -d '\r' | awk -v k="$1" '$1 == k {print $3}'; }
profile() { printf '[Velmora]\r\n%s' "$(printf '%s\r\n' "$@")" >"$app/vlmr.INI"; }
next() {
  local before
  before=$(stamp)
  drv start-wait "$exe" /next >/dev/null
  wait_for 10 changed_since "$before"
}

profile wz=4
drv start "$exe" >/dev/null
check "the program runs" icon_is 1
check "/next writes the wallpaper" next
check "one bitmap of the virtual screen" eq "$(size)" "2080x1280"
check "the landscape monitor shows the landscape picture, filled" eq "$(rect_colour 0 0 1280 800)" "#c83232"
check "the portrait monitor the portrait one, filled" eq "$(rect_colour 1280 0 800 1280)" "#3232c8"
check "tiled in the registry" eq "$(reg_value TileWallpaper) $(reg_value WallpaperStyle)" "1 0"

drv kill >/dev/null
/usr/bin/convert -size 1920x1080 "xc:#32c832" "BMP3:$app/pic/a-landscape.bmp"
profile wz=5
drv start "$exe" >/dev/null
check "/next with Fit" next
read -r what top bottom <<<"$(rect_colour 0 0 1280 800)"
check "the 16:9 picture on 1280 x 800 leaves bands above and below" eq "$what" mixed
check "of 40 rows ($top above, $bottom below)" eval "[ ${top:-0} -ge 38 ] && [ ${top:-0} -le 42 ] && [ ${bottom:-0} -ge 38 ] && [ ${bottom:-0} -le 42 ]"
check "the picture between them" eq "$(rect_colour 0 42 1280 716)" "#32c832"

drv kill >/dev/null
profile wz=4 mgxsq=0
drv start "$exe" >/dev/null
check "/next with one picture for every monitor" next
left=$(rect_colour 0 0 1280 800)
check "both monitors show the same picture" eq "$(rect_colour 1280 0 800 1280)" "$left"
drv kill >/dev/null

# Timed changing every second from the profile: the program's own
# schedule, no changer window.
profile qhzm=1 xz=1 "sj=$(printf '自定义' | iconv -f UTF-8 -t GBK)" zdy=1 wz=4
before=$(stamp)
drv start "$exe" >/dev/null
check "timed changing changes the wallpaper" wait_for 10 changed_since "$before"
check "with no changer window ever made" eq "$(drv_field 2 window Velmora.WallpaperChanger)" "none"
check "and each monitor its own picture" eq "$(rect_colour 0 0 1280 800) $(rect_colour 1280 0 800 1280)" \
  "#32c832 #3232c8"
finish
