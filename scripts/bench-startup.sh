#!/usr/bin/env bash
# Start-up benchmark under Wine: time from process start to the tray icon
# and memory after start-up, Velmora against a minimal tray program built
# from this repository, side by side in one run; and the size of
# Velmora.exe. Ends with one line per figure for scripts:
#   figure|measured|target|held or missed
#
#   scripts/bench-startup.sh [RUNS [DPI]]     (DPI: the display's LogPixels, default 96)     (default 15)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VELMORA_BUILD_DIR:-$root/build}
runs=${1:-15}

source "$root/scripts/bench-session.sh"
bench_session bench-session "${2:-96}"
out=$session/out/startup_bench.txt
bench_run "$out" "$build/win/startup_bench.exe" "$runs" "$(realpath "$build/win/tray_baseline.exe")" \
  "$(realpath "$root/dist/Velmora.exe")"
tr -d '\r' <"$out" | grep -v '|' || true
size=$(stat -c %s "$root/dist/Velmora.exe")
limit=1000000  # 1 MB, counted in the stricter decimal way
echo "Velmora.exe: $size bytes ($(awk -v s="$size" 'BEGIN {printf "%.2f", s / 1000000}') MB; target at most 1 MB)"
tr -d '\r' <"$out" | grep '|' | sed "s/^/$label/" || true
echo "Velmora.exe size (bytes)|$size|$limit|$([ "$size" -le "$limit" ] && echo held || echo missed)"
