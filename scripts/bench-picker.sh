#!/usr/bin/env bash
# Colour picker benchmark under Wine: the CPU the picker costs with its
# 100 ms timer reading the screen, against the idle program, each over
# SECONDS (default 60), with the pointer moving between two colours and at
# rest; then 10,000 readings in a row with the handles held before and
# after. Under Wine part of every reading is done by the Wine
# server and the X server, so their CPU over each run is counted as well.
#
#   scripts/bench-picker.sh [SECONDS [DPI]]     (DPI: the display's LogPixels, default 96)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VELMORA_BUILD_DIR:-$root/build}
seconds=${1:-60}

source "$root/scripts/bench-session.sh"
bench_session bench-session "${2:-96}"

# CPU ticks (user + system) of a process, 0 when it is gone.
ticks() { awk '{print $14 + $15}' "/proc/$1/stat" 2>/dev/null || echo 0; }
hz=$(getconf CLK_TCK)
xvfb=$(cat "$session/xvfb.pid")
server=""
for p in $(pgrep -f "wineserver" || true); do
  { tr '\0' '\n' <"/proc/$p/environ" | grep -qx "WINEPREFIX=$session/prefix"; } 2>/dev/null && server=$p
done

# The CPU of each run in % of one core: this process, then the two servers.
declare -A cpu
run() {
  local out=$session/out/picker_bench.$1.${3:-moving}.txt
  local s0 x0 s1 x1
  s0=$(ticks "${server:-0}")
  x0=$(ticks "$xvfb")
  bench_run "$out" "$build/win/picker_bench.exe" "$@"
  s1=$(ticks "${server:-0}")
  x1=$(ticks "$xvfb")
  tr -d '\r' <"$out"
  if [ "$1" != readings ]; then
    awk -v s=$((s1 - s0)) -v x=$((x1 - x0)) -v hz="$hz" -v secs="$2" 'BEGIN {
      printf "  Wine server %.0f ms, X server %.0f ms: together %.2f %% of one core\n",
             s * 1000 / hz, x * 1000 / hz, (s + x) * 100 / hz / secs }'
    local own servers
    own=$(tr -d '\r' <"$out" | sed -n 's/.*= \([0-9.]*\) % of one core.*/\1/p' | head -1)
    servers=$(awk -v s=$((s1 - s0)) -v x=$((x1 - x0)) -v hz="$hz" -v secs="$2" \
      'BEGIN { printf "%.3f", (s + x) * 100 / hz / secs }')
    cpu[$1.${3:-moving}]=$(awk -v a="${own:-0}" -v b="$servers" 'BEGIN { printf "%.3f", a + b }')
  fi
}

run idle "$seconds"
run picker "$seconds"
run picker "$seconds" still
run readings 10000

# The figures, one a line: figure|measured|target|held or missed. The
# program's own CPU and the servers' together, over the idle program's.
for how in moving still; do
  awk -v p="${cpu[picker.$how]:-0}" -v i="${cpu[idle.moving]:-0}" -v how="$how" -v label="$label" 'BEGIN {
    d = p - i
    printf "%scolour picker open, pointer %s, CPU over idle|%+.2f %%|<= +0.5 %%|%s\n", label, how, d, d <= 0.5 ? "held" : "missed" }'
done
