// How the page plays on every screen and in every hand, in headless
// Chromium: the picture fills the page; touch does what the scene asks (the
// whack game's holes, the instruction pages, a box's answers); Escape asks
// before the game ends; a game controller plays by the desktop's table; the
// English page speaks English.
//   MUB_WEB_SITE=build-web/site MUB_SIM=build/mubmub-sim node tests/web/page_play.test.mjs
// Exits with 77 (a skip for ctest) when Chromium or the npm packages are missing.
import assert from 'node:assert/strict';
import { lib } from './lib/prelude.mjs';
import { browser, server } from './lib/session.mjs';

const { test } = await import('node:test');
const g = await import('./lib/game.mjs');
const { until } = lib;

const { PHONE } = g;

const visible = (page, selector) => page.$$eval(selector, (els) => els
  .filter((e) => e.getClientRects().length > 0)
  .map((e) => {
    const r = e.getBoundingClientRect();
    return { text: e.textContent.trim(), x: r.left + r.width / 2, y: r.top + r.height / 2, width: r.width, height: r.height };
  }));
const answerButtons = (page) => visible(page, '#touchbar .answers button');

// Waits until the bar shows the open box's answers, and returns them.
async function untilAnswers(page, count) {
  await until(page, (n) => [...document.querySelectorAll('#touchbar .answers button')]
    .filter((e) => e.getClientRects().length > 0).length === n, count);
  return answerButtons(page);
}

// Taps the dialog's entry (0 story, 1 shooting, 2 whack) on the bar.
async function chooseOnBar(page, entry) {
  await g.untilModal(page, g.DIALOG);
  const entries = await untilAnswers(page, 3);
  await page.touchscreen.tap(entries[entry].x, entries[entry].y);
}

test('the picture fills the page: the width of a phone, nearly all of a desktop\'s height, all of full screen', async () => {
  for (const { view, fullscreen, check } of [
    { view: { width: 1920, height: 970 }, check: (r) => r.height >= 900 },
    { view: { width: 1920, height: 1080 }, fullscreen: true, check: (r) => Math.round(r.height) === 1080 },
    { view: PHONE, check: (r) => Math.round(r.width) === 390 },
    { view: { ...PHONE, width: 844, height: 390 }, check: (r) => Math.round(r.height) === 390 },
  ]) {
    const page = await g.startGame(browser, server.url, view);
    if (fullscreen) {
      await page.click('#fullscreen');
      await until(page, () => document.fullscreenElement !== null);
    }
    await until(page, () => document.getElementById('screen').style.visibility === '');
    const r = await g.rectOf(page, '#screen');
    assert.ok(check(r), `${r.width} x ${r.height} in a ${view.width} x ${view.height} view`);
    assert.ok(Math.abs(r.width / r.height - 592 / 543) < 0.01, 'the picture keeps its shape');
    // Sharp: drawn at the next whole multiple of the game's size in device
    // pixels, which the browser smooths down.
    const dpr = view.deviceScaleFactor ?? 1;
    const drawn = await page.$eval('#screen', (c) => [c.width, c.height]);
    const k = Math.ceil(Math.max((r.width * dpr) / 592, (r.height * dpr) / 543) - 1e-6);
    assert.deepEqual(drawn, [592 * k, 543 * k], `drawn at ${drawn} for ${r.width} x ${r.height} shown`);
    const size = await page.evaluate(() => { const p = window.mubmub.pixels(); return [p.width, p.height]; });
    assert.deepEqual(size, [592, 543], 'mubmub.pixels() is the game\'s own picture');
    // Leaving full screen leaves the game playing. (Not counted in ticks:
    // none run while the dialog, due at its tick 53, is open.)
    if (fullscreen) {
      await page.evaluate(() => document.exitFullscreen());
      await until(page, () => document.fullscreenElement === null);
      await g.untilModal(page, g.DIALOG);
      await page.keyboard.press('Enter');
      await g.untilState(page, 'story_page', 1);
    }
    assert.deepEqual(page.errors, []);
    await page.close();
  }
});

test('touch on the whack game: the dialog and the box on the bar, taps move on from the instructions, taps strike holes and hit', async () => {
  const page = await g.startGame(browser, server.url, PHONE);
  await chooseOnBar(page, 2);
  await g.untilState(page, 'main_key', g.SCENE.whackTitle);
  const middle = await g.pagePoint(page, 296, 400);
  // The title, then the two instruction pages, which want Enter: taps until
  // the box before the game opens. Between them the game passes through
  // screens that take nothing, and a tap that lands there is lost.
  for (let i = 0; i < 8 && (await g.info(page)).modal === null; i++) {
    await g.step(page, () => page.touchscreen.tap(middle.x, middle.y));
  }
  const [ok] = await untilAnswers(page, 1);
  assert.equal(ok.text, 'OK');
  assert.ok(ok.width >= 44 && ok.height >= 44, `the answer is ${ok.width} x ${ok.height}`);
  await page.touchscreen.tap(ok.x, ok.y);
  await g.untilState(page, 'main_key', g.SCENE.whack);
  await g.untilBar(page, 'holes');
  const holes = await visible(page, '#touchbar .holes button');
  assert.deepEqual(holes.map((h) => h.text[0]), ['z', 'x', 'c', 'v', 'b', '⏎']);
  assert.ok(holes[0].y < holes[1].y && holes[1].y > holes[2].y && holes[2].y < holes[3].y && holes[3].y > holes[4].y,
    'the bar\'s holes sit as in the field');

  // A tap on each hole moves the player there, the last and the first twice.
  const holeAt = async (i) => g.pagePoint(page, (await g.state(page, 'mub2_en_x', i)) + 40,
    (await g.state(page, 'mub2_en_y', i)) + 40);
  for (const hole of [4, 0, 3, 1, 2, 4, 0]) {
    await g.untilState(page, 'mub2_task_no', 0);
    const p = await holeAt(hole);
    await page.touchscreen.tap(p.x, p.y);
    await g.untilState(page, 'mub2_pl_no', hole);
  }
  // A tap on the hole an enemy is in strikes it (it may have moved on by
  // the time the tap arrives: a few tries).
  for (let tries = 0; tries < 20 && (await g.state(page, 'hit')) === 0; tries++) {
    await g.untilState(page, 'mub2_task_no', 0);
    if ((await g.state(page, 'hit_flg', 0)) !== 0) continue;
    const p = await holeAt(await g.state(page, 'mub2_en_no', 0));
    await page.touchscreen.tap(p.x, p.y);
    await g.ticks(page, 2);
  }
  assert.ok((await g.state(page, 'hit')) >= 1, 'no hit');
  assert.deepEqual(page.errors, []);
  await page.close();
});

// Into the shooting game's question with taps on the picture (each half a
// mouse button on these pages: clicks).
async function toShootingQuestion(page) {
  await chooseOnBar(page, 1);
  await g.untilState(page, 'main_key', g.SCENE.shootingTitle);
  for (let i = 0; i < 3 && (await g.info(page)).modal === null; i++) {
    const p = await g.pagePoint(page, 100 + 40 * i, 100);  // apart, so no two taps make a double click
    await g.step(page, () => page.touchscreen.tap(p.x, p.y));
  }
  return untilAnswers(page, 2);
}

// Hearts are counted in the page, as the program handles input and ticks
// (g.watchHearts).
test('a box\'s answers are big buttons on the bar that answer it (yes, and no); then the picture\'s halves are the mouse buttons', async () => {
  for (const [answer, soFlg] of [[0, 0], [1, 1]]) {
    const page = await g.startGame(browser, server.url, PHONE);
    const buttons = await toShootingQuestion(page);
    assert.deepEqual(buttons.map((b) => b.text), ['はい', 'いいえ']);
    for (const b of buttons) assert.ok(b.width >= 44 && b.height >= 44, `${b.text} is ${b.width} x ${b.height}`);
    await page.touchscreen.tap(buttons[answer].x, buttons[answer].y);
    await g.untilState(page, 'main_key', g.SCENE.shooting);
    assert.equal(await g.state(page, 'so_flg'), soFlg);
    await g.untilBar(page, 'mouse');  // ◀ ▶ in play
    if (answer === 1) {
      // Just right of the middle, then just left of it; then a thumb held
      // on the right and a tap on the left: a step left that fires.
      const right = await g.pagePoint(page, 296, 300), left = await g.pagePoint(page, 295, 300);
      await g.thumbsStepAndFire(page, right, left);
    }
    assert.deepEqual(page.errors, []);
    await page.close();
  }
});

test('Escape asks first: Escape and Enter go on, and only the end ends the game', async () => {
  const page = await g.startGame(browser, server.url, { width: 1280, height: 900 });
  await g.untilModal(page, g.DIALOG);
  await page.keyboard.press('Enter');
  await g.untilState(page, 'story_page', 1);
  const asking = () => page.$eval('#ask-quit', (e) => !e.hidden);
  for (const goOn of ['Escape', 'Enter']) {
    await page.keyboard.press('Escape');
    await until(page, () => !document.getElementById('ask-quit').hidden);
    await g.ticks(page, 5);  // the game runs on while it asks
    assert.equal(await page.evaluate(() => document.activeElement.id), 'go-on');
    await page.keyboard.press(goOn);
    assert.equal(await asking(), false, `${goOn} does not go on`);
    await g.ticks(page, 3);
    assert.equal((await g.info(page)).quit, null, `${goOn} ended the game`);
  }
  assert.equal(await g.state(page, 'story_page'), 1, 'a key of the question reached the game');
  await page.keyboard.press('Escape');
  await until(page, () => !document.getElementById('ask-quit').hidden);
  await page.click('#quit');
  await until(page, () => window.mubmub.quit === 0);
  assert.deepEqual(page.errors, []);
  await page.close();
});


test('a game controller: the dialog and the question by d-pad and A, the shoulders step, a trigger held and a shoulder fire', async () => {
  const page = await lib.openPage(browser, { width: 1280, height: 900 });
  const pad = await g.fakePad(page);
  await page.goto(server.url + g.withLang());
  await g.untilModal(page, g.DIALOG);
  await pad.press(g.PAD.Down);  // the second entry
  await pad.press(g.PAD.A);
  await g.untilState(page, 'main_key', g.SCENE.shootingTitle);
  for (let i = 0; i < 3 && (await g.info(page)).modal === null; i++) {
    await g.step(page, () => pad.press(i % 2 ? g.PAD.LB : g.PAD.RB));  // one then the other: no double click
  }
  await until(page, () => window.mubmub.modal !== null);
  await pad.press(g.PAD.Right);  // No
  await pad.press(g.PAD.A);
  await g.untilState(page, 'main_key', g.SCENE.shooting);
  assert.equal(await g.state(page, 'so_flg'), 1);
  await g.watchHearts(page);
  const x0 = await g.state(page, 'mub_pl_x');
  await g.sleep(550);  // RB pressed the last page: a second press within 500 ms would be a double click
  await pad.press(g.PAD.RB);
  await g.untilState(page, 'mub_pl_x', x0 + 40);
  await g.sleep(550);  // a second press of one button within 500 ms would be a double click
  await pad.press(g.PAD.LB);
  await g.untilState(page, 'mub_pl_x', x0);
  assert.equal(await g.heartsSeen(page), 0);
  await g.sleep(550);
  await pad.set(g.PAD.RT, true);  // the trigger holds the right button: a step right
  await g.untilState(page, 'mub_pl_x', x0 + 40);
  await pad.press(g.PAD.LB);  // and the left shoulder with it fires
  await until(page, () => window.heartsSeen > 0);
  await pad.set(g.PAD.RT, false);
  // Back asks first, as Escape does.
  await pad.press(g.PAD.Back);
  await until(page, () => !document.getElementById('ask-quit').hidden);
  await pad.press(g.PAD.A);  // go on, focused
  await until(page, () => document.getElementById('ask-quit').hidden);
  assert.equal((await g.info(page)).quit, null);
  assert.deepEqual(page.errors, []);
  await page.close();
});

test('?lang=en: the page\'s own words are English, and Japanese stays the default page', async () => {
  for (const [query, words] of [
    ['?lang=en', { help: 'Play by tapping', left: 'Left', next: 'Next', hole: 'z: hole 1', full: 'Full screen',
      menu: 'Language: 日本語 / English', manifest: 'manifest-en.webmanifest', lang: 'en' }],
    ['?lang=ja', { help: 'タップとボタンで', left: 'ひだり', next: 'つぎへ', hole: 'z: 1ばんめの あな', full: '全画面',
      menu: '言語: 日本語 / English', manifest: 'manifest.webmanifest', lang: 'ja' }],
  ]) {
    const page = await g.startGame(browser, server.url, { ...PHONE, query });
    const seen = await page.evaluate(() => ({
      help: document.querySelector('#help .touch-help').textContent,
      left: document.querySelector('[data-mouse="0"] span').textContent,
      next: document.querySelector('.next span').textContent,
      hole: document.querySelector('[data-key="z"]').getAttribute('aria-label'),
      full: document.getElementById('fullscreen').textContent,
      menu: [...document.querySelectorAll('#menu legend')].map((l) => l.textContent).join('|'),
      manifest: document.querySelector('link[rel="manifest"]').getAttribute('href'),
      lang: document.documentElement.lang,
    }));
    for (const [k, want] of Object.entries(words)) assert.ok(seen[k].includes(want), `${query} ${k}: ${seen[k]}`);
    assert.deepEqual(page.errors, []);
    await page.close();
  }
});
