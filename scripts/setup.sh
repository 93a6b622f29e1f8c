#!/usr/bin/env bash
# Installs what mubmub needs on Debian 12 and builds it into build/.
# Safe to run again: installed packages and an existing build are reused.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${MUB_BUILD_DIR:-$here/build}"

packages=(
  build-essential cmake pkg-config
  libsdl2-dev libpng-dev nlohmann-json3-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  unifont llvm clang libclang-rt-14-dev binutils-mingw-w64-i686
  xvfb xfonts-base xdotool imagemagick x11-utils openbox
  desktop-file-utils appstream
)

. "$here/scripts/packages.sh"
APT_OPTIONS=--no-install-recommends install_missing "${packages[@]}"

cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j"$(nproc 2>/dev/null || echo 2)"
