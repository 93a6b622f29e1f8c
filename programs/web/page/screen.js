// The canvas that shows the game's client area. It hands its drawing to an
// OffscreenCanvas, whose frames go to the compositor as they are drawn: a
// frame costs no style, layout, paint or commit of the page, only the copy
// of the pixels that changed.
//
// Fitted to the page, the picture is drawn enlarged by a whole number,
// pixel for pixel, and the compositor smooths that down to the size shown
// ("sharp bilinear"): crisp edges, and no game pixel a screen pixel wider
// than its neighbour. The game's own pixels stay in a canvas of their size,
// which the enlarged drawing is copied from and mubmub.pixels() reads.
export const canvas = document.getElementById('screen');
const surface = canvas.transferControlToOffscreen ? canvas.transferControlToOffscreen() : canvas;
const ctx = surface.getContext('2d', { alpha: false });
const picture = new OffscreenCanvas(canvas.width, canvas.height);
const pictureCtx = picture.getContext('2d', { alpha: false });

let enlarge = 1;
let size = { width: canvas.width, height: canvas.height };
// The game's client area in its own pixels.
export const pictureSize = () => size;

// A canvas whose pixels the browser dropped (it may, when short of memory)
// is drawn whole again.
let last = null;
let whole = true;
surface.addEventListener('contextlost', () => { whole = true; });
surface.addEventListener('contextrestored', () => {
  try {
    if (last) drawRect(0, 0, size.width, size.height);
  } catch { /* the frame's memory moved; the next frame is drawn whole */ }
});

function sizeSurface() {
  surface.width = size.width * enlarge;
  surface.height = size.height * enlarge;
  ctx.imageSmoothingEnabled = false;  // a size change resets the context
}

// The rectangle of `last` onto the canvas: straight at 1x, else through the
// picture's canvas, enlarged.
function drawRect(x, y, w, h) {
  if (enlarge === 1) {
    ctx.putImageData(last, 0, 0, x, y, w, h);
    return;
  }
  pictureCtx.putImageData(last, 0, 0, x, y, w, h);
  ctx.drawImage(picture, x, y, w, h, x * enlarge, y * enlarge, w * enlarge, h * enlarge);
}

// Draws a frame of RGBA pixels, of which only the rectangle changed differs
// from the frame before; true when the picture changed its size.
export function draw(rgba, width, height, changed) {
  const resized = size.width !== width || size.height !== height;
  if (resized) {
    size = { width, height };
    picture.width = width;
    picture.height = height;
    sizeSurface();
  }
  last = new ImageData(rgba, width, height);
  if (resized || whole) drawRect(0, 0, width, height);
  else drawRect(changed.x, changed.y, changed.width, changed.height);
  whole = false;
  return resized;
}

// Draws from now on enlarged k times (1: the game's pixels as they are).
export function setEnlarge(k) {
  if (k === enlarge) return;
  enlarge = k;
  sizeSurface();
  if (last) drawRect(0, 0, size.width, size.height);
}

// The game's picture, as RGBA at its own size.
export const pixels = () => (enlarge === 1 ? ctx : pictureCtx).getImageData(0, 0, size.width, size.height);
