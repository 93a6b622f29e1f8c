// Starting the program: its WebAssembly and resources fetched at once, the
// runtime (mubmub.js) given the page's side, failures told in words; then
// the service worker that keeps the files for offline play.
import { page } from './bridge.js';
import { accept } from './events.js';
import { info } from './inspector.js';
import { layout } from './layout.js';
import { reload, showStatus } from './status.js';

function failed(message) {
  if (info.error) return;
  info.error = String(message);
  accept(false);
  if (info.started) showStatus('エラーで とまりました。\nThe game stopped with an error.', 'もういちど', reload);
  else showStatus('ゲームを ダウンロードできませんでした。\nThe game could not be downloaded.', 'もういちど', reload);
}
window.addEventListener('error', (e) => { if (info.started) failed(e.message); });
window.addEventListener('unhandledrejection', (e) => { if (info.started) failed(e.reason); });

async function compileProgram() {
  const response = await fetch('mubmub.wasm');
  if (!response.ok) throw new Error(`mubmub.wasm: ${response.status}`);
  // Streaming needs the server to say application/wasm; else compile the bytes.
  if (WebAssembly.compileStreaming && response.headers.get('Content-Type') === 'application/wasm') {
    return WebAssembly.compileStreaming(response);
  }
  return WebAssembly.compile(await response.arrayBuffer());
}

async function loadResources() {
  const response = await fetch('mubmub.res.gz');
  if (!response.ok) throw new Error(`mubmub.res.gz: ${response.status}`);
  // Unpacked as it arrives; a server that labels .gz files as gzip-encoded
  // has had the browser unpack them already.
  const encoded = /gzip/.test(response.headers.get('Content-Encoding') || '');
  const body = encoded ? response.body : response.body.pipeThrough(new DecompressionStream('gzip'));
  return new Uint8Array(await new Response(body).arrayBuffer());
}

export function start() {
  if (typeof WebAssembly !== 'object' || typeof WebAssembly.instantiate !== 'function' ||
      typeof DecompressionStream !== 'function') {
    showStatus('このブラウザでは あそべません。あたらしい ブラウザで ひらいてください。\n' +
               'This browser is too old for the game (it needs WebAssembly).');
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
  window.Module = {
    page,
    instantiateWasm(imports, receive) {
      compiled.then((module) => WebAssembly.instantiate(module, imports))
        .then((instance) => receive(instance), failed);
      return {};
    },
    preRun: [() => {
      window.Module.addRunDependency('resources');
      resources.then((bytes) => {
        page.resources = bytes;
        window.Module.removeRunDependency('resources');
      }, () => {});
    }],
    onRuntimeInitialized() {
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
  script.onerror = () => failed('mubmub.js');
  document.body.appendChild(script);
  // The first layout (with its Japanese font) takes a while: after the
  // program's downloads have been started.
  layout();

  if ('serviceWorker' in navigator && location.protocol !== 'file:') {
    window.addEventListener('load', () => {
      navigator.serviceWorker.register('sw.js').catch((e) => console.warn('no offline play:', e.message));
    });
  }
}
