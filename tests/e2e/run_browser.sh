#!/usr/bin/env bash
# The run command without a display (scripts/run.sh): a port already taken
# is refused with a message naming it and --port, before anything starts;
# then Wine's desktop is served to a browser on 127.0.0.1 and on no other
# address, behind a password made for the run and printed in the address,
# the pointer moved through the page's WebSocket with it arrives on the
# desktop, no client gets in without it, the PNG screenshots are still written, and Ctrl+C leaves nothing
# running or listening.
#
# Every wait has a limit, and on the way out, whatever happened, what the
# run started is stopped by its process ids.
#
#   run_browser.sh BUILD_DIR
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
export VELMORA_BUILD_DIR=$1
work=$(mktemp -d "${TMPDIR:-/tmp}/velmora-run-browser.XXXXXX")
export VELMORA_RUN_DIR=$work/run
export HOME=$work/home XDG_DATA_HOME=$work/home/.local/share XDG_CONFIG_HOME=$work/home/.config
export XDG_CACHE_HOME=$work/home/.cache
mkdir -p "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME"
unset DISPLAY
session=$VELMORA_RUN_DIR/session
# Each background job in a process group of its own, with Ctrl+C's signal
# not ignored: run.sh is started as a terminal starts it.
set -m

holder=""
run_pid=""
server_pids=()
ours() {  # PID NAME: the process is alive and still the one of that name
  grep -qa "$2" "/proc/$1/cmdline" 2>/dev/null
}
cleanup() {
  local name pid
  [ -z "$holder" ] || kill "$holder" 2>/dev/null || true
  if [ -n "$run_pid" ] && kill -0 "$run_pid" 2>/dev/null; then
    kill -TERM -- "-$run_pid" 2>/dev/null || true
    for _ in $(seq 100); do kill -0 "$run_pid" 2>/dev/null || break; sleep 0.1; done
    kill -KILL -- "-$run_pid" 2>/dev/null || true
  fi
  for name in x11vnc websockify; do
    pid=$(cat "$session/$name.pid" 2>/dev/null) || continue
    if ours "$pid" "$name"; then kill -KILL -- "-$pid" 2>/dev/null || true; fi
  done
  [ ! -f "$session/env" ] || bash "$root/tests/wine/session.sh" stop "$session" >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT

failures=0
checks=0
check() {
  local what=$1
  shift
  checks=$((checks + 1))
  if "$@"; then
    echo "ok   - $what"
  else
    echo "FAIL - $what"
    failures=$((failures + 1))
  fi
}
# wait_for SECONDS CMD...: polls CMD every 200 ms until it succeeds.
wait_for() {
  local end=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$end" ] || return 1
    sleep 0.2
  done
}
free_port() {
  python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}
has() { grep -q -- "$1" <<<"$2" || { echo "     not in the output: $1"; return 1; }; }
# curl's exit code for http://HOST:PORT/vnc.html (7: nothing accepted the connection)
curl_rc() {
  local rc=0
  curl -s -o /dev/null --max-time 5 "http://$1/vnc.html" || rc=$?
  echo "$rc"
}
refuses() {
  local rc
  rc=$(curl_rc "$1")
  [ "$rc" = 7 ] || { echo "     curl on $1 gave $rc, not 7 (connection refused)"; return 1; }
}
# Every TCP and UDP socket PID listens on is bound to 127.0.0.1, and there is one.
listens_on_loopback_only() {
  local lines
  lines=$(ss -Hltunp | grep "pid=$1,") || { echo "     process $1 listens nowhere"; return 1; }
  if awk '{print $5}' <<<"$lines" | grep -v '^127\.0\.0\.1:'; then
    echo "     process $1 listens on an address other than 127.0.0.1"
    return 1
  fi
}
nothing_listens_on() { [ -z "$(ss -Hltn "( sport = :$1 )")" ] || { ss -Hltnp "( sport = :$1 )"; return 1; }; }
# Processes that run, by process group (-g) or session (-s) id, leaving out
# ended ones their parent has not collected yet (zombies).
running_in() { ps -o pid=,stat=,args= "$1" "$2" 2>/dev/null | awk '$2 !~ /^Z/'; }
gone() { [ -z "$(running_in -p "$1")" ]; }
ended() { gone "$1" || { echo "     still running: $(running_in -p "$1")"; return 1; }; }
group_empty() { [ -z "$(running_in -g "$1")" ] || { running_in -g "$1"; return 1; }; }
session_empty() { [ -z "$(running_in -s "$1")" ] || { running_in -s "$1"; return 1; }; }
no_wine_left() {
  local p found=0
  for p in /proc/[0-9]*; do
    if { tr '\0' '\n' <"$p/environ"; } 2>/dev/null | grep -qx "WINEPREFIX=$session/prefix"; then
      echo "     still running in the run's prefix: $(tr '\0' ' ' <"$p/cmdline" 2>/dev/null)"
      found=1
    fi
  done
  [ "$found" = 0 ]
}

# ---- a port already in use
python3 -c '
import socket, sys, time
s = socket.socket()
s.bind(("127.0.0.1", 0))
s.listen()
print(s.getsockname()[1], flush=True)
time.sleep(300)' >"$work/held" &
holder=$!
wait_for 10 test -s "$work/held"
held=$(cat "$work/held")
rc=0
out=$(timeout 60 bash "$root/scripts/run.sh" --port "$held" 2>&1) || rc=$?
check "a port in use stops run.sh" test "$rc" = 1
check "its message names the port" has "port $held" "$out"
check "its message names the --port option" has "--port" "$out"
check "nothing was started for it" test ! -e "$session"
kill "$holder" 2>/dev/null || true
wait "$holder" 2>/dev/null || true
holder=""

# ---- the desktop in a browser
port=$(free_port)
bash "$root/scripts/run.sh" --port "$port" >"$work/run.log" 2>&1 &
run_pid=$!
address_re="Open http://127\.0\.0\.1:$port/vnc\.html?password=[A-Za-z0-9]\{8\}"
opened() { grep -qx "$address_re" "$work/run.log"; }
opened_or_ended() { opened || ! kill -0 "$run_pid" 2>/dev/null; }
wait_for 180 opened_or_ended || true
if ! opened; then
  echo "FAIL - run.sh printed no Open line; it said:"
  tail -n 30 "$work/run.log"
  exit 1
fi
address=$(grep -x "$address_re" "$work/run.log" | sed 's/^Open //')
password=${address##*password=}
echo "ok   - run.sh printed: Open $address"
for name in x11vnc websockify; do server_pids+=("$(cat "$session/$name.pid")"); done
xvfb_pid=$(cat "$session/xvfb.pid")
vnc_port=$(sed -n 's/^PORT=//p' "$session/x11vnc.out")

page=$(curl -fsS --max-time 5 "http://127.0.0.1:$port/vnc.html" 2>&1) || true
check "vnc.html is served on 127.0.0.1:$port" has "<title>noVNC" "$page"
check "another loopback address, 127.0.0.2, refuses the port" refuses "127.0.0.2:$port"
if ip -6 addr show dev lo 2>/dev/null | grep -q 'inet6 ::1'; then
  check "the IPv6 loopback address refuses the port" refuses "[::1]:$port"
fi
check "websockify listens on 127.0.0.1 only" listens_on_loopback_only "${server_pids[1]}"
check "x11vnc listens on 127.0.0.1 only" listens_on_loopback_only "${server_pids[0]}"

# shellcheck disable=SC1091
probe=$(source "$session/env" &&
  timeout 60 python3 "$root/tests/e2e/rfb_probe.py" 127.0.0.1 "$port" 321 234 "$password" 2>&1) || true
check "the page's WebSocket serves the 1280 x 800 desktop with the printed password" has "size 1280 800" "$probe"
check "a pointer move sent through it arrives on the desktop" has "pointer 321 234" "$probe"
check "the password is this user's alone" test "$(stat -c %a "$session/vnc.pass")" = 600
check "the page's WebSocket lets no client in without the password" has refused \
  "$(timeout 30 python3 "$root/tests/e2e/rfb_probe.py" 127.0.0.1 "$port" --refused 2>&1)"
wrong=$(tr 'A-Za-z0-9' 'B-Za-z0-9A' <<<"$password")
check "nor with another password" has refused \
  "$(timeout 30 python3 "$root/tests/e2e/rfb_probe.py" 127.0.0.1 "$port" --refused "$wrong" 2>&1)"
check "nor straight to x11vnc's own port" has refused \
  "$(timeout 30 python3 "$root/tests/e2e/rfb_probe.py" 127.0.0.1 "$vnc_port" --refused-raw 2>&1 || true)"
check "a PNG of the desktop is saved" wait_for 20 test -s "$VELMORA_RUN_DIR/screens/latest.png"
check "the PNG shows the 1280 x 800 desktop" has "PNG 1280x800" \
  "$(identify "$VELMORA_RUN_DIR/screens/latest.png" 2>&1)"

# ---- Ctrl+C: the terminal signals the whole foreground group
kill -INT -- "-$run_pid"
check "run.sh ends within 30 seconds of Ctrl+C" wait_for 30 gone "$run_pid"
rc=0
wait "$run_pid" 2>/dev/null || rc=$?
check "and exits with status 0" test "$rc" = 0
check "nothing listens on port $port any more" nothing_listens_on "$port"
check "nothing listens on x11vnc's port ${vnc_port:-?} any more" nothing_listens_on "${vnc_port:-0}"
check "x11vnc and everything it started have ended" session_empty "${server_pids[0]}"
check "websockify and everything it started have ended" session_empty "${server_pids[1]}"
check "the private display has ended" ended "$xvfb_pid"
check "nothing of run.sh's process group is left" group_empty "$run_pid"
check "nothing runs in the run's Wine prefix" no_wine_left
run_pid=""

echo "$((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
