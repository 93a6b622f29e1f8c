#!/usr/bin/env bash
# Builds mubmub.exe and the Win32 conformance tests (mub_conformance.exe) for
# Windows with MinGW-w64, from the same sources: the 32-bit program (i686,
# the one Windows players get) and the 64-bit one (x86_64). Building needs no
# Wine: both build on any x86-64 machine.
#
#   scripts/windows-build.sh          -> build-win/ (32-bit) and build-win64/ (64-bit)
#   scripts/windows-build.sh 64       only one of them (32 or 64)
# MUB_WIN_DIR is the prefix of both folders (the 64-bit one gets "64" added);
# MUB_JOBS sets the parallelism.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
win_dir=${MUB_WIN_DIR:-$root/build-win}
jobs=${MUB_JOBS:-2}
archs=("$@")
[ "${#archs[@]}" -gt 0 ] || archs=(32 64)

for arch in "${archs[@]}"; do
  case $arch in
    32) dir=$win_dir ;;
    64) dir=${win_dir}64 ;;
    *) echo "windows-build.sh: unknown architecture '$arch' (32 or 64)" >&2; exit 2 ;;
  esac
  cmake -S "$root" -B "$dir" \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw$arch.cmake" \
    -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$dir" -j"$jobs"
  echo "built $dir/mubmub.exe ($arch-bit)"
done
