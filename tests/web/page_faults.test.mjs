// The page when things go wrong, in headless Chromium, with the server
// misbehaving on purpose: every failure to start ends in the message with a
// retry, and the retry plays once the server mends; a poisoned first visit is
// not kept; unreadable resources are told; two builds on one origin keep
// their own offline copies; a made-up pointer stops nothing; and the page
// runs under its Content Security Policy.
//   MUB_WEB_SITE=build-web/site MUB_SIM=build/mubmub-sim node tests/web/page_faults.test.mjs
// Exits with 77 (a skip for ctest) when Chromium or the npm packages are missing.
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { gunzipSync, gzipSync } from 'node:zlib';
import { lib, site } from './lib/prelude.mjs';

const { test, before, after } = await import('node:test');
const { CSP, TYPES, serveSite } = await import('./lib/server.mjs');
const g = await import('./lib/game.mjs');
const { launch, until } = lib;

let browser;
before(async () => { browser = await launch(); });
after(async () => { await browser?.close(); });

const LOADING = 'よみこみ中…';
const DOWNLOAD_FAILED = /could not be downloaded/;
const STALL_BOUND = 40000;  // the page gives up on a stalled download after 15 s

// Waits until the page says something other than that it loads: its words,
// and whether it offers to try again.
async function message(page, timeout) {
  await until(page, (loading) => !document.getElementById('status').hidden &&
    document.getElementById('status-text').textContent !== loading, LOADING, timeout);
  return page.evaluate(() => ({
    text: document.getElementById('status-text').textContent,
    retry: !document.getElementById('status-action').hidden,
  }));
}

// Waits for fn() in this process to hold, or fails saying what did not happen.
async function waitFor(fn, what, timeout = 20000) {
  for (const end = Date.now() + timeout; !fn(); await g.sleep(50)) {
    if (Date.now() > end) throw new Error(`timed out: ${what}`);
  }
}

const retry = (page) => Promise.all([page.waitForNavigation({ timeout: 30000 }), page.click('#status-action')]);
const typeOf = (file) => TYPES[file.slice(file.lastIndexOf('.'))];
const half = (body) => body.subarray(0, body.length >> 1);
const SIGN_IN = Buffer.from('<!doctype html><title>Sign in</title><p>Sign in to use this network.</p>');

// A file answered in its own way; stall: half of it, then nothing more.
function answer(res, file, body, { type = typeOf(file), cache = 'no-cache', stall = false } = {}) {
  if (stall) {
    res.writeHead(200, { 'Content-Type': type, 'Content-Length': body.length });
    res.write(half(body));
    return;
  }
  res.writeHead(200, { 'Content-Type': type, 'Cache-Control': cache });
  res.end(body);
}

test('every failure to start ends in the message with a retry, and the retry plays once the server mends', async () => {
  const cases = [
    { name: 'the program is missing', file: '/mubmub.wasm', missing: true },
    { name: 'the resources are missing', file: '/mubmub.res.gz', missing: true },
    { name: 'the runtime is missing', file: '/mubmub.js', missing: true },
    { name: 'the page\'s script is missing', file: '/page.js', missing: true },
    { name: 'half the runtime', file: '/mubmub.js', body: half },
    { name: 'a sign-in page as the runtime', file: '/mubmub.js', body: () => SIGN_IN, type: 'text/html' },
    { name: 'half the page\'s script', file: '/page.js', body: half },
    { name: 'half a module of the page', file: '/loader.js', body: half },
    { name: 'the program stops half way', file: '/mubmub.wasm', stall: true },
    { name: 'the page\'s script stops half way', file: '/page.js', stall: true },
  ];
  // Each case on its own server: broken until the page gave up, then mended.
  const open = async (c) => {
    const state = { broken: true };
    const server = await serveSite(site, {
      fail: (path) => state.broken && c.missing && path === c.file,
      handle: ({ file, body, res }) => {
        if (!state.broken || c.missing || file !== c.file) return false;
        answer(res, file, c.body ? c.body(body) : body, c);
        return true;
      },
    });
    const page = await lib.openPage(browser);
    page.goto(server.url + g.withLang()).catch(() => {});  // a stalled script holds the load event back
    return { c, state, server, page };
  };
  const check = async ({ c, state, server, page }) => {
    try {
      const said = await message(page, STALL_BOUND);
      assert.match(said.text, DOWNLOAD_FAILED, c.name);
      assert.ok(said.retry, `${c.name}: no retry offered`);
      state.broken = false;
      // Only the front tab plays (the clocks of the others stand still).
      await page.bringToFront();
      await retry(page);
      await g.untilModal(page, g.DIALOG);
    } catch (e) {
      e.message = `${c.name}: ${e.message}`;
      throw e;
    } finally {
      await page.close();
      await server.close();
    }
  };
  // The stalls take their time, together; then the others one by one.
  const stalled = await Promise.all(cases.filter((c) => c.stall).map(open));
  await Promise.all(stalled.map((s) => message(s.page, STALL_BOUND)));
  for (const s of stalled) await check(s);
  for (const c of cases.filter((x) => !x.stall)) await check(await open(c));
  // No WebAssembly: said in words, with nothing to retry.
  const server = await serveSite(site);
  const page = await lib.openPage(browser);
  await page.evaluateOnNewDocument(() => { delete window.WebAssembly; });
  await page.goto(server.url + g.withLang());
  const said = await message(page);
  assert.match(said.text, /WebAssembly/);
  assert.equal(said.retry, false);
  await page.close();
  await server.close();
});

test('a poisoned first visit is not kept: after the server mends, the retry, reloads and offline play all work', async () => {
  const cases = [
    { name: 'a sign-in page as the program', file: '/mubmub.wasm', body: () => SIGN_IN, type: 'text/html' },
    { name: 'half the runtime', file: '/mubmub.js', body: half },
    { name: 'an empty gzip as the resources', file: '/mubmub.res.gz', body: () => gzipSync(Buffer.alloc(0)) },
  ];
  for (const c of cases) {
    // Poisoned, and for a day in every cache, until the service worker has
    // fetched the file for its offline copy (a request that asks for no
    // cached copy) and got the poison too.
    let poisoned = true;
    const server = await serveSite(site, {
      handle: ({ file, body, req, res }) => {
        if (!poisoned || file !== c.file) return false;
        if (/no-cache/.test(req.headers['cache-control'] || '')) poisoned = false;
        answer(res, file, c.body(body), { ...c, cache: 'max-age=86400' });
        return true;
      },
    });
    const page = await lib.openPage(browser);
    try {
      await page.goto(server.url + g.withLang());
      assert.match((await message(page)).text, DOWNLOAD_FAILED, c.name);
      await waitFor(() => !poisoned, `${c.name}: the service worker never fetched ${c.file}`);
      await retry(page);
      await g.untilModal(page, g.DIALOG);
      for (let i = 0; i < 2; i++) {
        await page.reload();
        await g.untilModal(page, g.DIALOG);
      }
      await until(page, async () => (await navigator.serviceWorker.ready) && navigator.serviceWorker.controller !== null);
      await server.close();
      await page.setOfflineMode(true);
      await page.reload();
      await g.untilModal(page, g.DIALOG);
    } catch (e) {
      e.message = `${c.name}: ${e.message}`;
      throw e;
    } finally {
      await page.close();
      await server.close();
    }
  }
});

// The resources with the first dialog's item count set.
function withDialogItems(res, count) {
  const out = Buffer.from(res);
  for (let pos = 0; pos + 8 <= out.length;) {
    const dataSize = out.readUInt32LE(pos), headerSize = out.readUInt32LE(pos + 4);
    const type = out.readUInt16LE(pos + 8) === 0xFFFF ? out.readUInt16LE(pos + 10) : -1;
    if (type === 5) {
      const at = pos + headerSize;
      const extended = out.readUInt32LE(at) === 0xFFFF0001;
      out.writeUInt16LE(count, at + (extended ? 16 : 8));
      return out;
    }
    pos = (pos + headerSize + dataSize + 3) & ~3;
  }
  throw new Error('no dialog in the resources');
}

test('unreadable resources are told as a failed download', async () => {
  const res = gunzipSync(readFileSync(`${site}/mubmub.res.gz`));
  let seed = 1;
  const random = Buffer.alloc(100000, 0).map(() => (seed = (seed * 1103515245 + 12345) >>> 0) >>> 24);
  const badHeader = Buffer.from(res);
  badHeader.writeUInt32LE(31, 4);  // a header one byte shorter than its own fields
  const cases = [
    { name: 'empty', bytes: Buffer.alloc(0) },
    { name: 'random bytes', bytes: random },
    { name: 'zeros', bytes: Buffer.alloc(res.length) },
    { name: 'a bad first header', bytes: badHeader },
    { name: 'a dialog of 65535 items', bytes: withDialogItems(res, 65535) },
    { name: 'cut by one byte', bytes: res.subarray(0, res.length - 1) },
  ];
  for (const c of cases) {
    const server = await serveSite(site, {
      handle: ({ file, res: out }) => {
        if (file !== '/mubmub.res.gz') return false;
        answer(out, file, gzipSync(c.bytes));
        return true;
      },
    });
    const page = await lib.openPage(browser);
    await page.goto(server.url + g.withLang());
    const said = await message(page);
    assert.match(said.text, DOWNLOAD_FAILED, c.name);
    assert.ok(said.retry, c.name);
    await page.close();
    await server.close();
  }
});

test('two builds on one origin keep their own offline copies; a new build replaces only its own', async () => {
  // /stable/ and /beta/ serve the same files under two builds' names.
  const builds = { '/stable/': '5000000000000001', '/beta/': 'b000000000000001' };
  const server = await serveSite(site, {
    scopes: Object.keys(builds),
    handle: ({ path, file, body, res }) => {
      if (file !== '/sw.js') return false;
      const scope = Object.keys(builds).find((s) => path.startsWith(s));
      answer(res, file, Buffer.from(String(body).replace(/const VERSION = '\w+'/, `const VERSION = '${builds[scope]}'`)));
      return true;
    },
  });
  // A service worker installs by downloading the whole site: slow on a
  // machine busy with other browsers.
  const SW_BOUND = 90000;
  const controlled = (page) => until(page,
    async () => (await navigator.serviceWorker.ready) && navigator.serviceWorker.controller !== null, null, SW_BOUND);
  const cacheNames = (page) => page.evaluate(async () => (await caches.keys()).sort());
  const open = async (scope) => {
    const page = await lib.openPage(browser);
    await page.goto(server.url + scope.slice(1) + g.withLang());
    await controlled(page);
    return page;
  };
  let stable = await open('/stable/');
  const beta = await open('/beta/');
  const name = (scope) => `mubmub ${server.url}${scope.slice(1)} ${builds[scope]}`;
  assert.deepEqual(await cacheNames(beta), [name('/beta/'), name('/stable/')].sort());

  // A new stable build takes over once its old page is closed, and deletes
  // the old stable copy only.
  const old = name('/stable/');
  builds['/stable/'] = '5000000000000002';
  await stable.evaluate(async () => (await navigator.serviceWorker.getRegistration()).update());
  await until(stable, async () => (await navigator.serviceWorker.getRegistration()).waiting !== null, null, SW_BOUND);
  await stable.close();
  // The browser lets go of a closed page's client a moment later; a page
  // opened before that would get the old build again, and keep it.
  await until(beta, async (scope) => (await navigator.serviceWorker.getRegistration(scope)).waiting === null,
    `${server.url}stable/`, SW_BOUND);
  stable = await open('/stable/');
  await until(stable, async (gone) => !(await caches.keys()).includes(gone), old, SW_BOUND);
  assert.deepEqual(await cacheNames(stable), [name('/beta/'), name('/stable/')].sort());

  await server.close();
  for (const page of [stable, beta]) {
    await page.setOfflineMode(true);
    await page.reload();
    await g.untilModal(page, g.DIALOG);
    await page.close();
  }
});

test('made-up pointers with unknown ids press nothing and stop nothing; the player\'s own still play', async () => {
  const server = await serveSite(site);
  const page = await g.startGame(browser, server.url, { query: '?touch=1' });
  await g.untilModal(page, g.DIALOG);
  await page.evaluate(() => {
    const targets = ['#screen', '#touchbar [data-mouse="0"]', '#touchbar [data-key="z"]'];
    for (const selector of targets) {
      for (const pointerId of [4711, 4712]) {
        document.querySelector(selector).dispatchEvent(new PointerEvent('pointerdown', {
          pointerId, pointerType: 'touch', isPrimary: true, bubbles: true, cancelable: true, clientX: 20, clientY: 20,
        }));
      }
    }
  });
  assert.deepEqual(await page.evaluate(() => [window.mubmub.error, document.getElementById('status').hidden]),
    [null, true]);
  // A click, then a tap: a made-up touch must not stand for the finger.
  const story = await g.pagePoint(page, g.DIALOG_BUTTONS[0].x, g.DIALOG_BUTTONS[0].y);
  await page.mouse.click(story.x, story.y);
  await g.untilState(page, 'story_page', 1);
  await page.touchscreen.tap(story.x, story.y);
  await until(page, () => window.mubmub.global('story_page') > 1);
  assert.deepEqual(page.errors, []);
  await page.close();
  await server.close();
});

test('the page runs under its Content Security Policy, which refuses an inline script', async () => {
  const server = await serveSite(site);
  const page = await lib.openPage(browser);
  await page.evaluateOnNewDocument(() => {
    window.violations = [];
    document.addEventListener('securitypolicyviolation', (e) => window.violations.push(e.effectiveDirective));
  });
  await page.goto(server.url + g.withLang());
  await until(page, () => window.mubmub.frames > 0);
  assert.equal(await page.$eval('meta[http-equiv="Content-Security-Policy"]', (m) => m.content), CSP);
  await g.untilModal(page, g.DIALOG);
  await page.keyboard.press('Enter');
  await g.untilState(page, 'story_page', 1);
  assert.deepEqual(await page.evaluate(() => window.violations), []);
  assert.deepEqual(page.errors, []);
  const ran = await page.evaluate(() => {
    const s = document.createElement('script');
    s.textContent = 'window.inlineRan = true;';
    document.body.append(s);
    return window.inlineRan === true;
  });
  assert.equal(ran, false, 'an inline script ran');
  // One report for each copy of the policy: the page's and the server's.
  const refused = await page.evaluate(() => window.violations);
  assert.ok(refused.length > 0 && refused.every((d) => d === 'script-src-elem'), refused.join());
  await page.close();
  await server.close();
});
