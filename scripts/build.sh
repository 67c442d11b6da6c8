#!/usr/bin/env bash
# Builds everything (host tests, artwork, Windows programs) and assembles
# dist/ with the portable zip. The build folder is ./build unless
# VELMORA_BUILD_DIR says otherwise.
#
#   scripts/build.sh            everything
#   scripts/build.sh program    only what runs: the artwork, Velmora.exe and
#                               dist/ (no test or benchmark programs)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VELMORA_BUILD_DIR:-$root/build}
target=()
case "${1:-}" in
  "") ;;
  program) target=(--target velmora_program) ;;
  *) echo "usage: scripts/build.sh [program]" >&2; exit 2 ;;
esac
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j 2 "${target[@]}"
