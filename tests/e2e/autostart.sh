#!/usr/bin/env bash
# Starting at logon, with the real program: each start writes the Run-key
# entry "velmorad" when the GBK profile says 开机自动运行=1 and deletes it
# otherwise; the tray menu's 开机自动启动 changes the profile at once and the
# registry at the next start, asking before it turns the switch off.
DIST=$1 WIN=$2
source "$(dirname "$0")/lib.sh"

machine='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Run'
user='HKCU\SOFTWARE\Microsoft\Windows\CurrentVersion\Run'

# entry KEY: the data of "velmorad" under KEY, or "<none>".
entry() {
  local out="$VELMORA_SESSION/out/reg.$$.txt"
  if wine reg query "$1" /v velmorad </dev/null >"$out" 2>/dev/null; then
    tr -d '\r' <"$out" | awk '$1 == "velmorad" { sub(/^[ \t]*velmorad[ \t]+REG_SZ[ \t]+/, ""); print; exit }'
  else
    echo "<none>"
  fi
}
put_entry() { wine reg add "$1" /v velmorad /t REG_SZ /d 'C:\old\Velmora.exe' /f </dev/null >/dev/null 2>&1; }
clear_entries() {
  wine reg delete "$machine" /v velmorad /f </dev/null >/dev/null 2>&1 || true
  wine reg delete "$user" /v velmorad /f </dev/null >/dev/null 2>&1 || true
}
# profile DIR VALUE: a GBK profile holding 开机自动运行=VALUE.
profile() { printf '[Velmora]\r\n开机自动运行=%s\r\n' "$2" | iconv -f UTF-8 -t GBK >"$1/vlmr.INI"; }
switch_value() { iconv -f GBK -t UTF-8 <"$1/vlmr.INI" | tr -d '\r' | awk -F= '$1 == "开机自动运行" {print $2}'; }
start() {
  drv start "$(winpath "$1/Velmora.exe")" >/dev/null
  wait_for 10 icon_is 1
}
stop() {
  drv kill >/dev/null
  wait_for 5 processes_are 0 || true
}
box_open() { [ "$(drv_field 2 box)" = 1 ]; }
switch_is() { [ "$(switch_value "$1")" = "$2" ]; }
# A right click on the icon until the menu shows: while an earlier command
# still runs (a question just answered), the program drops the click.
open_menu() {
  drv tray 0x205 >/dev/null
  sleep 0.7
  menus_are 1
}
submenu_open() { menus_are 2; }
# 设置 › 开机自动启动 from the tray menu, with the mouse. The tray menu's
# second submenu arrow, down its right edge, marks 设置 (as in
# scripts/screenshot.sh); the submenu that opens holds only 开机自动启动.
toggle_from_menu() {
  local left top right bottom arrow sub
  xdotool mousemove 700 300
  wait_for 10 open_menu || return 1
  local seen count
  seen=$(drv menu)
  read -r _ count left top right bottom <<<"$seen"
  [ "$count" = 1 ] || { echo "     the driver read no open menu: '$seen'"; return 1; }
  xwd -root -silent | /usr/bin/convert xwd:- -crop "1x$((bottom - top))+$((right - 10))+$top" +repage txt:- \
    >"$VELMORA_SESSION/out/menu-edge.txt"
  arrow=$(awk -F'[,:]' '/#[0-4][0-9A-F][0-4][0-9A-F][0-4][0-9A-F]/ {
      if ($2 > last + 1) n++; last = $2; if (n == 2 && !y) y = $2 } END {print y}' "$VELMORA_SESSION/out/menu-edge.txt")
  [ -n "$arrow" ] || return 1
  click_at $((left + 40)) $((top + arrow + 2))
  wait_for 5 submenu_open || return 1
  # the smaller of the two menus is the submenu
  sub=$(drv menus | awk 'NR > 1 {h = $4 - $2; if (!best || h < best) {best = h; x = int(($1 + $3) / 2); y = int(($2 + $4) / 2)}} END {print x, y}')
  click_at ${sub% *} ${sub#* }
}

# ---- on: each start writes the entry
drv kill >/dev/null
wait_for 5 processes_are 0 || true
clear_entries
app=$(app_copy autostart)
profile "$app" 1
start "$app"
check "program started with 开机自动运行=1" icon_is 1
check "the start wrote velmorad: folder + \\Velmora.exe" eq "$(entry "$machine")" "$(winpath "$app")\\Velmora.exe"
check "and nothing under the user's key (the machine key is writable)" eq "$(entry "$user")" "<none>"
check "the profile is left as it was" eq "$(switch_value "$app")" 1
stop

# ---- a folder with a blank is stored in quotes
spaced=$(app_copy "auto start")
profile "$spaced" 1
start "$spaced"
check "a folder with a blank is quoted" eq "$(entry "$machine")" "\"$(winpath "$spaced")\\Velmora.exe\""
stop

# ---- off: each start deletes it, from both keys
put_entry "$machine"
put_entry "$user"
profile "$app" 0
start "$app"
check "with 开机自动运行=0 the start deleted velmorad" eq "$(entry "$machine")" "<none>"
check "from the user's key too" eq "$(entry "$user")" "<none>"

# ---- the menu turns it on; the registry follows at the next start
check "开机自动启动 can be chosen from the tray menu" toggle_from_menu
sleep 0.5
check "turning it on asks nothing" eq "$(drv_field 2 box)" 0
check "the profile says 1 at once" eq "$(switch_value "$app")" 1
check "the registry waits for the next start" eq "$(entry "$machine")" "<none>"
stop
start "$app"
check "the next start writes velmorad" eq "$(entry "$machine")" "$(winpath "$app")\\Velmora.exe"

# ---- turning it off asks; No keeps it, Yes turns it off
toggle_from_menu
check "turning it off asks first" wait_for 5 box_open
check "the question" eq "$(drv box | head -n 1)" "box 1 Velmora|确实要取消开机自动启动Velmora吗？"
drv box-press 7 >/dev/null
check "No answers the question" wait_for 10 open_menu
check "No keeps the switch on" eq "$(switch_value "$app")" 1
click_at 1100 700  # a click elsewhere closes the menu
wait_for 5 menus_are 0
check "开机自动启动 can be chosen again" toggle_from_menu
check "and asks again" wait_for 5 box_open
drv box-press 6 >/dev/null
check "Yes turns the switch off" wait_for 5 switch_is "$app" 0
check "the entry stays until the next start" eq "$(entry "$machine")" "$(winpath "$app")\\Velmora.exe"
stop
start "$app"
check "the next start deletes it" eq "$(entry "$machine")" "<none>"
stop
clear_entries

finish
