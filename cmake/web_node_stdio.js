// Linked into the node simulator (--js-library, cmake/web.cmake): fstat() on
// standard input, output and error asks node about the process's own
// descriptors. Emscripten's runtime looks up the path of its stdio device
// instead (/dev/tty), which does not exist without a terminal, so a script
// piped in ("--script -") could not be checked before reading.
mergeInto(LibraryManager.library, {
  __syscall_fstat64__deps: ['$SYSCALLS', '$FS'],
  __syscall_fstat64: function (fd, buf) {
    if (fd >= 0 && fd <= 2) {
      return SYSCALLS.doStat(function () { return require('fs').fstatSync(fd); }, '', buf);
    }
    var stream = SYSCALLS.getStreamFromFD(fd);
    return SYSCALLS.doStat(FS.stat, stream.path, buf);
  },
});
