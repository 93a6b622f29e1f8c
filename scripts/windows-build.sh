#!/usr/bin/env bash
# Builds mubmub.exe (and the Win32 conformance tests) for 32-bit Windows with
# MinGW-w64. The generators that run during the build are built for this
# machine first, in their own folder.
#
#   scripts/windows-build.sh          -> build-win/mubmub.exe, build-win/mub_conformance.exe
# MUB_WIN_DIR, MUB_WINHOST_DIR and MUB_JOBS override the folders and parallelism.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
host_dir=${MUB_WINHOST_DIR:-$root/build-winhost}
cross_dir=${MUB_WIN_DIR:-$root/build-win}
jobs=${MUB_JOBS:-2}

cmake -S "$root/cmake/host-tools" -B "$host_dir" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$host_dir" -j"$jobs"

cmake -S "$root" -B "$cross_dir" \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw32.cmake" \
  -DMUB_HOST_TOOLS_DIR="$host_dir" \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$cross_dir" -j"$jobs"

echo "built $cross_dir/mubmub.exe"
