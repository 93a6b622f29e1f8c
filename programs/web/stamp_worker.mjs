// Build step: writes the service worker from its template, with the site's
// files and the SHA-256 of each (a .gz file also with that of its contents),
// and a cache name made from them, so a new build replaces the cached files,
// an unchanged one keeps them, and nothing else is ever cached in their place.
//   node stamp_worker.mjs SITE_DIR TEMPLATE FILE...
import { createHash } from 'node:crypto';
import { existsSync, readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { gunzipSync } from 'node:zlib';

const [site, template, ...files] = process.argv.slice(2);
const sha256 = (bytes) => createHash('sha256').update(bytes).digest('hex');
const hashes = {};
for (const f of files) {
  const path = join(site, f);
  if (!existsSync(path)) {
    console.error(`stamp_worker: ${path} is missing`);
    process.exit(1);
  }
  const bytes = readFileSync(path);
  hashes[f] = f.endsWith('.gz') ? [sha256(bytes), sha256(gunzipSync(bytes))] : [sha256(bytes)];
}
const version = sha256(files.map((f) => `${f}:${hashes[f][0]}\n`).join('')).slice(0, 16);
// The site's start page is index.html under another name.
const listed = { './': hashes['index.html'], ...hashes };
const text = readFileSync(template, 'utf8')
  .replace('@MUB_SITE_VERSION@', version)
  .replace('@MUB_SITE_FILES@', JSON.stringify(listed, null, 2));
writeFileSync(join(site, 'sw.js'), text);
