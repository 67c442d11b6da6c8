#!/usr/bin/env bash
# Installs what building, running and testing Velmora needs on Debian 12,
# and generates the Chinese locale Wine takes its code page (936) from.
# Safe to run again: it installs only what is missing.
set -euo pipefail

packages=(
  cmake g++ make googletest                 # host build and unit tests
  g++-mingw-w64-x86-64-posix                # the Windows build
  wine wine64                               # our Windows
  xvfb xdotool x11-utils x11-apps           # private display, input, capture
  xserver-xephyr                            # two monitors side by side (tests)
  fonts-wqy-zenhei locales                  # Chinese text
  imagemagick                               # screenshots and JPEG samples
  python3                                   # the portable zip
  x11vnc novnc websockify iproute2 curl     # the desktop in a browser (run.sh)
)

# As root the commands run as they are; otherwise through sudo where there is one.
as_root=()
if [ "$(id -u)" -ne 0 ] && command -v sudo >/dev/null 2>&1; then as_root=(sudo); fi
need_root() {
  if [ "$(id -u)" -ne 0 ] && [ ${#as_root[@]} -eq 0 ]; then
    echo "$1 needs root (or sudo):" >&2
    echo "  $2" >&2
    exit 1
  fi
}

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing the missing packages: ${missing[*]}"
  need_root "Installing them" "apt-get install ${missing[*]}"
  log=$(mktemp)
  export DEBIAN_FRONTEND=noninteractive
  if ! { "${as_root[@]}" apt-get update -qq && "${as_root[@]}" apt-get install -y -qq "${missing[@]}"; } >"$log" 2>&1; then
    echo "Could not install ${missing[*]}; apt-get said:" >&2
    grep -E '^(E|W):' "$log" | tail -n 5 >&2 || tail -n 5 "$log" >&2
    rm -f "$log"
    exit 1
  fi
  rm -f "$log"
fi

if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
  need_root "Generating the zh_CN.UTF-8 locale" "echo 'zh_CN.UTF-8 UTF-8' >>/etc/locale.gen && locale-gen"
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null ||
    echo 'zh_CN.UTF-8 UTF-8' | "${as_root[@]}" tee -a /etc/locale.gen >/dev/null
  "${as_root[@]}" locale-gen >/dev/null
fi
