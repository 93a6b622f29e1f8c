// The program's own rules for what every host with a screen does alike
// (platform/host/common): which virtual key a key is, where the picture
// goes, where a pointer lands. The page asks them in the WebAssembly, so it
// and the desktop window follow one rule; until the WebAssembly is there, no
// key or press counts and the canvas is not placed.
let ready = false;
export const rulesReady = () => ready;
export function setRulesReady() { ready = true; }

// A key (KeyboardEvent.code and .key) as { vk, ch }, or null for a key the
// game never sees, which the page leaves to the browser.
export function keystroke(code, key, press) {
  if (!ready) return null;
  const m = window.Module;
  const codeText = m.allocateUTF8(code || ''), keyText = m.allocateUTF8(key || '');
  const k = m._mub_web_keystroke(codeText, keyText, press ? 1 : 0);
  m._free(codeText);
  m._free(keyText);
  return k ? { vk: k & 0xFF, ch: k >> 8 } : null;
}

// The picture's size in CSS pixels on a stage, whether it is smoothed, and
// how many times it is enlarged pixel for pixel before:
// { width, height, smooth, enlarge }, or null before the rules are there.
export function place(stageWidth, stageHeight, width, height, fit) {
  if (!ready) return null;
  const p = window.Module._mub_web_place(stageWidth, stageHeight, width, height, window.devicePixelRatio,
    fit ? 1 : 0);
  return {
    width: p % 0x8000, height: Math.floor(p / 0x8000) % 0x8000, smooth: Math.floor(p / 0x40000000) % 2 === 1,
    enlarge: Math.floor(p / 0x80000000),
  };
}

// The client pixel under a point of the picture shown at shownWidth x
// shownHeight CSS pixels, or null where a press does not count.
export function toPicture(x, y, shownWidth, shownHeight, width, height, press) {
  if (!ready) return null;
  const at = window.Module._mub_web_to_picture(x, y, Math.round(shownWidth), Math.round(shownHeight), width, height,
    press ? 1 : 0);
  return at < 0 ? null : { x: at & 0x7FFF, y: at >> 15 };
}

// The scene the player sees: -1 while a box or dialog is open, else the
// game's scene number (main_key); null before the program runs.
export function scene() {
  return ready && window.mubmub.started ? window.Module._mub_web_scene() : null;
}

// The open box's buttons in order: { label, x, y } with their centres in
// client pixels.
export function boxButtons() {
  if (!ready) return [];
  const m = window.Module;
  const out = [];
  const n = m._mub_web_box_button_count();
  for (let i = 0; i < n; i++) {
    const at = m._mub_web_box_button_at(i);
    if (at < 0) break;
    out.push({ label: m.UTF8ToString(m._mub_web_box_button_label(i)), x: at & 0x7FFF, y: at >> 15 });
  }
  return out;
}

// A game controller's button (the standard layout's number) at `value`:
// the events the desktop's pad table makes of it, as
// { mouse: 0|1, down } or { vk, ch, down }.
function padEvents(n) {
  const out = [];
  for (let i = 0; i < n; i++) {
    const e = window.Module._mub_web_pad_event(i);
    if (e < 0) break;
    const type = e & 3;
    if (type < 2) out.push({ mouse: (e >> 2) & 1, down: type === 0 });
    else out.push({ vk: (e >> 3) & 0xFF, ch: (e >> 11) & 0xFF, down: type === 2 });
  }
  return out;
}
export function padButton(pad, button, value, boxOpen) {
  return ready ? padEvents(window.Module._mub_web_pad_button(pad, button, value, boxOpen ? 1 : 0)) : [];
}
export function padUnplugged(pad) {
  return ready ? padEvents(window.Module._mub_web_pad_unplugged(pad)) : [];
}
// What a button gives, for the help: { mouse } or { shown } (a character
// code: 13 Enter, 27 Escape, 0 an arrow), or null.
export function padOutput(button, boxOpen) {
  if (!ready) return null;
  const o = window.Module._mub_web_pad_output(button, boxOpen ? 1 : 0);
  if ((o & 3) === 1) return { mouse: o >> 2 };
  if ((o & 3) === 2) return { shown: o >> 2 };
  return null;
}
