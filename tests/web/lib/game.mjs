// Playing the page from a test: starting it, waiting on the game's state,
// pressing where the game's pixels are, and comparing the canvas with the
// native simulator's screenshot.
import { execFile } from 'node:child_process';
import { readFile, mkdtemp, rm, writeFile } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { promisify } from 'node:util';
import { openPage, until } from './browser.mjs';

export const DIALOG = 'ゲームを選択して下さい';
// Scenes (main_key) the tests wait for.
export const SCENE = { title: 0, story: 2, shootingTitle: 5, shooting: 9, whackTitle: 13, whack: 17 };
// The dialog's three buttons, centres in game pixels (dialog 101 on the
// 592 x 543 client area): the story, the shooting game, the whack game.
export const DIALOG_BUTTONS = [{ x: 261, y: 197 }, { x: 261, y: 317 }, { x: 261, y: 437 }];

// A phone held upright, played by touch only.
export const PHONE = { width: 390, height: 844, touch: true, deviceScaleFactor: 3 };

export const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// Waits until the page has drawn `count` more frames: after two, what the
// page does each frame (its resize handling, its pad polling) has run.
export const frames = (page, count) => page.evaluate((n) => new Promise((resolve) => {
  const next = (left) => (left ? requestAnimationFrame(() => next(left - 1)) : resolve());
  next(n);
}), count);

// The Japanese edition unless a query names one: the browser's own language
// (English in a headless Chromium) would choose English.
export function withLang(query = '') {
  if (/[?&]lang=/.test(query)) return query;
  return (query ? `${query}&` : '?') + 'lang=ja';
}

// A game controller the page polls, plugged in as the page loads: buttons
// set by the test.
export async function fakePad(page) {
  await page.evaluateOnNewDocument(() => {
    const buttons = Array.from({ length: 17 }, () => ({ pressed: false, touched: false, value: 0 }));
    window.fakePad = { index: 0, id: 'fake', connected: true, mapping: 'standard', buttons, axes: [0, 0, 0, 0] };
    navigator.getGamepads = () => [window.fakePad];
    // As the browser tells of a pad once a button of it is pressed.
    window.addEventListener('load', () => window.dispatchEvent(new Event('gamepadconnected')));
  });
  const set = (button, down) => page.evaluate((b, d) => {
    Object.assign(window.fakePad.buttons[b], { pressed: d, touched: d, value: d ? 1 : 0 });
  }, button, down);
  // The page polls the pad once a frame, and a busy machine's frames come
  // slowly: a press lasts until the page has drawn two, as does the release.
  return {
    set,
    press: async (button) => {
      await set(button, true);
      await frames(page, 2);
      await set(button, false);
      await frames(page, 2);
    },
  };
}

export const PAD = { A: 0, LB: 4, RB: 5, RT: 7, Back: 8, Down: 13, Right: 15 };

// A tab on the site, once the program draws; options.pad: with a fake game
// controller plugged in (page.pad).
export async function startGame(browser, url, options = {}) {
  const page = await openPage(browser, options);
  if (options.pad) page.pad = await fakePad(page);
  await page.goto(url + withLang(options.query));
  await until(page, () => window.mubmub.frames > 0);
  return page;
}

export const state = (page, name, index = 0) => page.evaluate((n, i) => window.mubmub.global(n, i), name, index);
export const info = (page) => page.evaluate(() => {
  const { ticks, frames, modal, quit, error } = window.mubmub;
  return { ticks, frames, modal, quit, error };
});

export function untilState(page, name, value, timeout) {
  return until(page, ([n, v]) => window.mubmub.global(n) === v, [name, value], timeout);
}
export function untilModal(page, caption, timeout) {
  return until(page, (c) => window.mubmub.modal === c, caption, timeout);
}
// Does something, then waits until the game took it: a box opened or
// closed, or three more ticks ran (no tick runs while a box is open).
export async function step(page, action) {
  const before = await page.evaluate(() => ({ ticks: window.mubmub.ticks, modal: window.mubmub.modal }));
  await action();
  await until(page, (b) => window.mubmub.modal !== b.modal || window.mubmub.ticks >= b.ticks + 3, before);
}

// Waits until `count` more ticks have been handled.
export async function ticks(page, count) {
  const from = (await info(page)).ticks;
  await until(page, (t) => window.mubmub.ticks >= t, from + count);
}

// Where a game pixel is on the page, in CSS pixels. The canvas may draw the
// picture enlarged: the game's own size is that of mubmub.pixels().
export function pagePoint(page, x, y) {
  return page.evaluate((gx, gy) => {
    const r = document.getElementById('screen').getBoundingClientRect();
    const { width, height } = window.mubmub.pixels();
    return { x: r.left + ((gx + 0.5) * r.width) / width, y: r.top + ((gy + 0.5) * r.height) / height };
  }, x, y);
}

export const rectOf = (page, selector) => page.evaluate((s) => {
  const r = document.querySelector(s).getBoundingClientRect();
  return { left: r.left, top: r.top, right: r.right, bottom: r.bottom, width: r.width, height: r.height };
}, selector);

// Several fingers through DevTools: each step lists the fingers down after
// it. Chromium takes a touchStart's points as those now down, and a
// touchEnd's as those lifted.
export async function touches(page, steps) {
  const cdp = await page.target().createCDPSession();
  const point = (f) => ({ x: f.x, y: f.y, id: f.id });
  let down = [];
  for (const { fingers, pause = 80 } of steps) {
    const lifted = down.filter((d) => !fingers.some((f) => f.id === d.id));
    if (lifted.length) await cdp.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: lifted.map(point) });
    if (fingers.some((f) => !down.some((d) => d.id === f.id))) {
      await cdp.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: fingers.map(point) });
    }
    down = fingers;
    await sleep(pause);
  }
  await cdp.detach();
}

// Waits until the touch bar shows the group of a scene (touch.js): mouse,
// holes, next or answers. The bar follows the game a frame later.
export function untilBar(page, mode) {
  return until(page, (m) => document.getElementById('touchbar').dataset.mode === m, mode);
}

// The centre of a button of the touch bar.
export async function barButton(page, selector) {
  const r = await rectOf(page, `#touchbar ${selector}`);
  return { x: (r.left + r.right) / 2, y: (r.top + r.bottom) / 2 };
}

// The native simulator's screenshot after a script, in an edition.
export async function simScreenshot(sim, script, ticks, lang = 'ja') {
  const dir = await mkdtemp(join(tmpdir(), 'mubmub-shot-'));
  try {
    await writeFile(join(dir, 'in.script'), script);
    await promisify(execFile)(sim, ['--ticks', String(ticks), '--script', join(dir, 'in.script'),
      '--screenshot', join(dir, 'shot.png'), '--lang', lang]);
    return await readFile(join(dir, 'shot.png'));
  } finally {
    await rm(dir, { recursive: true, force: true });
  }
}

// How many of the canvas's pixels differ from a PNG (decoded by the browser,
// from its bytes: the page's policy allows no data: pictures).
export function pixelsDifferentFrom(page, png) {
  return page.evaluate(async (b64) => {
    const bytes = Uint8Array.from(atob(b64), (c) => c.charCodeAt(0));
    const image = await createImageBitmap(new Blob([bytes], { type: 'image/png' }));
    const screen = window.mubmub.pixels();
    if (image.width !== screen.width || image.height !== screen.height) return Infinity;
    const ref = new OffscreenCanvas(image.width, image.height).getContext('2d');
    ref.drawImage(image, 0, 0);
    const a = ref.getImageData(0, 0, image.width, image.height).data;
    const b = screen.data;
    let differ = 0;
    for (let i = 0; i < a.length; i += 4) {
      if (a[i] !== b[i] || a[i + 1] !== b[i + 1] || a[i + 2] !== b[i + 2]) differ++;
    }
    return differ;
  }, png.toString('base64'));
}

// How many of the game's pixels the page shows otherwise than a PNG: a
// screenshot of the canvas (shown at a whole multiple), each game pixel read
// in the middle of its block. What reaches the screen, not only the canvas.
export async function shownDifferentFrom(page, png) {
  const r = await rectOf(page, '#screen');
  const shot = await page.screenshot({ clip: { x: r.left, y: r.top, width: r.width, height: r.height }, encoding: 'base64' });
  return page.evaluate(async (wantPng, shownPng) => {
    const decode = async (b64) => {
      const bytes = Uint8Array.from(atob(b64), (c) => c.charCodeAt(0));
      const image = await createImageBitmap(new Blob([bytes], { type: 'image/png' }));
      const ctx = new OffscreenCanvas(image.width, image.height).getContext('2d');
      ctx.drawImage(image, 0, 0);
      return ctx.getImageData(0, 0, image.width, image.height);
    };
    const want = await decode(wantPng), shown = await decode(shownPng);
    const k = shown.width / want.width;
    let differ = 0;
    for (let y = 0; y < want.height; y++) {
      for (let x = 0; x < want.width; x++) {
        const i = (y * want.width + x) * 4;
        const j = (Math.floor((y + 0.5) * k) * shown.width + Math.floor((x + 0.5) * k)) * 4;
        if (want.data[i] !== shown.data[j] || want.data[i + 1] !== shown.data[j + 1] || want.data[i + 2] !== shown.data[j + 2]) differ++;
      }
    }
    return differ;
  }, png.toString('base64'), shot);
}

// Has the page take a cheap fingerprint of its picture as each of `ticks`
// ends, into window.fingerprints (tick: fingerprint). Taken in the page from
// its start, since a busy machine's test may look only long after. Call
// before the page loads: it sees window.Module being set.
export function fingerprintsAt(page, ticks) {
  return page.evaluateOnNewDocument((at) => {
    window.fingerprints = {};
    let module;
    Object.defineProperty(window, 'Module', {
      configurable: true,
      get: () => module,
      set(m) {
        module = m;
        if (!m || !m.page || m.page.fingerprinted) return;  // the runtime sets it again
        m.page.fingerprinted = true;
        const { tick } = m.page;
        m.page.tick = () => {
          tick();
          const t = window.mubmub.ticks;
          if (!at.includes(t)) return;
          const d = window.mubmub.pixels().data;
          let h = 0;
          for (let i = 0; i < d.length; i += 7) h = (h * 31 + d[i]) | 0;
          window.fingerprints[t] = h;
        };
      },
    });
  }, ticks);
}

// Counts the hearts in flight from now on (window.heartsSeen): after each
// tick, and each time the program asks for input, which it does right after
// handling a press. A heart can be gone within its first tick (a crab's shot
// meets it, or hits the player), so ticks alone may never see it. Keeps the
// mouse buttons the program took (window.buttonsTaken), for a test that
// fails to say what the game saw.
export async function watchHearts(page) {
  await page.evaluate(() => {
    window.heartsSeen = 0;
    window.buttonsTaken = [];
    const look = () => {
      for (let i = 0; i < 4; i++) if (window.mubmub.global('bl_key', i)) window.heartsSeen++;
    };
    const { tick, takeEvent } = window.Module.page;
    window.Module.page.tick = () => {
      tick();
      look();
    };
    window.Module.page.takeEvent = () => {
      look();
      const ev = takeEvent();
      if (ev && ev.type !== 'MouseMove' && ev.button !== undefined) {
        window.buttonsTaken.push(`${ev.type} ${ev.button} at ${Math.round(ev.time)} ms, tick ${window.mubmub.ticks}`);
      }
      return ev;
    };
  });
}
export const heartsSeen = (page) => page.evaluate(() => window.heartsSeen);

// Two thumbs in the shooting game, at the page points right and left: a
// touch on the right steps right, one on the left steps left, and the right
// held with a tap on the left steps left and fires.
export async function thumbsStepAndFire(page, right, left) {
  await watchHearts(page);
  const x0 = await state(page, 'mub_pl_x');
  await touches(page, [{ fingers: [{ ...right, id: 1 }] }, { fingers: [] }]);
  await untilState(page, 'mub_pl_x', x0 + 40);
  await sleep(550);  // a second press of one button within 500 ms would be a double click
  await touches(page, [{ fingers: [{ ...left, id: 1 }] }, { fingers: [] }]);
  await untilState(page, 'mub_pl_x', x0);
  if (await heartsSeen(page)) throw new Error('a step fired a heart');
  await sleep(550);
  await touches(page, [
    { fingers: [{ ...right, id: 1 }] },
    { fingers: [{ ...right, id: 1 }, { ...left, id: 2 }] },
    { fingers: [{ ...right, id: 1 }] },
    { fingers: [] },
  ]);
  await until(page, () => window.heartsSeen > 0).catch(async (e) => {
    const seen = await page.evaluate(() => ({
      taken: window.buttonsTaken, x: window.mubmub.global('mub_pl_x'), scene: window.mubmub.global('main_key'),
      hits: window.mubmub.global('mub_entask_no'), modal: window.mubmub.modal,
    }));
    throw new Error(`no heart after two thumbs: ${JSON.stringify(seen)} (${e.message})`);
  });
}
