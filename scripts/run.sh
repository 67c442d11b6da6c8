#!/usr/bin/env bash
# The run command: builds what runs (the artwork, Velmora.exe, dist/; no
# test programs) and starts dist/Velmora.exe under Wine.
#
#   bash scripts/run.sh [--port N]
#
# With an X display (DISPLAY set and reachable) it runs there, in the Wine
# prefix named by WINEPREFIX (default: build/wine-run). Without one it runs
# on a private Xvfb inside Wine's virtual desktop and serves that desktop to
# a browser: http://127.0.0.1:N/vnc.html, N being 6080 unless --port says
# otherwise (x11vnc, websockify and noVNC from Debian's packages). Everything
# listens on 127.0.0.1 only, so nothing is reachable from another machine,
# and the desktop asks for a password made afresh for each run, which the
# address it prints carries. It also saves a PNG of the desktop every 5
# seconds. Ctrl+C stops everything it started.
#
# VELMORA_RUN_DIR names a folder for the session and the screenshots
# (default: run-session and run-screens in the build folder).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VELMORA_BUILD_DIR:-$root/build}

usage() { echo "usage: bash scripts/run.sh [--port N]   (N: the browser port without a display, default 6080)"; }
port=6080
port_given=0
while [ $# -gt 0 ]; do
  case "$1" in
    --port) [ $# -ge 2 ] || { usage >&2; exit 2; }; port=$2; port_given=1; shift 2 ;;
    --port=*) port=${1#--port=}; port_given=1; shift ;;
    -h | --help) usage; exit 0 ;;
    *) echo "run.sh: unknown argument '$1'" >&2; usage >&2; exit 2 ;;
  esac
done
if ! [[ "$port" =~ ^[0-9]{1,5}$ ]] || [ "$port" -lt 1 ] || [ "$port" -gt 65535 ]; then
  echo "run.sh: --port takes a port number from 1 to 65535, not '$port'" >&2
  exit 2
fi

bash "$root/scripts/deps.sh"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  bash "$root/scripts/build.sh" program
  export WINEPREFIX=${WINEPREFIX:-$build/wine-run}
  export LANG=zh_CN.UTF-8 WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml="
  [ -d "$WINEPREFIX" ] || wineboot -i >/dev/null 2>&1
  echo "Velmora runs in the notification area of display $DISPLAY (prefix $WINEPREFIX)."
  [ "$port_given" = 0 ] || echo "(--port is for the browser view, which serves a private display when there is no display.)"
  exec wine "$root/dist/Velmora.exe"
fi

# ---- no display: a private one, served to a browser
# Whether a server could listen on 127.0.0.1:PORT, asked the way websockify
# binds (SO_REUSEADDR), so a port that only has closing connections counts
# as free.
port_free() {
  python3 - "$1" <<'PY'
import socket, sys
s = socket.socket()
s.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
try:
    s.bind(("127.0.0.1", int(sys.argv[1])))
except OSError:
    sys.exit(1)
PY
}
port_taken() {
  echo "run.sh: port $port on 127.0.0.1 is already in use by another program, so the desktop cannot be served there." >&2
  echo "        Choose another port with --port, for example: bash scripts/run.sh --port $((port < 65535 ? port + 1 : 6081))" >&2
  exit 1
}
port_free "$port" || port_taken

bash "$root/scripts/build.sh" program

if [ -n "${VELMORA_RUN_DIR:-}" ]; then
  session=$VELMORA_RUN_DIR/session
  shots=$VELMORA_RUN_DIR/screens
else
  session=$build/run-session
  shots=$build/run-screens
fi
novnc=/usr/share/novnc
[ -f "$novnc/vnc.html" ] || { echo "run.sh: $novnc/vnc.html is missing (the novnc package)" >&2; exit 1; }

# Whether a process runs: an ended one whose parent has not collected it
# yet (a zombie) does not.
running() {
  local state
  state=$(ps -o stat= -p "$1" 2>/dev/null) || return 1
  [[ "$state" != Z* ]]
}
# stop_within TENTHS PID...: asks the processes to end (SIGTERM), waits up
# to TENTHS tenths of a second, then ends the rest (SIGKILL). A PID with a
# minus sign is a process group.
stop_within() {
  local tenths=$1 pid left
  shift
  kill -TERM -- "$@" 2>/dev/null || true
  for _ in $(seq "$tenths"); do
    left=0
    for pid in "$@"; do running "${pid#-}" && left=1; done
    [ "$left" = 1 ] || return 0
    sleep 0.1
  done
  kill -KILL -- "$@" 2>/dev/null || true
}

# x11vnc and websockify run in sessions of their own (setsid), so that one
# signal to the group ends each with whatever it started.
servers=(x11vnc websockify)
stop_servers() {
  local name pid
  for name in "${servers[@]}"; do
    [ -f "$session/$name.pid" ] || continue
    pid=$(cat "$session/$name.pid")
    # Only a process that still is the one started here.
    if grep -qa "$name" "/proc/$pid/cmdline" 2>/dev/null; then stop_within 30 "-$pid"; fi
    rm -f "$session/$name.pid"
  done
}
stopping=0
cleanup() {
  [ "$stopping" = 0 ] || return 0
  stopping=1
  trap - INT TERM EXIT
  echo "Stopping the browser view, Velmora and the private display."
  stop_servers
  rm -f "$session/vnc.pass"
  local xvfb left
  xvfb=$(cat "$session/xvfb.pid" 2>/dev/null) || xvfb=""
  bash "$root/tests/wine/session.sh" stop "$session" >/dev/null 2>&1 || true
  # The display is asked to end; it is gone when this script is.
  [ -z "$xvfb" ] || ! grep -qa Xvfb "/proc/$xvfb/cmdline" 2>/dev/null || stop_within 50 "$xvfb"
  # What is left of this script's own jobs (the Wine starter, a sleep).
  left=$(jobs -p)
  # shellcheck disable=SC2086
  [ -z "$left" ] || stop_within 30 $left
  echo "Stopped."
}

# Servers a run killed by force may have left behind.
stop_servers
trap 'cleanup; exit 0' INT TERM
trap cleanup EXIT
bash "$root/tests/wine/session.sh" start "$session" >/dev/null
# shellcheck disable=SC1091
source "$session/env"
mkdir -p "$shots"
wine explorer /desktop=Velmora,1280x800 "$(winepath -w "$root/dist/Velmora.exe")" </dev/null >"$session/run.log" 2>&1 &

# A free port for x11vnc itself, which websockify alone talks to.
vnc_port=5900
until port_free "$vnc_port"; do
  vnc_port=$((vnc_port + 1))
  [ "$vnc_port" -lt 6000 ] || { echo "run.sh: no free port for x11vnc between 5900 and 5999" >&2; exit 1; }
done
# A secret made afresh for this run: without it nothing drives the desktop,
# whose Z: drive is this user's whole file system (not another local
# account, not a web page's cross-site WebSocket). It goes in the address
# printed below, so the page still connects with one click. VNC passwords
# are 8 characters; the file is the user's alone and never on a command line.
password=$(python3 -c 'import secrets, string; a = string.ascii_letters + string.digits; print("".join(secrets.choice(a) for _ in range(8)))')
(umask 077 && printf '%s\n' "$password" >"$session/vnc.pass")
setsid x11vnc -display "$DISPLAY" -localhost -noipv6 -rfbport "$vnc_port" -passwdfile "$session/vnc.pass" \
  -forever -shared -o "$session/x11vnc.log" </dev/null >"$session/x11vnc.out" 2>&1 &
echo $! >"$session/x11vnc.pid"
setsid websockify --web "$novnc" "127.0.0.1:$port" "127.0.0.1:$vnc_port" \
  </dev/null >"$session/websockify.log" 2>&1 &
echo $! >"$session/websockify.pid"

server_down() {  # NAME: reports a server that ended and stops the run
  if [ "$1" = websockify ] && grep -q 'Address already in use' "$session/websockify.log"; then port_taken; fi
  echo "run.sh: $1 stopped; its last words:" >&2
  tail -n 5 "$session/$1.log" >&2 || true
  exit 1
}
up() {
  grep -q '^PORT=' "$session/x11vnc.out" &&
    curl -fs -o /dev/null "http://127.0.0.1:$port/vnc.html" &&
    xdotool search --name '^Velmora - Wine desktop$' >/dev/null 2>&1
}
deadline=$((SECONDS + 90))
until up; do
  for name in "${servers[@]}"; do running "$(cat "$session/$name.pid")" || server_down "$name"; done
  if [ "$SECONDS" -ge "$deadline" ]; then
    echo "run.sh: Wine's desktop did not come up within 90 seconds; Wine said:" >&2
    tail -n 10 "$session/run.log" >&2
    exit 1
  fi
  sleep 0.2
done

echo "Velmora runs on a private display inside Wine's virtual desktop."
echo "Open http://127.0.0.1:$port/vnc.html?password=$password"
echo "  in a browser on this machine and press Connect: mouse and keyboard work there."
echo "  The password in that address is made afresh for this run; nothing connects without it."
echo "  It listens on 127.0.0.1 only; from another machine, forward the port first:"
echo "  ssh -L $port:127.0.0.1:$port THIS-MACHINE"
echo "A screenshot of the desktop is saved every 5 seconds as $shots/latest.png (Ctrl+C stops everything)."
n=0
while true; do
  sleep 5 &
  wait $!
  n=$((n + 1))
  shot=$shots/desktop-$(printf %04d $n).png
  if xwd -root -silent | /usr/bin/convert xwd:- -crop 1280x800+0+0 +repage "$shot" 2>/dev/null; then
    cp "$shot" "$shots/latest.png"
  fi
done
