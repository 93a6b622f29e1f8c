// The canvas that shows the game's client area, pixel for pixel. It hands
// its drawing to an OffscreenCanvas, whose frames go to the compositor as
// they are drawn: a frame costs no style, layout, paint or commit of the
// page, only the copy of the pixels that changed.
export const canvas = document.getElementById('screen');
const surface = canvas.transferControlToOffscreen ? canvas.transferControlToOffscreen() : canvas;
const ctx = surface.getContext('2d', { alpha: false });

// A canvas whose pixels the browser dropped (it may, when short of memory)
// is drawn whole again.
let last = null;
let whole = true;
surface.addEventListener('contextlost', () => { whole = true; });
surface.addEventListener('contextrestored', () => {
  try {
    if (last) ctx.putImageData(last, 0, 0);
  } catch { /* the frame's memory moved; the next frame is drawn whole */ }
});

// Draws a frame of RGBA pixels, of which only the rectangle changed differs
// from the frame before; true when the canvas changed its size.
export function draw(rgba, width, height, changed) {
  const resized = surface.width !== width || surface.height !== height;
  if (resized) {
    surface.width = width;
    surface.height = height;
  }
  last = new ImageData(rgba, width, height);
  if (resized || whole) ctx.putImageData(last, 0, 0);
  else ctx.putImageData(last, 0, 0, changed.x, changed.y, changed.width, changed.height);
  whole = false;
  return resized;
}

// The picture shown, as RGBA.
export const pixels = () => ctx.getImageData(0, 0, surface.width, surface.height);
