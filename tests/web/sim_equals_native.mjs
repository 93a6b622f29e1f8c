// The WebAssembly simulator under node computes the same game as the native
// one: for each run below, both get the same arguments, and their exit
// status, messages, state, trace and screenshot must be the same bytes.
//   MUB_SIM=build/mubmub-sim MUB_WEB_SIM=build-web/mubmub-sim.js node tests/web/sim_equals_native.mjs
import { spawn } from 'node:child_process';
import { createHash } from 'node:crypto';
import { createReadStream, existsSync } from 'node:fs';
import { lstat, mkdtemp, readFile, readdir, rm, writeFile } from 'node:fs/promises';
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
  // The English edition, chosen by --lang and by the locale variables.
  { name: 'the English story', args: ['--ticks', '9642', '--script', join(source, 'bench/story.script'), '--lang', 'en', ...OUTPUTS] },
  { name: 'the edition of LANG', env: { LANG: 'de_DE.UTF-8' }, args: ['--ticks', '60', '--script', '-', ...OUTPUTS], stdin: '0 answer 1000\n',
    check: async (dir) => assert.match(await readFile(join(dir, 'state.json'), 'utf8'), /Deep on the sea floor/) },
  // Recordings made on the desktop, replayed with nothing but the outputs: each ends in the state the program did.
  ...['whack-game', 'shooting-round', 'whack-box-escape'].map((name) => ({
    name: `the desktop's recording ${name}`,
    args: ['--script', join(source, `tests/recordings/${name}.script`), ...OUTPUTS],
    check: async (dir) => assert.deepEqual(JSON.parse(await readFile(join(dir, 'state.json'), 'utf8')),
      JSON.parse(await readFile(join(source, `tests/recordings/${name}.state.json`), 'utf8'))),
  })),
  // Megabytes on standard input that the simulator never reads: it ends at once, and the pipe closes under the writer.
  { name: 'a bad argument', stdin: '# never read\n'.repeat(200000), args: ['--ticks', 'many'] },
  { name: 'a bad script line', stdin: '0 lclick\n5 jump\n', args: ['--ticks', '10', '--script', '-', '--state', 'state.json'] },
  { name: 'a box with no answer', args: ['--ticks', '100', '--state', 'state.json'] },
  { name: 'an output that is a folder', args: ['--ticks', '5', '--state', '.'] },
  { name: 'two outputs to one file', args: ['--ticks', '5', '--state', 'state.json', '--trace', 'state.json'] },
];

// The locale variables choose the edition: only a run's own reach the programs.
function environment(extra) {
  const env = { ...process.env };
  for (const name of ['LANGUAGE', 'LC_ALL', 'LC_MESSAGES', 'LANG']) delete env[name];
  return { ...env, ...extra };
}

// Faulty runs in a shell, each in a folder of its own, with $SIM the
// simulator. What the folder holds afterwards (every file's name and bytes:
// the sim's messages in err.txt, exit statuses in status) must be the same for
// both; `check` then looks at what it must be. Each waits for the run through
// a FIFO of its trace, never for a time.
const listTemporary = (names) => names.filter((n) => n.startsWith('.mubmub-'));
const signals = { HUP: 1, INT: 2, USR1: 10, USR2: 12, ALRM: 14, TERM: 15, XCPU: 24 };
const FAULTS = [
  { name: 'outputs to the inherited standard output and error append where they stand',
    sh: `printf 'old\\n' > app.log
         for p in /dev/stdout /dev/fd/1 /proc/self/fd/1; do $SIM --ticks 2 --state $p >> app.log 2>>err.txt; echo $? >> status; done
         $SIM --ticks 2 --state /dev/stderr 2>> app.log; echo $? >> status`,
    check: (files) => {
      assert.equal(files.status, '0\n0\n0\n0\n');
      const lines = files['app.log'].trim().split('\n');
      assert.equal(lines[0], 'old');
      assert.equal(lines.length, 5);
      for (const l of lines.slice(1)) assert.equal(JSON.parse(l).tick, 2);
    } },
  { name: 'pipes and FIFOs are written and read',
    sh: `$SIM --ticks 2 --state /dev/stdout 2>err.txt | cat > piped.json; echo \${PIPESTATUS[0]} > status
         mkfifo f; cat f > fifo.json & $SIM --ticks 2 --state f 2>>err.txt; echo $? >> status; wait; rm f
         $SIM --ticks 60 --script <(echo 0 answer 1000) --state story.json 2>>err.txt; echo $? >> status`,
    check: (files) => {
      assert.equal(files.status, '0\n0\n0\n');
      assert.equal(JSON.parse(files['piped.json']).tick, 2);
      assert.equal(JSON.parse(files['fifo.json']).tick, 2);
      assert.equal(JSON.parse(files['story.json']).tick, 60);
    } },
  { name: 'a file under /dev/shm is replaced whole, and a new one is made',
    sh: `t=/dev/shm/mubmub-test-$$; printf 'x%.0s' {1..5000} > $t.json
         $SIM --ticks 2 --state $t.json --trace $t-new.jsonl 2>err.txt; echo $? > status
         cp $t.json shm.json; cp $t-new.jsonl shm-new.jsonl; rm -f $t.json $t-new.jsonl`,
    check: (files) => {
      assert.equal(files.status, '0\n');
      assert.equal(JSON.parse(files['shm.json']).tick, 2);
      assert.equal(JSON.parse(files['shm-new.jsonl'].trim().split('\n').pop()).tick, 2);
    } },
  { name: 'a signal that ends the run leaves no temporary file',
    sh: `set -m  # so that the runs in the background do not ignore SIGINT
         for sig in ${Object.keys(signals).join(' ')}; do
           rm -f f; mkfifo f
           $SIM --ticks 1000000 --random 1 --state s.json --trace f --screenshot p.png 2>>err.txt & pid=$!
           exec 3<>f; timeout 30 head -c 1000 <&3 >/dev/null; kill -$sig $pid; wait $pid; echo "$sig $?" >> status
           exec 3<&-
         done; rm f`,
    check: (files, names) => {
      assert.equal(files.status, Object.entries(signals).map(([s, n]) => `${s} ${128 + n}\n`).join(''));
      assert.deepEqual(names, ['err.txt', 'status']);
    } },
  { name: 'a reader that goes away and a file-size limit end the run by their signals, leaving nothing',
    sh: `$SIM --ticks 3000 --random 2 --trace /dev/stdout --state s.json 2>err.txt | head -c 100 >/dev/null
         echo \${PIPESTATUS[0]} > status
         (ulimit -f 100; $SIM --ticks 3000 --random 2 --trace t.jsonl --state s.json 2>>err.txt; echo $? >> status)`,
    check: (files, names) => {
      assert.equal(files.status, '141\n153\n');
      assert.deepEqual(names, ['err.txt', 'status']);
    } },
  { name: 'a folder made at a later output\'s path during the run: the earlier output is not replaced',
    sh: `echo old > a.json; mkfifo f
         $SIM --ticks 300 --script <(echo 0 answer 1000) --state a.json --trace f --screenshot b.png 2>err.txt & pid=$!
         exec 3<>f; timeout 30 head -c 1000 <&3 >/dev/null; mkdir b.png
         timeout 60 cat <&3 >/dev/null & reader=$!; wait $pid; echo $? > status; kill $reader; rm f; rmdir b.png`,
    check: (files, names) => {
      assert.equal(files.status, '2\n');
      assert.match(files['err.txt'], /--screenshot b\.png: it became a directory during the run/);
      assert.equal(files['a.json'], 'old\n');
      assert.deepEqual(listTemporary(names), []);
    } },
  { name: 'a later output whose folder goes away during the run: the earlier output is put back',
    sh: `echo old > a.json; mkdir d; mkfifo f
         $SIM --ticks 300 --script <(echo 0 answer 1000) --state a.json --trace f --screenshot d/b.png 2>err.txt & pid=$!
         exec 3<>f; timeout 30 head -c 1000 <&3 >/dev/null; mv d moved
         timeout 60 cat <&3 >/dev/null & reader=$!; wait $pid; echo $? > status; kill $reader; rm -rf f moved`,
    check: (files, names) => {
      assert.equal(files.status, '2\n');
      assert.match(files['err.txt'], /--screenshot d\/b\.png: No such file or directory/);
      assert.equal(files['a.json'], 'old\n');
      assert.deepEqual(names, ['a.json', 'err.txt', 'status']);
    } },
  { name: 'a later output that cannot be written: the earlier output is not replaced',
    sh: `echo kept > kept.json
         $SIM --ticks 2 --state kept.json --trace /dev/full 2>err.txt; echo $? > status
         $SIM --ticks 2 --state kept.json --screenshot /dev/full 2>>err.txt; echo $? >> status`,
    check: (files, names) => {
      assert.equal(files.status, '2\n2\n');
      assert.equal(files['kept.json'], 'kept\n');
      assert.deepEqual(listTemporary(names), []);
    } },
  { name: 'names of 255 bytes are written, new and replaced; 256 are refused',
    sh: `n=$(printf 'a%.0s' {1..255})
         for name in $n $n \${n}b; do $SIM --ticks 1 --state $name 2>>err.txt; echo $? >> status; done`,
    check: (files, names) => {
      assert.equal(files.status, '0\n0\n2\n');
      assert.match(files['err.txt'], /File name too long/);
      assert.deepEqual(names, ['a'.repeat(255), 'err.txt', 'status']);
    } },
  { name: 'a replaced file keeps its mode and owner; its other names keep the old text',
    sh: `echo old > t.json; ln t.json other.json; chmod 640 t.json; chown 1234:1234 t.json 2>/dev/null
         $SIM --ticks 1 --state t.json 2>err.txt; echo $? > status
         stat -c '%a' t.json > mode; if [ $(id -u) = 0 ]; then stat -c '%u:%g' t.json > owner; fi`,
    check: (files) => {
      assert.equal(files.status, '0\n');
      assert.equal(JSON.parse(files['t.json']).tick, 1);
      assert.equal(files['other.json'], 'old\n');
      assert.equal(files.mode, '640\n');
      if (files.owner !== undefined) assert.equal(files.owner, '1234:1234\n');
    } },
  { name: 'outputs that cannot be written say why',
    sh: `$SIM --ticks 1 --trace /proc/version 2>err.txt; echo $? > status
         $SIM --ticks 1 --trace /dev/stdin 2>>err.txt </dev/null; echo $? >> status`,
    check: (files) => {
      assert.equal(files.status, '2\n2\n');
      assert.match(files['err.txt'], /--trace \/proc\/version: no file can be made in its folder \/proc/);
      assert.match(files['err.txt'], /--trace \/dev\/stdin: descriptor 0 is open for reading only/);
    } },
];

// Runs a shell snippet in its own process group, ended with it if it takes
// longer than the limit.
function shell(script, cwd, sim) {
  return new Promise((done, reject) => {
    const child = spawn('bash', ['-c', script], { cwd, detached: true, stdio: 'ignore', env: environment({ SIM: sim }) });
    const timer = setTimeout(() => {
      try { process.kill(-child.pid, 'SIGKILL'); } catch {}
      reject(new Error(`the run did not end within 180 s: ${script}`));
    }, 180000);
    child.on('error', reject);
    child.on('close', () => { clearTimeout(timer); done(); });
  });
}

async function folder(dir) {
  const names = (await readdir(dir)).sort();
  const files = {};
  for (const n of names) {
    const st = await lstat(join(dir, n));
    if (st.isFile()) files[n] = (await readFile(join(dir, n))).toString('latin1');
  }
  return { names, files };
}

for (const f of FAULTS) {
  test(`node and native fail alike: ${f.name}`, async () => {
    const dirs = { native: await mkdtemp(join(tmpdir(), 'mubmub-native-')), web: await mkdtemp(join(tmpdir(), 'mubmub-web-')) };
    try {
      await shell(f.sh, dirs.native, native);
      await shell(f.sh, dirs.web, `${process.execPath} ${web}`);
      const got = { native: await folder(dirs.native), web: await folder(dirs.web) };
      f.check(got.native.files, got.native.names);
      assert.deepEqual(got.web, got.native);
    } finally {
      await rm(dirs.native, { recursive: true, force: true });
      await rm(dirs.web, { recursive: true, force: true });
    }
  });
}

function run(command, args, cwd, stdin, env) {
  return new Promise((done, reject) => {
    const child = spawn(command, args, { cwd, env: environment(env) });
    const out = [], err = [];
    child.stdout.on('data', (d) => out.push(d));
    child.stderr.on('data', (d) => err.push(d));
    child.on('error', reject);
    // A simulator that ends before reading its input (a bad argument, a box
    // with no answer) closes the pipe: EPIPE here is not the test's failure.
    child.stdin.on('error', (e) => { if (e.code !== 'EPIPE') reject(e); });
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
        native: await run(native, r.args, dirs.native, r.stdin, r.env),
        web: await run(process.execPath, [web, ...r.args], dirs.web, r.stdin, r.env),
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
