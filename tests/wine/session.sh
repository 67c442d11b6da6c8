#!/usr/bin/env bash
# An isolated Windows for tests: a private Xvfb display, a fresh Wine prefix
# and HOME / XDG folders of its own, so that nothing reaches the host user's
# desktop, trash (Wine's recycle bin) or browser.
#
#   session.sh start DIR [DPI] [--monitors 2]
#                               make DIR, start the display, boot the prefix;
#                               with DPI, the user's LogPixels is DPI (a
#                               scaled display) before any program starts;
#                               with two monitors, a nested Xephyr shows
#                               1280x800 and 800x1280 side by side
#                               (Wine sees two monitors, the primary left)
#   session.sh run DIR CMD...   run CMD inside the session (a .exe runs under wine)
#   session.sh run-slot BASE CMD...
#                               run CMD in the session BASE/<slot>, the slot
#                               being the "wine" one CTest gave the test
#                               (tests/wine/wine-slots.json), else BASE/a
#   session.sh stop DIR         end Wine and the display
#   session.sh env DIR          print the exports (for sourcing by other scripts)
set -euo pipefail

cmd=${1:?usage: session.sh start|run|stop|env DIR [CMD...]}
dir=${2:?missing session folder}
shift 2
monitors=1
logpixels=""
if [ "$cmd" = start ]; then
  while [ $# -gt 0 ]; do
    case "$1" in
      --monitors) monitors=${2:?missing monitor count}; shift 2 ;;
      *) logpixels=$1; shift ;;
    esac
  done
fi
case "$monitors" in 1 | 2) ;; *) echo "--monitors takes 1 or 2" >&2; exit 2 ;; esac
[[ "$logpixels" =~ ^[0-9]*$ ]] || { echo "DPI must be a number, not '$logpixels'" >&2; exit 2; }

# start_server LOG SERVER ARGS...: starts an X server that takes a display
# number nobody uses and writes it once it listens (so sessions started side
# by side never pick the same one); prints the number and leaves the
# server's process id in LOG.pid.
start_server() {
  local log=$1 number=$1.display
  shift
  rm -f "$number"
  setsid "$@" -displayfd 3 3>"$number" </dev/null >"$log" 2>&1 &
  echo $! >"${log%.log}.pid"
  for _ in $(seq 1 100); do
    [ -s "$number" ] && break
    sleep 0.1
  done
  tr -dc '0-9' <"$number"
}

write_env() {
  cat > "$dir/env" <<ENV
export DISPLAY=:$1
export WINEPREFIX="$dir/prefix"
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
export LANG=zh_CN.UTF-8
export HOME="$dir/home"
export XDG_DATA_HOME="$dir/home/.local/share"
export XDG_CONFIG_HOME="$dir/home/.config"
export XDG_CACHE_HOME="$dir/home/.cache"
export XDG_RUNTIME_DIR="$dir/runtime"
export VELMORA_SESSION="$dir"
ENV
}

case "$cmd" in
  start)
    if [ -f "$dir/env" ]; then bash "$0" stop "$dir" || true; fi
    rm -rf "$dir"
    mkdir -p "$dir/home/.local/share" "$dir/home/.config" "$dir/home/.cache" "$dir/runtime" "$dir/out"
    chmod 700 "$dir/runtime"
    if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
      echo "the zh_CN.UTF-8 locale is not generated (scripts/deps.sh does it)" >&2
      exit 1
    fi
    if [ "$monitors" = 1 ]; then
      n=$(start_server "$dir/xvfb.log" Xvfb -screen 0 1280x800x24 -nolisten tcp -noreset)
    else
      # Xvfb's own screens all sit at 0,0; Xephyr's Xinerama lays them side
      # by side. With RandR on, Wine would see one monitor.
      n=$(start_server "$dir/xvfb.log" Xvfb -screen 0 2200x1400x24 -nolisten tcp -noreset)
    fi
    [ -n "$n" ] || { echo "Xvfb did not start"; cat "$dir/xvfb.log"; exit 1; }
    if [ "$monitors" = 2 ]; then
      n=$(DISPLAY=:$n start_server "$dir/xephyr.log" Xephyr +xinerama -extension RANDR -screen 1280x800 \
        -screen 800x1280 -ac -nolisten tcp)
      [ -n "$n" ] || { echo "Xephyr did not start"; cat "$dir/xephyr.log"; exit 1; }
    fi
    write_env "$n"
    # shellcheck disable=SC1091
    source "$dir/env"
    wineboot -i </dev/null >"$dir/wineboot.log" 2>&1
    wineserver -w
    if [ -n "$logpixels" ]; then
      # Read by each Wine process as it starts: the programs started from
      # now on see a display of this many dots per inch.
      wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$logpixels" /f \
        </dev/null >"$dir/logpixels.log" 2>&1
      wineserver -w
    fi
    # Keep one wineserver alive for the whole session so that the tests do
    # not pay for its start-up each time.
    setsid wineserver -p </dev/null >/dev/null 2>&1 &
    wine reg query 'HKLM\System\CurrentControlSet\Control\Nls\CodePage' /v ACP </dev/null >"$dir/acp.txt" 2>&1 || true
    acp=$(awk '/ACP/ {print $3}' "$dir/acp.txt" | tr -dc '0-9')
    echo "Wine session ready: display :$n, prefix $WINEPREFIX, code page $acp${logpixels:+, LogPixels $logpixels}"
    [ "$acp" = 936 ] || { echo "expected code page 936"; exit 1; }
    ;;
  run)
    # shellcheck disable=SC1091
    source "$dir/env"
    first=${1:?missing command}
    if [[ "$first" == *.exe ]]; then
      log="$dir/out/$(basename "$first" .exe).$$.log"
      # Wine's programs keep a pipe open for as long as anything they start
      # lives: their output goes to a file, shown afterwards.
      set +e
      wine "$@" </dev/null >"$log" 2>&1
      rc=$?
      set -e
      cat "$log"
      exit $rc
    fi
    exec "$@"
    ;;
  run-slot)
    # CTest says CTEST_RESOURCE_GROUP_0_WINE=id:<slot>,slots:1
    slot=a
    if [[ "${CTEST_RESOURCE_GROUP_0_WINE:-}" =~ id:([a-z0-9]+) ]]; then slot=${BASH_REMATCH[1]}; fi
    exec bash "$0" run "$dir/$slot" "$@"
    ;;
  stop)
    if [ -f "$dir/env" ]; then
      # shellcheck disable=SC1091
      source "$dir/env"
      wineserver -k 2>/dev/null || true
      wineserver -w 2>/dev/null || true
    fi
    for server in xephyr xvfb; do
      if [ -f "$dir/$server.pid" ]; then kill "$(cat "$dir/$server.pid")" 2>/dev/null || true; fi
    done
    ;;
  env)
    cat "$dir/env"
    ;;
  *)
    echo "unknown command $cmd" >&2
    exit 2
    ;;
esac
