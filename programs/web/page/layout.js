// Layout: the canvas placed by the program's own rule, the desktop window's
// (at whole multiples, else fitted; ?scale=fit: always fitted); the touch
// bar under the picture or beside it; full screen.
import { place } from './rules.js';
import { canvas } from './screen.js';

const stage = document.getElementById('stage');
const body = document.body;
const params = new URLSearchParams(location.search);

const coarse = window.matchMedia('(any-pointer: coarse)');
let sawTouch = false;
function touchWanted() {
  if (params.get('touch') === '1') return true;
  if (params.get('touch') === '0') return false;
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
const fullscreenEnabled = !!(document.fullscreenEnabled || document.webkitFullscreenEnabled);
body.classList.toggle('no-fullscreen', !fullscreenEnabled);

export function layout() {
  const touch = touchWanted();
  body.classList.toggle('touch', touch);
  body.classList.toggle('bar-side', touch && window.innerWidth > window.innerHeight);
  body.classList.toggle('immersive', !!fullscreenElement() || standalone.matches);
  fitCanvas();
}

// The canvas stays hidden until the program is there to place it. Square
// pixels while every game pixel has a screen pixel (phones have two or three
// per CSS pixel); smoothed only where the picture must lose pixels, where
// dropping whole rows would make the text unreadable.
canvas.style.visibility = 'hidden';
export function fitCanvas() {
  const p = place(stage.clientWidth, stage.clientHeight, canvas.width, canvas.height, params.get('scale') === 'fit');
  if (!p || !p.width) return;
  canvas.style.width = `${p.width}px`;
  canvas.style.height = `${p.height}px`;
  canvas.classList.toggle('smooth', p.smooth);
  canvas.style.visibility = '';
}
window.addEventListener('resize', layout);
document.addEventListener('fullscreenchange', layout);
document.addEventListener('webkitfullscreenchange', layout);
coarse.addEventListener('change', layout);
new ResizeObserver(fitCanvas).observe(stage);

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
