// The canvas: mouse, pen and touch through Pointer Events. The mouse is the
// game's mouse; a finger or pen does what the scene's row of the touch
// table says (touch.js): the left button at the finger, Enter, the mouse
// button of its half, or the key of a hole. Each contact holds what it
// pressed until it lifts.
import { push } from './events.js';
import { capture, hold, onReleaseAll, release } from './held.js';
import { keyDown, keyUp } from './keyboard.js';
import { showTouchBar } from './layout.js';
import { toPicture } from './rules.js';
import { canvas, pictureSize } from './screen.js';
import { currentMode, holeAt, HOLE_KEYS } from './touch.js';

// The client pixel under the pointer, by the program's own rule: null for a
// press that does not count.
function gamePoint(e, press) {
  const r = canvas.getBoundingClientRect();
  const { width, height } = pictureSize();
  return toPicture(e.clientX - r.left, e.clientY - r.top, r.width, r.height, width, height, press);
}

// The mouse's last place, where a game controller's mouse buttons press.
export let lastPoint = { x: 0, y: 0 };

function onMouse(e, p) {
  // A second mouse button pressed while one is held comes as a move with
  // new buttons, so every event compares what is held.
  const mask = e.type === 'pointercancel' ? 0 : e.buttons & 3;
  if (e.type === 'pointermove') push({ type: 'MouseMove', x: p.x, y: p.y });
  lastPoint = p;
  const holder = 'canvas' + e.pointerId;
  for (const [bit, button] of [[1, 0], [2, 1]]) {
    if (mask & bit) hold(button, holder, p.x, p.y);
    else release(button, holder, p.x, p.y);
  }
}

// Touch and pen: contacts by pointerId, each with what it holds.
const contacts = new Map();  // pointerId -> { tap, button?, moves }
onReleaseAll(() => contacts.clear());

function onContact(e, p) {
  const holder = 'canvas' + e.pointerId;
  if (e.type === 'pointerdown') {
    if (contacts.has(e.pointerId)) return;
    const tap = currentMode().tap;
    const c = { tap };
    if (tap === 'point') {
      // One contact at a time is the mouse: its moves move the pointer.
      if ([...contacts.values()].some((o) => o.tap === 'point')) return;
      hold(0, holder, p.x, p.y);
    } else if (tap === 'halves') {
      c.button = p.x < pictureSize().width / 2 ? 0 : 1;
      hold(c.button, holder, p.x, p.y);
    } else if (tap === 'hole') {
      const [code, key] = HOLE_KEYS[holeAt(p.x, p.y)];
      keyDown(holder, code, key);
    } else {
      keyDown(holder, 'Enter', 'Enter');
    }
    contacts.set(e.pointerId, c);
    return;
  }
  const c = contacts.get(e.pointerId);
  if (!c) return;
  const lifted = e.type !== 'pointermove';
  if (c.tap === 'point') {
    if (e.type === 'pointermove') push({ type: 'MouseMove', x: p.x, y: p.y });
    else release(0, holder, p.x, p.y);
  } else if (lifted) {
    if (c.tap === 'halves') release(c.button, holder, p.x, p.y);
    else keyUp(holder);
  }
  if (lifted) contacts.delete(e.pointerId);
}

function onCanvasPointer(e) {
  const p = gamePoint(e, e.type === 'pointerdown');
  if (!p) return;
  if (e.type === 'pointerdown') {
    if (!capture(canvas, e.pointerId)) return;
    e.preventDefault();
  }
  if (e.pointerType === 'mouse') {
    onMouse(e, p);
    return;
  }
  if (e.pointerType === 'touch') showTouchBar();
  onContact(e, p);
}
for (const type of ['pointerdown', 'pointermove', 'pointerup', 'pointercancel']) {
  canvas.addEventListener(type, onCanvasPointer);
}
canvas.addEventListener('contextmenu', (e) => e.preventDefault());
