#!/usr/bin/env bash
# Wallpaper benchmark under Wine, in one run: applying a 3840 x 2160 JPEG as
# the wallpaper, rebuilding the list of a 5,000-file picture folder, and an
# hour of the five-minute schedule with the working set and the handles the
# program owns before and after. The wallpaper calls are real, inside the
# benchmark's own prefix.
#
#   scripts/bench-wallpaper.sh [RUNS]     (default 10)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VELMORA_BUILD_DIR:-$root/build}
runs=${1:-10}

bash "$root/scripts/deps.sh"
bash "$root/scripts/build.sh" >/dev/null
session=$build/bench-wallpaper-session
bash "$root/tests/wine/session.sh" start "$session" >/dev/null
trap 'bash "$root/tests/wine/session.sh" stop "$session"' EXIT
out=$session/out/wallpaper_bench.txt
bash "$root/tests/wine/session.sh" run "$session" "$build/win/wallpaper_bench.exe" "$runs" >"$out" 2>&1 || true
tr -d '\r' <"$out"
