// The edition: ?lang=ja|en, remembered for the next visit; else the one
// remembered; else the browser's first language: Japanese for Japanese (and
// where none is known), English for every other. The program is told with
// --lang.
const key = 'mubmub.lang';

export function edition() {
  const asked = new URLSearchParams(location.search).get('lang');
  try {
    if (asked === 'ja' || asked === 'en') {
      localStorage.setItem(key, asked);
      return asked;
    }
    const kept = localStorage.getItem(key);
    if (kept === 'ja' || kept === 'en') return kept;
  } catch {
    // no storage (a private window may refuse it): chosen afresh each visit
    if (asked === 'ja' || asked === 'en') return asked;
  }
  const first = (navigator.languages && navigator.languages[0]) || navigator.language || '';
  return first === '' || /^ja(-|$)/i.test(first) ? 'ja' : 'en';
}

