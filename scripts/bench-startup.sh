#!/usr/bin/env bash
# Start-up benchmark under Wine: time from process start to the tray icon
# and memory after start-up, Velmora against a minimal tray program built
# from this repository, side by side in one run; and the size of
# Velmora.exe. Ends with one line per figure for scripts:
#   figure|measured|target|held or missed
#
#   scripts/bench-startup.sh [RUNS]     (default 15)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VELMORA_BUILD_DIR:-$root/build}
runs=${1:-15}

bash "$root/scripts/deps.sh"
bash "$root/scripts/build.sh" >/dev/null
session=$build/bench-session
bash "$root/tests/wine/session.sh" start "$session" >/dev/null
trap 'bash "$root/tests/wine/session.sh" stop "$session"' EXIT
out=$session/out/startup_bench.txt
bash "$root/tests/wine/session.sh" run "$session" "$build/win/startup_bench.exe" "$runs" \
  "$(realpath "$build/win/tray_baseline.exe")" "$(realpath "$root/dist/Velmora.exe")" >"$out" 2>&1 || true
tr -d '\r' <"$out" | grep -v '|' || true
size=$(stat -c %s "$root/dist/Velmora.exe")
limit=1000000  # 1 MB, counted in the stricter decimal way
echo "Velmora.exe: $size bytes ($(awk -v s="$size" 'BEGIN {printf "%.2f", s / 1000000}') MB; target at most 1 MB)"
tr -d '\r' <"$out" | grep '|' || true
echo "Velmora.exe size (bytes)|$size|$limit|$([ "$size" -le "$limit" ] && echo held || echo missed)"
