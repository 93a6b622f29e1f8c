// The browser build's speed, in headless Chromium, each figure beside its
// baseline from the same run (scripts/web-bench.sh runs this):
//   - download size of the program's files (wasm + js + html) and of all the
//     page loads, raw and gzipped;
//   - navigation to the first drawn frame, against navigation to the load
//     event, over fresh loads (no cache, no service worker);
//   - tick periods measured inside the page while the whack game plays,
//     against a plain 32 ms setTimeout loop in the same page at the same time;
//   - CPU time of the renderer process while the game animates, against a
//     page that only puts a 592 x 543 picture on a canvas every 32 ms.
//   node tests/web/web_bench.mjs SITE_DIR [SECONDS]
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

// CPU seconds so far of the browser's renderer processes and of its GPU
// process (which composites the page), from /proc.
async function processCpu(browserPid) {
  const tick = 100;  // clock ticks per second on Linux
  const procs = new Map();
  for (const name of await readdir('/proc')) {
    if (!/^\d+$/.test(name)) continue;
    try {
      const stat = await readFile(`/proc/${name}/stat`, 'utf8');
      const f = stat.slice(stat.lastIndexOf(')') + 2).split(' ');
      const cmdline = await readFile(`/proc/${name}/cmdline`, 'utf8');
      procs.set(Number(name), { ppid: Number(f[1]), cpu: (Number(f[11]) + Number(f[12])) / tick, cmdline });
    } catch { /* gone meanwhile */ }
  }
  const ofBrowser = (pid) => {
    for (let p = pid; p > 1 && procs.has(p); p = procs.get(p).ppid) if (p === browserPid) return true;
    return false;
  };
  const sum = { renderer: 0, gpu: 0 };
  for (const [pid, p] of procs) {
    if (!ofBrowser(pid)) continue;
    if (p.cmdline.includes('--type=renderer')) sum.renderer += p.cpu;
    if (p.cmdline.includes('--type=gpu-process')) sum.gpu += p.cpu;
  }
  return sum;
}

const rows = [];
const row = (figure, value, baseline, goal) => rows.push({ figure, value, baseline, goal });
const kb = (n) => `${(n / 1024).toFixed(0)} KB`;
const median = (xs) => [...xs].sort((a, b) => a - b)[Math.floor(xs.length / 2)];

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

const browser = await launch();
try {

  // --- Tick periods and CPU while the game plays -------------------------------------
  const cpu = () => processCpu(browser.process().pid);

  const page = await openPage(browser);
  await page.goto(server.url);
  await g.untilModal(page, g.DIALOG);
  // Every tick's time, and a plain 32 ms timer beside it; a box that opens
  // stops the game's timer, so the periods across one are left out.
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
  const cpuStart = await cpu();
  const wallStart = Date.now();
  // The whack game, played on: keys across the holes, Enter through pages
  // and boxes, the whack game chosen again whenever the dialog comes back.
  let n = 0;
  while (Date.now() - wallStart < seconds * 1000) {
    const modal = await page.evaluate(() => window.mubmub.modal);
    if (modal === g.DIALOG) {
      for (const key of ['Tab', 'Tab', 'Enter']) await page.keyboard.press(key);
    } else if (modal !== null || n % 10 === 0) {
      await page.keyboard.press('Enter');
    } else {
      await page.keyboard.press('zxcvb'[n % 5]);
    }
    n++;
    await g.sleep(100);
  }
  const cpuEnd = await cpu();
  const wall = (Date.now() - wallStart) / 1000;
  const { ticks, base } = await page.evaluate(() => ({ ticks: window.mubmub.tickTimes, base: window.baselineTimes }));
  await page.close();

  const periods = (times) => {
    const out = [];
    for (let i = 1; i < times.length; i++) if (times[i] !== null && times[i - 1] !== null) out.push(times[i] - times[i - 1]);
    return out;
  };
  const describe = (ps) => {
    const mean = ps.reduce((a, b) => a + b, 0) / ps.length;
    const within = ps.filter((p) => Math.abs(p - 32) <= 2).length / ps.length;
    return { mean, within, text: `mean ${mean.toFixed(2)} ms, ${(within * 100).toFixed(1)}% within 2 ms (${ps.length})` };
  };
  const game = describe(periods(ticks)), timer = describe(periods(base));
  row(`tick periods over ${seconds} s`, game.text, `${timer.text} (setTimeout 32)`, '32.0 ± 0.2 ms; share ≥ baseline − 1 point');

  // The reference page: a timer and a full-canvas putImageData every 32 ms.
  const ref = await openPage(browser);
  await ref.setContent(`<canvas width="592" height="543"></canvas><script>
    const ctx = document.querySelector('canvas').getContext('2d', { alpha: false });
    const image = new ImageData(592, 543);
    let n = 0;
    const loop = () => { image.data.fill(n++ & 255); ctx.putImageData(image, 0, 0); setTimeout(loop, 32); };
    loop();
  </script>`);
  const refSeconds = Math.min(seconds, 20);
  const refStart = await cpu();
  await g.sleep(refSeconds * 1000);
  const refEnd = await cpu();
  await ref.close();
  const share = (a, b, key, s) => `${(((b[key] - a[key]) / s) * 100).toFixed(1)}%`;
  row('renderer CPU while animating (of one core)', share(cpuStart, cpuEnd, 'renderer', wall),
    `${share(refStart, refEnd, 'renderer', refSeconds)} (timer + putImageData page)`, '—');
  row('GPU process CPU (compositing)', share(cpuStart, cpuEnd, 'gpu', wall),
    `${share(refStart, refEnd, 'gpu', refSeconds)} (same page)`, '—');
} finally {
  await browser.close();
  await server.close();
}

const widths = ['figure', 'value', 'baseline', 'goal'].map((k) => Math.max(k.length, ...rows.map((r) => String(r[k]).length)));
const line = (r) => ['figure', 'value', 'baseline', 'goal'].map((k, i) => String(r[k]).padEnd(widths[i])).join(' | ');
console.log(line({ figure: 'figure', value: 'web build', baseline: 'baseline', goal: 'goal' }));
console.log(widths.map((w) => '-'.repeat(w)).join('-|-'));
for (const r of rows) console.log(line(r));
