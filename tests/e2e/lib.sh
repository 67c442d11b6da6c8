# Shared by the end-to-end scenarios. They run inside a Wine session
# (tests/wine/session.sh run), with DIST and WIN set by the caller:
#   DIST  the portable program folder (Velmora.exe, pic/)
#   WIN   the Windows build folder (vdriver.exe)
set -euo pipefail

: "${VELMORA_SESSION:?run me through tests/wine/session.sh run}"
SHOTS=${VELMORA_SCREENSHOTS:-$VELMORA_SESSION/screenshots}
mkdir -p "$SHOTS" "$VELMORA_SESSION/apps"
failures=0
checks=0

# vdriver ARGS...: runs the driver, its output to stdout (through a file:
# Wine programs keep pipes open while anything they started lives). Every
# command of the driver prints a line; like winepath below, a Wine program
# started while the session is busy now and then never runs and prints
# nothing, and is then started again.
drv() {
  local out="$VELMORA_SESSION/out/vdriver.$$.txt"
  for _ in 1 2 3; do
    wine "$WIN/vdriver.exe" "$@" </dev/null >"$out" 2>/dev/null || true
    [ -s "$out" ] && break
    sleep 0.2
  done
  tr -d '\r' <"$out"
}

# field N of the driver's first line
drv_field() {
  local n=$1
  shift
  drv "$@" | head -n 1 | awk -v n="$n" '{print $n}'
}

# app_copy NAME [recording]: a fresh copy of the program folder; prints its
# Unix path. With "recording", the folder holds the recording build under
# the name Velmora.exe: the same program, which writes what it would do to
# the system to the log named by VELMORA_EFFECTS_LOG instead of doing it.
app_copy() {
  local dir="$VELMORA_SESSION/apps/$1"
  rm -rf "$dir"
  mkdir -p "$dir"
  if [ "${2:-}" = recording ]; then
    cp "$WIN/VelmoraRecording.exe" "$dir/Velmora.exe"
  else
    cp "$DIST/Velmora.exe" "$dir/"
  fi
  echo "$dir"
}

# winpath PATH: the Windows form of a Unix path. winepath now and then
# prints nothing while the session is busy, so it is asked again.
winpath() {
  local out=""
  for _ in 1 2 3 4 5; do
    out=$(winepath -w "$1" 2>/dev/null) || true
    [ -n "$out" ] && break
    sleep 0.2
  done
  printf '%s\n' "$out"
}

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

eq() { [ "$1" = "$2" ] || { echo "     expected '$2', got '$1'"; return 1; }; }
le() { [ "$1" -le "$2" ] || { echo "     expected at most $2, got $1"; return 1; }; }

# wait_for SECONDS CMD...: polls CMD every 100 ms until it succeeds.
wait_for() {
  local limit=$1
  shift
  local end=$(($(date +%s%N) + limit * 1000000000))
  until "$@"; do
    [ "$(date +%s%N)" -lt "$end" ] || return 1
    sleep 0.1
  done
}

menu_count() { drv_field 2 menu; }
menus_are() { [ "$(menu_count)" = "$1" ]; }
processes_are() { [ "$(drv_field 2 processes)" = "$1" ]; }
icon_is() { [ "$(drv_field 2 icon)" = "$1" ]; }

# program_answers: the program has handled everything sent before: it
# answers a right click on its icon with its menu, which is closed again.
program_answers() {
  drv tray 0x205 >/dev/null
  wait_for 5 menus_are 1 || return 1
  drv menu-keys 0x1B >/dev/null
  wait_for 5 menus_are 0
}

shot() { xwd -root -silent | /usr/bin/convert xwd:- "$SHOTS/$1.png"; }

# Clicks at a point of the screen, as the user would.
click_at() {
  xdotool mousemove "$1" "$2"
  sleep 0.2
  xdotool click 1
}

# Wine's virtual desktop ($desktop, NAME,WxH), whose taskbar holds the
# notification area: start_in_desktop EXE [ARGS...] starts a program in it.
# X tools see only the desktop window, so the driver runs inside it too.
start_in_desktop() {
  local exe=$1
  shift
  wine explorer "/desktop=$desktop" "$(winpath "$exe")" "$@" </dev/null >/dev/null 2>&1 &
}
# Let the desktop come up before anything else asks for it: two programs
# creating the same desktop at once can leave the second one hanging.
desktop_up() { xdotool search --name "^${desktop%%,*} - Wine desktop\$" >/dev/null 2>&1; }
ddrv_once() {
  local out="$VELMORA_SESSION/out/ddrv.txt"
  rm -f "$out"
  VDRIVER_OUT=$(winpath "$out") timeout -k 2 20 wine explorer "/desktop=$desktop" "$WIN/vdriver.exe" "$@" \
    </dev/null >/dev/null 2>&1 || true
  wait_for 5 test -s "$out" && tr -d '\r' <"$out"
}
# ddrv ARGS...: the driver run inside the desktop. While the session is
# busy it now and then leaves no answer; a query changes nothing, so it is
# asked again (commands that act are run once).
ddrv() {
  case "$1" in
    select | box-press | tray | menu-keys | wallpaper | kill | start | recycle) ddrv_once "$@"; return ;;
  esac
  local answer=""
  for _ in 1 2 3; do
    answer=$(ddrv_once "$@") || true
    [ -n "$answer" ] && break
  done
  [ -n "$answer" ] && printf '%s\n' "$answer"
}
ddrv_field() {
  local n=$1
  shift
  ddrv "$@" | head -n 1 | awk -v n="$n" '{print $n}'
}

finish() {
  drv kill >/dev/null
  echo "$((checks - failures)) passed, $failures failed"
  [ "$failures" -eq 0 ]
}
