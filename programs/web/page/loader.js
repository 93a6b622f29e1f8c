// Starting the program: its WebAssembly and resources fetched at once, the
// runtime (mubmub.js) given the page's side, failures told in words; then
// the service worker that keeps the files for offline play.
import { page } from './bridge.js';
import { accept } from './events.js';
import { info } from './inspector.js';
import { edition } from './edition.js';
import { fitCanvas, layout } from './layout.js';
import { replayFromLink } from './recording.js';
import { setRulesReady } from './rules.js';
import { setting } from './settings.js';
import { failed, progress, showStatus } from './status.js';
import { text } from './texts.js';

// Once the game runs, only a failure of the program stops it: an exception
// out of WebAssembly or its runtime, or a promise of its waits rejected. A
// fault in a handler of the page's own is reported, and the game goes on.
window.addEventListener('error', (e) => {
  if (info.firstFrameAt === null) return;  // boot.js's
  if (e.error instanceof WebAssembly.RuntimeError || /\/mubmub\.js$/.test(e.filename)) failed(e.message);
});
window.addEventListener('unhandledrejection', (e) => { if (info.firstFrameAt !== null) failed(e.reason); });

// A download's body, telling boot.js of each piece as it arrives.
function watched(response) {
  return response.body.pipeThrough(new TransformStream({
    transform(chunk, out) {
      progress();
      out.enqueue(chunk);
    },
  }));
}

async function compileProgram() {
  const response = await fetch('mubmub.wasm');
  if (!response.ok) throw new Error(`mubmub.wasm: ${response.status}`);
  const body = watched(response);
  // Streaming needs the server to say application/wasm; else compile the bytes.
  if (WebAssembly.compileStreaming && response.headers.get('Content-Type') === 'application/wasm') {
    return WebAssembly.compileStreaming(new Response(body, { headers: { 'Content-Type': 'application/wasm' } }));
  }
  return WebAssembly.compile(await new Response(body).arrayBuffer());
}

async function loadResources() {
  const response = await fetch('mubmub.res.gz');
  if (!response.ok) throw new Error(`mubmub.res.gz: ${response.status}`);
  // Unpacked as it arrives; a server that labels .gz files as gzip-encoded
  // has had the browser unpack them already.
  const encoded = /gzip/.test(response.headers.get('Content-Encoding') || '');
  const body = encoded ? watched(response) : watched(response).pipeThrough(new DecompressionStream('gzip'));
  return new Uint8Array(await new Response(body).arrayBuffer());
}

export function start() {
  if (typeof WebAssembly !== 'object' || typeof WebAssembly.instantiate !== 'function' ||
      typeof DecompressionStream !== 'function') {
    showStatus(text('tooOld'));
    layout();
    return;
  }
  // The resources come gzipped beside the program; they are fetched while
  // the program downloads, and main waits for them (a run dependency).
  const resources = loadResources();
  resources.catch(failed);
  // The WebAssembly is compiled while it downloads, and while mubmub.js
  // does; the runtime instantiates it when it is ready.
  const compiled = compileProgram();
  compiled.catch(failed);
  // A replay link is unpacked meanwhile.
  const replay = replayFromLink();
  window.Module = {
    // The game settings by their names, so that recordings name them.
    arguments: ['--lang', edition(), ...(setting('everyPress') === 'on' ? ['--every-press-counts'] : [])],
    page,
    instantiateWasm(imports, receive) {
      compiled.then((module) => WebAssembly.instantiate(module, imports))
        .then((instance) => {
          receive(instance);
          setRulesReady();
          fitCanvas();
        }, failed);
      return {};
    },
    preRun: [() => {
      window.Module.addRunDependency('resources');
      resources.then((bytes) => {
        page.resources = bytes;
        window.Module.removeRunDependency('resources');
      }, () => {});
      window.Module.addRunDependency('replay');
      replay.then((bytes) => {
        page.replay = bytes;
        window.Module.removeRunDependency('replay');
      }, failed);
    }],
    onRuntimeInitialized() {
      progress();
      info.started = true;
      info.startedAt = performance.now();
      accept(true);
    },
    onAbort: failed,
    print: (text) => console.log(text),
    printErr: (text) => console.warn(text),
  };
  const script = document.createElement('script');
  script.src = 'mubmub.js';
  script.onload = progress;
  script.onerror = () => failed('mubmub.js did not load');
  document.body.appendChild(script);
  // The first layout (with its Japanese font) takes a while: after the
  // program's downloads have been started.
  layout();
  progress();

  if ('serviceWorker' in navigator && location.protocol !== 'file:') {
    window.addEventListener('load', () => {
      navigator.serviceWorker.register('sw.js').catch((e) => console.warn('no offline play:', e.message));
    });
  }
}
