// The touch bar: its buttons held while touched (multi-touch: hold one, tap
// the other). ◀ ▶ are the mouse buttons, pressed at a corner of the client
// area where no box has a button; the holes and ⏎ are keys; "next" does
// what a tap on the picture does in this scene; a box's answers click its
// buttons where they are.
import { capture, hold, onReleaseAll, release } from './held.js';
import { keyDown, keyUp } from './keyboard.js';
import { currentMode } from './touch.js';

const touchbar = document.getElementById('touchbar');

// What pressing a button does; the function it returns lets go.
function pressButton(button) {
  if (button.dataset.mouse !== undefined) {
    const mouse = Number(button.dataset.mouse);
    hold(mouse, button, 0, 0);
    return () => release(mouse, button);
  }
  if (button.dataset.x !== undefined) {  // an answer of the open box
    const x = Number(button.dataset.x), y = Number(button.dataset.y);
    hold(0, button, x, y);
    return () => release(0, button, x, y);
  }
  if (button.dataset.next !== undefined && currentMode().tap !== 'enter') {
    hold(0, button, 0, 0);
    return () => release(0, button);
  }
  const code = button.dataset.code || 'Enter', key = button.dataset.key || 'Enter';
  keyDown(button, code, key);
  return () => keyUp(button);
}

const pressed = new Map();  // button -> { contacts, lift }
touchbar.addEventListener('pointerdown', (e) => {
  const button = e.target.closest('button');
  if (!button) return;
  e.preventDefault();
  if (!capture(button, e.pointerId)) return;
  const p = pressed.get(button);
  if (p) {
    p.contacts.add(e.pointerId);
    return;
  }
  button.classList.add('pressed');
  pressed.set(button, { contacts: new Set([e.pointerId]), lift: pressButton(button) });
});
const lift = (e) => {
  const button = e.target.closest && e.target.closest('button');
  const p = button && pressed.get(button);
  if (!p || !p.contacts.delete(e.pointerId) || p.contacts.size > 0) return;
  pressed.delete(button);
  button.classList.remove('pressed');
  p.lift();
};
for (const type of ['pointerup', 'pointercancel', 'lostpointercapture']) touchbar.addEventListener(type, lift);
touchbar.addEventListener('contextmenu', (e) => e.preventDefault());
onReleaseAll(() => {
  for (const [button] of pressed) button.classList.remove('pressed');
  pressed.clear();
});
