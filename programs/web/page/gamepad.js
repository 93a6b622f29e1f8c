// Game controllers (the Gamepad API's standard layout), plugged in at any
// time, polled once a frame: each button that changed goes through the
// desktop's table (platform/host/common/pad, rules.js), which names the
// mouse button or key it gives. Back's Escape asks first, as the keyboard's
// does; while the question is up, A (Enter) chooses, Back goes on, the
// d-pad moves between the choices.
import { accepting, push } from './events.js';
import { hold, release } from './held.js';
import { lastPoint } from './pointer.js';
import { askQuit, asking, choose, goOnPlaying, otherChoice } from './quit.js';
import { padButton, padOutput, padUnplugged, scene } from './rules.js';
import { text } from './texts.js';

const VK_RETURN = 0x0D, VK_ESCAPE = 0x1B;
const BUTTONS = 17;  // the standard layout's, Guide included
const TRIGGERS = [6, 7];

function act(events) {
  for (const ev of events) {
    if (ev.mouse !== undefined) {
      if (ev.down && !asking()) hold(ev.mouse, 'pad', lastPoint.x, lastPoint.y);
      else release(ev.mouse, 'pad');
      continue;
    }
    if (asking()) {
      if (!ev.down) continue;
      if (ev.vk === VK_RETURN) choose();
      else if (ev.vk === VK_ESCAPE) goOnPlaying();
      else if (ev.vk >= 0x25 && ev.vk <= 0x28) otherChoice();
      continue;
    }
    if (ev.vk === VK_ESCAPE && scene() !== -1) {
      if (ev.down) askQuit();
      continue;
    }
    push({ type: ev.down ? 'KeyDown' : 'KeyUp', vk: ev.vk, ch: ev.ch });
  }
}

// Polled once a frame while a pad is there: the browser tells of a pad
// once a button of it is pressed, so a page with none never polls (a frame
// asked for every frame would cost the page a frame's work each time).
const seen = new Map();  // pad index -> the buttons' last values
let polling = false;
function poll() {
  const pads = navigator.getGamepads ? [...navigator.getGamepads()].filter((p) => p && p.connected !== false) : [];
  const boxOpen = asking() || scene() === -1;
  for (const pad of accepting() ? pads : []) {
    const last = seen.get(pad.index) || [];
    seen.set(pad.index, last);
    for (let b = 0; b < Math.min(pad.buttons.length, BUTTONS); b++) {
      const button = pad.buttons[b];
      const value = TRIGGERS.includes(b) ? button.value : (button.pressed ? 1 : 0);
      if (value === last[b]) continue;
      last[b] = value;
      act(padButton(pad.index, b, value, boxOpen));
    }
  }
  for (const index of [...seen.keys()]) {
    if (pads.some((p) => p.index === index)) continue;
    seen.delete(index);
    act(padUnplugged(index));
  }
  polling = pads.length > 0;
  if (polling) requestAnimationFrame(poll);
}
window.addEventListener('gamepadconnected', () => {
  if (polling) return;
  polling = true;
  requestAnimationFrame(poll);
});

// The layout for the help, from the same table: each button's name and
// what it gives, in play and in a box.
const NAMES = [['LB', 4], ['LT', 6], ['RB', 5], ['RT', 7], ['A', 0], ['Start', 9], ['Back', 8], ['←', 14],
  ['↓', 13], ['→', 15], ['↑', 12], ['X', 2], ['Y', 3]];
function given(o) {
  if (!o) return '';
  if (o.mouse !== undefined) return o.mouse === 0 ? `◀ ${text('left')}` : `▶ ${text('right')}`;
  if (o.shown === 13) return '⏎ Enter';
  if (o.shown === 27) return 'Esc';
  if (o.shown === 0) return text('arrow');
  return String.fromCharCode(o.shown);
}
export function padHelp() {
  const rows = NAMES.map(([name, b]) => {
    const play = given(padOutput(b, false)), box = given(padOutput(b, true));
    return [name, play, box === play ? '' : box];
  });
  return rows;
}
