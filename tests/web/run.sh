#!/usr/bin/env bash
# The browser build's tests as ctest runs them (tests/web/CMakeLists.txt):
#   run.sh build   builds the site and the node simulator into $MUB_WEB_DIR
#   run.sh sim     the node simulator against the native one ($MUB_SIM)
#   run.sh page    the page in headless Chromium
#   run.sh faults  the page when downloads and input go wrong
#   run.sh play    the page on every screen and in every hand
#   run.sh recording  recordings made in the page, replayed by both simulators and by links
# Each exits with 77, which ctest shows as skipped, naming what is missing,
# when Emscripten, Chromium or the npm packages are not installed
# (bash scripts/setup-web.sh installs them).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
: "${MUB_WEB_DIR:?}" "${MUB_SIM:?}"

skip() {
  echo "skipped: $* (bash scripts/setup-web.sh installs it)"
  exit 77
}
command -v emcmake >/dev/null || skip "Emscripten is not installed"
command -v node >/dev/null || skip "node is not installed"

case "${1:-}" in
  build)
    MUB_WEB_DIR="$MUB_WEB_DIR" bash "$root/scripts/web-build.sh"
    ;;
  sim)
    [ -f "$MUB_WEB_DIR/mubmub-sim.js" ] || { echo "no web build in $MUB_WEB_DIR"; exit 1; }
    MUB_WEB_SIM="$MUB_WEB_DIR/mubmub-sim.js" node "$here/sim_equals_native.mjs"
    ;;
  page)
    [ -f "$MUB_WEB_DIR/site/mubmub.wasm" ] || { echo "no web build in $MUB_WEB_DIR"; exit 1; }
    [ -x "${MUB_CHROMIUM:-/usr/bin/chromium}" ] || skip "Chromium is not installed"
    [ -d "$here/node_modules/puppeteer-core" ] || skip "puppeteer-core (npm) is not installed in tests/web"
    MUB_WEB_SITE="$MUB_WEB_DIR/site" node "$here/page.test.mjs"
    ;;
  faults)
    [ -f "$MUB_WEB_DIR/site/mubmub.wasm" ] || { echo "no web build in $MUB_WEB_DIR"; exit 1; }
    [ -x "${MUB_CHROMIUM:-/usr/bin/chromium}" ] || skip "Chromium is not installed"
    [ -d "$here/node_modules/puppeteer-core" ] || skip "puppeteer-core (npm) is not installed in tests/web"
    MUB_WEB_SITE="$MUB_WEB_DIR/site" node "$here/page_faults.test.mjs"
    ;;
  recording)
    [ -f "$MUB_WEB_DIR/site/mubmub.wasm" ] || { echo "no web build in $MUB_WEB_DIR"; exit 1; }
    [ -x "${MUB_CHROMIUM:-/usr/bin/chromium}" ] || skip "Chromium is not installed"
    [ -d "$here/node_modules/puppeteer-core" ] || skip "puppeteer-core (npm) is not installed in tests/web"
    MUB_WEB_SITE="$MUB_WEB_DIR/site" MUB_WEB_SIM="$MUB_WEB_DIR/mubmub-sim.js" node "$here/page_recording.test.mjs"
    ;;
  play)
    [ -f "$MUB_WEB_DIR/site/mubmub.wasm" ] || { echo "no web build in $MUB_WEB_DIR"; exit 1; }
    [ -x "${MUB_CHROMIUM:-/usr/bin/chromium}" ] || skip "Chromium is not installed"
    [ -d "$here/node_modules/puppeteer-core" ] || skip "puppeteer-core (npm) is not installed in tests/web"
    MUB_WEB_SITE="$MUB_WEB_DIR/site" node "$here/page_play.test.mjs"
    ;;
  *)
    echo "usage: run.sh build|sim|page|faults|play|recording" >&2
    exit 2
    ;;
esac
