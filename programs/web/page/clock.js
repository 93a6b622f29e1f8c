// The program's clock: page time less the time spent hidden. Hidden pages
// get their timers throttled; the game pauses instead, and since no time
// passes for it, no ticks are caught up afterwards.
const origin = performance.now();
let hiddenTotal = 0;
let hiddenSince = document.hidden ? origin : null;

export function now() {
  const t = performance.now();
  return t - origin - hiddenTotal - (hiddenSince === null ? 0 : t - hiddenSince);
}

document.addEventListener('visibilitychange', () => {
  const t = performance.now();
  if (document.hidden) {
    if (hiddenSince === null) hiddenSince = t;
  } else if (hiddenSince !== null) {
    hiddenTotal += t - hiddenSince;
    hiddenSince = null;
  }
});
