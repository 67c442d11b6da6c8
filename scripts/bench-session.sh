#!/usr/bin/env bash
# Sourced by the bench-*.sh scripts (with root and build set): builds what
# they run, then offers
#   bench_session NAME [DPI]   a private Wine session in BUILD/NAME, stopped when
#                              the script ends; with DPI, every program started in
#                              it sees a display of that many dots per inch, and
#                              label is "at DPI dpi: " for the figure lines
#   bench_run OUT PROGRAM...   runs PROGRAM in the session, its output to OUT
bash "$root/scripts/deps.sh"
bash "$root/scripts/build.sh" >/dev/null

bench_session() {
  session=$build/$1
  label=
  if [ $# -ge 2 ]; then
    [[ "$2" =~ ^[0-9]+$ ]] || { echo "DPI must be a number, not '$2'" >&2; exit 2; }
  fi
  bash "$root/tests/wine/session.sh" start "$session" >/dev/null
  trap 'bash "$root/tests/wine/session.sh" stop "$session"' EXIT
  [ $# -ge 2 ] || return 0
  bash "$root/tests/wine/session.sh" run "$session" wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels \
    /t REG_DWORD /d "$2" /f >/dev/null 2>&1
  label="at $2 dpi: "
}

bench_run() {
  local out=$1
  shift
  bash "$root/tests/wine/session.sh" run "$session" "$@" >"$out" 2>&1 || true
}
