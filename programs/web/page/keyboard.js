// The keyboard, and the keys of the touch bar: keys as host key events, a
// virtual key and the character typed, named by the program's own rule
// (KeyboardEvent.code and .key; the bar's buttons name theirs the same way).
import { accepting, push } from './events.js';
import { onReleaseAll } from './held.js';
import { toggleFullscreen } from './layout.js';
import { keystroke } from './rules.js';

// A host key event, or null for keys the game never sees.
function keyEvent(type, code, key, repeat, alt) {
  const k = keystroke(code, key, type === 'KeyDown');
  return k ? { type, vk: k.vk, ch: k.ch, repeat, alt } : null;
}

function onKey(e) {
  if (e.ctrlKey || e.metaKey || e.isComposing) return;  // the browser's own shortcuts
  if (e.altKey && e.key === 'Enter') {
    e.preventDefault();
    if (e.type === 'keydown' && !e.repeat) toggleFullscreen();
    return;
  }
  const ev = keyEvent(e.type === 'keydown' ? 'KeyDown' : 'KeyUp', e.code, e.key, e.repeat, e.altKey);
  if (!ev || !accepting()) return;  // once the program ended, Enter presses "play again"
  e.preventDefault();  // no scrolling, no focus moves, no buttons pressed by Enter or Space
  push(ev);
}
window.addEventListener('keydown', onKey, true);
window.addEventListener('keyup', onKey, true);

// Bar buttons held down, each naming its key (data-code, data-key) as the
// keyboard does.
const heldKeys = new Set();
export function keyDown(button) {
  heldKeys.add(button);
  const ev = keyEvent('KeyDown', button.dataset.code, button.dataset.key, false, false);
  if (ev) push(ev);
}
export function keyUp(button) {
  if (!heldKeys.delete(button)) return;
  const ev = keyEvent('KeyUp', button.dataset.code, button.dataset.key, false, false);
  if (ev) push(ev);
}
onReleaseAll(() => { for (const button of heldKeys) keyUp(button); });
