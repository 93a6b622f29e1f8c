// The canvas that shows the game's client area, pixel for pixel.
export const canvas = document.getElementById('screen');
const ctx = canvas.getContext('2d', { alpha: false });

// Draws a frame of RGBA pixels; true when the canvas changed its size.
export function draw(rgba, width, height) {
  const resized = canvas.width !== width || canvas.height !== height;
  if (resized) {
    canvas.width = width;
    canvas.height = height;
  }
  ctx.putImageData(new ImageData(rgba, width, height), 0, 0);
  return resized;
}
