#!/usr/bin/env bash
# Every window at a given scale, seen from outside: the launcher
# panel, the wallpaper changer, the picture viewer, the web-search box and
# its message box, and the colour picker are opened as a user opens them, once with the display at
# 96 dots per inch and once at the given LogPixels. At the scale
# s = LogPixels / 96 each window's outer size is its 96-dpi size times s and
# every child control's rectangle is its 96-dpi rectangle times s (within
# 2 pixels), and no caption or label is clipped by its control. Screenshots
# of each window at both scales are kept in the session's screenshots.
#
#   dpi_layout.sh DIST WIN DPI
DIST=$1 WIN=$2 scaled=${3:?the scale to check, in dots per inch}
source "$(dirname "$0")/lib.sh"

desktop_key='HKCU\Control Panel\Desktop'
# The session is shared: the display goes back to its own scale afterwards.
trap 'wine reg delete "$desktop_key" /v LogPixels /f >/dev/null 2>&1 || true' EXIT
layouts="$SHOTS/layout"
mkdir -p "$layouts"
app=$(app_copy "dpi-$scaled")
cp -r "$DIST/pic" "$app/"

visible() { [ "$(drv_field 2 window "$1")" = 1 ]; }
gone() { ! visible "$1"; }
# click_control CLASS ID: a click in the middle of the control.
click_control() {
  read -r _ _ l t r b <<<"$(drv rect "$1" "$2")"
  click_at $(((l + r) / 2)) $(((t + b) / 2))
}
# painted CLASS: the window, at the middle of its lower half (the search
# box's grass; above it the box is keyed out), shows something other than
# black, the colour of a window Wine has not painted yet.
painted() {
  read -r _ _ l t r b <<<"$(drv rect "$1" 0)"
  [ "$(xwd -root -silent | /usr/bin/convert xwd:- -crop "1x1+$(((l + r) / 2))+$((t + 3 * (b - t) / 4))" -format '%[hex:p]' info:)" != 000000 ]
}
# keep TAG CLASS: the window's layout and a screenshot of it once painted.
keep() {
  drv layout "$2" >"$layouts/$1.txt"
  wait_for 5 painted "$2" || echo "     $2 still unpainted for the screenshot"
  shot "$1"
}
set_logpixels() { wine reg add "$desktop_key" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1; }

# capture DPI: the program started at DPI, every window opened and kept.
capture() {
  local dpi=$1
  set_logpixels "$dpi"
  wine reg delete 'HKCU\Software\Velmora Program Settings' /f >/dev/null 2>&1 || true
  drv start "$(winpath "$app/Velmora.exe")" >/dev/null
  check "at $dpi dpi: the program started" icon_is 1
  drv tray 0x203 >/dev/null
  check "at $dpi dpi: the panel opens" wait_for 10 visible Velmora.LauncherPanel
  keep "panel-$dpi" Velmora.LauncherPanel
  click_control Velmora.LauncherPanel 1011  # 桌面取色
  check "at $dpi dpi: the colour picker opens" wait_for 10 visible Velmora.ColourPicker
  keep "picker-$dpi" Velmora.ColourPicker
  drv close-window Velmora.ColourPicker >/dev/null
  wait_for 5 gone Velmora.ColourPicker || true
  click_control Velmora.LauncherPanel 1007  # 桌面变换
  check "at $dpi dpi: the changer opens" wait_for 10 visible Velmora.WallpaperChanger
  # Wine without a window manager leaves a window that opens exactly over
  # another black until it moves: dragged by its caption a little aside.
  read -r _ _ l t _ _ <<<"$(drv rect Velmora.WallpaperChanger 0)"
  xdotool mousemove $((l + 200 * dpi / 96)) $((t + 10 * dpi / 96)) mousedown 1
  sleep 0.2
  xdotool mousemove $((l + 220 * dpi / 96)) $((t + 25 * dpi / 96))
  sleep 0.2
  xdotool mousemove $((l + 240 * dpi / 96)) $((t + 40 * dpi / 96)) mouseup 1
  sleep 0.5
  keep "changer-$dpi" Velmora.WallpaperChanger
  drv select Velmora.WallpaperChanger 2001 0 >/dev/null
  click_control Velmora.WallpaperChanger 2102  # 查看大图
  check "at $dpi dpi: the picture viewer opens" wait_for 10 visible Velmora.PictureViewer
  keep "viewer-$dpi" Velmora.PictureViewer
  drv close-window Velmora.PictureViewer >/dev/null
  wait_for 5 gone Velmora.PictureViewer || true
  drv close-window Velmora.WallpaperChanger >/dev/null
  wait_for 5 gone Velmora.WallpaperChanger || true
  click_control Velmora.LauncherPanel 1002  # 网络搜索
  check "at $dpi dpi: the search box opens" wait_for 10 visible Velmora.SearchBox
  keep "search-$dpi" Velmora.SearchBox
  click_control Velmora.SearchBox 212  # 搜 with no keyword
  box_up() { [ "$(drv_field 2 box)" = 1 ]; }
  check "at $dpi dpi: an empty keyword brings the message" wait_for 10 box_up
  shot "search-message-$dpi"
  drv box ok >/dev/null
  drv kill >/dev/null
}

capture 96
capture "$scaled"
set_logpixels "$scaled"

# compare WINDOW: the scaled layout against the 96-dpi one.
compare() {
  awk -v s="$scaled" -v what="$1" '
    function off(a, b) { d = a - b * s / 96; return d < 0 ? -d : d }
    FNR == 1 { file++ }
    file == 1 && $1 == "layout" { w = $2; h = $3 }
    file == 1 && $1 == "child" { ref[$2 " " $3] = $4 " " $5 " " $6 " " $7 }
    file == 2 && $1 == "layout" {
      if (off($2, w) > 2 || off($3, h) > 2) { printf "     %s: outer %dx%d, at 96 %dx%d\n", what, $2, $3, w, h; bad++ }
    }
    file == 2 && $1 == "child" && (($2 " " $3) in ref) {
      split(ref[$2 " " $3], r, " ")
      compared++
      # The clock line changes every second, the two lines of the picker
      # with the colour under the pointer: not their widths.
      moving = $2 == 1200 || (what == "picker" && ($2 == 3 || $2 == 4))
      right = moving ? r[3] * s / 96 : $6
      if (off($4, r[1]) > 2 || off($5, r[2]) > 2 || off(right, r[3]) > 2 || off($7, r[4]) > 2) {
        printf "     %s: control %s %s at %d,%d-%d,%d, at 96 %d,%d-%d,%d\n", what, $2, $3, $4, $5, $6, $7, r[1], r[2], r[3], r[4]
        bad++
      }
    }
    # The lines of the picker fit their text in their own font (tested
    # inside the program), not in the font of captions the driver measures.
    file == 2 && $1 == "child" && $8 == "0" && !(what == "picker" && ($2 == 3 || $2 == 4)) { printf "     %s: control %s %s clips its caption\n", what, $2, $3; bad++ }
    END { if (!w || !compared) { print "     " what ": nothing to compare"; bad++ } exit bad > 0 }
  ' "$layouts/$1-96.txt" "$layouts/$1-$scaled.txt"
}
for window in panel changer viewer search picker; do
  check "$window at $scaled dpi: outer size and every control scaled from 96 dpi, no caption clipped" compare "$window"
done
finish
