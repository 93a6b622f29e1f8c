// A static file server for the built site, on a free port of a loopback
// address of its own (a secure context, so the service worker runs), sending
// the page's Content Security Policy as the README tells servers to.
// close() takes the site off the network: the offline tests play after it.
//   fail(path)      answer 404 instead
//   scopes          paths under which the site is served as well ('/beta/')
//   handle(request) answer in its own way (a poisoned, cut or stalled file):
//                   { path, file, body, req, res } where file is the path in
//                   the site and body its bytes; return true once answered
import { createServer } from 'node:http';
import { readFile } from 'node:fs/promises';
import { extname, join, normalize, sep } from 'node:path';

export const CSP = "default-src 'self'; script-src 'self' 'wasm-unsafe-eval'";

export const TYPES = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.wasm': 'application/wasm',
  '.webmanifest': 'application/manifest+json',
  '.png': 'image/png',
  '.ico': 'image/x-icon',
  '.gz': 'application/gzip',
};

// Each server an origin of its own: 127.0.0.1, 127.0.0.2, ... A later
// server on the same address could get an earlier one's port, and so its
// origin's service worker, caches and storage in a browser shared by tests.
let served = 0;
const nextHost = () => { served++; return `127.0.${served >> 8 & 255}.${served & 255}`; };

export async function serveSite(root, { fail = () => false, scopes = [], handle = () => false } = {}) {
  const requests = [];
  const open = new Set();  // responses still being written (stalled ones too)
  const server = createServer(async (req, res) => {
    open.add(res);
    res.on('close', () => open.delete(res));
    const path = decodeURIComponent(new URL(req.url, 'http://x').pathname);
    requests.push({ path, reload: /no-cache/.test(req.headers['cache-control'] || '') });
    const scope = scopes.find((s) => path.startsWith(s)) || '/';
    const file = '/' + path.slice(scope.length);
    const full = normalize(join(root, file.endsWith('/') ? file + 'index.html' : file));
    if (!full.startsWith(normalize(root + sep)) || fail(path)) {
      res.writeHead(404).end();
      return;
    }
    let body;
    try {
      body = await readFile(full);
    } catch {
      res.writeHead(404).end();
      return;
    }
    res.setHeader('Content-Security-Policy', CSP);
    if (await handle({ path, file, body, req, res })) return;
    res.writeHead(200, { 'Content-Type': TYPES[extname(full)] || 'application/octet-stream', 'Cache-Control': 'no-cache' });
    res.end(body);
  });
  const host = nextHost();
  await new Promise((resolve, reject) => server.once('error', reject).listen(0, host, resolve));
  // A test that fails before its close() must not keep node waiting for
  // clients that will never come.
  server.unref();
  return {
    url: `http://${host}:${server.address().port}/`,
    requests,
    close: () => new Promise((resolve) => {
      for (const res of open) res.destroy();
      server.closeAllConnections();
      server.close(resolve);
    }),
  };
}
