// What the page's tests and benchmarks read, and bug reports quote, as
// window.mubmub; set tickTimes to an array to have the time of every tick
// pushed to it.
import { pixels } from './screen.js';

export const info = {
  started: false, startedAt: null, ticks: 0, frames: 0, firstFrameAt: null, quit: null, error: null,
  modal: null,  // the caption of the open box or dialog
  modals: [],   // every box opened: its caption and the ticks handled before it
  tickTimes: null,
  // A game global by its name in the code (ints, and handles as 0 or 1),
  // or undefined: read-only, for tests and bug reports.
  global(name, index = 0) {
    if (!info.started) return undefined;
    // The export itself: ccall would wait for the program's sleep to end.
    const m = window.Module;
    const text = m.allocateUTF8(String(name));
    const v = m._mub_web_global(text, index);
    m._free(text);
    return Number.isNaN(v) ? undefined : v;
  },
  // The picture on the canvas (ImageData, RGBA): the game's client area.
  pixels,
  // The recording of this game so far (recording.js), as a file of it
  // would hold: mubmub-sim --script replays it to the state() of now.
  recording() {
    if (!info.started) return undefined;
    const m = window.Module;
    return m.UTF8ToString(m._mub_web_recording());
  },
  // The game's state: the object mubmub-sim --state writes.
  state() {
    if (!info.started) return undefined;
    const m = window.Module;
    return JSON.parse(m.UTF8ToString(m._mub_web_state()));
  },
  // A replay link's progress: none, playing, handed-over, or refused (reason).
  replay: { state: 'none', reason: null },
  replayLink: null,  // the last link made
};
window.mubmub = info;
