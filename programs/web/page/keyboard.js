// The keyboard, and the keys of the touch bar: DOM keys as host key events.
import { accepting, push } from './events.js';
import { onReleaseAll } from './held.js';
import { toggleFullscreen } from './layout.js';

const NAMED_KEYS = {
  Escape: 'Escape', Enter: 'Return', Tab: 'Tab', ' ': 'Space',
  ArrowLeft: 'Left', ArrowRight: 'Right', ArrowUp: 'Up', ArrowDown: 'Down', F4: 'F4',
};
// A host key event for a DOM key, or null for keys the game never sees.
function keyEvent(type, key, repeat, alt) {
  const named = NAMED_KEYS[key];
  if (named) return { type, key: named, ch: named === 'Space' ? ' ' : '', repeat, alt };
  if (key.length === 1 && key > ' ' && key <= '~') return { type, key: 'Character', ch: key, repeat, alt };
  return null;
}

function onKey(e) {
  if (e.ctrlKey || e.metaKey || e.isComposing) return;  // the browser's own shortcuts
  if (e.altKey && e.key === 'Enter') {
    e.preventDefault();
    if (e.type === 'keydown' && !e.repeat) toggleFullscreen();
    return;
  }
  const ev = keyEvent(e.type, e.key, e.repeat, e.altKey);
  if (!ev || !accepting()) return;  // once the program ended, Enter presses "play again"
  e.preventDefault();  // no scrolling, no focus moves, no buttons pressed by Enter or Space
  push(ev);
}
window.addEventListener('keydown', onKey, true);
window.addEventListener('keyup', onKey, true);

// Keys held down by the touch bar, by the names of host.h's keys.
const heldKeys = new Set();
export function keyDown(key) {
  heldKeys.add(key);
  push(keyEvent('keydown', key === 'Return' ? 'Enter' : key, false, false));
}
export function keyUp(key) {
  if (!heldKeys.delete(key)) return;
  push(keyEvent('keyup', key === 'Return' ? 'Enter' : key, false, false));
}
onReleaseAll(() => { for (const key of heldKeys) keyUp(key); });
