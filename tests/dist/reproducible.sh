#!/usr/bin/env bash
# The portable zip comes out the same, byte for byte, when the same sources
# are built again from nothing in another folder: a fresh build of what runs
# (the artwork, Velmora.exe, the program folder and its zip, as run.sh
# builds it) must give the zip the main build wrote into DIST.
#
#   reproducible.sh DIST VERSION
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
dist=$1
zip=Velmora-$2-win64.zip
work=$(mktemp -d "${TMPDIR:-/tmp}/velmora-reproducible.XXXXXX")
trap 'rm -rf "$work"' EXIT

[ -f "$dist/$zip" ] || { echo "FAIL - $dist/$zip was not written"; exit 1; }
if ! { cmake -S "$root" -B "$work/build" -DCMAKE_BUILD_TYPE=Release -DVELMORA_DIST_DIR="$work/dist" &&
       cmake --build "$work/build" --target velmora_program -j 2; } >"$work/build.log" 2>&1; then
  tail -n 40 "$work/build.log"
  echo "FAIL - the second build failed"
  exit 1
fi
if cmp -s "$dist/$zip" "$work/dist/$zip"; then
  echo "ok   - a second build from nothing in another folder gives the same zip: $(sha256sum <"$dist/$zip" | cut -c1-64)"
  echo "1 passed, 0 failed"
  exit 0
fi
echo "FAIL - a second build from nothing gives another zip; entries that differ:"
python3 - "$dist/$zip" "$work/dist/$zip" <<'PY'
import sys, zipfile
a, b = (zipfile.ZipFile(p) for p in sys.argv[1:3])
for name in sorted(set(a.namelist()) | set(b.namelist())):
    ia = a.getinfo(name) if name in a.namelist() else None
    ib = b.getinfo(name) if name in b.namelist() else None
    if ia is None or ib is None:
        print("     %s: only in the %s build" % (name, "first" if ib is None else "second"))
    elif a.read(name) != b.read(name):
        print("     %s: other content" % name)
    elif (ia.date_time, ia.external_attr, ia.extra) != (ib.date_time, ib.external_attr, ib.extra):
        print("     %s: other time stamp, attributes or extra fields"
              " (is DIST built from the commit checked out now?)" % name)
PY
echo "0 passed, 1 failed"
exit 1
