// The canvas that shows the game's client area. It hands its drawing to an
// OffscreenCanvas, whose frames go to the compositor as they are drawn: a
// frame costs no style, layout, paint or commit of the page, only the copy
// of the pixels that changed.
//
// Fitted to the page, the canvas holds the picture enlarged by a whole
// number, pixel for pixel, and the compositor smooths that down to the size
// shown ("sharp bilinear": crisp edges, and no game pixel a screen pixel
// wider than its neighbour). The program sends each frame's changed pixels
// enlarged already (mub_web_set_enlarge), so a frame is one copy still.
export const canvas = document.getElementById('screen');
const surface = canvas.transferControlToOffscreen ? canvas.transferControlToOffscreen() : canvas;
const ctx = surface.getContext('2d', { alpha: false });

let enlarge = 1;
let size = { width: canvas.width, height: canvas.height };
// The game's client area in its own pixels.
export const pictureSize = () => size;

// A canvas whose pixels the browser dropped (it may, when short of memory)
// is drawn whole again.
let last = null;  // the last frame, as the game drew it
let whole = true;
surface.addEventListener('contextlost', () => { whole = true; });
surface.addEventListener('contextrestored', drawWhole);

function sizeSurface() {
  surface.width = size.width * enlarge;
  surface.height = size.height * enlarge;
  ctx.imageSmoothingEnabled = false;  // a size change resets the context
}

// The whole of the last frame at the present scale, enlarged here: after a
// change of scale, when the next frame may be long in coming.
function drawWhole() {
  if (!last) return;
  try {
    if (enlarge === 1) {
      ctx.putImageData(last, 0, 0);
    } else {
      const picture = new OffscreenCanvas(size.width, size.height);
      picture.getContext('2d').putImageData(last, 0, 0);
      ctx.drawImage(picture, 0, 0, size.width * enlarge, size.height * enlarge);
    }
    whole = false;
  } catch {
    whole = true;  // the frame's memory moved; the next frame is drawn whole
  }
}

// Draws a frame of RGBA pixels, of which only the rectangle changed differs
// from the frame before; enlargedRgba is the same enlarged k times (null at
// 1). True when the picture changed its size.
export function draw(rgba, width, height, changed, enlargedRgba, k) {
  const resized = size.width !== width || size.height !== height;
  if (resized) {
    size = { width, height };
    sizeSurface();
  }
  last = new ImageData(rgba, width, height);
  const all = resized || whole;
  whole = false;
  if (enlarge === 1) {
    if (all) ctx.putImageData(last, 0, 0);
    else ctx.putImageData(last, 0, 0, changed.x, changed.y, changed.width, changed.height);
  } else if (enlargedRgba && k === enlarge) {
    const image = new ImageData(enlargedRgba, width * k, height * k);
    if (all) ctx.putImageData(image, 0, 0);
    else ctx.putImageData(image, 0, 0, changed.x * k, changed.y * k, changed.width * k, changed.height * k);
  } else {
    drawWhole();  // the program has not heard of the new scale yet
  }
  return resized;
}

// Draws from now on enlarged k times (1: the game's pixels as they are).
export function setEnlarge(k) {
  if (k === enlarge) return;
  enlarge = k;
  if (window.Module && window.Module._mub_web_set_enlarge) window.Module._mub_web_set_enlarge(k);
  sizeSurface();
  drawWhole();
}

// The game's picture as the canvas shows it, RGBA at the game's own size
// (one pixel of each enlarged block).
export function pixels() {
  if (enlarge === 1) return ctx.getImageData(0, 0, size.width, size.height);
  const shown = ctx.getImageData(0, 0, size.width * enlarge, size.height * enlarge).data;
  const out = new ImageData(size.width, size.height);
  const rowWords = size.width * enlarge;
  const from = new Uint32Array(shown.buffer), to = new Uint32Array(out.data.buffer);
  for (let y = 0; y < size.height; y++) {
    for (let x = 0; x < size.width; x++) to[y * size.width + x] = from[y * enlarge * rowWords + x * enlarge];
  }
  return out;
}
