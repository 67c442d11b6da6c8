#!/usr/bin/env bash
# The user's files kept whole. A profile saved as UTF-16 big-endian, and
# linked from the program's folder to where the user keeps it, counts (its
# timed changing starts with the program), and what the program writes to
# it is written in UTF-16 big-endian into the linked file, every other byte
# kept, the link left a link. A history
# held open by another program is not written over while /next runs, and
# once it is free, what those changes added is merged into it.
DIST=$1 WIN=$2
source "$(dirname "$0")/lib.sh"

app=$(app_copy userfiles recording)
mkdir -p "$app/pic"
for n in 1 2 3; do /usr/bin/convert -size "10${n}x60" "xc:#3060a0" "BMP3:$app/pic/$n.bmp"; done
export VELMORA_EFFECTS_LOG
VELMORA_EFFECTS_LOG=$(winpath "$VELMORA_SESSION/out/userfiles-effects.log")
exe=$(winpath "$app/Velmora.exe")
utf16be() { printf '\xfe\xff'; printf '%s' "$1" | iconv -f UTF-8 -t UTF-16BE; }
# Timed changing from the start, every 60 seconds: not within this test.
kept=$VELMORA_SESSION/apps/userfiles-kept
rm -rf "$kept"
mkdir -p "$kept"
utf16be $'[Velmora]\r\nqhzm=1\r\nxz=1\r\nsj=自定义\r\nzdy=60\r\n' >"$kept/vlmr.INI"
ln -s "$kept/vlmr.INI" "$app/vlmr.INI"
utf16be $'[Velmora]\r\nqhzm=1\r\nxz=1\r\nsj=自定义\r\nzdy=60\r\ngh=1\r\n' >"$VELMORA_SESSION/out/expected.INI"
printf 'Velmora wallpaper history 1\n3.bmp\n' >"$app/vlmr-history.txt"
width_is() { [ "$(od -An -t d4 -j 18 -N 4 "$app/wallpaper.bmp" 2>/dev/null | tr -d ' ')" = "$1" ]; }
profile_is_expected() { cmp -s "$kept/vlmr.INI" "$VELMORA_SESSION/out/expected.INI"; }

drv start "$exe" >/dev/null
check "the program runs with its icon" icon_is 1
check "the UTF-16 BE profile counted, and its write is UTF-16 BE with every other byte kept" \
  wait_for 5 profile_is_expected
check "the profile is still a link" test -L "$app/vlmr.INI"

# Another program holds the history open without sharing.
marker=$VELMORA_SESSION/out/hold-history
held=$VELMORA_SESSION/out/hold.txt
touch "$marker"
rm -f "$held"
wine "$WIN/vdriver.exe" hold "$(winpath "$app/vlmr-history.txt")" "$(winpath "$marker")" \
  </dev/null >"$held" 2>/dev/null &
holder=$!
check "the history is held open elsewhere" wait_for 10 grep -q "held 1" "$held"
for n in 1 2; do
  drv start-wait "$exe" /next >/dev/null
  check "/next applies picture $n all the same" wait_for 5 width_is "10$n"
done
check "the held history is not written over" eq "$(cat "$app/vlmr-history.txt")" \
  "$(printf 'Velmora wallpaper history 1\n3.bmp')"
rm -f "$marker"
wait "$holder" || true
drv start-wait "$exe" /next >/dev/null
check "once free, /next goes on" wait_for 5 width_is 103
history_merged() {
  [ "$(cat "$app/vlmr-history.txt")" = "$(printf 'Velmora wallpaper history 1\n3.bmp\n1.bmp\n2.bmp\n3.bmp')" ]
}
check "and the history holds what it held and what this run added" wait_for 5 history_merged

finish
