// The program's side of the page (Module.page): what the web host's calls
// out of WebAssembly (host_library.js) hand on to.
import { now } from './clock.js';
import { accept, takeEvent, wait } from './events.js';
import { releaseAll } from './held.js';
import { info } from './inspector.js';
import { fitCanvas } from './layout.js';
import { replayStatus } from './recording.js';
import { draw } from './screen.js';
import { failed, firstFrame, reload, showStatus } from './status.js';
import { text } from './texts.js';
import { followGame } from './touch.js';

export const page = {
  now,
  wait,
  takeEvent,
  // A frame, of which only the rectangle changed ({ x, y, width, height })
  // differs from the one before; frames that change nothing never come.
  // enlarged: the same enlarged k times, for a fitted canvas (else null).
  present(rgba, width, height, changed, enlarged, k) {
    if (draw(rgba, width, height, changed, enlarged, k)) fitCanvas();
    info.frames++;
    if (info.firstFrameAt === null) {
      info.firstFrameAt = performance.now();
      firstFrame();
    }
  },
  // The program could not start: its resources are unreadable.
  startFailed(reason) { failed(reason); },
  setTitle(title) { document.title = title; },
  show() {},
  modal(caption) {
    info.modal = caption;
    if (caption !== null) info.modals.push({ caption, tick: info.ticks });
    followGame();
  },
  // A replay link's recording (bytes), which the program takes at its start.
  replay: null,
  replayStatus,
  tick() {
    info.ticks++;
    if (info.tickTimes) info.tickTimes.push(performance.now());
    followGame();
  },
  quit(code) {
    info.quit = code;
    releaseAll();
    accept(false);
    showStatus(text('theEnd'), text('playAgain'), reload);
  },
};
