// The page around the game. It starts the program (mubmub.js), and is the
// host's other half (Module.page, called through host_library.js): it keeps
// the program's clock, queues the player's input as host events, wakes the
// program's waits, and draws its frames. It also scales the canvas, shows the
// touch bar on touch devices, and says so when something goes wrong.
'use strict';
(function () {
  const canvas = document.getElementById('screen');
  const ctx = canvas.getContext('2d', { alpha: false });
  const stage = document.getElementById('stage');
  const statusBox = document.getElementById('status');
  const statusText = document.getElementById('status-text');
  const statusAction = document.getElementById('status-action');
  const touchbar = document.getElementById('touchbar');
  const body = document.body;
  const params = new URLSearchParams(location.search);

  // What the page's tests and benchmarks read; set tickTimes to an array to
  // have the time of every tick pushed to it.
  const info = {
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
  };
  window.mubmub = info;

  // --- Messages over the stage (loading, failures, the end) -----------------
  function showStatus(text, actionLabel, action) {
    statusText.textContent = text;
    statusAction.hidden = !actionLabel;
    statusAction.textContent = actionLabel || '';
    statusAction.onclick = action || null;
    statusBox.hidden = false;
  }
  const reload = () => location.reload();

  // --- The clock: page time less the time spent hidden ----------------------
  // Hidden pages get their timers throttled; the game pauses instead, and
  // since no time passes for it, no ticks are caught up afterwards.
  const origin = performance.now();
  let hiddenTotal = 0;
  let hiddenSince = document.hidden ? origin : null;
  function now() {
    const t = performance.now();
    return t - origin - hiddenTotal - (hiddenSince === null ? 0 : t - hiddenSince);
  }

  // --- Input events and the program's wait ----------------------------------
  const queue = [];
  let wakeWaiter = null;
  let accepting = false;  // from the program's start to its end
  let placeable = false;  // the program's rules can be asked (once its WebAssembly is there)

  function wake() {
    if (!wakeWaiter) return;
    const w = wakeWaiter;
    wakeWaiter = null;
    w();
  }

  function push(ev) {
    if (!accepting) return;
    ev.time = now();
    const last = queue[queue.length - 1];
    if (ev.type === 'MouseMove' && last && last.type === 'MouseMove') queue[queue.length - 1] = ev;  // only the latest place
    else queue.push(ev);
    wake();
  }

  // Resolves at the deadline (page clock), at the next input, or when the
  // page is shown again. A hidden page sets no timer: its clock stands still.
  function wait(deadline) {
    return new Promise((resolve) => {
      if (queue.length) { resolve(); return; }
      let timer = null;
      wakeWaiter = () => { if (timer !== null) clearTimeout(timer); resolve(); };
      // Rounded up: a timer that fired a fraction early would only be set
      // again, and browsers delay short timers that are set again and again.
      if (!document.hidden && deadline !== Infinity) timer = setTimeout(wake, Math.max(0, Math.ceil(deadline - now())));
    });
  }

  document.addEventListener('visibilitychange', () => {
    const t = performance.now();
    if (document.hidden) {
      if (hiddenSince === null) hiddenSince = t;
      releaseAll();  // a finger lifted while hidden would never be seen
    } else if (hiddenSince !== null) {
      hiddenTotal += t - hiddenSince;
      hiddenSince = null;
    }
    wake();
  });

  // --- Buttons held: the mouse, fingers on the canvas, L and R of the bar ----
  // Each button goes down with its first holder and up with its last, so two
  // ways of holding the left button never send two presses.
  const holders = [new Map(), new Map()];  // button -> holder -> where it acts
  function hold(button, holder, x, y) {
    const h = holders[button];
    if (h.has(holder)) return;
    h.set(holder, { x, y });
    if (h.size === 1) push({ type: 'MouseDown', button, x, y });
  }
  function release(button, holder, x, y) {
    const h = holders[button];
    const at = h.get(holder);
    if (!at) return;
    h.delete(holder);
    if (h.size === 0) push({ type: 'MouseUp', button, x: x ?? at.x, y: y ?? at.y });
  }
  function releaseAll() {
    for (const b of [0, 1]) for (const holder of [...holders[b].keys()]) release(b, holder);
    for (const button of heldKeys) keyUp(button);
    for (const button of touchbar.querySelectorAll('button.pressed')) button.classList.remove('pressed');
    canvasTouch = null;
  }
  window.addEventListener('blur', releaseAll);

  // --- The canvas: mouse, pen and touch through Pointer Events ---------------
  // The client pixel under the pointer by the program's own rule
  // (platform/host/common/viewport.h): null for a press that does not count.
  function gamePoint(e, press) {
    if (!placeable) return null;
    const r = canvas.getBoundingClientRect();
    const at = window.Module._mub_web_to_picture(e.clientX - r.left, e.clientY - r.top, Math.round(r.width),
      Math.round(r.height), canvas.width, canvas.height, press ? 1 : 0);
    return at < 0 ? null : { x: at & 0x7FFF, y: at >> 15 };
  }

  let canvasTouch = null;  // the one touch or pen contact that is the left button
  function onCanvasPointer(e) {
    const p = gamePoint(e, e.type === 'pointerdown');
    if (!p) return;
    let mask;  // as PointerEvent.buttons: 1 the left button, 2 the right one
    if (e.pointerType === 'mouse') {
      // A second mouse button pressed while one is held comes as a move with
      // new buttons, so every event compares what is held.
      mask = e.type === 'pointercancel' ? 0 : e.buttons & 3;
    } else {
      if (e.type === 'pointerdown' && canvasTouch === null) canvasTouch = e.pointerId;
      if (e.pointerId !== canvasTouch) return;
      mask = e.type === 'pointerup' || e.type === 'pointercancel' ? 0 : 1;
      if (mask === 0) canvasTouch = null;
      if (e.pointerType === 'touch') showTouchBar();
    }
    if (e.type === 'pointerdown') {
      e.preventDefault();
      canvas.setPointerCapture(e.pointerId);
    }
    if (e.type === 'pointermove') push({ type: 'MouseMove', x: p.x, y: p.y });
    const holder = 'canvas' + e.pointerId;
    for (const [bit, button] of [[1, 0], [2, 1]]) {
      if (mask & bit) hold(button, holder, p.x, p.y);
      else release(button, holder, p.x, p.y);
    }
  }
  for (const type of ['pointerdown', 'pointermove', 'pointerup', 'pointercancel']) {
    canvas.addEventListener(type, onCanvasPointer);
  }
  for (const el of [canvas, touchbar]) el.addEventListener('contextmenu', (e) => e.preventDefault());

  // --- The keyboard ------------------------------------------------------------
  // A host key event for a key (KeyboardEvent.code and .key), named by the
  // program's own rule (platform/host/common/keys.h), or null for keys the
  // game never sees.
  function keyEvent(type, code, key, repeat, alt) {
    if (!placeable) return null;
    const m = window.Module;
    const codeText = m.allocateUTF8(code), keyText = m.allocateUTF8(key);
    const k = m._mub_web_keystroke(codeText, keyText, type === 'KeyDown' ? 1 : 0);
    m._free(codeText);
    m._free(keyText);
    return k ? { type, vk: k & 0xFF, ch: k >> 8, repeat, alt } : null;
  }
  function onKey(e) {
    if (e.ctrlKey || e.metaKey || e.isComposing) return;  // the browser's own shortcuts
    if (e.altKey && e.key === 'Enter') {
      e.preventDefault();
      if (e.type === 'keydown' && !e.repeat) toggleFullscreen();
      return;
    }
    const ev = keyEvent(e.type === 'keydown' ? 'KeyDown' : 'KeyUp', e.code, e.key, e.repeat, e.altKey);
    if (!ev || !accepting) return;  // once the program ended, Enter presses "play again"
    e.preventDefault();  // no scrolling, no focus moves, no buttons pressed by Enter or Space
    push(ev);
  }
  window.addEventListener('keydown', onKey, true);
  window.addEventListener('keyup', onKey, true);

  // --- The touch bar -------------------------------------------------------------
  // L and R are the mouse buttons, held while touched (multi-touch: hold one,
  // tap the other); the other buttons are keys. Presses on the bar act at a
  // corner of the client area, where no box has a button.
  const heldKeys = new Set();  // bar buttons held, each naming its key as the keyboard does
  function keyDown(button) {
    heldKeys.add(button);
    const ev = keyEvent('KeyDown', button.dataset.code, button.dataset.key, false, false);
    if (ev) push(ev);
  }
  function keyUp(button) {
    if (!heldKeys.delete(button)) return;
    const ev = keyEvent('KeyUp', button.dataset.code, button.dataset.key, false, false);
    if (ev) push(ev);
  }
  for (const button of touchbar.querySelectorAll('button')) {
    const contacts = new Set();
    const mouse = button.dataset.mouse === undefined ? null : Number(button.dataset.mouse);
    button.addEventListener('pointerdown', (e) => {
      e.preventDefault();
      button.setPointerCapture(e.pointerId);
      contacts.add(e.pointerId);
      if (contacts.size > 1) return;
      button.classList.add('pressed');
      if (mouse !== null) hold(mouse, button, 0, 0);
      else keyDown(button);
    });
    const lift = (e) => {
      if (!contacts.delete(e.pointerId) || contacts.size > 0) return;
      button.classList.remove('pressed');
      if (mouse !== null) release(mouse, button);
      else keyUp(button);
    };
    for (const type of ['pointerup', 'pointercancel', 'lostpointercapture']) button.addEventListener(type, lift);
  }

  // --- Layout: whole multiples, else fit; the bar under or beside ---------------
  const coarse = window.matchMedia('(any-pointer: coarse)');
  let sawTouch = false;
  function touchWanted() {
    if (params.get('touch') === '1') return true;
    if (params.get('touch') === '0') return false;
    return sawTouch || coarse.matches;
  }
  function showTouchBar() {
    if (sawTouch) return;
    sawTouch = true;
    layout();
  }
  window.addEventListener('pointerdown', (e) => { if (e.pointerType === 'touch') showTouchBar(); }, true);

  const standalone = window.matchMedia('(display-mode: fullscreen), (display-mode: standalone)');
  const fullscreenElement = () => document.fullscreenElement || document.webkitFullscreenElement || null;
  const fullscreenEnabled = !!(document.fullscreenEnabled || document.webkitFullscreenEnabled);
  body.classList.toggle('no-fullscreen', !fullscreenEnabled);

  function layout() {
    const touch = touchWanted();
    body.classList.toggle('touch', touch);
    body.classList.toggle('bar-side', touch && window.innerWidth > window.innerHeight);
    body.classList.toggle('immersive', !!fullscreenElement() || standalone.matches);
    fitCanvas();
  }
  // The canvas is placed by the program's own rule, the desktop window's
  // (platform/host/common/viewport.h), once the program is there to ask; it
  // stays hidden until then. Smoothed only where the picture must lose
  // pixels (phones have two or three per CSS pixel).
  canvas.style.visibility = 'hidden';
  function fitCanvas() {
    if (!placeable) return;
    const p = window.Module._mub_web_place(stage.clientWidth, stage.clientHeight, canvas.width, canvas.height,
      window.devicePixelRatio);
    if (!(p & 0x7FFF)) return;
    canvas.style.width = `${p & 0x7FFF}px`;
    canvas.style.height = `${(p >> 15) & 0x7FFF}px`;
    canvas.classList.toggle('smooth', (p >> 30) !== 0);
    canvas.style.visibility = '';
  }
  window.addEventListener('resize', layout);
  document.addEventListener('fullscreenchange', layout);
  document.addEventListener('webkitfullscreenchange', layout);
  coarse.addEventListener('change', layout);
  new ResizeObserver(fitCanvas).observe(stage);

  function toggleFullscreen() {
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

  // --- The program's side (Module.page) ------------------------------------------
  const page = {
    now,
    wait,
    takeEvent: () => queue.shift() || null,
    present(rgba, width, height) {
      if (canvas.width !== width || canvas.height !== height) {
        canvas.width = width;
        canvas.height = height;
        fitCanvas();
      }
      ctx.putImageData(new ImageData(rgba, width, height), 0, 0);
      info.frames++;
      if (info.firstFrameAt === null) {
        info.firstFrameAt = performance.now();
        statusBox.hidden = true;
      }
    },
    setTitle(title) { document.title = title; },
    show() {},
    modal(caption) {
      info.modal = caption;
      if (caption !== null) info.modals.push({ caption, tick: info.ticks });
    },
    tick() {
      info.ticks++;
      if (info.tickTimes) info.tickTimes.push(performance.now());
    },
    quit(code) {
      info.quit = code;
      releaseAll();
      accepting = false;
      showStatus('おしまい', 'もういちど あそぶ', reload);
    },
  };

  function failed(message) {
    if (info.error) return;
    info.error = String(message);
    accepting = false;
    if (info.started) showStatus('エラーで とまりました。\nThe game stopped with an error.', 'もういちど', reload);
    else showStatus('ゲームを ダウンロードできませんでした。\nThe game could not be downloaded.', 'もういちど', reload);
  }
  window.addEventListener('error', (e) => { if (info.started) failed(e.message); });
  window.addEventListener('unhandledrejection', (e) => { if (info.started) failed(e.reason); });

  // --- The edition --------------------------------------------------------------
  // ?lang=ja|en, remembered for the next visit; else the one remembered; else
  // the browser's first language: Japanese for Japanese (and where none is
  // known), English for every other. The program is told with --lang.
  function chooseEdition() {
    const key = 'mubmub.lang';
    const asked = params.get('lang');
    try {
      if (asked === 'ja' || asked === 'en') {
        localStorage.setItem(key, asked);
        return asked;
      }
      const kept = localStorage.getItem(key);
      if (kept === 'ja' || kept === 'en') return kept;
    } catch (e) {
      // no storage (a private window may refuse it): choose afresh each visit
      if (asked === 'ja' || asked === 'en') return asked;
    }
    const first = (navigator.languages && navigator.languages[0]) || navigator.language || '';
    return first === '' || /^ja(-|$)/i.test(first) ? 'ja' : 'en';
  }

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

  function start() {
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
      arguments: ['--lang', chooseEdition()],
      page,
      instantiateWasm(imports, receive) {
        compiled.then((module) => WebAssembly.instantiate(module, imports))
          .then((instance) => {
            receive(instance);
            placeable = true;
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
      }],
      onRuntimeInitialized() {
        info.started = true;
        info.startedAt = performance.now();
        accepting = true;
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
  start();
})();
