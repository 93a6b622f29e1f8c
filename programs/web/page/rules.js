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

// The picture's size in CSS pixels on a stage, and whether it is smoothed:
// { width, height, smooth }, or null before the rules are there.
export function place(stageWidth, stageHeight, width, height, fit) {
  if (!ready) return null;
  const p = window.Module._mub_web_place(stageWidth, stageHeight, width, height, window.devicePixelRatio,
    fit ? 1 : 0);
  return { width: p & 0x7FFF, height: (p >> 15) & 0x7FFF, smooth: (p >> 30) !== 0 };
}

// The client pixel under a point of the picture shown at shownWidth x
// shownHeight CSS pixels, or null where a press does not count.
export function toPicture(x, y, shownWidth, shownHeight, width, height, press) {
  if (!ready) return null;
  const at = window.Module._mub_web_to_picture(x, y, Math.round(shownWidth), Math.round(shownHeight), width, height,
    press ? 1 : 0);
  return at < 0 ? null : { x: at & 0x7FFF, y: at >> 15 };
}
