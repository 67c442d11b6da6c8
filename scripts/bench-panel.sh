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

source "$root/scripts/bench-session.sh"
bench_session bench-session "${2:-96}"
out=$session/out/panel_bench.txt
# A copy of the program, so that the panel's placement is saved beside it
# and not in dist/.
mkdir -p "$session/out/program"
cp "$root/dist/Velmora.exe" "$session/out/program/"
bench_run "$out" "$build/win/panel_bench.exe" "$runs" "$(realpath "$session/out/program/Velmora.exe")"
tr -d '\r' <"$out" | grep -v '|' || true
tr -d '\r' <"$out" | grep '|' | sed "s/^/$label/" || true
