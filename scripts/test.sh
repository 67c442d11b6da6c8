#!/usr/bin/env bash
# The test command: installs what is missing, builds, and runs every test
# layer through CTest (unit tests of the core, Win32 tests under Wine,
# end-to-end tests of Velmora.exe under Wine), all on a private display and
# in a fresh Wine prefix.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VELMORA_BUILD_DIR:-$root/build}
bash "$root/scripts/deps.sh"
bash "$root/scripts/build.sh"
# Two Wine sessions side by side (tests/wine/wine-slots.json) and one more
# job for the tests that need no Wine.
ctest --test-dir "$build" --output-on-failure --timeout 600 -j 3 \
  --resource-spec-file "$root/tests/wine/wine-slots.json"
