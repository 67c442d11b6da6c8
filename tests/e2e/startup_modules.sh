#!/usr/bin/env bash
# Start-up loads only what the tray icon needs: with the icon shown, none
# of the libraries the windows use later (common controls, COM, the picture
# decoders, MCI) is in the process; the panel opened from the tray brings
# common controls in and still works.
DIST=$1 WIN=$2
source "$(dirname "$0")/lib.sh"

app=$(app_copy modules)
exe=$(winpath "$app/Velmora.exe")
late="comctl32.dll ole32.dll oleaut32.dll windowscodecs.dll winmm.dll"

# loaded NAME: NAME is among the program's modules.
loaded() { drv modules | tail -n +2 | tr -d ' \r' | grep -qx "$1"; }
unloaded() { ! loaded "$1"; }
panel_visible() { [ "$(drv_field 2 panel)" = 1 ]; }

# Effects are recorded, not performed.
export VELMORA_EFFECTS_LOG
VELMORA_EFFECTS_LOG=$(winpath "$VELMORA_SESSION/out/modules-effects.log")
check "program started" eq "$(drv_field 1 start "$exe")" started
check "its icon shows" wait_for 10 icon_is 1
check "the driver sees its modules" loaded velmora.exe
check "and the ones the icon needs" loaded shell32.dll
for dll in $late; do
  check "start-up leaves $dll unloaded" unloaded "$dll"
done

drv tray 0x203 >/dev/null
check "a double-click on the icon shows the panel" wait_for 5 panel_visible
check "which loaded common controls" loaded comctl32.dll

drv kill >/dev/null
finish
