#!/usr/bin/env bash
# Every benchmark in one go, under Wine: start-up and memory, the launcher
# panel, the wallpaper (apply, folder listings of 5,000 and 50,000 files),
# the colour picker and /next. Each benchmark's own report goes to
# BUILD/bench-report.txt; one table of the figures is printed at the end,
# every number from this run.
#
#   scripts/bench.sh [--quick]     (--quick: fewer runs, 20 s picker runs)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VELMORA_BUILD_DIR:-$root/build}
quick=0
[ "${1:-}" = --quick ] && quick=1

bash "$root/scripts/deps.sh"
bash "$root/scripts/build.sh" >/dev/null
report=$build/bench-report.txt
: >"$report"
figures=$build/bench-figures.txt
: >"$figures"

# Runs one benchmark script, keeps its report and its figure lines
# (figure|measured|target|held or missed).
bench() {
  local name=$1
  shift
  local out=$build/bench-$name.txt
  echo "== $name" | tee -a "$report" >&2
  bash "$root/scripts/bench-$name.sh" "$@" >"$out" 2>&1 || true
  cat "$out" >>"$report"
  grep -E '^[^|]+\|[^|]+\|[^|]+\|(held|missed)$' "$out" >>"$figures" || true
}

# The start-up and panel reports as they read without figure lines.
startup_figures() {
  local out=$build/bench-startup.txt
  grep -qE '\|(held|missed)$' "$out" && return
  awk '
    /^start-up ratio/ { v = $NF; for (i = 1; i <= NF; i++) if ($i ~ /^[0-9.]+$/) { v = $i; break }
      printf "start-up ratio Velmora/baseline|%.2f|<= 1.10|%s\n", v, v <= 1.10 ? "held" : "missed" }
    /^working set difference/ { v = $4 + 0
      printf "working set over the baseline|%+.2f MB|<= +2 MB|%s\n", v, v <= 2 ? "held" : "missed" }
    /^Velmora.exe:/ { v = $2 / 1000000
      printf "Velmora.exe size|%.2f MB|<= 1 MB|%s\n", v, v <= 1 ? "held" : "missed" }
  ' "$out" >>"$figures"
}
panel_figures() {
  local out=$build/bench-panel.txt
  grep -qE '\|(held|missed)$' "$out" && return
  sed -n 's/^show to panel painted: first \([0-9.]*\) ms, then median \([0-9.]*\) ms.*/\1 \2/p' "$out" |
    awk '{ printf "panel shown, first|%.1f ms|<= 60 ms|%s\n", $1, $1 <= 60 ? "held" : "missed"
           printf "panel shown, later|%.1f ms|<= 40 ms|%s\n", $2, $2 <= 40 ? "held" : "missed" }' >>"$figures"
}

if [ "$quick" = 1 ]; then
  bench startup 5; startup_figures
  bench panel 5; panel_figures
  bench wallpaper 5
  bench picker 20
  bench next 7
else
  bench startup; startup_figures
  bench panel; panel_figures
  bench wallpaper
  bench picker
  bench next
fi

echo "load: $(uptime)"
awk -F'|' 'BEGIN { printf "%-58s %-14s %-12s %s\n", "figure", "measured", "target", "held or missed" }
           { printf "%-58s %-14s %-12s %s\n", $1, $2, $3, $4 }' "$figures"
