// The page's settings, remembered for the next visit (localStorage); a
// query (?scale=, ?touch=) wins for that visit. A private window may refuse
// the storage: the settings are then the defaults each visit.
const params = new URLSearchParams(location.search);

const SETTINGS = {
  scale: { values: ['fit', 'integer'], query: 'scale' },       // fitted sharply, or whole multiples
  touch: { values: ['auto', 'on', 'off'], query: 'touch', queryValues: { 1: 'on', 0: 'off' } },
  everyPress: { values: ['off', 'on'] },                         // the game setting --every-press-counts
};

const stored = (name) => {
  try {
    return localStorage.getItem(`mubmub.${name}`);
  } catch {
    return null;
  }
};

export function setting(name) {
  const s = SETTINGS[name];
  const asked = s.query ? params.get(s.query) : null;
  const fromQuery = asked !== null && s.queryValues ? s.queryValues[asked] : asked;
  if (s.values.includes(fromQuery)) return fromQuery;
  const kept = stored(name);
  return s.values.includes(kept) ? kept : s.values[0];
}

// Whether a query decides this setting for this visit (the menu then shows
// it, but a change waits for the next visit without the query).
export const setByQuery = (name) => !!SETTINGS[name].query && params.has(SETTINGS[name].query);

export function setSetting(name, value) {
  if (!SETTINGS[name].values.includes(value)) return;
  try {
    localStorage.setItem(`mubmub.${name}`, value);
  } catch { /* not remembered */ }
  for (const fn of listeners) fn(name, value);
}
const listeners = [];
export const onSettingChange = (fn) => listeners.push(fn);
