// Put before the node simulator (--pre-js, cmake/web.cmake): the locale
// variables that choose the edition reach the program as they reach the
// native simulator. Emscripten's runtime otherwise gives the program an
// environment of its own (LANG=C.UTF-8 whatever the process has).
Module['preRun'] = [].concat(Module['preRun'] || [], function () {
  ['LANGUAGE', 'LC_ALL', 'LC_MESSAGES', 'LANG'].forEach(function (name) {
    ENV[name] = process.env[name];  // undefined: not set
  });
});
