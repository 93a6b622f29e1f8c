// The browser build's speed, in headless Chromium, each figure beside its
// baseline from the same run (scripts/web-bench.sh runs this):
//   - download size of the program's files (wasm + js + html) and of all the
//     page loads, raw and gzipped;
//   - navigation to the first drawn frame, against navigation to the load
//     event, over fresh loads (no cache, no service worker);
//   - tick periods measured inside the page while the whack game plays,
//     against a plain 32 ms setTimeout loop in the same page at the same time;
//   - CPU of the renderer and GPU processes while the whack game plays, at 1x
//     (a 1280 x 900 view, ?scale=integer) and fitted to a 1920 x 1080 view (?scale=fit),
//     each against a bare page that puts a 592 x 543 picture on a canvas of
//     the same size every 32 ms, driven with the same key presses and page
//     reads as the game (and beside it the bare page left alone), each after
//     10 s of play; game and bare page take turns, twice; and
//     the game's four busiest threads beside the same threads of the bare page;
//   - a profile of the game's main thread at 1x: the top five functions by
//     self time (WebAssembly by name, from the build's symbol map; "(program)"
//     is the browser's own work outside any script).
//   node tests/web/web_bench.mjs SITE_DIR [SECONDS]
import { existsSync } from 'node:fs';
import { readdir, readFile } from 'node:fs/promises';
import { join } from 'node:path';
import { gzipSync } from 'node:zlib';
import { launch, openPage, until } from './lib/browser.mjs';
import { serveSite } from './lib/server.mjs';
import * as g from './lib/game.mjs';

const [siteDir, secondsArg] = process.argv.slice(2);
const seconds = Number(secondsArg || 60);
if (!siteDir || !(seconds > 0)) {
  console.error('usage: web_bench.mjs SITE_DIR [SECONDS]');
  process.exit(2);
}
const cpuSeconds = Math.max(5, Math.min(20, seconds / 3));

// CPU seconds so far of every thread of the browser's renderer and GPU
// processes, from /proc: kind ('renderer' or 'gpu') and seconds by thread id.
async function threadCpu(browserPid) {
  const procs = new Map();
  for (const name of await readdir('/proc')) {
    if (!/^\d+$/.test(name)) continue;
    try {
      const stat = await readFile(`/proc/${name}/stat`, 'utf8');
      const f = stat.slice(stat.lastIndexOf(')') + 2).split(' ');
      procs.set(Number(name), { ppid: Number(f[1]), cmdline: await readFile(`/proc/${name}/cmdline`, 'utf8') });
    } catch { /* gone meanwhile */ }
  }
  const ofBrowser = (pid) => {
    for (let p = pid; p > 1 && procs.has(p); p = procs.get(p).ppid) if (p === browserPid) return true;
    return false;
  };
  const threads = new Map();
  for (const [pid, p] of procs) {
    const kind = p.cmdline.includes('--type=renderer') ? 'renderer' : p.cmdline.includes('--type=gpu-process') ? 'gpu' : null;
    if (!kind || !ofBrowser(pid)) continue;
    for (const tid of await readdir(`/proc/${pid}/task`).catch(() => [])) {
      try {
        const stat = await readFile(`/proc/${pid}/task/${tid}/stat`, 'utf8');
        const f = stat.slice(stat.lastIndexOf(')') + 2).split(' ');
        const name = stat.slice(stat.indexOf('(') + 1, stat.lastIndexOf(')'));
        threads.set(tid, { kind, name, cpu: (Number(f[11]) + Number(f[12])) / 100 });
      } catch { /* gone meanwhile */ }
    }
  }
  return threads;
}

// Share of one core per process kind between two readings, and per thread
// name ('renderer: Compositor'); only threads that lived through both count
// (a process that ends meanwhile would count less).
function cpuShare(a, b, wall) {
  const share = { renderer: 0, gpu: 0, threads: new Map() };
  for (const [tid, t] of b) {
    if (!a.has(tid)) continue;
    const s = ((t.cpu - a.get(tid).cpu) / wall) * 100;
    share[t.kind] += s;
    const key = `${t.kind}: ${t.name}`;
    share.threads.set(key, (share.threads.get(key) || 0) + s);
  }
  return share;
}

const rows = [];
const row = (figure, value, baseline, goal) => rows.push({ figure, value, baseline, goal });
const kb = (n) => `${(n / 1024).toFixed(0)} KB`;
const median = (xs) => [...xs].sort((a, b) => a - b)[Math.floor(xs.length / 2)];
const mean = (xs) => xs.reduce((a, b) => a + b, 0) / xs.length;

// --- Download size ----------------------------------------------------------------
async function sizes(files) {
  let raw = 0, gz = 0;
  for (const f of files) {
    const bytes = await readFile(join(siteDir, f));
    raw += bytes.length;
    gz += gzipSync(bytes, { level: 9 }).length;
  }
  return { raw, gz };
}
const program = await sizes(['mubmub.wasm', 'mubmub.js', 'index.html']);
row('download: wasm + js + html, raw / gzip', `${kb(program.raw)} / ${kb(program.gz)}`, '—', '≤ 1536 KB / ≤ 600 KB');
const pageScript = (await readdir(siteDir)).filter((f) => f.endsWith('.js') && !['mubmub.js', 'sw.js'].includes(f));
const everything = await sizes(['mubmub.wasm', 'mubmub.js', 'index.html', ...pageScript, 'style.css', 'mubmub.res.gz',
  'favicon.ico', 'manifest.webmanifest', 'sw.js']);
row('download: all the first visit loads, raw / gzip', `${kb(everything.raw)} / ${kb(everything.gz)}`, '—', '—');

const server = await serveSite(siteDir);

// --- Navigation to the first frame -------------------------------------------------
// A first visit each time: a new browser with a fresh profile (nothing
// cached, no service worker), on its second page, so the browser's own start
// is not counted.
const firstFrame = [], loadEvent = [], mainStart = [];
for (let i = 0; i < 6; i++) {
  const fresh = await launch();
  try {
    const page = await openPage(fresh);
    await page.goto('about:blank');
    await page.goto(server.url);
    await until(page, () => window.mubmub.firstFrameAt !== null);
    const t = await page.evaluate(() => ({
      frame: window.mubmub.firstFrameAt,
      main: window.mubmub.startedAt,
      load: performance.getEntriesByType('navigation')[0].loadEventStart,
    }));
    firstFrame.push(t.frame);
    mainStart.push(t.main);
    loadEvent.push(t.load);
  } finally {
    await fresh.close();
  }
}
row('navigation → first frame (median of 6)', `${median(firstFrame).toFixed(0)} ms`,
  `${median(loadEvent).toFixed(0)} ms (→ load event)`, '≤ 500 ms');
row('  of which: navigation → main() starts', `${median(mainStart).toFixed(0)} ms`, '', '');

// The whack game, played on for ms: keys across the holes, Enter through
// pages and boxes, the whack game chosen again whenever the dialog comes back.
async function playWhack(page, ms) {
  const start = Date.now();
  for (let n = 0; Date.now() - start < ms; n++) {
    const modal = await page.evaluate(() => window.mubmub.modal);
    if (modal === g.DIALOG) {
      for (const key of ['Tab', 'Tab', 'Enter']) await page.keyboard.press(key);
    } else if (modal !== null || n % 10 === 0) {
      await page.keyboard.press('Enter');
    } else {
      await page.keyboard.press('zxcvb'[n % 5]);
    }
    await g.sleep(100);
  }
}

// A tab with the game in the whack game.
async function whackPage(browser, size, query = '') {
  const page = await openPage(browser, size);
  await page.goto(server.url + g.withLang(query));  // the Japanese dialog, whatever the browser speaks
  await g.untilModal(page, g.DIALOG);
  for (const key of ['Tab', 'Tab', 'Enter']) await page.keyboard.press(key);
  return page;
}

// The bare page: a timer and a full-canvas putImageData every 32 ms, the
// canvas shown at the game canvas's size and in its way.
const barePage = (rect) => `<body style="margin:0;background:#000;display:flex;align-items:center;justify-content:center;height:100vh">
  <canvas width="592" height="543" style="width:${rect.width}px;height:${rect.height}px;image-rendering:pixelated"></canvas>
  <script>
    window.mubmub = { modal: null };  // what the driver reads
    const ctx = document.querySelector('canvas').getContext('2d', { alpha: false });
    const image = new ImageData(592, 543);
    let n = 0;
    const loop = () => { image.data.fill(n++ & 255); ctx.putImageData(image, 0, 0); setTimeout(loop, 32); };
    loop();
  </script></body>`;

// The main thread's top functions by self time over ms of whack play.
async function profile(page, ms) {
  const cdp = await page.target().createCDPSession();
  await cdp.send('Profiler.enable');
  await cdp.send('Profiler.setSamplingInterval', { interval: 200 });
  await cdp.send('Profiler.start');
  await playWhack(page, ms);
  const { profile: p } = await cdp.send('Profiler.stop');
  await cdp.detach();
  const symbolFile = join(siteDir, '..', 'mubmub.js.symbols');
  const symbols = new Map();
  if (existsSync(symbolFile)) {
    for (const line of (await readFile(symbolFile, 'utf8')).split('\n')) {
      const at = line.indexOf(':');
      if (at > 0) symbols.set(`wasm-function[${line.slice(0, at)}]`, line.slice(at + 1).replace(/\\([0-9a-f]{2})/g, (_, h) => String.fromCharCode(parseInt(h, 16))));
    }
  }
  const nodes = new Map(p.nodes.map((n) => [n.id, n.callFrame]));
  const self = new Map();
  for (let i = 0; i < p.samples.length - 1; i++) {
    const f = nodes.get(p.samples[i]);
    const name = symbols.get(f.functionName) || f.functionName || '(anonymous)';
    const where = f.url ? ` (${f.url.split('/').pop()})` : '';
    self.set(name + where, (self.get(name + where) || 0) + p.timeDeltas[i + 1]);
  }
  const total = p.endTime - p.startTime;
  // (program): the browser's own work on the thread outside any script,
  // such as handing the canvas's frames to the compositor.
  return [...self].filter(([name]) => !/^\(idle\)/.test(name)).sort((a, b) => b[1] - a[1]).slice(0, 5)
    .map(([name, us]) => `${((us / total) * 100).toFixed(2)}% ${name.length > 70 ? name.slice(0, 67) + '...' : name}`);
}

const browser = await launch();
let profileLines = [];
try {
  // --- Tick periods --------------------------------------------------------------------
  // Every tick's time, and a plain 32 ms timer beside it; a box that opens
  // stops the game's timer, so the periods across one are left out.
  const page = await whackPage(browser);
  await page.evaluate(() => {
    window.mubmub.tickTimes = [];
    const modal = window.Module.page.modal;
    window.Module.page.modal = (caption) => {
      modal(caption);
      if (caption !== null) window.mubmub.tickTimes.push(null);
    };
    window.baselineTimes = [];
    const loop = () => {
      window.baselineTimes.push(performance.now());
      setTimeout(loop, 32);
    };
    setTimeout(loop, 32);
  });
  await playWhack(page, seconds * 1000);
  const { ticks, base } = await page.evaluate(() => ({ ticks: window.mubmub.tickTimes, base: window.baselineTimes }));
  await page.close();
  const periods = (times) => {
    const out = [];
    for (let i = 1; i < times.length; i++) if (times[i] !== null && times[i - 1] !== null) out.push(times[i] - times[i - 1]);
    return out;
  };
  const describe = (ps) => {
    const m = mean(ps);
    const within = ps.filter((p) => Math.abs(p - 32) <= 2).length / ps.length;
    return `mean ${m.toFixed(2)} ms, ${(within * 100).toFixed(1)}% within 2 ms (${ps.length})`;
  };
  row(`tick periods over ${seconds} s`, describe(periods(ticks)), `${describe(periods(base))} (setTimeout 32)`,
    '32.0 ± 0.2 ms; share ≥ baseline − 1 point');

  // --- CPU at 1x and at fit, game and bare page in turns ----------------------------------
  const cpu = () => threadCpu(browser.process().pid);
  const sizes = [
    { name: '1x', view: { width: 1280, height: 900 }, query: '?scale=integer' },
    { name: 'fit 1920 x 1080', view: { width: 1920, height: 1080 }, query: '?scale=fit' },
  ];
  // Each page is measured after WARMUP ms of play: in its first seconds the
  // browser's optimizing compiler works through the WebAssembly's hot
  // functions, once (a cost of starting, not of a frame).
  const WARMUP = 10000;
  for (const size of sizes) {
    const game = [], bare = [], idle = [];
    let rect;
    for (let round = 0; round < 2; round++) {
      const p = await whackPage(browser, size.view, size.query);
      rect = await g.rectOf(p, '#screen');
      await playWhack(p, WARMUP);
      let a = await cpu();
      let t = Date.now();
      await playWhack(p, cpuSeconds * 1000);
      game.push(cpuShare(a, await cpu(), (Date.now() - t) / 1000));
      if (size.name === '1x' && round === 0) profileLines = await profile(p, 10000);
      await p.close();

      // The bare page twice: driven as the game is (the same key presses and
      // page reads, which cost the renderer too), and left alone.
      for (const [runs, driven] of [[bare, true], [idle, false]]) {
        const ref = await openPage(browser, size.view);
        await ref.setContent(barePage(rect));
        if (driven) await playWhack(ref, WARMUP);
        else await g.sleep(1000);
        a = await cpu();
        t = Date.now();
        if (driven) await playWhack(ref, cpuSeconds * 1000);
        else await g.sleep(cpuSeconds * 1000);
        runs.push(cpuShare(a, await cpu(), (Date.now() - t) / 1000));
        await ref.close();
      }
    }
    for (const kind of ['renderer', 'gpu']) {
      const x = mean(game.map((s) => s[kind])), y = mean(bare.map((s) => s[kind]));
      const z = mean(idle.map((s) => s[kind]));
      row(`${kind} CPU, ${size.name} (${rect.width.toFixed(0)} x ${rect.height.toFixed(0)} px)`,
        `${x.toFixed(1)}% (${game.map((s) => s[kind].toFixed(1)).join(', ')}) = ${(x / y).toFixed(2)}x`,
        `${y.toFixed(1)}% (${bare.map((s) => s[kind].toFixed(1)).join(', ')}) bare page driven alike; ` +
        `${z.toFixed(1)}% left alone (${(x / z).toFixed(2)}x)`, '≤ 1.2x');
    }
    // Where it goes: the busiest threads of the game, beside the driven bare page's.
    const threadMean = (runs, key) => mean(runs.map((s) => s.threads.get(key) || 0));
    const keys = [...new Set(game.flatMap((s) => [...s.threads.keys()]))]
      .sort((p, q) => threadMean(game, q) - threadMean(game, p)).slice(0, 4);
    for (const key of keys) {
      row(`  ${key}`, `${threadMean(game, key).toFixed(1)}%`, `${threadMean(bare, key).toFixed(1)}%`, '');
    }
  }
} finally {
  await browser.close();
  await server.close();
}

const widths = ['figure', 'value', 'baseline', 'goal'].map((k) => Math.max(k.length, ...rows.map((r) => String(r[k]).length)));
const line = (r) => ['figure', 'value', 'baseline', 'goal'].map((k, i) => String(r[k]).padEnd(widths[i])).join(' | ');
console.log(line({ figure: 'figure', value: 'web build', baseline: 'baseline', goal: 'goal' }));
console.log(widths.map((w) => '-'.repeat(w)).join('-|-'));
for (const r of rows) console.log(line(r));
console.log(`\nThe game's main thread at 1x, top five by self time (share of the profile, 10 s of whack play):`);
for (const l of profileLines) console.log(`  ${l}`);
