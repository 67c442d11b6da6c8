#!/usr/bin/env bash
# Colour picker benchmark under Wine: the CPU the picker costs with its
# 100 ms timer reading the screen, against the idle program, each over
# SECONDS (default 60), with the pointer moving between two colours and at
# rest; then 10,000 readings in a row with the handles held before and
# after. Under Wine part of every reading is done by the Wine
# server and the X server, so their CPU over each run is counted as well.
#
#   scripts/bench-picker.sh [SECONDS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VELMORA_BUILD_DIR:-$root/build}
seconds=${1:-60}

bash "$root/scripts/deps.sh"
bash "$root/scripts/build.sh" >/dev/null
session=$build/bench-session
bash "$root/tests/wine/session.sh" start "$session" >/dev/null
trap 'bash "$root/tests/wine/session.sh" stop "$session"' EXIT

# CPU ticks (user + system) of a process, 0 when it is gone.
ticks() { awk '{print $14 + $15}' "/proc/$1/stat" 2>/dev/null || echo 0; }
hz=$(getconf CLK_TCK)
xvfb=$(cat "$session/xvfb.pid")
server=""
for p in $(pgrep -f "wineserver" || true); do
  { tr '\0' '\n' <"/proc/$p/environ" | grep -qx "WINEPREFIX=$session/prefix"; } 2>/dev/null && server=$p
done

run() {
  local out=$session/out/picker_bench.$1.txt
  local s0 x0 s1 x1
  s0=$(ticks "${server:-0}")
  x0=$(ticks "$xvfb")
  bash "$root/tests/wine/session.sh" run "$session" "$build/win/picker_bench.exe" "$@" >"$out" 2>&1 || true
  s1=$(ticks "${server:-0}")
  x1=$(ticks "$xvfb")
  tr -d '\r' <"$out"
  if [ "$1" != readings ]; then
    awk -v s=$((s1 - s0)) -v x=$((x1 - x0)) -v hz="$hz" -v secs="$2" 'BEGIN {
      printf "  Wine server %.0f ms, X server %.0f ms: together %.2f %% of one core\n",
             s * 1000 / hz, x * 1000 / hz, (s + x) * 100 / hz / secs }'
  fi
}

run idle "$seconds"
run picker "$seconds"
run picker "$seconds" still
run readings 10000
