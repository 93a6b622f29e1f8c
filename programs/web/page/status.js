// Messages over the stage (loading, failures, the end), and the one way the
// game stops for good.
import { accept } from './events.js';
import { info } from './inspector.js';
import { text } from './texts.js';

const box = document.getElementById('status');
const message = document.getElementById('status-text');
const action = document.getElementById('status-action');

export function showStatus(words, actionLabel, onAction) {
  message.textContent = words;
  action.hidden = !actionLabel;
  action.textContent = actionLabel || '';
  action.onclick = onAction || null;
  box.hidden = false;
}

export const reload = () => location.reload();

// boot.js, the page's first script; without it, a plain reload.
const boot = window.mubmubBoot ||
  { error: null, progress() {}, running() {}, fail() { showStatus(text('downloadFailed'), text('tryAgain'), reload); } };
export const progress = () => boot.progress();

// The first frame is drawn: the loading message goes, unless the start was
// given up meanwhile.
export function firstFrame() {
  boot.running();
  if (!boot.error) box.hidden = true;
}

// The game stops: before its first frame as a failed download, whose retry
// fetches every file afresh (boot.js); after it as an error of the game.
export function failed(message) {
  if (info.error) return;
  info.error = String(message);
  accept(false);
  if (info.firstFrameAt === null) boot.fail(message);
  else showStatus(text('stopped'), text('tryAgain'), reload);
}
