#!/usr/bin/env bash
# Launcher panel benchmark under Wine, in one run: from the tray double-click
# to the panel painted (Velmora.exe running, and the program's code in the
# benchmark), one DrawSkin, and the handles the program owns before and
# after 1,000 resize-and-paint cycles and 1,000 clock ticks. Ends with one
# line per figure for scripts:
#   figure|measured|target|held or missed
#
#   scripts/bench-panel.sh [RUNS [DPI]]     (DPI: the display's LogPixels, default 96)     (default 10)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VELMORA_BUILD_DIR:-$root/build}
runs=${1:-10}

bash "$root/scripts/deps.sh"
bash "$root/scripts/build.sh" >/dev/null
session=$build/bench-session
bash "$root/tests/wine/session.sh" start "$session" >/dev/null
trap 'bash "$root/tests/wine/session.sh" stop "$session"' EXIT
dpi=${2:-96}
[[ "$dpi" =~ ^[0-9]+$ ]] || { echo "DPI must be a number, not '$dpi'" >&2; exit 2; }
# Every program started from now on sees a display of this many dots per
# inch; the figure lines say which.
bash "$root/tests/wine/session.sh" run "$session" wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels \
  /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
label="at $dpi dpi: "
out=$session/out/panel_bench.txt
# A copy of the program, so that the panel's placement is saved beside it
# and not in dist/.
mkdir -p "$session/out/program"
cp "$root/dist/Velmora.exe" "$session/out/program/"
bash "$root/tests/wine/session.sh" run "$session" "$build/win/panel_bench.exe" "$runs" \
  "$(realpath "$session/out/program/Velmora.exe")" >"$out" 2>&1 || true
tr -d '\r' <"$out" | grep -v '|' || true
tr -d '\r' <"$out" | grep '|' | sed "s/^/$label/" || true
