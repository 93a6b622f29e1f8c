// The settings menu behind ⚙ in the header: the picture's scaling, the touch
// controls, every press counts (a game setting: the game starts again with
// it), the language (the page loads again), and actions other modules add
// (addMenuAction). Below them, the help: the game controller's layout.
import { edition } from './edition.js';
import { padHelp } from './gamepad.js';
import { releaseAll } from './held.js';
import { setByQuery, setSetting, setting } from './settings.js';
import { text } from './texts.js';

const menu = document.getElementById('menu');
const openButton = document.getElementById('menu-button');
const entries = document.getElementById('menu-entries');
const actions = document.createElement('div');
actions.className = 'actions';

const el = (tag, props = {}, ...children) => {
  const e = Object.assign(document.createElement(tag), props);
  e.append(...children);
  return e;
};

// A row of choices, one of them chosen.
function choices(label, values, current, onChoose) {
  const row = el('fieldset', { className: 'choices' }, el('legend', {}, label));
  for (const [value, name] of values) {
    const b = el('button', { type: 'button', textContent: name });
    b.setAttribute('aria-pressed', String(value === current()));
    b.addEventListener('click', () => {
      onChoose(value);
      for (const other of row.querySelectorAll('button')) other.setAttribute('aria-pressed', String(other === b));
    });
    row.append(b);
  }
  return row;
}

const reloadWith = (change) => {
  const url = new URL(location.href);
  change(url.searchParams);
  location.replace(url);
};

entries.append(
  choices(text('scaling'), [['fit', text('scaleFit')], ['integer', text('scaleInteger')]], () => setting('scale'),
    (v) => {
      setSetting('scale', v);
      if (setByQuery('scale')) reloadWith((q) => q.delete('scale'));
    }),
  choices(text('touchControls'), [['auto', text('touchAuto')], ['on', text('touchOn')], ['off', text('touchOff')]],
    () => setting('touch'), (v) => {
      setSetting('touch', v);
      if (setByQuery('touch')) reloadWith((q) => q.delete('touch'));
    }),
  choices(`${text('everyPress')} ${text('everyPressNote')}`, [['off', text('off')], ['on', text('on')]],
    () => setting('everyPress'), (v) => {
      if (v === setting('everyPress')) return;
      setSetting('everyPress', v);
      location.reload();
    }),
  choices(text('language'), [['ja', '日本語'], ['en', 'English']], edition, (v) => {
    if (v === edition()) return;
    try {
      localStorage.setItem('mubmub.lang', v);
    } catch { /* the query says it instead */ }
    reloadWith((q) => q.set('lang', v));
  }),
  actions,
);

// An entry that does something when chosen (another module's: "Save
// recording" and the like). label: a text, or { ja, en } for both
// editions. The menu closes before action runs. Returns the entry's button.
export function addMenuAction(label, action) {
  const name = typeof label === 'string' ? label : label[edition()] ?? label.ja;
  const b = el('button', { type: 'button', textContent: name });
  b.addEventListener('click', () => {
    closeMenu();
    action();
  });
  actions.append(b);
  return b;
}

function drawPadHelp() {
  const table = el('table');
  for (const [name, play, box] of padHelp()) {
    table.append(el('tr', {}, el('th', {}, name), el('td', {}, play), el('td', { className: 'in-box' }, box)));
  }
  const layout = el('pre', { className: 'pad-layout' }, text('padLayout'));
  const help = document.getElementById('pad-help');
  const details = help.querySelector('details') || el('details', {}, el('summary', {}, text('padHelp')));
  details.replaceChildren(details.querySelector('summary'), layout, table);
  help.replaceChildren(details);
}

export const menuOpen = () => !menu.hidden;
export function openMenu() {
  releaseAll();
  drawPadHelp();
  menu.hidden = false;
  openButton.setAttribute('aria-expanded', 'true');
  (menu.querySelector('[aria-pressed="true"]') || menu.querySelector('button')).focus();
}
export function closeMenu() {
  menu.hidden = true;
  openButton.setAttribute('aria-expanded', 'false');
  document.activeElement?.blur();
}
openButton.addEventListener('click', () => (menuOpen() ? closeMenu() : openMenu()));
document.getElementById('menu-close').addEventListener('click', closeMenu);
window.addEventListener('keydown', (e) => {
  if (menuOpen() && e.key === 'Escape') {
    e.preventDefault();
    closeMenu();
  }
});
window.addEventListener('pointerdown', (e) => {
  if (menuOpen() && !menu.contains(e.target) && !openButton.contains(e.target)) closeMenu();
}, true);
