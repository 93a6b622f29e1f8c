// The player's input as host events, queued until the program takes them,
// and the program's wait, which the next event or the deadline ends.
import { now } from './clock.js';

const queue = [];
let wakeWaiter = null;
let open = false;  // from the program's start to its end

export const accepting = () => open;
export function accept(on) { open = on; }

function wake() {
  if (!wakeWaiter) return;
  const w = wakeWaiter;
  wakeWaiter = null;
  w();
}

export function push(ev) {
  if (!open) return;
  ev.time = now();
  const last = queue[queue.length - 1];
  if (ev.type === 'MouseMove' && last && last.type === 'MouseMove') queue[queue.length - 1] = ev;  // only the latest place
  else queue.push(ev);
  wake();
}

export const takeEvent = () => queue.shift() || null;

// Resolves at the deadline (page clock), at the next input, or when the
// page is shown again. A hidden page sets no timer: its clock stands still.
export function wait(deadline) {
  return new Promise((resolve) => {
    if (queue.length) { resolve(); return; }
    let timer = null;
    wakeWaiter = () => { if (timer !== null) clearTimeout(timer); resolve(); };
    // Rounded up: a timer that fired a fraction early would only be set
    // again, and browsers delay short timers that are set again and again.
    if (!document.hidden && deadline !== Infinity) timer = setTimeout(wake, Math.max(0, Math.ceil(deadline - now())));
  });
}

document.addEventListener('visibilitychange', wake);
