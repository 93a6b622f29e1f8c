#!/usr/bin/env node
// mubmub-sim for node: runs the simulator (mubmub-sim-worker.js, Emscripten's
// build) in a worker thread, so that this thread stays free to hear signals
// while the run goes on. A signal that ends the process first removes the
// temporary files the worker has named in the shared memory (files.js), then
// ends the process by that same signal, as the native simulator does.
// Node itself resets signals that the caller ignored, so an ignored SIGINT
// is not honoured here.
'use strict';
const { Worker } = require('worker_threads');
const fs = require('fs');
const os = require('os');
const path = require('path');

const shared = new SharedArrayBuffer(64 + 4096 * 8);
const words = new Int32Array(shared);
const worker = new Worker(path.join(__dirname, 'mubmub-sim-worker.js'), {
  argv: process.argv.slice(2),
  workerData: { shared },
  stdin: false, stdout: false, stderr: false,
});

function removeTemporaryFiles() {
  // A commit under way finishes first (it takes milliseconds).
  for (let waited = 0; Atomics.load(words, 0) !== 0 && waited < 10000; waited += 10) Atomics.wait(words, 0, 1, 10);
  for (let slot = 0; slot < 8; ++slot) {
    const length = Atomics.load(words, 1 + slot);
    if (length === 0) continue;
    try {
      fs.unlinkSync(Buffer.from(new Uint8Array(shared, 64 + 4096 * slot, length)));
    } catch (e) {}
  }
}

const FATAL = ['SIGHUP', 'SIGINT', 'SIGQUIT', 'SIGABRT', 'SIGUSR1', 'SIGUSR2', 'SIGPIPE', 'SIGALRM', 'SIGTERM',
  'SIGSTKFLT', 'SIGXCPU', 'SIGXFSZ', 'SIGVTALRM', 'SIGPROF', 'SIGIO', 'SIGPWR', 'SIGSYS'];
for (const signal of FATAL.filter((s) => s in os.constants.signals)) {
  process.on(signal, () => {
    removeTemporaryFiles();
    // Without a listener node leaves the signal to its default: the end.
    process.removeAllListeners(signal);
    process.kill(process.pid, signal);
    setTimeout(() => process.exit(128 + os.constants.signals[signal]), 1000);
  });
}

worker.on('error', (e) => {
  process.stderr.write(`mubmub-sim: ${e && e.stack ? e.stack : e}\n`);
  process.exitCode = 1;
});
worker.on('exit', (code) => process.exit(process.exitCode || code));
