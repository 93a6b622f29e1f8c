// Layout: the picture placed by the program's own rule, the desktop
// window's (fitted sharply by default; whole multiples as a setting or
// ?scale=integer); the touch bar under the picture or beside it; full
// screen.
import { place } from './rules.js';
import { canvas, pictureSize, setEnlarge } from './screen.js';
import { onSettingChange, setting } from './settings.js';

const stage = document.getElementById('stage');
const body = document.body;

const coarse = window.matchMedia('(any-pointer: coarse)');
let sawTouch = false;
function touchWanted() {
  const t = setting('touch');
  if (t !== 'auto') return t === 'on';
  return sawTouch || coarse.matches;
}
export function showTouchBar() {
  if (sawTouch) return;
  sawTouch = true;
  layout();
}
window.addEventListener('pointerdown', (e) => { if (e.pointerType === 'touch') showTouchBar(); }, true);

const standalone = window.matchMedia('(display-mode: fullscreen), (display-mode: standalone)');
const fullscreenElement = () => document.fullscreenElement || document.webkitFullscreenElement || null;
export const isFullscreen = () => !!fullscreenElement();
const fullscreenEnabled = !!(document.fullscreenEnabled || document.webkitFullscreenEnabled);
body.classList.toggle('no-fullscreen', !fullscreenEnabled);

export function layout() {
  const touch = touchWanted();
  const wide = window.innerWidth > window.innerHeight;
  const immersive = !!fullscreenElement() || standalone.matches;
  body.classList.toggle('touch', touch);
  body.classList.toggle('bar-side', touch && wide);
  body.classList.toggle('immersive', immersive);
  // The header's row goes where the picture wants the height (the bar
  // beside it on a small screen, full screen), leaving its buttons in a
  // corner; under a phone's picture, which has the width, the row stays.
  body.classList.toggle('compact-header', (touch && wide && window.innerHeight < 600) ||
    (immersive && !(touch && !wide)));
  fitCanvas();
}

// The canvas stays hidden until the program is there to place it. Fitted:
// drawn at the next whole multiple and smoothed down by the compositor. At
// whole multiples: square pixels while every game pixel has a screen pixel,
// smoothed only where the picture must lose pixels, where dropping whole
// rows would make the text unreadable.
canvas.style.visibility = 'hidden';
export function fitCanvas() {
  const { width, height } = pictureSize();
  const fit = setting('scale') === 'fit';
  const p = place(stage.clientWidth, stage.clientHeight, width, height, fit);
  if (!p || !p.width) return;
  canvas.style.width = `${p.width}px`;
  canvas.style.height = `${p.height}px`;
  setEnlarge(fit ? p.enlarge : 1);
  canvas.classList.toggle('smooth', fit || p.smooth);
  canvas.style.visibility = '';
}
window.addEventListener('resize', layout);
document.addEventListener('fullscreenchange', layout);
document.addEventListener('webkitfullscreenchange', layout);
coarse.addEventListener('change', layout);
new ResizeObserver(fitCanvas).observe(stage);
onSettingChange((name) => { if (name === 'scale' || name === 'touch') layout(); });

export function toggleFullscreen() {
  if (!fullscreenEnabled) return;
  if (fullscreenElement()) {
    (document.exitFullscreen || document.webkitExitFullscreen).call(document);
    return;
  }
  const root = document.documentElement;
  const asked = (root.requestFullscreen || root.webkitRequestFullscreen).call(root, { navigationUI: 'hide' });
  if (asked && asked.catch) asked.catch(() => {});  // refused: the page stays as it is
}
document.getElementById('fullscreen').addEventListener('click', (e) => {
  e.currentTarget.blur();
  toggleFullscreen();
});
