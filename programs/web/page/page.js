// The page around the game. It starts the program (mubmub.js), and is the
// host's other half (Module.page, called through host_library.js): it keeps
// the program's clock, queues the player's input as host events, wakes the
// program's waits, and draws its frames. It also scales the canvas, shows the
// touch bar on touch devices, and says so when something goes wrong.
//   clock.js     the program's clock, which stands still while hidden
//   edition.js   which edition the program shows (?lang=, remembered, the browser's)
//   events.js    the input queue and the program's wait
//   bridge.js    Module.page, the program's side
//   held.js      buttons held by the mouse, fingers and the bar
//   keyboard.js  keys, from the keyboard and the bar
//   pointer.js   mouse, pen and touch on the canvas
//   rules.js     the program's rules for keys, the picture's place and the pointer
//   touch.js     what a tap does and what the bar shows, by the game's scene
//   touchbar.js  the bar of buttons on touch devices
//   quit.js      Escape asks before the game ends
//   gamepad.js   game controllers, by the desktop's table
//   menu.js      the settings menu (addMenuAction for other modules' entries)
//   settings.js  the page's settings, remembered
//   texts.js     the page's own words in both editions
//   layout.js    the canvas's scale, the bar's place, full screen
//   screen.js    the canvas
//   status.js    messages over the stage
//   recording.js the game's recording saved or put into a replay link, and replays
//   loader.js    the downloads, the runtime, the service worker
//   inspector.js window.mubmub, for tests and bug reports
import './texts.js';
import './keyboard.js';
import './pointer.js';
import './touchbar.js';
import './gamepad.js';
import './menu.js';
import { start } from './loader.js';

start();
