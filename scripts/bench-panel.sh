#!/usr/bin/env bash
# Launcher panel benchmark under Wine, in one run: from the tray double-click
# to the panel painted, one DrawSkin, and the handles the program owns
# before and after 1,000 resize-and-paint cycles and 1,000 clock ticks.
#
#   scripts/bench-panel.sh [RUNS]     (default 10)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VELMORA_BUILD_DIR:-$root/build}
runs=${1:-10}

bash "$root/scripts/deps.sh"
bash "$root/scripts/build.sh" >/dev/null
session=$build/bench-session
bash "$root/tests/wine/session.sh" start "$session" >/dev/null
trap 'bash "$root/tests/wine/session.sh" stop "$session"' EXIT
out=$session/out/panel_bench.txt
bash "$root/tests/wine/session.sh" run "$session" "$build/win/panel_bench.exe" "$runs" >"$out" 2>&1 || true
tr -d '\r' <"$out"
