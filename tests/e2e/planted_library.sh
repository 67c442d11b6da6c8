#!/usr/bin/env bash
# A library planted beside Velmora.exe under a system library's name
# (shcore.dll, which Wine's system libraries load when the panel opens) is
# never loaded: the program takes libraries from the system folder only.
DIST=$1 WIN=$2
source "$(dirname "$0")/lib.sh"

app=$(app_copy planted)
cp "$WIN/planted.dll" "$app/shcore.dll"
exe=$(winpath "$app/Velmora.exe")
panel_visible() { [ "$(drv_field 2 panel)" = 1 ]; }
# loaded_from_app: a library of the program's folder other than the program.
loaded_from_app() {
  drv modules paths | tail -n +2 | tr -d ' \r' | grep -i -F "$(winpath "$app" | tr 'A-Z' 'a-z')\\" |
    grep -v -i 'velmora\.exe$'
}

check "program started" eq "$(drv_field 1 start "$exe")" started
drv tray 0x203 >/dev/null
check "a double-click on the icon shows the panel" wait_for 10 panel_visible
check "the system's shcore.dll is what is loaded, if any" eq "$(loaded_from_app)" ""
check "the planted library never ran" test ! -e "$app/planted-loaded"

finish
