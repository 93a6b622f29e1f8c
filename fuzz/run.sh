#!/usr/bin/env bash
# Bounded fuzzing with libFuzzer (clang, with AddressSanitizer and UBSan) of
# the simulator's script reader and of the resource readers, each for SECONDS.
# The corpora start from the story script and from the program's own
# resources (the compiled .res, each bitmap as a DIB, the dialog's template),
# and are kept in build-fuzz/corpus so that later runs go on from there.
#
#   fuzz/run.sh [SECONDS]       default 60 each; a long run: fuzz/run.sh 3600
#
# MUB_FUZZ_DIR sets the build folder (default build-fuzz). Needs clang.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${MUB_FUZZ_DIR:-$root/build-fuzz}
seconds=${1:-60}

cmake -S "$root" -B "$build" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DMUB_FUZZ=ON -DMUB_SANITIZE=ON \
  -DMUB_BUILD_TESTS=OFF -DMUB_BUILD_DESKTOP=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target fuzz_script fuzz_resources -j2 >/dev/null

scripts=$build/corpus/script resources=$build/corpus/resources
mkdir -p "$scripts" "$resources"
if [ -z "$(ls -A "$scripts")" ]; then
  cp "$root/bench/story.script" "$scripts/story"
  printf '0 expose 1 2 3 4\n5 resize 300 200\n# note\n7 key Z\n8 answer 1002\n9 close\n' >"$scripts/events"
  for recording in "$root"/tests/recordings/*.script; do cp "$recording" "$scripts/$(basename "$recording")"; done
fi
if [ -z "$(ls -A "$resources")" ]; then
  # The first byte picks the reader: 0 a DIB, 1 a dialog template, 2 a .res image.
  { printf '\x02'; cat "$build/res/resource.res"; } >"$resources/res"
  i=0
  for bmp in "$root"/res/bitmaps/*.bmp; do
    { printf '\x00'; tail -c +15 "$bmp"; } >"$resources/dib$i"   # without the 14-byte file header
    i=$((i + 1))
  done
fi

export ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
for target in script resources; do
  corpus=$scripts; [ $target = resources ] && corpus=$resources
  (cd "$build" && "./fuzz/fuzz_$target" -max_total_time="$seconds" -max_len=65536 -print_final_stats=1 \
     "$corpus" 2>"$build/fuzz_$target.log") || { tail -n 60 "$build/fuzz_$target.log" >&2; echo "fuzz: $target FAILED" >&2; exit 1; }
  echo "fuzz: $target, $seconds s, $(grep -o 'stat::number_of_executed_units: *[0-9]*' "$build/fuzz_$target.log" | grep -o '[0-9]*$') inputs, no crash"
done
