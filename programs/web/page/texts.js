// The page's own words in the edition the game shows (edition.js); the
// game's words are its own. index.html is written in Japanese, and names
// the text of each element that has one: data-text (its text), data-label
// (aria-label), data-title (title).
import { edition } from './edition.js';

const TEXTS = {
  title: ['むぶむぶゲーム', 'Mubmub Games'],
  loading: ['よみこみ中…', 'Loading…'],
  mouseHelp: ['マウスの左右ボタンと、キーの z x c v b・Enter・Esc で遊べます。',
    'Play with the left and right mouse buttons and the keys z x c v b, Enter and Esc.'],
  touchHelp: ['タップとボタンで遊べます。', 'Play by tapping the picture and the buttons.'],
  padHelp: ['ゲームパッドでも遊べます', 'A game controller plays too'],
  fullscreen: ['⛶ 全画面', '⛶ Full screen'],
  fullscreenTitle: ['全画面 (Alt+Enter)', 'Full screen (Alt+Enter)'],
  settings: ['設定', 'Settings'],
  screen: ['ゲーム画面', 'Game screen'],
  touchbar: ['タッチ用のボタン', 'Touch buttons'],
  left: ['ひだり', 'Left'],
  right: ['みぎ', 'Right'],
  leftLabel: ['マウスの左ボタン', 'Left mouse button'],
  rightLabel: ['マウスの右ボタン', 'Right mouse button'],
  both: ['りょうほう おすと', 'Press both for'],
  next: ['つぎへ', 'Next'],
  nextLabel: ['Enter: つぎへ', 'Enter: next'],
  hole1: ['z: 1ばんめの あな', 'z: hole 1'],
  hole2: ['x: 2ばんめの あな', 'x: hole 2'],
  hole3: ['c: 3ばんめの あな', 'c: hole 3'],
  hole4: ['v: 4ばんめの あな', 'v: hole 4'],
  hole5: ['b: 5ばんめの あな', 'b: hole 5'],
  theEnd: ['おしまい', 'The end'],
  playAgain: ['もういちど あそぶ', 'Play again'],
  tryAgain: ['もういちど', 'Try again'],
  downloadFailed: ['ゲームを ダウンロードできませんでした。\nThe game could not be downloaded.', 'The game could not be downloaded.'],
  stopped: ['エラーで とまりました。\nThe game stopped with an error.', 'The game stopped with an error.'],
  tooOld: ['このブラウザでは あそべません。あたらしい ブラウザで ひらいてください。\n' +
    'This browser is too old for the game (it needs WebAssembly).',
    'This browser is too old for the game (it needs WebAssembly).'],
  quitAsk: ['ゲームを おわりますか？', 'End the game?'],
  goOn: ['つづける', 'Go on'],
  quit: ['おわる', 'End'],
  scaling: ['大きさ', 'Size'],
  scaleFit: ['画面いっぱい', 'Fill the page'],
  scaleInteger: ['整数倍', 'Whole multiples'],
  touchControls: ['タッチ用のボタン', 'Touch controls'],
  touchAuto: ['自動', 'Automatic'],
  touchOn: ['出す', 'On'],
  touchOff: ['出さない', 'Off'],
  everyPress: ['連打をすべて数える', 'Every press counts'],
  off: ['オフ', 'Off'],
  on: ['オン', 'On'],
  everyPressNote: ['(ゲームが かわります。はじめから)', '(changes the game; starts again)'],
  language: ['言語: 日本語 / English', 'Language: 日本語 / English'],
  close: ['とじる', 'Close'],
  saveRecording: ['きろくを ほぞん', 'Save recording'],
  copyReplayLink: ['リプレイの リンクを コピー', 'Copy replay link'],
  replay: ['リプレイ', 'Replay'],
  replayOver: ['リプレイ おわり: あなたの ばんです', 'Replay over: your turn'],
  linkCopied: ['リンクを コピーしました', 'Link copied'],
  copyByHand: ['コピーできませんでした。この リンクを コピーしてください:', 'Could not copy; copy this link:'],
  linkTooLong: ['きろくが ながすぎて リンクに できません。ほぞん してください', 'The recording is too long for a link; save it instead'],
  badLink: ['リプレイの リンクが よめません', 'The replay link cannot be read'],
  arrow: ['やじるし', 'arrow'],
  padLayout: [
    'LB・LT = ◀ ひだり    RB・RT = ▶ みぎ\n' +
    '(かたほうを おしたまま もうかたほう: ♥)\n' +
    'A・Start = Enter     Back = Esc\n' +
    'たたきゲームの あな:\n' +
    '   ←(z)     →(c)     Y(b)\n' +
    '        ↓(x)     X(v)\n' +
    'はこが でているときは 十字キー = やじるし',
    'LB, LT = ◀ left     RB, RT = ▶ right\n' +
    '(hold one, press the other: ♥)\n' +
    'A, Start = Enter    Back = Esc\n' +
    'The whack game\'s holes:\n' +
    '   ←(z)     →(c)     Y(b)\n' +
    '        ↓(x)     X(v)\n' +
    'While a box is open the d-pad is the arrow keys',
  ],
};

const english = edition() === 'en';

export function text(key) {
  const t = TEXTS[key];
  return t ? t[english ? 1 : 0] : key;
}

// The English page: the Japanese page's texts and its manifest replaced.
if (english) {
  document.documentElement.lang = 'en';
  document.title = text('title');
  for (const el of document.querySelectorAll('[data-text]')) el.textContent = text(el.dataset.text);
  for (const el of document.querySelectorAll('[data-label]')) el.setAttribute('aria-label', text(el.dataset.label));
  for (const el of document.querySelectorAll('[data-title]')) el.title = text(el.dataset.title);
  const manifest = document.querySelector('link[rel="manifest"]');
  if (manifest) manifest.href = 'manifest-en.webmanifest';
}
