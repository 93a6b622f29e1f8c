// The touch bar: L and R are the mouse buttons, held while touched (multi-
// touch: hold one, tap the other); the other buttons are keys. Presses on
// the bar act at a corner of the client area, where no box has a button.
import { capture, hold, onReleaseAll, release } from './held.js';
import { keyDown, keyUp } from './keyboard.js';

const touchbar = document.getElementById('touchbar');

for (const button of touchbar.querySelectorAll('button')) {
  const contacts = new Set();
  const mouse = button.dataset.mouse === undefined ? null : Number(button.dataset.mouse);
  button.addEventListener('pointerdown', (e) => {
    e.preventDefault();
    if (!capture(button, e.pointerId)) return;
    contacts.add(e.pointerId);
    if (contacts.size > 1) return;
    button.classList.add('pressed');
    if (mouse !== null) hold(mouse, button, 0, 0);
    else keyDown(button);
  });
  const lift = (e) => {
    if (!contacts.delete(e.pointerId) || contacts.size > 0) return;
    button.classList.remove('pressed');
    if (mouse !== null) release(mouse, button);
    else keyUp(button);
  };
  for (const type of ['pointerup', 'pointercancel', 'lostpointercapture']) button.addEventListener(type, lift);
}
touchbar.addEventListener('contextmenu', (e) => e.preventDefault());
onReleaseAll(() => {
  for (const button of touchbar.querySelectorAll('button.pressed')) button.classList.remove('pressed');
});
