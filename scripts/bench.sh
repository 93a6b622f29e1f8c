#!/usr/bin/env bash
# Speed figures, each beside a baseline measured in the same run, as a table:
#   - BitBlt SRCCOPY and the masked pair (SRCAND then SRCPAINT) over 600 x 570
#     against memcpy of the same pixels (Google Benchmark, bench/blit_bench.cpp);
#   - the simulator's ticks per second and peak memory over a scripted story
#     through both games (bench/story.script), against real time;
#   - the desktop build on a virtual X display (Xvfb) over SECONDS of title and
#     whack play with keys sent by xdotool: tick periods, a 1 s SIGSTOP stall
#     (tick and frame times from tools/present_probe, loaded with
#     LD_PRELOAD), CPU (utime+stime from /proc), peak memory (VmHWM);
#   - the timer floor: a plain C program sleeping to absolute 32 ms deadlines
#     (bench/timer_floor.c), run beside the desktop build, same figures;
#   - start-up to the first frame against a bare SDL program that presents one
#     black frame (bench/bare_sdl.c), five launches of each in turns;
#   - a native Windows program of the game's shape under Wine
#     (bench/wine/timer_probe.c, built with MinGW-w64 for whichever Wine runs
#     here: 32-bit where this machine runs 32-bit programs, else 64-bit);
#     without Wine those figures stand alone.
#
#   scripts/bench.sh [SECONDS]        default 60
#
# Builds Release into build-perf (MUB_BENCH_DIR). MUB_BENCH_WINE=0 skips Wine;
# MUB_PRETEND_NO_32BIT=1 as in scripts/wine-arch.sh. Needs: libbenchmark-dev,
# xvfb, xdotool, x11-utils, python3; for the Wine baseline wine64 and
# gcc-mingw-w64-x86-64 (or wine32:i386 and gcc-mingw-w64-i686).
# Nothing here asserts a time.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${MUB_BENCH_DIR:-$root/build-perf}
seconds=${1:-60}

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target mubmub mubmub-sim mub_bench_blit mub_present_probe mub_timer_floor mub_bare_sdl \
  -j2 >/dev/null

# The Wine baseline: the first architecture whose Wine runs here and whose
# MinGW-w64 C compiler is installed.
. "$root/scripts/wine-arch.sh"
wine=()
if [ "${MUB_BENCH_WINE:-1}" != 0 ]; then
  for arch in 32 64; do
    if [ "$arch" = 32 ]; then cc=i686-w64-mingw32-gcc; else cc=x86_64-w64-mingw32-gcc; fi
    if why=$(wine_unusable "$arch"); then
      echo "No $arch-bit Wine baseline: $why." >&2
      continue
    fi
    command -v "$cc" >/dev/null || { echo "No $arch-bit Wine baseline: $cc is not installed." >&2; continue; }
    mkdir -p "$build/wine$arch"
    "$cc" -O2 -mwindows -o "$build/wine$arch/timer_probe.exe" "$root/bench/wine/timer_probe.c"
    loader=$(wine_loader "$arch")
    export WINEPREFIX=$build/wine$arch/prefix WINEARCH=win$arch WINELOADER=$loader WINEDEBUG=-all
    [ -d "$WINEPREFIX" ] || { "$loader" wineboot -i >/dev/null 2>&1; wineserver -w; }
    wine=("$loader" "$build/wine$arch/timer_probe.exe" "for $arch-bit Windows")
    break
  done
  [ "${#wine[@]}" -gt 0 ] || echo "No Wine baseline: no Wine runs here (scripts/setup-windows.sh installs it)." >&2
fi
python3 "$root/bench/report.py" "$build" "$seconds" "${wine[@]}"
