#!/usr/bin/env bash
# Installs what the Windows build and its Wine check need on Debian 12:
# MinGW-w64 for the cross build, GoogleTest's sources for the conformance
# tests, and 32-bit Wine with a Japanese font for running them.
# Safe to run again: only missing packages are installed.
set -euo pipefail

packages=(
  g++-mingw-w64-i686 binutils-mingw-w64-i686 googletest
  wine wine32:i386 fonts-unifont
  xvfb xdotool imagemagick x11-utils
)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  dpkg --print-foreign-architectures | grep -qx i386 || as_root dpkg --add-architecture i386
  as_root apt-get update
  as_root apt-get install -y "${missing[@]}"
fi
