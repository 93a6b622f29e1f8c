#!/usr/bin/env bash
# Random-input runs of the simulator built with AddressSanitizer and
# UndefinedBehaviorSanitizer (leak checking on): no crash, no sanitizer
# report, no leak; after the run the live GDI objects are the 35 bitmaps (or
# none, when random input quit the program). Every tenth seed also writes a
# trace, and every tick of it is checked: 35 live objects, main_key 0 to 20,
# the players' positions within their bounds.
#
#   scripts/random-runs.sh [SEEDS [TICKS [FIRST_SEED]]]     default 100 20000 1
#
# Random input presses Escape about once in 20,000 ticks, so some runs end
# early; seeds are added past SEEDS until the runs together reach
# SEEDS x TICKS ticks. Long run: scripts/random-runs.sh 1000 100000
# MUB_ASAN_DIR sets the build folder (default build-asan); MUB_JOBS the parallelism (2).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${MUB_ASAN_DIR:-$root/build-asan}
jobs=${MUB_JOBS:-2}
seeds=${1:-100}
ticks=${2:-20000}
first=${3:-1}

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMUB_SANITIZE=ON -DMUB_BUILD_DESKTOP=OFF \
  -DMUB_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target mubmub-sim -j"$jobs" >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:abort_on_error=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export MUB_SIM="$build/mubmub-sim" MUB_WORK="$work" MUB_TICKS="$ticks"

# One run: prints "seed ticks" on success, a diagnosis on standard error otherwise.
one_run() {
  local seed=$1 out="$MUB_WORK/$1" trace=()
  (( seed % 10 == 0 )) && trace=(--trace "$out.trace")
  # Bounded: a run that hangs fails with status 124.
  if ! timeout 1800 "$MUB_SIM" --ticks "$MUB_TICKS" --random "$seed" --state "$out.state" "${trace[@]}" 2>"$out.err"; then
    echo "seed $seed: exit status $? ($(head -c 2000 "$out.err"))" >&2; return 1
  fi
  if grep -qE 'Sanitizer|runtime error' "$out.err"; then
    echo "seed $seed: sanitizer report:" >&2; head -c 4000 "$out.err" >&2; return 1
  fi
  python3 - "$seed" "$out.state" "$out.trace" "$MUB_TICKS" <<'PY' || return 1
import json, os, sys
seed, state_path, trace_path, ticks = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4])
s = json.load(open(state_path))
def bad(msg):
    print(f"seed {seed}: {msg}", file=sys.stderr); sys.exit(1)
if s["quit"]:
    if s["gdi_objects"] != 0: bad(f"quit with {s['gdi_objects']} GDI objects live")
else:
    if s["gdi_objects"] != 35: bad(f"{s['gdi_objects']} GDI objects live after the run")
    if s["tick"] != ticks: bad(f"ended after {s['tick']} ticks")
if os.path.exists(trace_path):
    for line in open(trace_path):
        t = json.loads(line)
        n = t["tick"]
        if t["gdi_objects"] != 35: bad(f"tick {n}: {t['gdi_objects']} GDI objects live")
        if not 0 <= t["main_key"] <= 20: bad(f"tick {n}: main_key {t['main_key']}")
        if not 18 <= t["mub_pl_x"] <= 520: bad(f"tick {n}: mub_pl_x {t['mub_pl_x']}")
        if not 0 <= t["mub2_pl_no"] <= 4: bad(f"tick {n}: mub2_pl_no {t['mub2_pl_no']}")
print(seed, s["tick"])
PY
  rm -f "$out".*
}
export -f one_run

start=$(date +%s)
total=0 runs=0 next=$first
while (( runs < seeds || total < seeds * ticks )); do
  batch=$(( runs < seeds ? seeds - runs : 2 * jobs ))
  results=$(seq "$next" $(( next + batch - 1 )) | xargs -P "$jobs" -I{} bash -c 'one_run {}') || {
    echo "random runs: FAILED" >&2; exit 1; }
  next=$(( next + batch ))
  runs=$(( runs + batch ))
  total=$(( total + $(awk '{s += $2} END {print s + 0}' <<<"$results") ))
done
echo "random runs: $runs seeds from $first, $total ticks, $(( $(date +%s) - start )) s, sanitizers clean, no leaks"
