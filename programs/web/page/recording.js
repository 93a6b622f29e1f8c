// The recording of the game being played, and replay links. The program
// records every game (programs/web/recording.h); here it is saved as a file,
// or put into a link: the recording packed with deflate and written in
// base64url after #replay= (a fragment: it never reaches a server). A page
// opened with such a link hands the recording to the program, which plays
// it at its own speed with the player's input ignored, then hands over.
// A link is anyone's input: its size is bounded before and after unpacking,
// and the program reads it with the simulator's bounded script reader.
import { addMenuAction } from './menu.js';
import { text as words } from './texts.js';
import { info } from './inspector.js';

export const MAX_LINK = 1 << 20;  // characters after #replay=
export const MAX_TEXT = 1 << 20;  // bytes of the recording, unpacked
const PREFIX = '#replay=';

const mark = document.getElementById('replay-mark');
const note = document.getElementById('link-note');
const noteText = document.getElementById('link-note-text');
const noteLink = document.getElementById('link-note-link');
const noteClose = document.getElementById('link-note-close');

function tell(message, link = null) {
  noteText.textContent = message;
  noteLink.hidden = link === null;
  noteLink.value = link || '';
  note.hidden = false;
  if (link !== null) noteLink.select();
}
noteClose.textContent = words('close');
noteClose.onclick = () => { note.hidden = true; };

// --- Packing ----------------------------------------------------------------

async function pipe(bytes, transform) {
  return new Uint8Array(await new Response(new Blob([bytes]).stream().pipeThrough(transform)).arrayBuffer());
}

function toBase64url(bytes) {
  let binary = '';
  for (let i = 0; i < bytes.length; i += 0x8000) binary += String.fromCharCode(...bytes.subarray(i, i + 0x8000));
  return btoa(binary).replace(/\+/g, '-').replace(/\//g, '_').replace(/=+$/, '');
}

class LinkError extends Error {}

function fromBase64url(text) {
  if (!/^[A-Za-z0-9_-]*$/.test(text) || text.length % 4 === 1) throw new LinkError('not base64url');
  const binary = atob(text.replace(/-/g, '+').replace(/_/g, '/') + '='.repeat((4 - (text.length % 4)) % 4));
  return Uint8Array.from(binary, (c) => c.charCodeAt(0));
}

// Unpacks at most MAX_TEXT bytes; more is refused as it arrives.
async function inflate(bytes) {
  const reader = new Blob([bytes]).stream().pipeThrough(new DecompressionStream('deflate-raw')).getReader();
  const parts = [];
  let size = 0;
  for (;;) {
    let step;
    try {
      step = await reader.read();
    } catch {
      throw new LinkError('not deflate');
    }
    if (step.done) break;
    size += step.value.length;
    if (size > MAX_TEXT) {
      reader.cancel().catch(() => {});
      throw new LinkError(`longer than ${MAX_TEXT} bytes unpacked`);
    }
    parts.push(step.value);
  }
  const text = new Uint8Array(size);
  let at = 0;
  for (const p of parts) {
    text.set(p, at);
    at += p.length;
  }
  return text;
}

export async function linkFor(text) {
  const packed = await pipe(new TextEncoder().encode(text), new CompressionStream('deflate-raw'));
  return `${location.origin}${location.pathname}${PREFIX}${toBase64url(packed)}`;
}

// The recording the page was opened with (its bytes), or null: no link, or
// a link that cannot be read, which the page then says.
export async function replayFromLink() {
  if (!location.hash.startsWith(PREFIX)) return null;
  const payload = location.hash.slice(PREFIX.length);
  try {
    if (payload.length > MAX_LINK) throw new LinkError(`longer than ${MAX_LINK} characters`);
    return await inflate(fromBase64url(payload));
  } catch (e) {
    // A browser without deflate-raw cannot unpack any link: said the same way.
    refused(e instanceof LinkError ? e.message : `cannot be unpacked here: ${e.message}`);
    return null;
  }
}

// Another replay link pasted into this tab: it plays from the start.
window.addEventListener('hashchange', () => { if (location.hash.startsWith(PREFIX)) location.reload(); });

// --- The replay's progress (from the program: bridge.js) --------------------

function refused(reason) {
  info.replay = { state: 'refused', reason };
  tell(`${words('badLink')} (${reason})`);
}

export function replayStatus(status, reason) {
  if (status < 0) {
    refused(reason);
    return;
  }
  info.replay = { state: status === 1 ? 'playing' : 'handed-over', reason: null };
  mark.textContent = words(status === 1 ? 'replay' : 'replayOver');
  mark.classList.toggle('over', status !== 1);
  mark.hidden = false;
}

// --- Saving and copying -----------------------------------------------------

const two = (n) => String(n).padStart(2, '0');

export function saveRecording() {
  const text = info.recording();
  if (!text) return;
  const d = new Date();
  const a = document.createElement('a');
  a.href = URL.createObjectURL(new Blob([text], { type: 'text/plain' }));
  a.download = `mubmub-${d.getFullYear()}${two(d.getMonth() + 1)}${two(d.getDate())}-${two(d.getHours())}${two(d.getMinutes())}.script`;
  document.body.appendChild(a);
  a.click();
  a.remove();
  setTimeout(() => URL.revokeObjectURL(a.href), 60000);
}

export async function copyReplayLink() {
  const text = info.recording();
  if (!text) return;
  const link = await linkFor(text);
  info.replayLink = link;
  if (link.length - link.indexOf(PREFIX) - PREFIX.length > MAX_LINK) {
    tell(words('linkTooLong'));
    return;
  }
  try {
    await navigator.clipboard.writeText(link);
    tell(words('linkCopied'));
  } catch {
    tell(words('copyByHand'), link);
  }
}

// The menu's two entries.
addMenuAction(words('saveRecording'), saveRecording).id = 'save-recording';
addMenuAction(words('copyReplayLink'), copyReplayLink).id = 'copy-replay-link';
