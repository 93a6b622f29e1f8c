// Recording and replay in the page, in headless Chromium: games played with
// keys, the mouse and touch are recorded, and both simulators (native and
// node) replay the recording to the page's state and tick; a replay link
// plays the same game again in a page and then hands it over; a bad link is
// told and changes nothing.
//   MUB_WEB_SITE=build-web/site MUB_SIM=build/mubmub-sim MUB_WEB_SIM=build-web/mubmub-sim.js \
//     node tests/web/page_recording.test.mjs
// MUB_SCREENSHOTS=DIR keeps pictures of the replay mark and of a bad link's message, and
// the recordings made.
import { execFile } from 'node:child_process';
import { mkdtemp, readFile, rm, writeFile } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { promisify } from 'node:util';
import assert from 'node:assert/strict';
import { lib, site, sim } from './lib/prelude.mjs';
import { browser, server, whenOpen } from './lib/session.mjs';

const { test } = await import('node:test');
const { serveSite } = await import('./lib/server.mjs');
const g = await import('./lib/game.mjs');
const { until } = lib;

const webSim = process.env.MUB_WEB_SIM && resolve(process.env.MUB_WEB_SIM);
const shots = process.env.MUB_SCREENSHOTS;
const MIB = 1 << 20;  // recording.js's bounds on a link and on its recording
const { PHONE } = g;
const SCENE_WHACK_RESULT = 19;

whenOpen(async () => {
  await browser.defaultBrowserContext().overridePermissions(server.url.replace(/\/$/, ''),
    ['clipboard-read', 'clipboard-write', 'clipboard-sanitized-write']);
});

// The recording, the state and the ticks, read in one go between two ticks.
const snapshot = (page) => page.evaluate(() =>
  ({ text: window.mubmub.recording(), state: window.mubmub.state(), ticks: window.mubmub.ticks }));

// The state each simulator ends in on a recording: --script alone runs to its end.
async function simulatorsReplay(text) {
  const dir = await mkdtemp(join(tmpdir(), 'mubmub-rec-'));
  try {
    await writeFile(join(dir, 'rec.script'), text);
    const out = {};
    for (const [name, cmd, pre] of [['native', sim, []], ['node', process.execPath, [webSim]]]) {
      const state = join(dir, `${name}.json`);
      await promisify(execFile)(cmd, [...pre, '--script', join(dir, 'rec.script'), '--state', state]);
      out[name] = JSON.parse(await readFile(state, 'utf8'));
    }
    return out;
  } finally {
    await rm(dir, { recursive: true, force: true });
  }
}

// Enter through the whack game's title and pages; the box before the game
// is answered with `answerBox` (an OK box: Escape answers it too).
async function enterWhackGame(page, pressEnter, answerBox) {
  await g.untilState(page, 'main_key', g.SCENE.whackTitle);
  for (let i = 0; i < 8 && (await info(page)).modal === null; i++) await g.step(page, pressEnter);
  await until(page, () => window.mubmub.modal !== null);
  await g.step(page, answerBox);
  await g.untilState(page, 'main_key', g.SCENE.whack);
}
const info = g.info;

// Games played in the page, each a row: how it is played, what its
// recording must hold, and whether the program ends. A gamepad row can join.
const PLAYS = [
  {
    name: 'keys: a whack game through its result, its box answered by Escape, Escape at the end',
    size: {},
    holds: [/^\d+ key z$/m, /^\d+ key b$/m, /^\d+ answer ok$/m, /^\d+ key Escape$/m],
    quits: true,
    async play(page) {
      await g.untilModal(page, g.DIALOG);
      for (const key of ['Tab', 'Tab', 'Enter']) await page.keyboard.press(key);
      await enterWhackGame(page, () => page.keyboard.press('Enter'), () => page.keyboard.press('Escape'));
      for (let i = 0; (await g.state(page, 'main_key')) !== SCENE_WHACK_RESULT; i++) {
        assert.ok(i < 2000, 'the whack game does not end');
        await page.keyboard.press('zxcvb'[i % 5]);
        await g.ticks(page, 2);
      }
      assert.ok((await g.state(page, 'hit')) > 0, 'no enemy was struck');
      await page.keyboard.press('Escape');  // the page asks first
      await until(page, () => !document.getElementById('ask-quit').hidden);
      await page.click('#quit');
      await until(page, () => window.mubmub.quit === 0);
    },
  },
  {
    name: 'mouse: into a shooting round by clicks, steps and a fire chord, stopped in the round',
    size: { width: 1400, height: 1200 },
    holds: [/^\d+ answer 1001$/m, /^\d+ ldown\b/m, /^\d+ rdown\b/m, /^\d+ rup$/m],
    async play(page) {
      await g.untilModal(page, g.DIALOG);
      const shooting = await g.pagePoint(page, g.DIALOG_BUTTONS[1].x, g.DIALOG_BUTTONS[1].y);
      await page.mouse.click(shooting.x, shooting.y);
      await g.untilState(page, 'main_key', g.SCENE.shootingTitle);
      for (let i = 0; i < 3; i++) {
        const p = await g.pagePoint(page, 100 + 40 * i, 100);  // apart: no double clicks
        await g.step(page, () => page.mouse.click(p.x, p.y));
      }
      await until(page, () => window.mubmub.modal !== null);
      await page.keyboard.press('Enter');
      await g.untilState(page, 'main_key', g.SCENE.shooting);
      const p = await g.pagePoint(page, 300, 300);
      await page.mouse.move(p.x, p.y);
      const x0 = await g.state(page, 'mub_pl_x');
      await page.mouse.click(p.x, p.y, { button: 'right' });
      await g.untilState(page, 'mub_pl_x', x0 + 40);
      await page.mouse.down({ button: 'left' });
      await g.untilState(page, 'mub_pl_x', x0);
      await page.mouse.down({ button: 'right' });  // the chord: a heart
      await page.mouse.up({ button: 'right' });
      await page.mouse.up({ button: 'left' });
      await g.ticks(page, 5);
    },
  },
  {
    name: 'touch: taps on the dialog and the pages, the box answered on the bar, the bar\'s holes, stopped in the game',
    size: PHONE,
    holds: [/^\d+ answer 1002$/m, /^\d+ key Return$/m, /^\d+ key x$/m, /^\d+ key b$/m],
    async play(page) {
      await g.untilModal(page, g.DIALOG);
      const whack = await g.pagePoint(page, g.DIALOG_BUTTONS[2].x, g.DIALOG_BUTTONS[2].y);
      await page.touchscreen.tap(whack.x, whack.y);
      await g.untilState(page, 'main_key', g.SCENE.whackTitle);
      const middle = await g.pagePoint(page, 296, 400);
      const answer = async () => {
        await g.untilBar(page, 'answers');
        const ok = await g.barButton(page, '.answers button');
        await page.touchscreen.tap(ok.x, ok.y);
      };
      await enterWhackGame(page, () => page.touchscreen.tap(middle.x, middle.y), answer);
      for (const [key, hole] of [['b', 4], ['x', 1], ['b', 4]]) {
        await g.untilState(page, 'mub2_task_no', 0);
        const b = await g.barButton(page, `[data-key="${key}"]`);
        if (hole === 4 && key === 'b') await snapshotOnceTaken(page, 'mub2_pl_no');
        await page.touchscreen.tap(b.x, b.y);
        await g.untilState(page, 'mub2_pl_no', hole);
      }
      // The last strike, read the moment the program took it, before the next tick.
      await until(page, () => window.caught !== undefined);
      return page.evaluate(() => window.caught);
    },
  },
  {
    name: 'gamepad: the dialog and the question by d-pad and A, the shoulders step, a trigger held and a shoulder fire',
    size: { width: 1280, height: 900, pad: true },
    holds: [/^\d+ answer 1001$/m, /^\d+ answer no$/m, /^\d+ rdown\b/m, /^\d+ ldown\b/m],
    async play(page) {
      const { pad } = page;
      await g.untilModal(page, g.DIALOG);
      await pad.press(g.PAD.Down);  // the second entry
      await pad.press(g.PAD.A);
      await g.untilState(page, 'main_key', g.SCENE.shootingTitle);
      for (let i = 0; i < 3 && (await info(page)).modal === null; i++) {
        await g.step(page, () => pad.press(i % 2 ? g.PAD.LB : g.PAD.RB));  // one then the other: no double click
      }
      await until(page, () => window.mubmub.modal !== null);
      await pad.press(g.PAD.Right);  // No
      await pad.press(g.PAD.A);
      await g.untilState(page, 'main_key', g.SCENE.shooting);
      await g.sleep(550);  // past the double-click time of the last page's press
      const x0 = await g.state(page, 'mub_pl_x');
      await pad.set(g.PAD.RT, true);  // the right button held: a step right
      await g.untilState(page, 'mub_pl_x', x0 + 40);
      await pad.press(g.PAD.LB);  // and the left with it: a heart
      await pad.set(g.PAD.RT, false);
      await g.ticks(page, 5);
    },
  },
];

// Has the page read its recording and state as soon as the program, having
// taken input that changed `global`, waits again: between a tick and the next.
function snapshotOnceTaken(page, global) {
  return page.evaluate((name) => {
    const was = window.mubmub.global(name);
    const wait = window.Module.page.wait;
    window.caught = undefined;
    window.Module.page.wait = (deadline) => {
      if (window.caught === undefined && window.mubmub.global(name) !== was) {
        window.caught = { text: window.mubmub.recording(), state: window.mubmub.state(), ticks: window.mubmub.ticks };
      }
      return wait(deadline);
    };
  }, global);
}

const played = new Map();  // row name: { page, text, state, ticks }

for (const row of PLAYS) {
  test(`recorded in the page, both simulators replay it to the same state: ${row.name}`, async () => {
    const page = await g.startGame(browser, server.url, row.size);
    const got = (await row.play(page)) || (await snapshot(page));
    assert.equal(got.state.quit, Boolean(row.quits));
    assert.equal(got.state.tick, got.ticks, 'the state names the ticks the page counted');
    assert.match(got.text, /^lang ja$/m);
    assert.ok(got.text.endsWith(`\n${got.ticks} end\n`), `the recording does not end at tick ${got.ticks}`);
    for (const re of row.holds) assert.match(got.text, re);
    const { native, node } = await simulatorsReplay(got.text);
    assert.deepEqual(native, got.state, 'the native simulator ends elsewhere');
    assert.deepEqual(node, got.state, 'the node simulator ends elsewhere');
    assert.deepEqual(page.errors, []);
    played.set(row.name, { ...got, page });
    if (shots) await writeFile(join(shots, `recording-${PLAYS.indexOf(row) + 1}.script`), got.text);
  });
}

// Copies the page's replay link; the clipboard, or the field shown when the
// clipboard refuses, holds it.
async function copyLink(page) {
  await page.bringToFront();  // a tab behind others has no frames to click in, nor the clipboard
  await page.evaluate(() => { window.mubmub.replayLink = null; });
  await page.click('#menu-button');
  await page.click('#copy-replay-link');
  await until(page, () => window.mubmub.replayLink !== null && !document.getElementById('link-note').hidden);
  return page.evaluate(() => window.mubmub.replayLink);
}

test('a replay link plays the whack game again, the player\'s input ignored, to the same state', async () => {
  const whack = played.get(PLAYS[0].name);
  assert.ok(whack, 'the whack game was not played');
  const link = await copyLink(whack.page);
  assert.equal(await whack.page.evaluate(() => navigator.clipboard.readText()), link);
  assert.ok(link.startsWith(`${server.url}#replay=`) && /#replay=[A-Za-z0-9_-]+$/.test(link), link);
  console.log(`# a whack game: ${whack.text.length} bytes recorded, a link of ${link.length} characters`);
  await whack.page.close();

  const page = await lib.openPage(browser);
  await page.goto(link);
  await until(page, () => window.mubmub.replay.state === 'playing');
  assert.equal(await page.$eval('#replay-mark', (m) => !m.hidden && m.textContent), 'リプレイ');
  // The player's presses change nothing (Escape would stop the replay),
  // up to a second before its end, where the game is the player's again.
  const canvas = await g.pagePoint(page, 300, 300);
  for (let i = 0; (await info(page)).ticks < whack.ticks - 30; i++) {
    await page.keyboard.press(['Enter', 'z', 'b'][i % 3]);
    if (i % 10 === 0) await page.mouse.click(canvas.x, canvas.y, { button: i % 20 ? 'left' : 'right' });
    await g.sleep(25);
  }
  await until(page, () => window.mubmub.quit !== null, undefined, 30000);
  assert.deepEqual(await page.evaluate(() => window.mubmub.state()), whack.state);
  assert.equal(await page.evaluate(() => window.mubmub.recording()), whack.text, 'the replay took other input');
  assert.deepEqual(page.errors, []);
  await page.close();
});

test('a replay link of a game under way plays it, then the player takes over; a refused clipboard shows the link', async () => {
  const round = played.get(PLAYS[1].name);
  assert.ok(round, 'the shooting round was not played');
  await round.page.evaluate(() => {
    navigator.clipboard.writeText = () => Promise.reject(new DOMException('refused', 'NotAllowedError'));
  });
  const link = await copyLink(round.page);
  assert.equal(await round.page.$eval('#link-note-link', (f) => !f.hidden && f.value), link);
  await round.page.close();

  const page = await lib.openPage(browser, { width: 1400, height: 1200 });
  await page.goto(link);
  await until(page, () => window.mubmub.replay.state === 'playing');
  if (shots) await page.screenshot({ path: join(shots, 'replay-playing.png') });
  await until(page, () => window.mubmub.replay.state === 'handed-over', undefined, 60000);
  const mark = await page.$eval('#replay-mark', (m) => ({ shown: !m.hidden, over: m.classList.contains('over'), text: m.textContent }));
  assert.deepEqual(mark, { shown: true, over: true, text: 'リプレイ おわり: あなたの ばんです' });
  // The replay gave the program the recording's input at its ticks: the
  // page's own recording repeats it line for line.
  const body = (text) => text.slice(0, text.lastIndexOf('\n', text.length - 2) + 1);
  assert.ok((await page.evaluate(() => window.mubmub.recording())).startsWith(body(round.text)));
  // The player's right button steps the player again (not within a double
  // click's time of the recording's last press).
  await g.sleep(600);
  const p = await g.pagePoint(page, 300, 300);
  const x = await g.state(page, 'mub_pl_x');
  await page.mouse.click(p.x, p.y, { button: 'right' });
  await until(page, (x0) => window.mubmub.global('mub_pl_x') !== x0, x);
  if (shots) await page.screenshot({ path: join(shots, 'replay-over.png') });
  assert.deepEqual(page.errors, []);
  await page.close();
});

// A recording of exactly `size` bytes that plays nothing and ends at once.
function recordingOfSize(size, lang = 'ja') {
  const head = `lang ${lang}\n`, tail = '0 end\n';
  let body = '';
  for (let left = size - head.length - tail.length; left > 0;) {
    const n = Math.min(left, 1000);
    body += '#'.repeat(n - 1) + '\n';
    left -= n;
  }
  return head + body + tail;
}

// Packs text as a link does, in the page (CompressionStream).
const pack = (page, text) => page.evaluate(async (t) => {
  const packed = await new Response(new Blob([t]).stream().pipeThrough(new CompressionStream('deflate-raw'))).arrayBuffer();
  let s = '';
  for (const b of new Uint8Array(packed)) s += String.fromCharCode(b);
  return btoa(s).replace(/\+/g, '-').replace(/\//g, '_').replace(/=+$/, '');
}, text);

// Links by their fragment after #replay=, made in a page (`make`); a bad one
// is told, and the game starts as without a link, in the edition it had.
const LINKS = [
  { name: 'a recording of exactly 1 MiB plays, in its own edition', make: (page) => pack(page, recordingOfSize(MIB, 'en')), good: 'Mubmub Games' },
  { name: 'one byte more is refused', make: (page) => pack(page, recordingOfSize(MIB + 1)), reason: /longer than 1048576 bytes unpacked/ },
  { name: 'a fragment of 1 MiB characters is read (and is not deflate)', make: () => 'A'.repeat(MIB), reason: /not deflate/ },
  { name: 'one character more is refused unread', make: () => 'A'.repeat(MIB + 1), reason: /longer than 1048576 characters/ },
  { name: 'corrupt base64', make: () => 'q1Yq*SkA', reason: /not base64url/ },
  { name: 'corrupt deflate: cut short', make: async (page) => (await pack(page, 'lang en\n10 key z\n20 end\n')).slice(0, -4), reason: /not deflate/ },
  { name: 'a bad script line, in the other edition', make: (page) => pack(page, 'lang en\n5 jump\n9 end\n'), reason: /line 2/ },
];

test('replay links on their bounds, and bad ones: told on the page, the game starts as without them', async (t) => {
  const own = await serveSite(site);  // an origin of its own: the edition remembered is this test's
  const maker = await g.startGame(browser, own.url);  // remembers ja
  // A failing row leaves no server listening (the run would never end).
  t.after(() => own.close());
  for (const row of LINKS) {
    const fragment = await row.make(maker);
    const page = await lib.openPage(browser);
    await page.goto(`${own.url}#replay=${fragment}`);
    await until(page, () => window.mubmub.frames > 0 && window.mubmub.replay.state !== 'none', undefined, 30000)
      .catch(() => assert.fail(`${row.name}: the page told nothing of the link`));
    const seen = await page.evaluate(() => ({
      replay: window.mubmub.replay,
      note: document.getElementById('link-note').hidden ? null : document.getElementById('link-note-text').textContent,
      title: document.title,
      stored: localStorage.getItem('mubmub.lang'),
    }));
    if (row.good) {
      assert.equal(seen.note, null, row.name);
      await until(page, () => window.mubmub.replay.state === 'handed-over');
      assert.deepEqual([seen.title, seen.stored], [row.good, 'ja'], `${row.name}: not the recording's edition, or it was remembered`);
      await g.untilModal(page, 'Choose your game');
      await page.close();
      continue;
    } else {
      assert.equal(seen.replay.state, 'refused', row.name);
      assert.match(seen.replay.reason, row.reason, row.name);
      assert.ok(seen.note && seen.note.includes(seen.replay.reason), `${row.name}: the page does not say why`);
      assert.equal(await page.$eval('#replay-mark', (m) => m.hidden), true, row.name);
      if (shots && /script/.test(row.name)) await page.screenshot({ path: join(shots, 'bad-link.png') });
    }
    assert.deepEqual([seen.title, seen.stored], ['むぶむぶゲーム', 'ja'], `${row.name}: the edition changed`);
    // The game runs on as it would have: the title, then the dialog.
    await g.untilModal(page, g.DIALOG);
    assert.deepEqual(page.errors, [], row.name);
    await page.close();
  }
  await maker.close();
});
