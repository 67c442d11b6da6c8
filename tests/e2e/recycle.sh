#!/usr/bin/env bash
# 清空回收站 for real, in the session's own recycle bin (Wine keeps it in
# the XDG trash under the session's private XDG_DATA_HOME): a file put in
# the bin is gone after the tray entry or the panel's cell, and no window
# shows. Started with the command line 3, 清空回收站 empties the bin with
# those options; started with 8, -1 or abc it empties nothing.
DIST=$1 WIN=$2
source "$(dirname "$0")/lib.sh"

trash=${XDG_DATA_HOME:?}/Trash
rm -rf "$trash/files" "$trash/info"

app=$(app_copy recycle)
exe=$(winpath "$app/Velmora.exe")

# put_in_bin NAME: a file of the program folder moved to the recycle bin.
put_in_bin() {
  echo "rubbish" >"$app/$1"
  drv recycle "$(winpath "$app/$1")" >/dev/null
}
bin_count() { drv_field 2 bin-count; }
bin_is() { [ "$(bin_count)" = "$1" ]; }
# bin_shows N: like bin_is, and says what the bin held when it fails.
bin_shows() { eq "$(bin_count)" "$1"; }
# empty_trash: the session's trash emptied behind Wine's back, its
# folders kept.
empty_trash() { find "$trash/files" "$trash/info" -mindepth 1 -delete 2>/dev/null || true; }
trash_files() { find "$trash/files" -mindepth 1 -maxdepth 1 2>/dev/null | wc -l; }
velmora_windows() { drv_field 2 windows; }

# The tray menu's 清空回收站: the sixth entry from the top.
tray_empty() {
  drv tray 0x205 >/dev/null
  wait_for 5 menus_are 1 || return 1
  drv menu-keys 0x28 0x28 0x28 0x28 0x28 0x28 0x0D >/dev/null
  wait_for 5 menus_are 0
}

put_in_bin one.txt
put_in_bin two.txt
check "two files are in the recycle bin" bin_is 2
check "Wine keeps them in the session's trash" eq "$(trash_files)" 2
check "and they left the program folder" eq "$(ls "$app")" "Velmora.exe"

drv start "$exe" >/dev/null
check "program started" icon_is 1
check "the program answers" program_answers
check "starting alone leaves the bin as it is" bin_is 2
check "the tray menu's 清空回收站 is chosen" tray_empty
check "empties the recycle bin" wait_for 10 bin_is 0
check "the trash folder is empty" eq "$(trash_files)" 0
check "without a question, progress window or any window" eq "$(velmora_windows)" 0
check "no message" eq "$(drv_field 2 box)" 0
check "the program runs on" processes_are 1

put_in_bin three.txt
check "a file in the bin again" bin_is 1
drv tray 0x203 >/dev/null
panel_shown() { [ "$(drv_field 2 panel)" = 1 ]; }
check "the panel opens" wait_for 5 panel_shown
read -r _ _ _ L T _ _ <<<"$(drv panel)"
click_at $((L + 56 + 15)) $((T + 130 + 15))
check "the panel's 清空回收站 cell empties it" wait_for 10 bin_is 0
check "only the panel shows" eq "$(velmora_windows)" 1
put_in_bin four.txt
click_at $((L + 44 + 20)) $((T + 163 + 5))
check "its caption does the same, a second time" wait_for 10 bin_is 0
check "the program runs on" processes_are 1
drv kill >/dev/null

# The command line: a number 0..7 is the emptier's options.
n=0
for arg in 3 " 3 " 8 -1 abc; do
  n=$((n + 1))
  put_in_bin "arg$n.txt"
  check "[$arg] one file is in the bin" wait_for 5 bin_is 1
  drv start "$exe" "$arg" >/dev/null
  check "[$arg] program started" icon_is 1
  check "[$arg] the program answers" program_answers
  check "[$arg] nothing is emptied at start-up" bin_shows 1
  check "[$arg] 清空回收站 is chosen" tray_empty
  if [ "$(echo $arg)" = 3 ]; then
    check "[$arg] it empties the bin" wait_for 10 bin_is 0
  else
    check "[$arg] the program has handled the choice" program_answers
    check "[$arg] and emptied nothing" bin_shows 1
  fi
  check "[$arg] no window, no message" eq "$(velmora_windows) $(drv_field 2 box)" "0 0"
  check "[$arg] the program runs on" processes_are 1
  drv kill >/dev/null
  empty_trash
done

finish
