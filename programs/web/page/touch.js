// Touch where the eye is: what a finger on the picture does and what the
// touch bar offers, from one table keyed by the game's scene (rules.js asks
// the program for it). Every tap becomes what the mouse or a key would
// give; the game itself never learns of touch.
import { scene } from './rules.js';
import { boxButtons } from './rules.js';
import { info } from './inspector.js';

// tap: what a finger on the picture does
//   point   the left mouse button, held at the finger (a box's own buttons)
//   enter   Enter, held while touched
//   halves  the left half the left mouse button, the right half the right
//           one, each held while touched: two thumbs fire
//   hole    the key of the whack game's hole nearest the finger
// bar: which group of the touch bar shows (next: one ⏎ that does what a
// tap does; answers: the open box's buttons; mouse: ◀ ▶; holes: the five
// holes as they sit in the field, and ⏎).
const MODES = {
  box: { tap: 'point', bar: 'answers' },
  click: { tap: 'point', bar: 'next' },
  enter: { tap: 'enter', bar: 'next' },
  shooting: { tap: 'halves', bar: 'mouse' },
  whack: { tap: 'hole', bar: 'holes' },
};
// Scenes by main_key (-1: a box or the selection dialog is open); every
// other scene waits for a mouse press, or ignores input.
const SCENES = { [-1]: 'box', 9: 'shooting', 15: 'enter', 17: 'whack', 19: 'enter' };

export const modeOf = (s) => MODES[SCENES[s] || 'click'];
export const currentMode = () => modeOf(scene() ?? 0);

// The whack game's holes, left to right: the key that strikes each and the
// game's own places for them (mub2_en_x, mub2_en_y: the top left corner of
// the figure in each hole).
export const HOLE_KEYS = [['KeyZ', 'z'], ['KeyX', 'x'], ['KeyC', 'c'], ['KeyV', 'v'], ['KeyB', 'b']];
const HOLE_HALF = 40;  // half a figure: from its corner to its middle
export function holeAt(x, y) {
  let best = 0, bestDistance = Infinity;
  for (let i = 0; i < HOLE_KEYS.length; i++) {
    const dx = x - ((info.global('mub2_en_x', i) ?? 35 + 120 * i) + HOLE_HALF);
    const dy = y - ((info.global('mub2_en_y', i) ?? 330) + HOLE_HALF);
    const d = dx * dx + dy * dy;
    if (d < bestDistance) [best, bestDistance] = [i, d];
  }
  return best;
}

// The bar follows the scene: looked at after each tick and each box that
// opens or closes (nothing else changes it), once the program's call that
// told of it has returned.
const touchbar = document.getElementById('touchbar');
const answers = touchbar.querySelector('.answers');
let shownScene = null;
let shownAnswers = '';
let due = false;
export function followGame() {
  if (due) return;
  due = true;
  queueMicrotask(follow);
}
function follow() {
  due = false;
  const s = scene();
  if (s === null || info.quit !== null || info.error) return;
  const mode = modeOf(s);
  if (s !== shownScene) {
    shownScene = s;
    touchbar.dataset.mode = mode.bar;
  }
  if (mode.bar !== 'answers') {
    shownAnswers = '';
    return;
  }
  const buttons = boxButtons();
  const key = JSON.stringify(buttons);
  if (key === shownAnswers) return;
  shownAnswers = key;
  answers.replaceChildren(...buttons.map((b) => {
    const el = document.createElement('button');
    el.type = 'button';
    el.tabIndex = -1;
    el.dataset.x = b.x;
    el.dataset.y = b.y;
    el.textContent = b.label.replace(/\s*\(\w\)$/, '');  // the box's "(Y)": no key here
    return el;
  }));
  answers.style.setProperty('--count', String(buttons.length));
  answers.classList.toggle('list', buttons.length > 2);  // the dialog's entries, one under the other
}
