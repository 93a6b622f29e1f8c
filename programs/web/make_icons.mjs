// Build step: the installed web app's icons, from the program's own icon.
//   node make_icons.mjs mubmub.ico OUT_DIR SIZE...
// Writes OUT_DIR/icon-SIZE.png for each SIZE: the icon's largest image,
// scaled by whole pixels (nearest neighbour, as the game's pictures are shown)
// and centred on a transparent square, its AND mask kept as transparency.
import { readFileSync, writeFileSync } from 'node:fs';
import { deflateSync } from 'node:zlib';

function fail(message) {
  console.error(`make_icons: ${message}`);
  process.exit(1);
}

// The icon's largest image as RGBA rows (an ICO entry is a BMP without its
// file header, twice as high: colour rows, then the 1-bit mask, bottom up).
function readIcon(bytes) {
  const v = new DataView(bytes.buffer, bytes.byteOffset, bytes.byteLength);
  if (bytes.length < 6 || v.getUint16(0, true) !== 0 || v.getUint16(2, true) !== 1) fail('not an icon file');
  const count = v.getUint16(4, true);
  let best = null;
  for (let i = 0; i < count; i++) {
    const e = 6 + i * 16;
    if (e + 16 > bytes.length) fail('truncated icon directory');
    const size = v.getUint32(e + 8, true), offset = v.getUint32(e + 12, true);
    const width = v.getUint8(e) || 256;
    if (offset + size > bytes.length) fail('icon image outside the file');
    if (!best || width > best.width) best = { width, offset };
  }
  if (!best) fail('the icon has no image');
  const h = best.offset;
  if (v.getUint32(h, true) < 40) fail('unsupported icon image (not a BMP)');
  const width = v.getInt32(h + 4, true), height = v.getInt32(h + 8, true) / 2;
  const bits = v.getUint16(h + 14, true), compression = v.getUint32(h + 16, true);
  if (compression !== 0 || ![1, 4, 8, 24, 32].includes(bits) || width <= 0 || height <= 0) {
    fail(`unsupported icon image (${bits} bits, compression ${compression})`);
  }
  const colors = bits <= 8 ? (v.getUint32(h + 32, true) || 1 << bits) : 0;
  const palette = h + v.getUint32(h, true);
  const pixels = palette + colors * 4;
  const stride = Math.ceil((width * bits) / 32) * 4, maskStride = Math.ceil(width / 32) * 4;
  const mask = pixels + stride * height;
  if (mask + maskStride * height > bytes.length) fail('truncated icon image');
  const rgba = new Uint8Array(width * height * 4);
  for (let y = 0; y < height; y++) {
    const row = pixels + (height - 1 - y) * stride, mrow = mask + (height - 1 - y) * maskStride;
    for (let x = 0; x < width; x++) {
      let b, g, r, a = 255;
      if (bits <= 8) {
        const bit = x * bits, byte = bytes[row + (bit >> 3)];
        const index = (byte >> (8 - bits - (bit & 7))) & ((1 << bits) - 1);
        const p = palette + Math.min(index, colors - 1) * 4;
        [b, g, r] = [bytes[p], bytes[p + 1], bytes[p + 2]];
      } else {
        const p = row + x * (bits / 8);
        [b, g, r] = [bytes[p], bytes[p + 1], bytes[p + 2]];
        if (bits === 32) a = bytes[p + 3];
      }
      if ((bytes[mrow + (x >> 3)] >> (7 - (x & 7))) & 1) a = 0;
      rgba.set([r, g, b, a], (y * width + x) * 4);
    }
  }
  return { width, height, rgba };
}

function scaled(icon, size) {
  const k = Math.max(1, Math.floor(size / Math.max(icon.width, icon.height)));
  const ox = (size - icon.width * k) >> 1, oy = (size - icon.height * k) >> 1;
  const out = new Uint8Array(size * size * 4);
  for (let y = 0; y < icon.height * k; y++) {
    for (let x = 0; x < icon.width * k; x++) {
      const s = ((Math.floor(y / k) * icon.width) + Math.floor(x / k)) * 4;
      out.set(icon.rgba.subarray(s, s + 4), ((oy + y) * size + ox + x) * 4);
    }
  }
  return out;
}

const crcTable = Array.from({ length: 256 }, (_, n) => {
  let c = n;
  for (let k = 0; k < 8; k++) c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
  return c >>> 0;
});
function crc32(bytes) {
  let c = 0xffffffff;
  for (const b of bytes) c = crcTable[(c ^ b) & 0xff] ^ (c >>> 8);
  return (c ^ 0xffffffff) >>> 0;
}

function chunk(type, data) {
  const out = Buffer.alloc(12 + data.length);
  out.writeUInt32BE(data.length, 0);
  out.write(type, 4, 'latin1');
  Buffer.from(data).copy(out, 8);
  out.writeUInt32BE(crc32(out.subarray(4, 8 + data.length)), 8 + data.length);
  return out;
}

function png(size, rgba) {
  const header = Buffer.alloc(13);
  header.writeUInt32BE(size, 0);
  header.writeUInt32BE(size, 4);
  header.set([8, 6, 0, 0, 0], 8);  // 8-bit RGBA, no interlace
  const raw = Buffer.alloc(size * (size * 4 + 1));
  for (let y = 0; y < size; y++) Buffer.from(rgba.subarray(y * size * 4, (y + 1) * size * 4)).copy(raw, y * (size * 4 + 1) + 1);
  return Buffer.concat([Buffer.from([0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a]), chunk('IHDR', header),
    chunk('IDAT', deflateSync(raw, { level: 9 })), chunk('IEND', Buffer.alloc(0))]);
}

const [icoPath, outDir, ...sizes] = process.argv.slice(2);
if (!icoPath || !outDir || sizes.length === 0) fail('usage: make_icons.mjs ICON OUT_DIR SIZE...');
const icon = readIcon(readFileSync(icoPath));
for (const s of sizes.map(Number)) {
  if (!Number.isInteger(s) || s < 16 || s > 1024) fail(`bad size ${s}`);
  writeFileSync(`${outDir}/icon-${s}.png`, png(s, scaled(icon, s)));
}
