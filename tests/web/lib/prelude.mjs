// What every page test starts with: the built site (MUB_WEB_SITE) and the
// native simulator (MUB_SIM), or an exit with 77 (a skip for ctest) when
// Chromium or the npm packages are missing.
import { existsSync } from 'node:fs';

export const site = process.env.MUB_WEB_SITE;
export const sim = process.env.MUB_SIM;
if (!site || !existsSync(`${site}/mubmub.wasm`) || !sim) {
  console.error('MUB_WEB_SITE (a built site) and MUB_SIM (the native simulator) must be given');
  process.exit(1);
}
let browserLib;
try {
  browserLib = await import('./browser.mjs');
} catch {
  console.log('skipped: puppeteer-core is not installed (bash scripts/setup-web.sh)');
  process.exit(77);
}
if (!browserLib.haveChromium()) {
  console.log(`skipped: no Chromium at ${browserLib.CHROMIUM} (bash scripts/setup-web.sh)`);
  process.exit(77);
}
export const lib = browserLib;
