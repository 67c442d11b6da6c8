#!/usr/bin/env bash
# Renders what Velmora shows to PNG files for people to look at: the
# notification-area icon on Wine's desktop, the tray menu opened by a real
# right click, its 关闭计算机 submenu, the launcher panel opened by a
# double-click on the icon, with and without a highlighted cell, and the
# power menu of its 关闭计算机 cell, the wallpaper changer over the panel in
# its timed and immediate modes and with an option chosen by the keyboard,
# the picture viewer, the desktop with a wallpaper the changer applied,
# the web-search box with its message and its engine menu, and the colour
# picker over a coloured desktop with its copy menu. Runs on a private
# display in a fresh prefix; touches nothing of the host.
#
#   scripts/screenshot.sh [--high-contrast] [--dpi N] [OUTDIR]
#
# --high-contrast: the user's theme is a high-contrast one (the setting
# Windows stores it in), and OUTDIR defaults to build/screenshots-contrast.
#
# OUTDIR defaults to build/screenshots, or build/screenshots-N with --dpi:
# then the display has N dots per inch (LogPixels, 120 for 125 %, 144 for
# 150 %, 192 for 200 %) and Wine's desktop is the whole 1280 x 800 screen.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VELMORA_BUILD_DIR:-$root/build}
dpi=96
contrast=
if [ "${1:-}" = --high-contrast ]; then
  contrast=-contrast
  shift
fi
if [ "${1:-}" = --dpi ]; then
  dpi=${2:?--dpi needs a number}
  [[ "$dpi" =~ ^[0-9]+$ ]] || { echo "--dpi needs a number, not '$dpi'" >&2; exit 2; }
  shift 2
fi
if [ "$dpi" = 96 ]; then
  out=$(realpath -m "${1:-$build/screenshots$contrast}")
  session=$build/screenshot-session$contrast
  width=1024 height=768
else
  out=$(realpath -m "${1:-$build/screenshots$contrast-$dpi}")
  session=$build/screenshot-session$contrast-$dpi
  width=1280 height=800
fi
# A length of the 96-dpi design at the display's DPI.
px() { echo $((($1 * dpi + 48) / 96)); }

bash "$root/scripts/deps.sh"
bash "$root/scripts/build.sh" >/dev/null
mkdir -p "$out"
logpixels=()
[ "$dpi" = 96 ] || logpixels=("$dpi")
bash "$root/tests/wine/session.sh" start "$session" "${logpixels[@]}" >/dev/null
trap 'bash "$root/tests/wine/session.sh" stop "$session"' EXIT
# shellcheck disable=SC1091
source "$session/env"
if [ -n "$contrast" ]; then
  wine reg add 'HKCU\Control Panel\Accessibility\HighContrast' /v Flags /t REG_SZ /d 127 /f >/dev/null 2>&1
fi

desktop="Velmora,${width}x${height}"
app=$session/app
mkdir -p "$app"
cp -r "$root/dist/." "$app/"
# The wallpaper changer opens in its timed mode, every quarter hour.
printf '[Velmora]\r\nxz=1\r\nsj=%s\r\n' "$(printf '每一刻钟' | iconv -f UTF-8 -t GBK)" >"$app/vlmr.INI"
snap() { xwd -root -silent | /usr/bin/convert xwd:- -crop "${width}x${height}+0+0" +repage "$out/$1.png"; echo "$out/$1.png"; }
menu_rect() {
  local f="$session/out/menu.txt"
  rm -f "$f"
  VDRIVER_OUT=$(winepath -w "$f") wine explorer "/desktop=$desktop" "$build/win/vdriver.exe" menu </dev/null >/dev/null 2>&1
  for _ in $(seq 50); do [ -s "$f" ] && break; sleep 0.1; done
  tr -d '\r' <"$f"
}

# The driver inside the desktop: where the changer's controls are.
ddrv() {
  local f="$session/out/ddrv.txt"
  rm -f "$f"
  VDRIVER_OUT=$(winepath -w "$f") wine explorer "/desktop=$desktop" "$build/win/vdriver.exe" "$@" </dev/null >/dev/null 2>&1
  for _ in $(seq 50); do [ -s "$f" ] && break; sleep 0.1; done
  tr -d '\r' <"$f"
}
point_at_control() {  # CLASS ID
  read -r _ _ l t r b <<<"$(ddrv rect "$1" "$2")"
  xdotool mousemove $(((l + r) / 2)) $(((t + b) / 2))
}
click_control() {  # CLASS ID
  point_at_control "$1" "$2"
  xdotool click 1
}

# The notification area's icon, at the right end of the taskbar.
icon_x=$((width - $(px 11))) icon_y=$((height - $(px 11)))
wine explorer "/desktop=$desktop" "$(winepath -w "$app/Velmora.exe")" </dev/null >/dev/null 2>&1 &
sleep 4
xdotool mousemove $icon_x $icon_y
sleep 1.5  # the icon's tip
snap tray-icon
xdotool click 3
sleep 1
snap tray-menu
read -r _ _ left top right bottom <<<"$(menu_rect)"
# The first submenu arrow, down the menu's right edge, marks 关闭计算机.
arrow=$(/usr/bin/convert "$out/tray-menu.png" -crop "1x$((bottom - top))+$((right - 10))+$top" +repage txt:- |
  awk -F'[,:]' '/#[0-4][0-9A-F][0-4][0-9A-F][0-4][0-9A-F]/ && !y {y = $2} END {print y}')
if [ -n "$arrow" ]; then
  xdotool mousemove $((left + 40)) $((top + arrow))
  sleep 1.2
  snap tray-menu-power
fi
xdotool key Escape  # the submenu
sleep 0.3
xdotool key Escape  # the menu
sleep 0.5

# The launcher panel: first run, so it opens at 1000 twips (67 pixels).
xdotool mousemove $icon_x $icon_y click --repeat 2 --delay 80 1
sleep 2
xdotool mousemove $((width - 10)) $((height / 2))  # off the panel: nothing highlighted
sleep 0.5
snap panel
# The pointer on 桌面变换's picture highlights its cell.
point_at_control Velmora.LauncherPanel 1007
sleep 0.7
snap panel-highlight
# The 关闭计算机 cell pops up the power menu.
click_control Velmora.LauncherPanel 1019
sleep 1
snap panel-power-menu
xdotool key Escape


# The wallpaper changer, opened by 桌面变换, lies over the panel. Wine on
# a display without a window manager leaves a window that opens exactly
# over another one black until it is moved (Windows paints it at once), so
# the changer is dragged by its caption to lie a little down and right of
# the panel.
click_control Velmora.LauncherPanel 1007
sleep 2
nudge_changer() {  # DX DY: drags the changer by its caption
  read -r _ _ l t _ _ <<<"$(ddrv rect Velmora.WallpaperChanger 0)"
  local x=$((l + $(px 200))) y=$((t + $(px 10)))
  xdotool mousemove $x $y mousedown 1
  sleep 0.2
  xdotool mousemove $((x + $1 / 2)) $((y + $2 / 2))
  sleep 0.2
  xdotool mousemove $((x + $1)) $((y + $2)) mouseup 1
  sleep 0.5
}
nudge_changer 40 30
ddrv select Velmora.WallpaperChanger 2001 1 >/dev/null
sleep 1
xdotool mousemove $((width - 10)) $((height / 2))
sleep 0.3
snap changer-timed
# The keyboard moves the choice of order: the option it lands on shows the
# focus mark around its caption. Then back to the saved order.
click_control Velmora.WallpaperChanger 2204  # 顺序更换
xdotool key Right
sleep 0.5
xdotool mousemove $((width - 10)) $((height / 2))
sleep 0.3
snap changer-keys
xdotool key Left
sleep 0.3
click_control Velmora.WallpaperChanger 2203  # 立即更换 mode
sleep 0.5
xdotool mousemove $((width - 10)) $((height / 2))
sleep 0.3
snap changer-immediate
click_control Velmora.WallpaperChanger 2102  # 查看大图
sleep 1.5
snap viewer
click_control Velmora.PictureViewer 3001  # a click on the picture closes it
sleep 0.5
click_control Velmora.WallpaperChanger 2207  # 拉伸
click_control Velmora.WallpaperChanger 2106  # 立即更换
sleep 2
# Wine paints the new wallpaper over the open windows until they repaint,
# so the changer and the panel are closed by their caption close buttons
# to show the desktop.
click_control Velmora.WallpaperChanger 9002
sleep 0.5
click_control Velmora.LauncherPanel 9002
sleep 1
xdotool mousemove $((width - 10)) $((height / 2))
sleep 0.5
snap wallpaper

# ---- The web-search box and its message, over a coloured wallpaper. The
# box opens from the tray menu's 网络搜索, the ninth entry. Wine on a
# display without a compositing manager paints the box's keyed-out white
# black instead of letting the desktop through, as Windows does.
ddrv wallpaper "$(winepath -w "$app/pic/柔光.bmp")" >/dev/null
sleep 1
xdotool mousemove $icon_x $icon_y click 3
sleep 1
ddrv menu-keys 0x28 0x28 0x28 0x28 0x28 0x28 0x28 0x28 0x28 0x0D >/dev/null
sleep 1.5
read -r _ _ sl st _ _ <<<"$(ddrv window Velmora.SearchBox)"
if [ -n "${sl:-}" ] && [ "$sl" != none ]; then
  xdotool mousemove $((sl + $(px 200))) $((st + $(px 30)))
  sleep 0.3
  snap search-box
  # 搜 with nothing typed: the message asks for a keyword.
  click_control Velmora.SearchBox 212
  sleep 1.5
  snap search-empty-message
  xdotool key Return
  sleep 0.5
  # A keyword typed (not searched: that would start a browser), the
  # pointer on the close ball for its tip.
  click_control Velmora.SearchBox 211
  xdotool type --delay 40 "velmora wallpaper"
  point_at_control Velmora.SearchBox 213
  sleep 2
  snap search-box-typed
  # A right click on the grass: the engine menu, 百度 checked.
  xdotool mousemove $((sl + $(px 150))) $((st + $(px 104))) click 3
  sleep 1
  snap search-engines
  xdotool key Escape
  sleep 0.5
fi
# ---- the colour picker over a coloured desktop, on the plain X display
# with a wallpaper as the root window's picture. On Windows its white is
# keyed out and the wallpaper shows there; Wine 8 draws the keyed white
# black instead (in its virtual desktop as well), so the pictures show the
# pipette, the swatch and the lines on black.
drv() {
  local f="$session/out/vdriver.txt"
  wine "$build/win/vdriver.exe" "$@" </dev/null >"$f" 2>/dev/null || true
  tr -d '\r' <"$f"
}
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
/usr/bin/display -window root -resize '1280x800!' "$app/pic/柔光.bmp" &
root_picture=$!
sleep 2
drv start "$(winepath -w "$app/Velmora.exe")" >/dev/null
drv tray 0x203 >/dev/null  # the panel, as a double-click on the icon opens it
sleep 2
# 桌面取色 (its picture at 144, 200 of the panel, 40 x 30); then the panel's
# close button, so the desktop lies behind the picker.
read -r _ _ l t r b <<<"$(drv rect Velmora.LauncherPanel 1011)"
xdotool mousemove $(((l + r) / 2)) $(((t + b) / 2)) click 1
sleep 1.5
read -r _ _ l t r b <<<"$(drv rect Velmora.LauncherPanel 9002)"
xdotool mousemove $(((l + r) / 2)) $(((t + b) / 2)) click 1
sleep 1
pick() {
  xdotool mousemove "$1" "$2"
  sleep 1
  xwd -root -silent | /usr/bin/convert xwd:- -crop "$(px 640)x$(px 300)+0+0" +repage "$out/$3.png"
  echo "$out/$3.png ($(drv picker | cut -d' ' -f7-))"
}
pick 900 420 picker
pick 1200 700 picker-second-colour
# Its copy menu, by a right click on its decimal line: the colour it read
# last outside itself, in three forms.
# At 192 dpi the picker starts partly off the left edge (half the screen
# less twice its width): then the part of the line at the screen's edge.
read -r _ _ pl pt _ _ <<<"$(drv picker)"
lx=$((pl + $(px 60)))
[ "$lx" -ge 1 ] || lx=1
xdotool mousemove "$lx" $((pt + $(px 84))) click 3
sleep 1
xwd -root -silent | /usr/bin/convert xwd:- -crop "$(px 640)x$(px 300)+0+0" +repage "$out/picker-copy-menu.png"
echo "$out/picker-copy-menu.png"
xdotool key Escape
drv kill >/dev/null
kill "$root_picture" 2>/dev/null || true
