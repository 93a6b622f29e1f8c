// The WebAssembly simulator under node computes the same game as the native
// one: for each run below, both get the same arguments, and their exit
// status, messages, state, trace and screenshot must be the same bytes.
//   MUB_SIM=build/mubmub-sim MUB_WEB_SIM=build-web/mubmub-sim.js node tests/web/sim_equals_native.mjs
import { spawn } from 'node:child_process';
import { createHash } from 'node:crypto';
import { createReadStream, existsSync } from 'node:fs';
import { mkdtemp, readFile, rm, writeFile } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { test } from 'node:test';
import assert from 'node:assert/strict';

// Each simulator runs in its own folder, so the paths are made absolute.
const native = process.env.MUB_SIM && resolve(process.env.MUB_SIM);
const web = process.env.MUB_WEB_SIM && resolve(process.env.MUB_WEB_SIM);
if (!native || !web || !existsSync(native) || !existsSync(web)) {
  console.error('MUB_SIM (native mubmub-sim) and MUB_WEB_SIM (mubmub-sim.js) must name built simulators');
  process.exit(1);
}
const source = join(dirname(fileURLToPath(import.meta.url)), '..', '..');

// The whack game played through: keys on every third tick across the holes,
// Enter through its pages; the game ends by tick 1106 and the title follows.
function whackScript() {
  const lines = ['0 answer 1002', '0 answer ok'];
  for (let t = 56; t < 1170; t++) {
    if (t % 40 === 0) lines.push(`${t} key Return`);
    if (t % 3 === 0) lines.push(`${t} key ${'zxcvb'[Math.floor(t / 3) % 5]}`);
  }
  return lines.join('\n') + '\n';
}

const OUTPUTS = ['--state', 'state.json', '--trace', 'trace.jsonl', '--screenshot', 'shot.png'];
const RUNS = [
  { name: 'the whole story', args: ['--ticks', '9642', '--script', join(source, 'bench/story.script'), ...OUTPUTS] },
  { name: 'a won shooting series', args: ['--ticks', '2430', '--script', join(source, 'tests/shooting/winning_series.script'), ...OUTPUTS] },
  { name: 'a whack game played through', stdin: whackScript(), args: ['--ticks', '1170', '--script', '-', ...OUTPUTS],
    check: async (dir) => {
      // The run must really play: the whack game reaches its result with hits.
      const trace = (await readFile(join(dir, 'trace.jsonl'), 'utf8')).trim().split('\n').map((l) => JSON.parse(l));
      assert.ok(trace.some((s) => s.main_key === 19 && s.hit > 0), 'the whack game did not end with hits');
    } },
  ...[1, 2, 3].map((seed) => ({ name: `random input, seed ${seed}`, args: ['--ticks', '30000', '--random', String(seed), ...OUTPUTS] })),
  { name: 'a bad argument', args: ['--ticks', 'many'] },
  { name: 'a bad script line', stdin: '0 lclick\n5 jump\n', args: ['--ticks', '10', '--script', '-', '--state', 'state.json'] },
  { name: 'a box with no answer', args: ['--ticks', '100', '--state', 'state.json'] },
  { name: 'an output that is a folder', args: ['--ticks', '5', '--state', '.'] },
  { name: 'two outputs to one file', args: ['--ticks', '5', '--state', 'state.json', '--trace', 'state.json'] },
];

function run(command, args, cwd, stdin) {
  return new Promise((done, reject) => {
    const child = spawn(command, args, { cwd });
    const out = [], err = [];
    child.stdout.on('data', (d) => out.push(d));
    child.stderr.on('data', (d) => err.push(d));
    child.on('error', reject);
    child.on('close', (status) => done({ status, stdout: Buffer.concat(out).toString(), stderr: Buffer.concat(err).toString() }));
    // A run that fails before it reads its input closes it: not an error here.
    child.stdin.on('error', () => {});
    child.stdin.end(stdin ?? '');
  });
}

function digest(path) {
  if (!existsSync(path)) return null;
  return new Promise((done, reject) => {
    const h = createHash('sha256');
    createReadStream(path).on('data', (d) => h.update(d)).on('end', () => done(h.digest('hex'))).on('error', reject);
  });
}

for (const r of RUNS) {
  test(`node and native give the same bytes: ${r.name}`, async () => {
    const dirs = { native: await mkdtemp(join(tmpdir(), 'mubmub-native-')), web: await mkdtemp(join(tmpdir(), 'mubmub-web-')) };
    try {
      const results = {
        native: await run(native, r.args, dirs.native, r.stdin),
        web: await run(process.execPath, [web, ...r.args], dirs.web, r.stdin),
      };
      assert.deepEqual(results.web, results.native);
      for (const f of ['state.json', 'trace.jsonl', 'shot.png']) {
        assert.equal(await digest(join(dirs.web, f)), await digest(join(dirs.native, f)), f);
      }
      if (r.check) await r.check(dirs.native);
    } finally {
      await rm(dirs.native, { recursive: true, force: true });
      await rm(dirs.web, { recursive: true, force: true });
    }
  });
}
