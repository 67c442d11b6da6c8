#!/usr/bin/env bash
# Start-up reads its switches from a GBK profile without changing it, and
# odd values never stop it.
DIST=$1 WIN=$2
source "$(dirname "$0")/lib.sh"

# keeps_lines FILE PRINTF-TEXT: every line of the text is still a line of FILE.
keeps_lines() {
  local line
  while IFS= read -r line; do
    grep -qxF -- "$line" "$1" || { echo "     lost: $line"; return 1; }
  done < <(printf "$2")
}

for profile in \
  '[Velmora]\r\nqhzm= 1 \r\n\xbf\xaa\xbb\xfa\xd7\xd4\xb6\xaf\xd4\xcb\xd0\xd0=1\r\nsj=\xc3\xbf\xd2\xbb\xbf\xcc\xd6\xd3\r\n' \
  '[velmora]\r\nQHZM=abc\r\n\xbf\xaa\xbb\xfa\xd7\xd4\xb6\xaf\xd4\xcb\xd0\xd0=\r\n' \
  'not an ini file at all \xff\xfe\x00\x01' \
  ''; do
  app=$(app_copy profile)
  printf "$profile" >"$app/vlmr.INI"
  exe=$(winpath "$app/Velmora.exe")
  name=$(printf '%s' "$profile" | head -c 24)
  drv start "$exe" >/dev/null
  check "starts with profile '$name...'" icon_is 1
  check "shows no window" eq "$(drv_field 2 windows)" 0
  # Timed changing started from the profile records itself ("zdy", "gh");
  # nothing that was there is lost or changed.
  check "keeps the profile's settings" keeps_lines "$app/vlmr.INI" "$profile"
  drv kill >/dev/null
  wait_for 5 icon_is 0 || true
done

finish
