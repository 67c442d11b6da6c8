#!/usr/bin/env bash
# A display scale that makes no sense: LogPixels of 72 (below 100 %), of
# 480 (500 %, a panel larger than the 1280 x 800 screen) and a value that is
# not a number. Each time the program starts, and its panel opens whole on
# the screen, at least its 96-dpi size, with no caption clipped. The
# session's own scale is put back at the end.
DIST=$1 WIN=$2
source "$(dirname "$0")/lib.sh"

desktop_key='HKCU\Control Panel\Desktop'
trap 'wine reg delete "$desktop_key" /v LogPixels /f >/dev/null 2>&1 || true' EXIT
app=$(app_copy dpi-bad-input)

visible() { [ "$(drv_field 2 window "$1")" = 1 ]; }
# whole_on_screen: the panel lies inside the 1280 x 800 screen, no smaller
# than its 96-dpi size, with no caption clipped.
whole_on_screen() {
  local layout
  read -r _ _ l t r b <<<"$(drv rect Velmora.LauncherPanel 0)"
  local w=$((r - l)) h=$((b - t))
  # The scale it chose, read off its width (520 at 96 dpi): the captions
  # are measured at that scale's font.
  layout=$(drv layout Velmora.LauncherPanel $((w * 96 / 520)))
  [ "$l" -ge 0 ] && [ "$t" -ge 0 ] && [ "$r" -le 1280 ] && [ "$b" -le 800 ] ||
    { echo "     at $l,$t-$r,$b"; return 1; }
  [ "$w" -ge 520 ] && [ "$h" -ge 373 ] || { echo "     ${w}x$h"; return 1; }
  ! grep -q ' 0$' <<<"$layout" || { echo "     clipped: $(grep ' 0$' <<<"$layout" | head -n 3)"; return 1; }
}

try() {
  local what=$1
  shift
  wine reg add "$desktop_key" /v LogPixels "$@" /f >/dev/null 2>&1
  wine reg delete 'HKCU\Software\Velmora Program Settings' /f >/dev/null 2>&1 || true
  drv start "$(winpath "$app/Velmora.exe")" >/dev/null
  check "LogPixels $what: the program starts" icon_is 1
  drv tray 0x203 >/dev/null
  check "LogPixels $what: the panel opens" wait_for 10 visible Velmora.LauncherPanel
  check "LogPixels $what: whole on the screen, readable, nothing clipped" whole_on_screen
  shot "bad-logpixels-${what// /-}"
  drv kill >/dev/null
}

try 72 /t REG_DWORD /d 72
try 480 /t REG_DWORD /d 480
try "not a number" /t REG_SZ /d "1.5x"
finish
