#!/usr/bin/env bash
# Two monitors' wallpaper under Wine: a 3840 x 2160 monitor beside a
# 1080 x 1920 portrait one, each given its own 4000 x 3000 JPEG filled to
# its size, the bitmap of the whole screen composed, written and set
# (target 500 ms), and the working set after the changes against before
# (target within 2 MB). The monitors are the benchmark's own layout; the
# wallpaper calls are real, inside the benchmark's own prefix.
#
#   scripts/bench-monitors.sh [RUNS]     (default 10)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VELMORA_BUILD_DIR:-$root/build}
runs=${1:-10}

source "$root/scripts/bench-session.sh"
bench_session bench-monitors-session
out=$session/out/monitors_bench.txt
bench_run "$out" "$build/win/monitors_bench.exe" "$runs"
tr -d '\r' <"$out"
