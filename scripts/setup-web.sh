#!/usr/bin/env bash
# Installs what the browser build and its tests need on Debian 12: Emscripten
# (which brings its clang, lld, binaryen and node), Chromium for the browser
# tests, npm, and the tests' npm packages (puppeteer-core, from
# tests/web/package-lock.json) into tests/web/node_modules. Safe to run again:
# only what is missing is installed.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

. "$here/scripts/packages.sh"
APT_OPTIONS=--no-install-recommends install_missing emscripten chromium python3
# Node's own builds carry npm; Debian's nodejs has it in a package of its own.
command -v npm >/dev/null || install_missing npm

web_tests="$here/tests/web"
if [ ! -f "$web_tests/node_modules/.package-lock.json" ] ||
   [ "$web_tests/package-lock.json" -nt "$web_tests/node_modules/.package-lock.json" ]; then
  # puppeteer-core drives the Chromium above; it never downloads a browser.
  (cd "$web_tests" && npm ci --no-audit --no-fund)
fi
