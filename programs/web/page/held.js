// Buttons held: the mouse, fingers on the canvas, L and R of the touch bar.
// Each button goes down with its first holder and up with its last, so two
// ways of holding the left button never send two presses. Everything held
// is let go when the page loses the focus or is hidden, since a finger
// lifted meanwhile would never be seen.
import { push } from './events.js';

const holders = [new Map(), new Map()];  // button -> holder -> where it acts
const lettingGo = [];  // what else lets go with them (keys, the bar's looks)

export function hold(button, holder, x, y) {
  const h = holders[button];
  if (h.has(holder)) return;
  h.set(holder, { x, y });
  if (h.size === 1) push({ type: 'MouseDown', button, x, y });
}

export function release(button, holder, x, y) {
  const h = holders[button];
  const at = h.get(holder);
  if (!at) return;
  h.delete(holder);
  if (h.size === 0) push({ type: 'MouseUp', button, x: x ?? at.x, y: y ?? at.y });
}

export const onReleaseAll = (fn) => lettingGo.push(fn);

// Captures a pointer that presses el. Only a pointer that exists can be
// captured: a made-up one (a script's event with an unknown pointerId)
// presses nothing, as it would never be lifted.
export function capture(el, pointerId) {
  try {
    el.setPointerCapture(pointerId);
    return true;
  } catch {
    return false;
  }
}

export function releaseAll() {
  for (const b of [0, 1]) for (const holder of [...holders[b].keys()]) release(b, holder);
  for (const fn of lettingGo) fn();
}

window.addEventListener('blur', releaseAll);
document.addEventListener('visibilitychange', () => { if (document.hidden) releaseAll(); });
