// Escape asks first: a small question over the picture offers to go on
// (focused: Enter and Escape go on) or to end; only ending sends the game
// its Escape, which ends it. The game runs on while it asks.
import { accepting, push } from './events.js';
import { releaseAll } from './held.js';
import { keystroke } from './rules.js';

const box = document.getElementById('ask-quit');
const goOn = document.getElementById('go-on');
const quit = document.getElementById('quit');

export const asking = () => !box.hidden;

export function askQuit() {
  if (!accepting() || asking()) return;
  releaseAll();  // what was held when the question came is let go
  box.hidden = false;
  document.body.classList.add('asking');  // the touch bar waits too
  goOn.focus();
}

function close() {
  box.hidden = true;
  document.body.classList.remove('asking');
  document.activeElement?.blur();
}

export function goOnPlaying() { close(); }

export function endGame() {
  close();
  for (const press of [true, false]) {
    const k = keystroke('Escape', 'Escape', press);
    if (k) push({ type: press ? 'KeyDown' : 'KeyUp', vk: k.vk, ch: k.ch });
  }
}

// The answer the focused choice gives: Enter, Space.
export function choose() {
  if (document.activeElement === quit) endGame();
  else goOnPlaying();
}
// The other choice focused: Tab, the arrows.
export function otherChoice() {
  (document.activeElement === quit ? goOn : quit).focus();
}

// A key while asking: nothing of it reaches the game.
export function answerKey(e) {
  e.preventDefault();
  if (e.type !== 'keydown' || e.repeat) return;
  if (e.key === 'Escape') goOnPlaying();
  else if (e.key === 'Enter' || e.key === ' ') choose();
  else if (['Tab', 'ArrowLeft', 'ArrowRight', 'ArrowUp', 'ArrowDown'].includes(e.key)) otherChoice();
}

goOn.addEventListener('click', goOnPlaying);
quit.addEventListener('click', endGame);
