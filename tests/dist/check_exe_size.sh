#!/usr/bin/env bash
# Velmora.exe stays one portable file of at most LIMIT bytes (the build is
# reproducible, so the size is the same on every build of a commit).
#
#   check_exe_size.sh DIST_DIR LIMIT
set -euo pipefail
exe=${1:?usage: check_exe_size.sh DIST_DIR LIMIT}/Velmora.exe
limit=${2:?missing limit}
[ -f "$exe" ] || { echo "no $exe"; exit 1; }
[ "$(head -c 2 "$exe")" = MZ ] || { echo "$exe is not a Windows program"; exit 1; }
size=$(stat -c %s "$exe")
echo "Velmora.exe: $size bytes, limit $limit"
if [ "$size" -gt "$limit" ]; then
  echo "Velmora.exe is $((size - limit)) bytes over the limit"
  exit 1
fi
