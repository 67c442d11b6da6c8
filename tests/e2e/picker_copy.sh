#!/usr/bin/env bash
# Copying from the colour picker as the user does it: the picker opened
# from the panel reads a window of known colours, the pointer goes onto the
# picker, a right click opens its menu and the keys choose rgb(); Ctrl+C
# over the picker copies the next colour as #RRGGBB; the menu's history
# copies the first colour again. The clipboard is read back each time.
DIST=$1 WIN=$2
source "$(dirname "$0")/lib.sh"

app=$(app_copy picker-copy recording)
export VELMORA_EFFECTS_LOG
VELMORA_EFFECTS_LOG=$(winpath "$VELMORA_SESSION/out/picker-copy-effects.log")
drv start "$(winpath "$app/Velmora.exe")" >/dev/null
check "program started" icon_is 1

# Two bands side by side: RGB(171, 205, 239) left, RGB(18, 52, 86) right.
wine "$WIN/vdriver.exe" colour-window 640 300 400 200 ABCDEF 123456 </dev/null >/dev/null 2>&1 &
trap 'drv close-window VdriverColours >/dev/null' EXIT
colours_up() { [ "$(drv_field 2 window VdriverColours)" = 1 ]; }
check "the colour window shows" wait_for 10 colours_up

# 桌面取色 on the panel (its picture at 144, 200, 40 x 30).
panel_shown() { [ "$(drv_field 2 panel)" = 1 ]; }
drv tray 0x203 >/dev/null
check "the panel opens" wait_for 5 panel_shown
read -r _ _ _ L T _ _ <<<"$(drv panel)"
click_at $((L + 144 + 20)) $((T + 200 + 15))
picker_shown() { [ "$(drv_field 2 picker)" = 1 ]; }
check "its cell opens the picker" wait_for 5 picker_shown
read -r _ _ PL PT _ _ <<<"$(drv picker)"
# Keys go to the X window with the keyboard focus (or, with none, to the
# one under the pointer); a window of an earlier scenario that went away
# may have left the focus on nothing. The picker takes it before each key:
# its menu reads the keys of its owner's thread.
picker_x=$(xdotool search --onlyvisible --name '^放大镜$' | head -n 1)
check "the picker is a window of the display" test -n "$picker_x"
keys_to_picker() { xdotool windowfocus "$picker_x"; }

hex_line() { drv picker | cut -d'|' -f2; }
hex_line_is() { [ "$(hex_line)" = "$1" ]; }
hex_line_isnt() { local now; now=$(hex_line); [ -n "$now" ] && [ "$now" != "$1" ]; }
clipboard() { drv clipboard | head -n 1; }
clipboard_is() { [ "$(clipboard)" = "clipboard $1" ]; }

# Pointing at the first colour, then at the picker's decimal line, a
# drawn part (its white is keyed out and lets clicks through).
xdotool mousemove 740 400
check "the picker reads the first colour" wait_for 5 hex_line_is "Red:AB Green:CD Blue:EF"
line_x=$((PL + 60)) line_y=$((PT + 84))
xdotool mousemove "$line_x" "$line_y"
check "over the picker it reads its own pixels" wait_for 5 hex_line_isnt "Red:AB Green:CD Blue:EF"
keys_to_picker
xdotool click 3
check "a right click on the picker opens its menu" wait_for 5 menus_are 1
read -r _ _ ml mt _ _ <<<"$(drv menu)"
check "at the pointer" eq "$ml,$mt" "$line_x,$line_y"
xdotool key Down Down Return
check "rgb() of the remembered colour reaches the clipboard" wait_for 5 clipboard_is "rgb(171, 205, 239)"
check "the menu closed" wait_for 5 menus_are 0

# Ctrl+C: the second colour, remembered on the way back to the picker.
xdotool mousemove 940 400
check "the picker reads the second colour" wait_for 5 hex_line_is "Red:12 Green:34 Blue:56"
xdotool mousemove "$line_x" "$line_y"
check "and its own pixels again" wait_for 5 hex_line_isnt "Red:12 Green:34 Blue:56"
keys_to_picker
xdotool key ctrl+c
check "Ctrl+C copies it as #RRGGBB" wait_for 5 clipboard_is "#123456"

# The history: 3 forms, a separator, #123456, #ABCDEF.
keys_to_picker
xdotool click 3
check "the menu opens again" wait_for 5 menus_are 1
xdotool key Down Down Down Down Down Return
check "the older colour of the history is copied again as #RRGGBB" wait_for 5 clipboard_is "#ABCDEF"
check "the program runs on" processes_are 1
check "nothing reached the system" eq "$(cat "$VELMORA_SESSION/out/picker-copy-effects.log" 2>/dev/null | wc -l)" "0"
finish
