// The keyboard, and keys from the touch bar, taps and game controllers:
// keys as host key events, a virtual key and the character typed, named by
// the program's own rule (KeyboardEvent.code and .key; the others name
// theirs the same way). Escape asks first (quit.js); the settings menu,
// while open, keeps the keys for itself.
import { accepting, push } from './events.js';
import { onReleaseAll } from './held.js';
import { toggleFullscreen, isFullscreen } from './layout.js';
import { askQuit, asking, answerKey } from './quit.js';
import { keystroke, scene } from './rules.js';

// A host key event, or null for keys the game never sees.
function keyEvent(type, code, key, repeat, alt) {
  const k = keystroke(code, key, type === 'KeyDown');
  return k ? { type, vk: k.vk, ch: k.ch, repeat, alt } : null;
}

const menuOpen = () => !document.getElementById('menu').hidden;

function onKey(e) {
  if (e.ctrlKey || e.metaKey || e.isComposing || menuOpen()) return;  // the browser's own shortcuts, the menu's keys
  if (e.altKey && e.key === 'Enter') {
    e.preventDefault();
    if (e.type === 'keydown' && !e.repeat) toggleFullscreen();
    return;
  }
  if (asking()) {
    answerKey(e);
    return;
  }
  const ev = keyEvent(e.type === 'keydown' ? 'KeyDown' : 'KeyUp', e.code, e.key, e.repeat, e.altKey);
  if (!ev || !accepting()) return;  // once the program ended, Enter presses "play again"
  e.preventDefault();  // no scrolling, no focus moves, no buttons pressed by Enter or Space
  // Escape ends the game only when the player says so; a box takes it as
  // its own. One that leaves full screen is the browser's.
  if (e.key === 'Escape' && scene() !== -1) {
    if (e.type === 'keydown' && !e.repeat && !isFullscreen()) askQuit();
    return;
  }
  push(ev);
}
window.addEventListener('keydown', onKey, true);
window.addEventListener('keyup', onKey, true);

// Keys held by a holder (a bar button, a finger, a pad), each naming its key
// as the keyboard does (code, key).
const heldKeys = new Map();
export function keyDown(holder, code, key) {
  if (heldKeys.has(holder)) return;
  heldKeys.set(holder, { code, key });
  const ev = keyEvent('KeyDown', code, key, false, false);
  if (ev) push(ev);
}
export function keyUp(holder) {
  const k = heldKeys.get(holder);
  if (!k) return;
  heldKeys.delete(holder);
  const ev = keyEvent('KeyUp', k.code, k.key, false, false);
  if (ev) push(ev);
}
onReleaseAll(() => { for (const holder of [...heldKeys.keys()]) keyUp(holder); });
