// The canvas: mouse, pen and touch through Pointer Events, as the game's
// mouse. One touch or pen contact at a time is the left button.
import { push } from './events.js';
import { capture, hold, onReleaseAll, release } from './held.js';
import { showTouchBar } from './layout.js';
import { toPicture } from './rules.js';
import { canvas } from './screen.js';

// The client pixel under the pointer, by the program's own rule: null for a
// press that does not count.
function gamePoint(e, press) {
  const r = canvas.getBoundingClientRect();
  return toPicture(e.clientX - r.left, e.clientY - r.top, r.width, r.height, canvas.width, canvas.height, press);
}

let canvasTouch = null;  // the one touch or pen contact that is the left button
onReleaseAll(() => { canvasTouch = null; });

function onCanvasPointer(e) {
  const p = gamePoint(e, e.type === 'pointerdown');
  if (!p) return;
  if (e.type === 'pointerdown') {
    if (!capture(canvas, e.pointerId)) return;
    e.preventDefault();
  }
  let mask;  // as PointerEvent.buttons: 1 the left button, 2 the right one
  if (e.pointerType === 'mouse') {
    // A second mouse button pressed while one is held comes as a move with
    // new buttons, so every event compares what is held.
    mask = e.type === 'pointercancel' ? 0 : e.buttons & 3;
  } else {
    if (e.type === 'pointerdown' && canvasTouch === null) canvasTouch = e.pointerId;
    if (e.pointerId !== canvasTouch) return;
    mask = e.type === 'pointerup' || e.type === 'pointercancel' ? 0 : 1;
    if (mask === 0) canvasTouch = null;
    if (e.pointerType === 'touch') showTouchBar();
  }
  if (e.type === 'pointermove') push({ type: 'MouseMove', x: p.x, y: p.y });
  const holder = 'canvas' + e.pointerId;
  for (const [bit, button] of [[1, 0], [2, 1]]) {
    if (mask & bit) hold(button, holder, p.x, p.y);
    else release(button, holder, p.x, p.y);
  }
}
for (const type of ['pointerdown', 'pointermove', 'pointerup', 'pointercancel']) {
  canvas.addEventListener(type, onCanvasPointer);
}
canvas.addEventListener('contextmenu', (e) => e.preventDefault());
