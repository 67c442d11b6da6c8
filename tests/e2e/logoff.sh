#!/usr/bin/env bash
# 注销计算机 for real, in a Wine prefix and display of its own (logging off
# ends every program of the prefix): the panel's 关闭计算机 cell, then the
# first entry of its power menu. The program asks the system to log off and
# ends at once.
DIST=$1 WIN=$2
session_sh=$(cd "$(dirname "$0")/../wine" && pwd)/session.sh
own=$VELMORA_SESSION/logoff-session
bash "$session_sh" start "$own" >/dev/null
trap 'bash "$session_sh" stop "$own" >/dev/null 2>&1 || true' EXIT
(
  # shellcheck disable=SC1091
  source "$own/env"
  source "$(dirname "$0")/lib.sh"
  app=$(app_copy logoff)
  drv start "$(winpath "$app/Velmora.exe")" >/dev/null
  check "program started" icon_is 1
  drv tray 0x203 >/dev/null
  panel_shown() { [ "$(drv_field 2 panel)" = 1 ]; }
  check "the panel opens" wait_for 5 panel_shown
  read -r _ _ _ L T _ _ <<<"$(drv panel)"
  click_at $((L + 424 + 15)) $((T + 275 + 15))
  check "关闭计算机 pops up the power menu" wait_for 5 menus_are 1
  read -r _ _ left top _ _ <<<"$(drv menu)"
  click_at $((left + 30)) $((top + 12))
  check "注销计算机 ends the program" wait_for 15 processes_are 0
  echo "$((checks - failures)) passed, $failures failed"
  [ "$failures" -eq 0 ]
)
