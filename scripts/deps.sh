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
  fonts-wqy-zenhei locales                  # Chinese text
  imagemagick                               # screenshots and JPEG samples
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq "${missing[@]}" >/dev/null
fi

if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null || echo 'zh_CN.UTF-8 UTF-8' >>/etc/locale.gen
  locale-gen >/dev/null
fi
