#!/usr/bin/env bash
# The next wallpaper from the command line, under Wine: the time from the
# start of a second "Velmora.exe /next" to the wallpaper set by the copy
# that runs, with 1920 x 1080 JPEGs in pic (target 400 ms). The wallpaper
# calls are real, inside the benchmark's own prefix.
#
#   scripts/bench-next.sh [RUNS]     (default 15)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VELMORA_BUILD_DIR:-$root/build}
runs=${1:-15}

source "$root/scripts/bench-session.sh"
bench_session bench-next-session
out=$session/out/next_bench.txt
bench_run "$out" "$build/win/next_bench.exe" "$runs"
tr -d '\r' <"$out"
