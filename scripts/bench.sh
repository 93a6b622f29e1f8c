#!/usr/bin/env bash
# Speed figures, each beside a baseline measured in the same run, as a table:
#   - BitBlt SRCCOPY and the masked pair (SRCAND then SRCPAINT) over 600 x 570
#     against memcpy of the same pixels (Google Benchmark, bench/blit_bench.cpp);
#   - the simulator's ticks per second and peak memory over a scripted story
#     through both games (bench/story.script), against real time;
#   - the desktop build on a virtual X display (Xvfb) over SECONDS of title and
#     whack play with keys sent by xdotool: tick periods (MUB_TICK_LOG), a 1 s
#     SIGSTOP stall, CPU (utime+stime from /proc), start-up to the first frame
#     (bench/present_probe.c, loaded with LD_PRELOAD), peak memory (VmHWM);
#   - the same against a native Windows program of the game's shape under Wine
#     (bench/wine/timer_probe.c, built with MinGW-w64), when wine and
#     i686-w64-mingw32-gcc are installed; otherwise the figures stand alone.
#
#   scripts/bench.sh [SECONDS]        default 60
#
# Builds Release into build-perf (MUB_BENCH_DIR). MUB_BENCH_WINE=0 skips Wine.
# Needs: libbenchmark-dev, xvfb, xdotool, x11-utils, python3; for the baseline
# wine, wine32:i386 and gcc-mingw-w64-i686. Nothing here asserts a time.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${MUB_BENCH_DIR:-$root/build-perf}
seconds=${1:-60}

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target mubmub mubmub-sim mub_bench_blit mub_present_probe -j2 >/dev/null

probe=()
if [ "${MUB_BENCH_WINE:-1}" != 0 ] && command -v wine >/dev/null && command -v i686-w64-mingw32-gcc >/dev/null; then
  mkdir -p "$build/wine"
  i686-w64-mingw32-gcc -O2 -mwindows -o "$build/wine/timer_probe.exe" "$root/bench/wine/timer_probe.c"
  export WINEPREFIX=${WINEPREFIX:-$build/wineprefix} WINEDEBUG=-all
  [ -d "$WINEPREFIX" ] || { wineboot -i >/dev/null 2>&1; wineserver -w; }
  probe=("$build/wine/timer_probe.exe")
else
  echo "No Wine baseline: needs wine and i686-w64-mingw32-gcc (or MUB_BENCH_WINE=0 was given)." >&2
fi
python3 "$root/bench/report.py" "$build" "$seconds" "${probe[@]}"
