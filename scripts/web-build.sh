#!/usr/bin/env bash
# Builds the browser version with Emscripten (scripts/setup-web.sh installs it):
#   build-web/site/           the static site to serve: the page, the game as
#                             WebAssembly, its icons, manifest and service worker
#   build-web/mubmub-sim.js   the simulator for node (same arguments as mubmub-sim)
# The generators that run during the build are this checkout's, built once for
# this machine in build-tools/ (MUB_HOST_TOOLS_DIR moves it). MUB_WEB_DIR moves
# the folder; MUB_JOBS sets parallelism.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
web_dir=${MUB_WEB_DIR:-$root/build-web}
jobs=${MUB_JOBS:-2}
# Debian's emscripten finds its node modules here.
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}

if ! command -v emcmake >/dev/null; then
  echo "web-build: Emscripten is not installed (bash scripts/setup-web.sh)" >&2
  exit 1
fi

emcmake cmake -S "$root" -B "$web_dir" \
  -DMUB_HOST_TOOLS_DIR="${MUB_HOST_TOOLS_DIR:-$root/build-tools}" \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$web_dir" -j"$jobs"

echo "built $web_dir/site (serve: python3 -m http.server -d $web_dir/site 8000) and $web_dir/mubmub-sim.js"
