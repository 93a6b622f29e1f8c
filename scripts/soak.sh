#!/usr/bin/env bash
# Soak of the desktop build on a virtual X display: random clicks and keys
# (xdotool) for SECONDS, resident memory sampled every 5 s. Fails if the
# program dies, if its resident set after the first minute grows by more than
# 2 MB (MUB_SOAK_GROWTH_KB), or if Escape at the end does not close it with
# status 0.
#
#   scripts/soak.sh [SECONDS]      default 600 (the long run); CI runs 60
#
# Uses the desktop program in build/ (MUB_BUILD_DIR), built if missing.
# Needs xvfb, xdotool, x11-utils.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${MUB_BUILD_DIR:-$root/build}
seconds=${1:-600}
allowed=${MUB_SOAK_GROWTH_KB:-2048}
[ -x "$build/mubmub" ] || { cmake -S "$root" -B "$build" >/dev/null; cmake --build "$build" --target mubmub -j2 >/dev/null; }

xvfb_pid="" game_pid=""
cleanup() {
  [ -n "$game_pid" ] && kill -KILL "$game_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
fail() { echo "soak: $*" >&2; exit 1; }

. "$root/scripts/xvfb.sh"
start_xvfb 1280x1024x24 || fail "no virtual display"

"$build/mubmub" >/dev/null 2>&1 &
game_pid=$!
win=$(timeout 20 xdotool search --sync --onlyvisible --pid "$game_pid" | tail -1) || true
[ -n "$win" ] || fail "no window appeared within 20 s"
xdotool windowfocus --sync "$win" 2>/dev/null || true
read -r gx gy gw gh < <(xdotool getwindowgeometry --shell "$win" | awk -F= '/^X=/{x=$2} /^Y=/{y=$2} /^WIDTH=/{w=$2} /^HEIGHT=/{h=$2} END{print x, y, w, h}')

# Alive and not a zombie waiting to be reaped.
alive() { [ -r "/proc/$game_pid/status" ] && ! grep -q '^State:.*Z' "/proc/$game_pid/status"; }
died() {
  local st=0; wait "$game_pid" || st=$?
  game_pid=""
  echo "soak: the program ended by itself after $(( $(date +%s) - start )) s, status $st" >&2; exit 1
}
rss() { awk '/^VmRSS:/{print $2}' "/proc/$game_pid/status"; }
keys=(z x c v b Return Return Tab space Left Right)
start=$(date +%s) next_sample=$start base="" peak=0 samples=0 events=0
while (( $(date +%s) - start < seconds )); do
  alive || died
  if (( RANDOM % 3 )); then
    xdotool key --window "$win" "${keys[RANDOM % ${#keys[@]}]}" 2>/dev/null || true
  else
    xdotool mousemove --window "$win" $(( RANDOM % gw )) $(( RANDOM % gh )) click $(( RANDOM % 2 ? 1 : 3 )) 2>/dev/null || true
  fi
  events=$(( events + 1 ))
  sleep 0.0$(( RANDOM % 9 + 1 ))
  now=$(date +%s)
  if (( now >= next_sample )); then
    r=$(rss); samples=$(( samples + 1 ))
    next_sample=$(( now + 5 ))
    # The first minute (or first third of a short run) settles the heap.
    if (( now - start >= (seconds < 180 ? seconds / 3 : 60) )); then
      [ -z "$base" ] && base=$r
      (( r > peak )) && peak=$r
    fi
  fi
done
alive || died
final=$(rss)
# Ending: Escape quits from every screen, but the random input may have left a
# box or the dialog open. An OK box takes Escape as OK and the game goes on;
# the dialog and the Yes/No box ignore Escape and take Return. So Escape and
# Return alternate until the program has ended, for at most 30 s.
deadline=$(( $(date +%s) + 30 ))
next=Escape
while alive; do
  (( $(date +%s) < deadline )) || fail "the program did not end within 30 s of Escape and Return"
  xdotool key --window "$win" "$next" 2>/dev/null || true
  [ "$next" = Escape ] && next=Return || next=Escape
  for _ in $(seq 10); do alive || break; sleep 0.05; done
done
status=0; wait "$game_pid" || status=$?
game_pid=""
growth=$(( ${peak:-0} - ${base:-0} ))
echo "soak: $seconds s, $events random clicks and keys, RSS ${base:-?} KB after settling, peak ${peak} KB, final ${final} KB (growth ${growth} KB), exit status $status"
(( status == 0 )) || { echo "soak: exit status $status" >&2; exit 1; }
(( growth <= allowed )) || { echo "soak: resident memory grew by $growth KB" >&2; exit 1; }
