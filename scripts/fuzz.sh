#!/usr/bin/env bash
# Runs every fuzz target (tests/fuzz/*_fuzz.cpp) for SECONDS each (default
# 60) over its seed corpus; the short runs are part of CTest (fuzz.*). A
# crashing input is saved under the build folder's fuzz-artifacts/: add it
# to tests/fuzz/corpus/<target>/ with the fix. The build folder is ./build
# unless VELMORA_BUILD_DIR says otherwise; the targets are built first.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VELMORA_BUILD_DIR:-$root/build}
seconds=${1:-60}
case "$seconds" in '' | *[!0-9]*) echo "usage: scripts/fuzz.sh [SECONDS] [TARGET...]" >&2; exit 2 ;; esac
shift || true
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target velmora_fuzz
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for source in "$root"/tests/fuzz/*_fuzz.cpp; do targets+=("$(basename "$source" .cpp)"); done
fi
failed=()
for target in "${targets[@]}"; do
  echo "== $target: $seconds s"
  if ! bash "$root/tests/fuzz/run.sh" "$build/fuzz/$target" "$root/tests/fuzz/corpus/$target" \
    "$build/fuzz-artifacts" -max_total_time="$seconds"; then
    failed+=("$target")
  fi
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "FAILED: ${failed[*]} (inputs in $build/fuzz-artifacts)"
  exit 1
fi
echo "all ${#targets[@]} fuzz targets ran $seconds s each without a finding"
