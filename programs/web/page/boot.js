// The page's first script, a plain one that needs none of the others: until
// the game draws its first frame, every way of failing to start (a script
// that does not arrive or does not parse, an error, a download that stops
// moving) ends in the message with a retry, at most STALL_MS after the last
// sign of progress. The page's modules tell it of progress as
// window.mubmubBoot.
'use strict';
(function () {
  const STALL_MS = 15000;
  const RETRY_MS = 10000;  // the retry's own downloads, at most
  let timer = 0;
  let over = false;  // the first frame came, or the start failed

  // Fetches every file the page loaded or tried to afresh, into the browser's
  // cache and the offline copy (the service worker keeps only this build's
  // files), then loads the page again.
  async function retry() {
    this.disabled = true;
    const urls = new Set(performance.getEntriesByType('resource').map((r) => r.name));
    for (const el of document.querySelectorAll('script[src], link[href]')) urls.add(el.src || el.href);
    const ours = [...urls].filter((u) => new URL(u, location.href).origin === location.origin);
    const refreshed = Promise.allSettled(ours.map((u) => fetch(u, { cache: 'reload' }).then((r) => r.arrayBuffer())));
    await Promise.race([refreshed, new Promise((resolve) => setTimeout(resolve, RETRY_MS))]);
    location.reload();
  }

  const boot = {
    error: null,
    // A download moved on, or a step of the start was reached.
    progress() {
      if (over) return;
      clearTimeout(timer);
      timer = setTimeout(() => boot.fail(`nothing arrived for ${STALL_MS / 1000} s`), STALL_MS);
    },
    // The first frame: from here on the game's failures are its own.
    running() {
      over = true;
      clearTimeout(timer);
    },
    fail(reason) {
      if (over) return;
      over = true;
      clearTimeout(timer);
      boot.error = String(reason);
      console.warn('the game could not start:', boot.error);
      // In the page's edition once texts.js has set it; both before.
      const lang = document.documentElement.lang;
      document.getElementById('status-text').textContent = lang === 'en' ? 'The game could not be downloaded.'
        : 'ゲームを ダウンロードできませんでした。\nThe game could not be downloaded.';
      const action = document.getElementById('status-action');
      action.textContent = lang === 'en' ? 'Try again' : 'もういちど';
      action.onclick = retry;
      action.hidden = false;
      document.getElementById('status').hidden = false;
    },
  };
  window.mubmubBoot = boot;

  // A script that does not load (captured: load errors do not bubble), any
  // error thrown, any promise rejected with no one to catch it.
  window.addEventListener('error', (e) => {
    if (e.target instanceof HTMLScriptElement) boot.fail(`${e.target.src} did not load`);
    else if (e instanceof ErrorEvent && !/^ResizeObserver loop/.test(e.message)) {  // that one is a note, not an error
      boot.fail(`${e.message} (${e.filename}:${e.lineno})`);
    }
  }, true);
  window.addEventListener('unhandledrejection', (e) => boot.fail(e.reason));
  boot.progress();
})();
