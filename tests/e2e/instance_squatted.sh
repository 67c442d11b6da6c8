#!/usr/bin/env bash
# One copy, whatever holds the single-instance name: with the running copy's
# token made one that no other start can open (as a copy run as
# administrator holds it against a plain user), ten starts at once each end,
# leaving one process and one icon, and a start with /next still hands its
# verb to the running copy. Effects are recorded; the bitmap is real.
DIST=$1 WIN=$2
source "$(dirname "$0")/lib.sh"

app=$(app_copy squatted recording)
mkdir -p "$app/pic"
for n in 1 2; do /usr/bin/convert -size "10${n}x60" "xc:#3060a0" "BMP3:$app/pic/$n.bmp"; done
export VELMORA_EFFECTS_LOG
VELMORA_EFFECTS_LOG=$(winpath "$VELMORA_SESSION/out/squatted-effects.log")
exe=$(winpath "$app/Velmora.exe")
width_is() { [ "$(od -An -t d4 -j 18 -N 4 "$app/wallpaper.bmp" 2>/dev/null | tr -d ' ')" = "$1" ]; }

before=$(drv_field 2 tray-icons)
check "the program runs with its icon" eq "$(drv_field 1 start "$exe")" started
check "its token is now one no other start can open" eq "$(drv deny-instance | head -n 1)" "denied 1 1"
drv start-many 10 "$exe" >/dev/null
check "ten starts at once: each ends, one process is left" wait_for 10 processes_are 1
check "with one icon" eq "$(drv_field 2 tray-icons)" "$((before + 1))"
check "and no window" eq "$(drv_field 2 windows)" 0
read -r ended _ <<<"$(drv start-wait "$exe" /next)"
check "a start with /next ends" eq "$ended" ended
check "having handed the verb over: the first picture is the wallpaper" wait_for 5 width_is 101
check "one process still" processes_are 1

finish
