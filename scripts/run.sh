#!/usr/bin/env bash
# The run command: builds Velmora and starts dist/Velmora.exe under Wine.
#
# With an X display (DISPLAY set and reachable) it runs there, in the Wine
# prefix named by WINEPREFIX (default: build/wine-run). Without one it runs
# on a private Xvfb inside Wine's virtual desktop and saves a PNG of that
# desktop every few seconds until stopped with Ctrl+C.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VELMORA_BUILD_DIR:-$root/build}

bash "$root/scripts/deps.sh"
bash "$root/scripts/build.sh"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  export WINEPREFIX=${WINEPREFIX:-$build/wine-run}
  export LANG=zh_CN.UTF-8 WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml="
  [ -d "$WINEPREFIX" ] || wineboot -i >/dev/null 2>&1
  echo "Velmora runs in the notification area of display $DISPLAY (prefix $WINEPREFIX)."
  exec wine "$root/dist/Velmora.exe"
fi

session=$build/run-session
shots=$build/run-screens
bash "$root/tests/wine/session.sh" start "$session" >/dev/null
trap 'bash "$root/tests/wine/session.sh" stop "$session"; exit 0' INT TERM EXIT
# shellcheck disable=SC1091
source "$session/env"
mkdir -p "$shots"
wine explorer /desktop=Velmora,1280x800 "$(winepath -w "$root/dist/Velmora.exe")" </dev/null >"$session/run.log" 2>&1 &
echo "Velmora runs on a private display inside Wine's virtual desktop."
echo "A screenshot of that desktop is saved every 5 seconds as $shots/latest.png (Ctrl+C stops)."
n=0
while true; do
  sleep 5
  n=$((n + 1))
  xwd -root -silent | /usr/bin/convert xwd:- -crop 1280x800+0+0 +repage "$shots/desktop-$(printf %04d $n).png"
  cp "$shots/desktop-$(printf %04d $n).png" "$shots/latest.png"
done
