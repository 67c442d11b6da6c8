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

bash "$root/scripts/deps.sh"
bash "$root/scripts/build.sh" >/dev/null
session=$build/bench-next-session
bash "$root/tests/wine/session.sh" start "$session" >/dev/null
trap 'bash "$root/tests/wine/session.sh" stop "$session"' EXIT
out=$session/out/next_bench.txt
bash "$root/tests/wine/session.sh" run "$session" "$build/win/next_bench.exe" "$runs" >"$out" 2>&1 || true
tr -d '\r' <"$out"
