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

source "$root/scripts/bench-session.sh"
bench_session bench-wallpaper-session
out=$session/out/wallpaper_bench.txt
bench_run "$out" "$build/win/wallpaper_bench.exe" "$runs"
tr -d '\r' <"$out"
