#!/usr/bin/env bash
# Start-up reads its switches from a GBK profile without changing it, and
# odd values never stop it.
DIST=$1 WIN=$2
source "$(dirname "$0")/lib.sh"

for profile in \
  '[Velmora]\r\nqhzm= 1 \r\n\xbf\xaa\xbb\xfa\xd7\xd4\xb6\xaf\xd4\xcb\xd0\xd0=1\r\nsj=\xc3\xbf\xd2\xbb\xbf\xcc\xd6\xd3\r\n' \
  '[velmora]\r\nQHZM=abc\r\n\xbf\xaa\xbb\xfa\xd7\xd4\xb6\xaf\xd4\xcb\xd0\xd0=\r\n' \
  'not an ini file at all \xff\xfe\x00\x01' \
  ''; do
  app=$(app_copy profile)
  printf "$profile" >"$app/vlmr.INI"
  sum=$(md5sum <"$app/vlmr.INI")
  exe=$(winpath "$app/Velmora.exe")
  name=$(printf '%s' "$profile" | head -c 24)
  drv start "$exe" >/dev/null
  check "starts with profile '$name...'" icon_is 1
  check "shows no window" eq "$(drv_field 2 windows)" 0
  check "leaves the profile as it was" eq "$(md5sum <"$app/vlmr.INI")" "$sum"
  drv kill >/dev/null
  wait_for 5 icon_is 0 || true
done

finish
