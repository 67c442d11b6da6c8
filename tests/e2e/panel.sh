#!/usr/bin/env bash
# The launcher panel as the user meets it: a double-click on the tray icon
# opens it at its first-run place, dragging edges and corners with the real
# mouse leaves its size alone, dragging its background moves it, its close
# button saves where it was and leaves the program in the tray, and the next
# double-click brings it back there.
DIST=$1 WIN=$2
source "$(dirname "$0")/lib.sh"

settings='HKCU\Software\Velmora Program Settings\Velmora\Settings'
wine reg delete 'HKCU\Software\Velmora Program Settings' /f >/dev/null 2>&1 || true
app=$(app_copy panel recording)
# Effects are recorded, not performed: nothing here should reach the system.
export VELMORA_EFFECTS_LOG
VELMORA_EFFECTS_LOG=$(winpath "$VELMORA_SESSION/out/panel-effects.log")
drv start "$(winpath "$app/Velmora.exe")" >/dev/null
check "program started" icon_is 1

panel() { drv panel; }
panel_is() { [ "$(panel | cut -d' ' -f2-)" = "$1" ]; }
size_of() { read -r _ _ _ l t r b <<<"$(panel)"; echo "$((r - l))x$((b - t))"; }

drv tray 0x203 >/dev/null
check "a double-click on the icon shows the panel at 1000 twips, 520 x 373" wait_for 5 panel_is "1 0 67 67 587 440"
shot panel

# drag X Y DX DY: press at (X, Y), move by (DX, DY) in steps, release.
drag() {
  xdotool mousemove "$1" "$2" mousedown 1
  sleep 0.3
  xdotool mousemove $(($1 + $3 / 2)) $(($2 + $4 / 2))
  sleep 0.15
  xdotool mousemove $(($1 + $3)) $(($2 + $4))
  sleep 0.3
  xdotool mouseup 1
  sleep 0.5
}

# Edges and corners: the system's own sizing runs, the size snaps back.
read -r _ _ _ L T R B <<<"$(panel)"
drag $((R - 3)) $((T + 200)) 60 10
check "dragging the right edge leaves the window as it was" eq "$(panel)" "panel 1 0 $L $T $R $B"
drag $((L + 200)) $((B - 3)) 20 50
check "dragging the bottom edge leaves the window as it was" eq "$(panel)" "panel 1 0 $L $T $R $B"
drag $((R - 5)) $((B - 5)) 70 60
check "dragging the bottom-right corner leaves the window as it was" eq "$(panel)" "panel 1 0 $L $T $R $B"
drag $((L + 3)) $((T + 200)) -40 0
read -r _ _ _ l t _ _ <<<"$(panel)"
check "dragging the left edge moves the left side by the drag" eq "$l,$t" "$((L - 40)),$T"
check "and keeps 520 x 373" eq "$(size_of)" "520x373"
read -r _ _ _ L T R B <<<"$(panel)"
drag $((L + 100)) $((T + 1)) 0 -30
read -r _ _ _ l t _ _ <<<"$(panel)"
check "dragging the top edge moves the top by the drag" eq "$l,$t" "$L,$((T - 30))"
check "and keeps 520 x 373" eq "$(size_of)" "520x373"
read -r _ _ _ L T R B <<<"$(panel)"
drag $((L + 5)) $((T + 5)) 25 35
read -r _ _ _ l t _ _ <<<"$(panel)"
check "dragging the top-left corner moves both sides" eq "$l,$t" "$((L + 25)),$((T + 35))"
check "and keeps 520 x 373" eq "$(size_of)" "520x373"
read -r _ _ _ L T R B <<<"$(panel)"
drag $((R - 5)) $((T + 5)) 30 -20
read -r _ _ _ l t _ _ <<<"$(panel)"
check "dragging the top-right corner moves the top only" eq "$l,$t" "$L,$((T - 20))"
check "and keeps 520 x 373" eq "$(size_of)" "520x373"
read -r _ _ _ L T R B <<<"$(panel)"
drag $((L + 5)) $((B - 5)) -35 40
read -r _ _ _ l t _ _ <<<"$(panel)"
check "dragging the bottom-left corner moves the left side only" eq "$l,$t" "$((L - 35)),$T"
check "and keeps 520 x 373" eq "$(size_of)" "520x373"

# The background moves the window.
read -r _ _ _ L T R B <<<"$(panel)"
drag $((L + 260)) $((T + 22)) 73 41
check "dragging the background moves the window" eq "$(panel)" "panel 1 0 $((L + 73)) $((T + 41)) $((R + 73)) $((B + 41))"
shot panel-moved

# The close button (42 x 15 at client width - 49, 4).
read -r _ _ _ L T R B <<<"$(panel)"
click_at $((L + 471 + 20)) $((T + 4 + 7))
check "the close button closes the panel" wait_for 5 panel_is "0 0 0 0 0 0"
check "the program stays in the tray" processes_are 1
check "with its icon" icon_is 1
value() { wine reg query "$settings" /v "$1" 2>/dev/null | tr -d '\r' | awk -v n="$1" '$1 == n {print $3}'; }
check "frmLeft holds the left edge in twips" eq "$(value frmLeft)" "$((L * 15))"
check "frmTop holds the top edge in twips" eq "$(value frmTop)" "$((T * 15))"
check "frmWidth holds 7800" eq "$(value frmWidth)" "7800"
check "frmHeight holds 5600" eq "$(value frmHeight)" "5600"

drv tray 0x203 >/dev/null
check "the next double-click shows it where it was closed" wait_for 5 panel_is "1 0 $L $T $R $B"

# Minimised, a double-click restores it.
read -r _ _ _ L T R B <<<"$(panel)"
click_at $((L + 416 + 14)) $((T + 4 + 7))
iconic() { [ "$(panel | cut -d' ' -f3)" = "1" ]; }
check "the minimise button minimises the panel" wait_for 3 iconic
drv tray 0x203 >/dev/null
iconic_no() { [ "$(panel | cut -d' ' -f2-3)" = "1 0" ]; }
check "a double-click restores it" wait_for 5 iconic_no
check "at 520 x 373" eq "$(size_of)" "520x373"
check "nothing reached the system" eq "$(cat "$VELMORA_SESSION/out/panel-effects.log" 2>/dev/null | wc -l)" "0"
finish
