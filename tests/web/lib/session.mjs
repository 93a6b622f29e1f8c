// One browser and one server of the built site for a test file: opened
// before its first test and closed after its last. The bindings are live,
// so a test reads them as they are once the hooks ran; whenOpen(fn) runs fn
// right after they opened (a file's own hooks may run before these).
import { lib, site } from './prelude.mjs';

const { before, after } = await import('node:test');
const { serveSite } = await import('./server.mjs');

export let browser;
export let server;
const onOpen = [];
export const whenOpen = (fn) => onOpen.push(fn);
before(async () => {
  browser = await lib.launch();
  server = await serveSite(site);
  for (const fn of onOpen) await fn();
});
after(async () => {
  await browser?.close();
  await server?.close();
});
