#!/usr/bin/env bash
# Builds everything (host tests, artwork, Windows programs) and assembles
# dist/. The build folder is ./build unless VELMORA_BUILD_DIR says otherwise.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VELMORA_BUILD_DIR:-$root/build}
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j 2
