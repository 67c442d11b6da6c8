#!/usr/bin/env bash
# Every benchmark in one go, under Wine: start-up and memory, the launcher
# panel and the colour picker on a display at 96 and at 144 dots per inch,
# the wallpaper (apply, folder listings of 5,000 and 50,000 files), /next
# and a wallpaper for two monitors. Each benchmark's own report goes to
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
# (figure|measured|target|held or missed). NAME@DPI: at that DPI (the
# wallpaper, /next and monitors benchmarks take it and let it be).
bench() {
  local name=${1%@*} dpi=${1#*@}
  shift
  local out=$build/bench-$name-$dpi.txt
  echo "== $name at $dpi dpi" | tee -a "$report" >&2
  bash "$root/scripts/bench-$name.sh" "$@" "$dpi" >"$out" 2>&1 || true
  cat "$out" >>"$report"
  grep -E '^[^|]+\|[^|]+\|[^|]+\|(held|missed)$' "$out" >>"$figures" || true
}

if [ "$quick" = 1 ]; then
  for dpi in 96 144; do
    bench startup@$dpi 5
    bench panel@$dpi 5
    bench picker@$dpi 20
  done
  bench wallpaper@96 5
  bench next@96 7
  bench monitors@96 5
else
  for dpi in 96 144; do
    bench startup@$dpi 15
    bench panel@$dpi 10
    bench picker@$dpi 60
  done
  bench wallpaper@96 10
  bench next@96 15
  bench monitors@96 10
fi

echo "load: $(uptime)"
awk -F'|' 'BEGIN { printf "%-72s %-14s %-12s %s\n", "figure", "measured", "target", "held or missed" }
           { printf "%-72s %-14s %-12s %s\n", $1, $2, $3, $4 }' "$figures"
