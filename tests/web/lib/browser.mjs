// Headless Chromium (Debian's chromium) driven by puppeteer-core, each launch
// with a fresh profile. The flags keep it off the network: this machine's
// closed network refuses Chromium's own background connections.
import { mkdtemp, rm } from 'node:fs/promises';
import { existsSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import puppeteer from 'puppeteer-core';

export const CHROMIUM = process.env.MUB_CHROMIUM || '/usr/bin/chromium';
export const haveChromium = () => existsSync(CHROMIUM);

export async function launch() {
  const profile = await mkdtemp(join(tmpdir(), 'mubmub-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: CHROMIUM,
    headless: true,
    userDataDir: profile,
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
      '--disable-component-update', '--disable-sync', '--disable-dev-shm-usage'],
  });
  const close = browser.close.bind(browser);
  browser.close = async () => {
    await close();
    await rm(profile, { recursive: true, force: true });
  };
  return browser;
}

// Puppeteer's viewport for a size; touch: a phone or tablet (touch events,
// a coarse pointer, a mobile viewport).
export const viewport = ({ width = 1280, height = 900, touch = false, deviceScaleFactor = 1 } = {}) =>
  ({ width, height, hasTouch: touch, isMobile: touch, deviceScaleFactor });

// A new tab that records every uncaught error and console error of the page.
export async function openPage(browser, size = {}) {
  const page = await browser.newPage();
  page.errors = [];
  page.on('pageerror', (e) => page.errors.push(`pageerror: ${e.message}`));
  page.on('console', (m) => { if (m.type() === 'error') page.errors.push(`console: ${m.text()}`); });
  await page.setViewport(viewport(size));
  return page;
}

// Waits until fn (run in the page on window.mubmub) returns a truthy value.
export function until(page, fn, arg, timeout = 20000) {
  return page.waitForFunction(fn, { timeout, polling: 20 }, arg);
}
