#!/usr/bin/env bash
# A long run of Velmora under Wine, to show that what it holds stays flat:
# timed changing every second over 20 pictures, the colour picker and the
# search box open the whole time, the panel and the changer opened and
# closed every few seconds, and the picture folder replaced every minute
# (moved away, as to the recycle bin, or deleted, and made anew). It prints GDI/USER objects, the windows and
# kernel handles the program owns and its working set after a warm-up and
# at the end, the growth, and a verdict: flat is at most +1 MB of working
# set and no growth of any handle count.
#
#   scripts/soak.sh [MINUTES]      default 30
#
# Everything runs in a private Wine session (its own display, prefix and
# HOME); real wallpaper changes stay inside that prefix. Needs dist/ and
# the Windows build (scripts/build.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

# ---- inside the Wine session
soak() {
  local minutes=$1
  app=$(app_copy soak)
  mkdir -p "$app/pic"
  # 20 pictures: the samples, each four times under other names.
  local n=0 f
  for copy in 1 2 3 4; do
    for f in "$DIST"/pic/*; do
      cp "$f" "$app/pic/$copy-$(basename "$f")"
      n=$((n + 1))
    done
  done
  while [ "$n" -lt 20 ]; do cp "$f" "$app/pic/extra-$n-$(basename "$f")"; n=$((n + 1)); done
  # Timed changing from the start: 自定义, every 1 second.
  printf '[Velmora]\r\nqhzm=1\r\nxz=1\r\nsj=%s\r\nzdy=1\r\nsx=1\r\nwz=2\r\n' \
    "$(printf '自定义' | iconv -f UTF-8 -t GBK)" >"$app/vlmr.INI"
  drv start "$(winpath "$app/Velmora.exe")" >/dev/null
  check "Velmora starts" wait_for 20 icon_is 1
  check "timed changing writes wallpaper.bmp" wait_for 20 test -s "$app/wallpaper.bmp"

  panel_shown() { [ "$(drv_field 2 panel)" = 1 ]; }
  panel_hidden() { [ "$(drv_field 2 panel)" != 1 ]; }
  shown() { [ "$(drv_field 2 window "$1")" = 1 ]; }
  hidden() { [ "$(drv_field 2 window "$1")" != 1 ]; }
  open_panel() { drv tray 0x203 >/dev/null && wait_for 10 panel_shown; }
  click_cell() {  # the cell's picture, at X Y of the panel
    local L T
    read -r _ _ _ L T _ _ <<<"$(drv panel)"
    click_at $((L + $1 + 15)) $((T + $2 + 15))
  }
  open_panel && click_cell 144 200
  check "the colour picker opens" wait_for 10 shown Velmora.ColourPicker
  open_panel && click_cell 235 55
  check "the search box opens" wait_for 10 shown Velmora.SearchBox
  [ "$failures" -eq 0 ] || { finish; return; }

  # One round: the panel, the changer over it, both closed again.
  cycles=0 bad=0
  step=""
  cycle() {
    step="the panel opens"
    open_panel || return 1
    step="桌面变换 opens the changer"
    click_cell 232 128
    wait_for 10 shown Velmora.WallpaperChanger || return 1
    step="the changer closes"
    drv close-window Velmora.WallpaperChanger >/dev/null
    wait_for 10 hidden Velmora.WallpaperChanger || return 1
    step="the panel closes"
    if panel_shown; then drv close-window Velmora.LauncherPanel >/dev/null; fi
    wait_for 10 panel_hidden
  }
  # After a round that did not complete: what was up, and both closed again.
  recover() {
    echo "  round $((cycles + bad)) at $(date +%T): '$step' did not happen;" \
      "panel: $(drv panel | head -n 1), changer: $(drv window Velmora.WallpaperChanger | head -n 1)," \
      "boxes: $(drv box | head -n 1)"
    drv close-window Velmora.WallpaperChanger >/dev/null || true
    drv close-window Velmora.LauncherPanel >/dev/null || true
    wait_for 10 panel_hidden || true
  }
  # The picture folder replaced under the running program.
  stash=$VELMORA_SESSION/soak-pictures
  rm -rf "$stash"
  cp -r "$app/pic" "$stash"
  replaced=0
  next_replace=$(($(date +%s) + 60))
  replace_pic() {
    if [ $((replaced % 2)) = 0 ]; then
      rm -rf "$app/pic-gone"
      mv "$app/pic" "$app/pic-gone"
    else
      rm -rf "$app/pic"
    fi
    cp -r "$stash" "$app/pic"
    replaced=$((replaced + 1))
  }
  run_for() {  # SECONDS: rounds every few seconds
    local end=$(($(date +%s) + $1))
    while [ "$(date +%s)" -lt "$end" ]; do
      if [ "$(date +%s)" -ge "$next_replace" ]; then
        replace_pic
        next_replace=$((next_replace + 60))
      fi
      if cycle; then cycles=$((cycles + 1)); else bad=$((bad + 1)); recover; fi
      sleep 2  # pacing between rounds, not a wait for anything
    done
  }
  sample() { wine "$PROBE" </dev/null 2>/dev/null | tr -d '\r' | head -n 1; }
  na() { if [ "$1" = -1 ]; then echo "n/a"; else echo "$1"; fi; }
  show() {
    echo "$1: GDI $3, USER $(na "$4"), windows $5, kernel handles $6, working set $7 KB, private $(na "$8") KB"
  }

  # Warm-up: every window made once, the history filled (50 changes).
  run_for 60
  read -r _ _ g0 u0 w0 h0 ws0 p0 <<<"$(sample)"
  show "after a 60 s warm-up" - "$g0" "$u0" "$w0" "$h0" "$ws0" "$p0"
  local total=$((minutes * 60)) done_s=0 chunk
  while [ "$done_s" -lt "$total" ]; do
    chunk=$((total - done_s < 300 ? total - done_s : 300))
    run_for "$chunk"
    done_s=$((done_s + chunk))
    read -r _ _ g u w h ws p <<<"$(sample)"
    show "after $((done_s / 60)) min $((done_s % 60)) s" - "$g" "$u" "$w" "$h" "$ws" "$p"
  done
  echo "rounds of panel and changer: $cycles done, $bad that did not complete; pic replaced $replaced times"
  grew() { if [ "$2" = -1 ]; then echo "n/a"; else echo "$(($1 - $2))"; fi; }
  echo "growth: GDI $((g - g0)), USER $(grew "$u" "$u0"), windows $((w - w0)), kernel handles $((h - h0))," \
    "working set $((ws - ws0)) KB, private $(grew "$p" "$p0") KB"
  age() { echo $(($(date +%s) - $(stat -c %Y "$app/wallpaper.bmp"))); }
  check "timed changing still runs (wallpaper.bmp is fresh)" le "$(age)" 5
  check "every round completed" eq "$bad" 0
  local before=$failures
  check "no GDI or USER object growth" eq "$((g - g0 > 0 || u - u0 > 0 ? 1 : 0))" 0
  check "no window growth" le "$((w - w0))" 0
  check "no kernel handle growth" le "$((h - h0))" 0
  check "working set within +1 MB" le "$((ws - ws0))" 1024
  if [ "$failures" -eq "$before" ]; then echo "verdict: flat"; else echo "verdict: GROWTH"; fi
  finish
}

if [ "${1:-}" = "--inside" ]; then
  DIST=$3 WIN=$4 PROBE=$5
  # shellcheck source=../tests/e2e/lib.sh
  source "$root/tests/e2e/lib.sh"
  soak "$2"
  exit
fi

# ---- on the host: a private session around it
minutes=${1:-30}
case "$minutes" in '' | *[!0-9]*) echo "usage: scripts/soak.sh [MINUTES]" >&2; exit 2 ;; esac
build=${VELMORA_BUILD_DIR:-$root/build}
dist=${VELMORA_DIST_DIR:-$root/dist}
win=$build/win
for need in "$dist/Velmora.exe" "$win/vdriver.exe"; do
  [ -e "$need" ] || { echo "missing $need: run scripts/build.sh first" >&2; exit 1; }
done

session=$build/soak-session
probe=$build/soak-probe.exe
x86_64-w64-mingw32-g++ -std=c++20 -O2 -static -municode -o "$probe" "$root/tests/soak/probe.cpp" -lpsapi -lntdll

bash "$root/tests/wine/session.sh" start "$session"
trap 'bash "$root/tests/wine/session.sh" stop "$session" >/dev/null 2>&1 || true' EXIT
bash "$root/tests/wine/session.sh" run "$session" bash "$0" --inside "$minutes" "$dist" "$win" "$probe"
