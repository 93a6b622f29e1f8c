// Linked into the node simulator (--js-library, cmake/web.cmake): the output
// files' system calls that Emscripten's own node file system cannot make.
// Its dup() reopens a descriptor by path, its writes to an opened path give
// a position (a pipe then fails with "Invalid seek"), it has no link(), and
// getpid() is always 42. The simulator runs in a worker thread of
// launcher.js, which removes the temporary files named here when a signal
// ends the process; the worker shares them through workerData.shared.
mergeInto(LibraryManager.library, {
  $mubNode__deps: ['$ERRNO_CODES'],
  $mubNode: {
    // -errno for a node error, for the C side.
    errno: function (e) { return -((e && e.code && ERRNO_CODES[e.code]) || {{{ cDefine('EIO') }}}); },
    shared: function () {
      var wt = require('worker_threads');
      return !wt.isMainThread && wt.workerData && wt.workerData.shared ? wt.workerData.shared : null;
    },
  },

  mub_node_process_id: function () { return process.pid; },

  // mode, dev, ino, writable into out[0..3]; 0 or -errno. Past standard
  // input, output and error, node's own descriptors (its event loop's)
  // cannot be told from the caller's, and writing to one would break node:
  // those are refused.
  mub_node_inspect__deps: ['$mubNode'],
  mub_node_inspect: function (fd, out) {
    var fs = require('fs');
    if (fd > 2) return -{{{ cDefine('EBADF') }}};
    try {
      var flags = /flags:\s*([0-7]+)/.exec(fs.readFileSync('/proc/self/fdinfo/' + fd, 'utf8'));
      var st = fs.fstatSync(fd);
      HEAP32[(out >> 2) + 0] = st.mode;
      HEAP32[(out >> 2) + 1] = st.dev;
      HEAPF64[(out >> 3) + 1] = st.ino;
      HEAP32[(out >> 2) + 4] = flags && (parseInt(flags[1], 8) & 3) !== 0 ? 1 : 0;
      return 0;
    } catch (e) {
      return mubNode.errno(e);
    }
  },

  // A descriptor of node's own for a FIFO or a device: no truncation, no creation.
  mub_node_open_in_place__deps: ['$mubNode'],
  mub_node_open_in_place: function (path) {
    var fs = require('fs');
    try {
      return fs.openSync(UTF8ToString(path), fs.constants.O_WRONLY | fs.constants.O_NOCTTY);
    } catch (e) {
      return mubNode.errno(e);
    }
  },

  // Writes at the descriptor's own position (none for a pipe). A reader
  // that went away or a file-size limit ends the process by its signal, as
  // it does natively: the launcher hears it and removes the partial files.
  mub_node_write__deps: ['$mubNode'],
  mub_node_write: function (fd, buf, len) {
    var fs = require('fs');
    for (;;) {
      try {
        return fs.writeSync(fd, HEAPU8.subarray(buf, buf + len));
      } catch (e) {
        var shared = mubNode.shared();
        if (e.code === 'EAGAIN') {
          Atomics.wait(new Int32Array(new SharedArrayBuffer(4)), 0, 0, 5);
          continue;
        }
        if (shared && (e.code === 'EPIPE' || e.code === 'EFBIG')) {
          process.kill(process.pid, e.code === 'EPIPE' ? 'SIGPIPE' : 'SIGXFSZ');
          Atomics.wait(new Int32Array(new SharedArrayBuffer(4)), 0, 0, 10000);
        }
        return mubNode.errno(e);
      }
    }
  },

  // Reading from where the descriptor stands, which a pipe needs.
  mub_node_open_read__deps: ['$mubNode'],
  mub_node_open_read: function (path) {
    try {
      return require('fs').openSync(UTF8ToString(path), 'r');
    } catch (e) {
      return mubNode.errno(e);
    }
  },
  mub_node_read__deps: ['$mubNode'],
  mub_node_read: function (fd, buf, len) {
    for (;;) {
      try {
        return require('fs').readSync(fd, HEAPU8.subarray(buf, buf + len), 0, len, null);
      } catch (e) {
        if (e.code === 'EAGAIN') {
          Atomics.wait(new Int32Array(new SharedArrayBuffer(4)), 0, 0, 5);
          continue;
        }
        return mubNode.errno(e);
      }
    }
  },

  mub_node_close: function (fd) {
    try { require('fs').closeSync(fd); } catch (e) {}
  },

  mub_node_link__deps: ['$mubNode'],
  mub_node_link: function (from, to) {
    try {
      require('fs').linkSync(UTF8ToString(from), UTF8ToString(to));
      return 0;
    } catch (e) {
      return mubNode.errno(e);
    }
  },

  // The shared memory: Int32 0 is the hold, Int32 1 + slot the length of
  // the slot's path, whose bytes follow from byte 64 + 4096 * slot.
  mub_node_remember__deps: ['$mubNode'],
  mub_node_remember: function (slot, path) {
    var shared = mubNode.shared();
    if (!shared) return;
    var bytes = Buffer.from(UTF8ToString(path));
    if (bytes.length > 4095) return;
    new Uint8Array(shared, 64 + 4096 * slot, 4096).set(bytes);
    Atomics.store(new Int32Array(shared), 1 + slot, bytes.length);
  },
  mub_node_forget__deps: ['$mubNode'],
  mub_node_forget: function (slot) {
    var shared = mubNode.shared();
    if (shared) Atomics.store(new Int32Array(shared), 1 + slot, 0);
  },
  mub_node_hold__deps: ['$mubNode'],
  mub_node_hold: function (on) {
    var shared = mubNode.shared();
    if (!shared) return;
    var words = new Int32Array(shared);
    Atomics.store(words, 0, on);
    Atomics.notify(words, 0);
  },
});
