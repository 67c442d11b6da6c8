#!/usr/bin/env bash
# One instance: a second start ends at once and changes nothing; two starts
# at the same moment leave one process. Start-up without a profile writes
# nothing.
DIST=$1 WIN=$2
source "$(dirname "$0")/lib.sh"

app=$(app_copy single)
exe=$(winpath "$app/Velmora.exe")
before=$(drv_field 2 tray-icons)

started=$(drv start "$exe")
check "first start shows its tray icon ($started)" eq "$(echo "$started" | awk '{print $1}')" started
check "the icon is Velmora's" icon_is 1
check "exactly one more icon in the notification area" eq "$(drv_field 2 tray-icons)" "$((before + 1))"
check "no window is visible" eq "$(drv_field 2 windows)" 0
check "start-up without a profile writes nothing" eq "$(ls -A "$app")" "Velmora.exe"

# The first instance's profile, as the user left it.
printf '[Velmora]\r\nqhzm=0\r\nsj=\xc3\xbf\xd2\xbb\xbf\xcc\xd6\xd3\r\n' >"$app/vlmr.INI"
sum=$(md5sum <"$app/vlmr.INI")
stamp=$(stat -c %Y "$app/vlmr.INI")

second=$(drv start-wait "$exe")
check "a second start ends by itself ($second)" eq "$(echo "$second" | awk '{print $1}')" ended
check "the first instance still runs, alone" processes_are 1
check "its icon is still there" icon_is 1
check "still exactly one more icon" eq "$(drv_field 2 tray-icons)" "$((before + 1))"
check "the profile is untouched" eq "$(md5sum <"$app/vlmr.INI")/$(stat -c %Y "$app/vlmr.INI")" "$sum/$stamp"
check "no window appeared" eq "$(drv_field 2 windows)" 0

drv kill >/dev/null
wait_for 5 icon_is 0 || true
base2=$(drv_field 2 tray-icons)
drv start-many 2 "$exe" >/dev/null
check "two starts at once: one shows its icon" wait_for 10 icon_is 1
check "and the other ends, leaving one process" wait_for 10 processes_are 1
check "and one icon" eq "$(drv_field 2 tray-icons)" "$((base2 + 1))"

finish
