#!/usr/bin/env bash
# The browser build's speed in headless Chromium, every figure beside a
# baseline measured in the same run (tests/web/web_bench.mjs says which):
# download size, navigation to the first frame, tick periods over SECONDS
# (default 60) of whack play, the renderer's and GPU process's CPU at 1x and
# fitted to a 1920 x 1080 view, and the main thread's top five functions.
#   scripts/web-bench.sh [SECONDS]
# Builds build-web/ first (scripts/web-build.sh; MUB_WEB_DIR moves it).
# Needs what scripts/setup-web.sh installs.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
web_dir=${MUB_WEB_DIR:-$root/build-web}

log=$(mktemp)
trap 'rm -f "$log"' EXIT
bash "$root/scripts/web-build.sh" >"$log" 2>&1 || { cat "$log" >&2; exit 1; }
if [ ! -d "$root/tests/web/node_modules/puppeteer-core" ]; then
  echo "web-bench: puppeteer-core is not installed (bash scripts/setup-web.sh)" >&2
  exit 1
fi
node "$root/tests/web/web_bench.mjs" "$web_dir/site" "${1:-60}"
