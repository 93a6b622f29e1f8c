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

. "$(dirname "${BASH_SOURCE[0]}")/packages.sh"
dpkg --print-foreign-architectures | grep -qx i386 || as_root dpkg --add-architecture i386
install_missing "${packages[@]}"
