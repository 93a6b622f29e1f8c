// The page in headless Chromium: the game starts and keeps time, mouse, keys
// and touch reach it, its story page equals the native simulator's picture,
// and the page copes with resizing, hiding, quitting and no network
// (page_faults.test.mjs: what goes wrong).
//   MUB_WEB_SITE=build-web/site MUB_SIM=build/mubmub-sim node tests/web/page.test.mjs
// Exits with 77 (a skip for ctest) when Chromium or the npm packages are missing.
import { execFile } from 'node:child_process';
import { promisify } from 'node:util';
import assert from 'node:assert/strict';
import { lib, site, sim } from './lib/prelude.mjs';
import { browser, server } from './lib/session.mjs';

const { test } = await import('node:test');
const { serveSite } = await import('./lib/server.mjs');
const g = await import('./lib/game.mjs');
const { until } = lib;

const { PHONE } = g;

// The dialog opens with no answer: the simulator names the tick it opened on.
async function simDialogTick() {
  const err = await promisify(execFile)(sim, ['--ticks', '200']).then(() => '', (e) => e.stderr);
  const m = /tick (\d+): the box "(.+)" opened with no answer queued/.exec(err);
  assert.ok(m, `the simulator did not report the dialog: ${err}`);
  return { ticksBefore: Number(m[1]) - 1, caption: m[2] };
}

test('the title animation plays and the dialog opens on the same tick as in the simulator', async () => {
  const page = await lib.openPage(browser);
  await g.fingerprintsAt(page, [10, 30]);
  await page.goto(server.url + g.withLang());
  await g.untilModal(page, g.DIALOG);
  const seen = await page.evaluate(() => window.fingerprints);
  assert.ok(seen[10] !== undefined && seen[30] !== undefined && seen[10] !== seen[30],
    `the title animation does not move: ${JSON.stringify(seen)}`);
  const expected = await simDialogTick();
  const opened = await page.evaluate(() => window.mubmub.modals[0]);
  assert.deepEqual(opened, { caption: expected.caption, tick: expected.ticksBefore });
  assert.equal(await page.title(), 'むぶむぶゲーム');
  assert.deepEqual(page.errors, []);
  await page.close();
});

// Story page 1 is still once drawn; the simulator's picture of it, long after.
const storyPage1 = () => g.simScreenshot(sim, '0 answer 1000\n', 100);

test('the keyboard chooses the story at twice the size: page 1 equals the simulator\'s picture', async () => {
  const page = await g.startGame(browser, server.url, { width: 1400, height: 1200, query: '?scale=integer' });
  const canvas = await g.rectOf(page, '#screen');
  assert.deepEqual([canvas.width, canvas.height], [592 * 2, 543 * 2]);
  await g.untilModal(page, g.DIALOG);
  await page.keyboard.press('Enter');  // the focused first button
  await g.untilState(page, 'story_page', 1);
  await g.ticks(page, 10);
  const expected = await storyPage1();
  assert.equal(await g.pixelsDifferentFrom(page, expected), 0);
  assert.equal(await g.shownDifferentFrom(page, expected), 0, 'the screen shows other pixels');
  assert.deepEqual(page.errors, []);
  await page.close();
});

test('on a phone a tap chooses the story, and the touch bar sits under the picture', async () => {
  const page = await g.startGame(browser, server.url, PHONE);
  const canvas = await g.rectOf(page, '#screen');
  const bar = await g.rectOf(page, '#touchbar');
  assert.equal(canvas.width, PHONE.width, 'the picture fits the width');
  assert.ok(bar.height > 0 && bar.top >= canvas.bottom, 'the bar is under the picture, not over it');
  await g.untilModal(page, g.DIALOG);
  const story = await g.pagePoint(page, g.DIALOG_BUTTONS[0].x, g.DIALOG_BUTTONS[0].y);
  await page.touchscreen.tap(story.x, story.y);
  await g.untilState(page, 'story_page', 1);
  await g.ticks(page, 10);
  assert.equal(await g.pixelsDifferentFrom(page, await storyPage1()), 0);
  assert.deepEqual(page.errors, []);
  await page.close();
});

// The edition: ?lang= (remembered), else what was remembered, else the
// browser's first language. The English story page 1 equals the simulator's.
test('the edition: ?lang=en draws the English story, is remembered, and ja and other languages choose as told', async () => {
  const own = await serveSite(site);  // an origin of its own: nothing remembered yet
  const titleFor = async (query, languages) => {
    const page = await lib.openPage(browser);
    if (languages) {
      await page.evaluateOnNewDocument((l) => {
        Object.defineProperty(navigator, 'languages', { get: () => l });
        Object.defineProperty(navigator, 'language', { get: () => l[0] });
      }, languages);
    }
    await page.goto(own.url + query);
    await until(page, () => document.title !== '' && window.mubmub.frames > 0);
    const title = await page.title();
    await page.close();
    return title;
  };
  assert.equal(await titleFor('', ['ja-JP', 'en']), 'むぶむぶゲーム');
  assert.equal(await titleFor('', ['de-DE', 'ja']), 'Mubmub Games');
  assert.equal(await titleFor('', ['en-US']), 'Mubmub Games');
  assert.equal(await titleFor('?lang=ja', ['en-US']), 'むぶむぶゲーム');
  assert.equal(await titleFor('', ['en-US']), 'むぶむぶゲーム', 'the choice is remembered');
  assert.equal(await titleFor('?lang=fr', ['en-US']), 'むぶむぶゲーム', 'an unknown edition changes nothing');

  const page = await lib.openPage(browser);
  await page.goto(own.url + '?lang=en');
  await until(page, () => window.mubmub.frames > 0);
  await g.untilModal(page, 'Choose your game');
  await page.keyboard.press('Enter');
  await g.untilState(page, 'story_page', 1);
  await g.ticks(page, 10);
  assert.equal(await g.pixelsDifferentFrom(page, await g.simScreenshot(sim, '0 answer 1000\n', 100, 'en')), 0);
  assert.deepEqual(page.errors, []);
  await page.close();
  await own.close();
});

// Enter through the whack game's title, instructions and its question.
async function enterWhackGame(page, pressEnter) {
  await g.untilState(page, 'main_key', g.SCENE.whackTitle);
  for (let i = 0; i < 8 && (await g.state(page, 'main_key')) !== g.SCENE.whack; i++) await g.step(page, pressEnter);
  await g.untilState(page, 'main_key', g.SCENE.whack);
}

test('keys reach the whack game: z x c v b choose the holes', async () => {
  const page = await g.startGame(browser, server.url);
  await g.untilModal(page, g.DIALOG);
  for (const key of ['Tab', 'Tab', 'Enter']) await page.keyboard.press(key);
  await enterWhackGame(page, () => page.keyboard.press('Enter'));
  for (const [key, hole] of [['b', 4], ['x', 1], ['v', 3], ['z', 0]]) {
    await g.untilState(page, 'mub2_task_no', 0);  // a strike in progress keeps the player in place
    await page.keyboard.press(key);
    await g.untilState(page, 'mub2_pl_no', hole);
  }
  assert.deepEqual(page.errors, []);
  await page.close();
});

// The bar's one button that moves on: ⏎, or the open box's answer.
async function tapBarNext(page) {
  await until(page, () => (window.mubmub.modal !== null) ===
    (document.getElementById('touchbar').dataset.mode === 'answers'));  // the bar follows a frame later
  const at = await page.$$eval('#touchbar .next button, #touchbar .answers button', (els) => els
    .filter((e) => e.getClientRects().length > 0)
    .map((e) => { const r = e.getBoundingClientRect(); return { x: r.left + r.width / 2, y: r.top + r.height / 2 }; }));
  if (at.length) await page.touchscreen.tap(at[0].x, at[0].y);
}

test('the touch bar\'s keys reach the whack game', async () => {
  const page = await g.startGame(browser, server.url, PHONE);
  await g.untilModal(page, g.DIALOG);
  const whack = await g.pagePoint(page, g.DIALOG_BUTTONS[2].x, g.DIALOG_BUTTONS[2].y);
  await page.touchscreen.tap(whack.x, whack.y);
  await enterWhackGame(page, () => tapBarNext(page));
  await g.untilBar(page, 'holes');
  await g.untilState(page, 'mub2_task_no', 0);
  const b = await g.barButton(page, '[data-key="b"]');
  await page.touchscreen.tap(b.x, b.y);
  await g.untilState(page, 'mub2_pl_no', 4);
  assert.deepEqual(page.errors, []);
  await page.close();
});

// Into a shooting round: `press(i)` presses on the title, the two
// instruction pages, then answers the question before the first round.
async function enterShootingRound(page, press, answer) {
  await g.untilState(page, 'main_key', g.SCENE.shootingTitle);
  for (let i = 0; i < 3; i++) await g.step(page, () => press(i));
  await until(page, () => window.mubmub.modal !== null);
  await answer();
  await g.untilState(page, 'main_key', g.SCENE.shooting);
}

// Hearts are counted in the page, as the program handles input and ticks
// (g.watchHearts).
test('touch: L and R of the bar step the shooting player, and pressed together fire a heart', async () => {
  const page = await g.startGame(browser, server.url, PHONE);
  await g.untilModal(page, g.DIALOG);
  const shooting = await g.pagePoint(page, g.DIALOG_BUTTONS[1].x, g.DIALOG_BUTTONS[1].y);
  await page.touchscreen.tap(shooting.x, shooting.y);
  await enterShootingRound(page, async (i) => {
    const p = await g.pagePoint(page, 100 + 40 * i, 100);  // apart, so no two taps make a double click
    await page.touchscreen.tap(p.x, p.y);
  }, async () => {
    await until(page, () => document.querySelector('#touchbar .answers button') !== null);
    await tapBarNext(page);
  });

  await g.untilBar(page, 'mouse');
  const L = await g.barButton(page, '[data-mouse="0"]');
  const R = await g.barButton(page, '[data-mouse="1"]');
  await g.thumbsStepAndFire(page, R, L);
  assert.deepEqual(page.errors, []);
  await page.close();
});

test('mouse: left and right step the shooting player, and a chord fires', async () => {
  const page = await g.startGame(browser, server.url, { width: 1400, height: 1200 });
  await g.untilModal(page, g.DIALOG);
  const shooting = await g.pagePoint(page, g.DIALOG_BUTTONS[1].x, g.DIALOG_BUTTONS[1].y);
  await page.mouse.click(shooting.x, shooting.y);
  await enterShootingRound(page, async (i) => {
    const p = await g.pagePoint(page, 100 + 40 * i, 100);
    await page.mouse.click(p.x, p.y);
  }, () => page.keyboard.press('Enter'));
  const p = await g.pagePoint(page, 300, 300);
  await page.mouse.move(p.x, p.y);
  await g.watchHearts(page);
  const x0 = await g.state(page, 'mub_pl_x');
  await page.mouse.click(p.x, p.y, { button: 'right' });
  await g.untilState(page, 'mub_pl_x', x0 + 40);
  assert.equal(await g.heartsSeen(page), 0);
  // Left held, right pressed: one button event in DOM terms, a chord.
  await page.mouse.down({ button: 'left' });
  await g.untilState(page, 'mub_pl_x', x0);
  await page.mouse.down({ button: 'right' });
  await until(page, () => window.heartsSeen > 0);
  await page.mouse.up({ button: 'right' });
  await page.mouse.up({ button: 'left' });
  assert.deepEqual(page.errors, []);
  await page.close();
});

test('resizing, rotating, hiding and held keys: no errors, no ticks while hidden, none caught up', async () => {
  const page = await g.startGame(browser, server.url, PHONE);
  await g.untilModal(page, g.DIALOG);
  await page.keyboard.press('Enter');
  await g.untilState(page, 'story_page', 1);

  for (const [width, height] of [[844, 390], [390, 844], [1024, 768], [300, 300], [2000, 1300]]) {
    await page.setViewport(lib.viewport({ ...PHONE, width, height }));
    await g.frames(page, 2);
    const canvas = await g.rectOf(page, '#screen');
    const bar = await g.rectOf(page, '#touchbar');
    assert.ok(canvas.right <= width + 0.5 && canvas.bottom <= height + 0.5, `the picture leaves a ${width} x ${height} page`);
    const overlap = Math.max(0, Math.min(canvas.right, bar.right) - Math.max(canvas.left, bar.left)) *
      Math.max(0, Math.min(canvas.bottom, bar.bottom) - Math.max(canvas.top, bar.top));
    assert.equal(overlap, 0, `the bar covers the picture at ${width} x ${height}`);
  }

  // Held keys repeat; the story ignores them.
  await page.keyboard.down('z');
  for (let i = 0; i < 20; i++) await page.keyboard.down('z');
  await page.keyboard.up('z');

  // Hidden twice for 2 s: the clock stands still (a browser's throttled
  // timers would still bring a tick a second), and afterwards ticks come at
  // the usual pace (a catch-up would bring about 60 at once); the second
  // spell, since the clock adds one to the other.
  for (let spell = 1; spell <= 2; spell++) {
    const clock = page.evaluate(() => new Promise((resolve) => {
      let hiddenAt;
      const seen = () => {
        if (document.hidden) hiddenAt = window.Module.page.now();
        else resolve(window.Module.page.now() - hiddenAt);
        if (!document.hidden) document.removeEventListener('visibilitychange', seen);
      };
      document.addEventListener('visibilitychange', seen);
    }));
    const other = await browser.newPage();
    await other.bringToFront();
    await until(page, () => document.hidden);
    const hiddenAt = (await g.info(page)).ticks;
    await g.sleep(2000);
    const afterHidden = (await g.info(page)).ticks;
    assert.ok(afterHidden - hiddenAt <= 1, `${afterHidden - hiddenAt} ticks while hidden (spell ${spell})`);
    const pace = page.evaluate(() => new Promise((resolve) => {
      const shownAgain = () => {
        const from = { t: performance.now(), ticks: window.mubmub.ticks };
        setTimeout(() => resolve({ ms: performance.now() - from.t, ticks: window.mubmub.ticks - from.ticks }), 500);
      };
      document.addEventListener('visibilitychange', shownAgain, { once: true });
    }));
    await page.bringToFront();
    await other.close();
    const after = await pace;
    assert.ok(after.ticks <= after.ms / 32 + 2,
      `${after.ticks} ticks in the ${after.ms.toFixed(0)} ms after showing (spell ${spell})`);
    const moved = await clock;
    assert.ok(moved >= 0 && moved < 100, `the clock moved ${moved.toFixed(0)} ms while hidden (spell ${spell})`);
    await g.ticks(page, 5);  // and goes on once shown
  }
  assert.equal(await g.state(page, 'story_page'), 1);
  assert.deepEqual(page.errors, []);
  await page.close();
});

test('Escape, then the question\'s end, ends the program; the page offers to play again, and again plays', async () => {
  const page = await g.startGame(browser, server.url);
  await g.untilModal(page, g.DIALOG);
  await page.keyboard.press('Enter');
  await g.untilState(page, 'story_page', 1);
  await page.keyboard.press('Escape');
  await until(page, () => !document.getElementById('ask-quit').hidden);
  await page.click('#quit');
  await until(page, () => window.mubmub.quit === 0);
  assert.equal(await page.$eval('#status-action', (b) => !b.hidden && b.textContent), 'もういちど あそぶ');
  await Promise.all([page.waitForNavigation(), page.click('#status-action')]);
  await g.untilModal(page, g.DIALOG);
  assert.deepEqual(page.errors, []);
  await page.close();
});

test('after one visit the game plays offline', async () => {
  const own = await serveSite(site);
  const page = await lib.openPage(browser);
  await page.goto(own.url + g.withLang());
  await until(page, async () => (await navigator.serviceWorker.ready) && navigator.serviceWorker.controller !== null);
  await own.close();  // the site is gone from the network
  await page.setOfflineMode(true);
  await page.reload();
  await g.untilModal(page, g.DIALOG);
  await page.keyboard.press('Enter');
  await g.untilState(page, 'story_page', 1);
  await page.close();
});
