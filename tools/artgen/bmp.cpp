#include "bmp.h"

#include <fstream>
#include <map>
#include <stdexcept>

#include "palette.h"

namespace art {
namespace {

void put16(std::vector<uint8_t>& v, uint32_t x) {
    v.push_back(uint8_t(x));
    v.push_back(uint8_t(x >> 8));
}
void put32(std::vector<uint8_t>& v, uint32_t x) {
    put16(v, x & 0xFFFF);
    put16(v, x >> 16);
}

int sq(int a) { return a * a; }

int nearest(const std::vector<Color>& pal, Color c) {
    int best = 0, bd = 1 << 30;
    for (size_t i = 0; i < pal.size(); ++i) {
        Color p = pal[i];
        int d = sq(int(p >> 16 & 255) - int(c >> 16 & 255)) + sq(int(p >> 8 & 255) - int(c >> 8 & 255)) +
                sq(int(p & 255) - int(c & 255));
        if (d < bd) bd = d, best = int(i);
    }
    return best;
}

// Palette indices of every pixel, row 0 first.
std::vector<uint8_t> indices(const Canvas& c, int bpp, const std::vector<Color>& pal) {
    std::map<Color, int> exact;
    for (size_t i = 0; i < pal.size(); ++i) exact.emplace(pal[i], int(i));
    std::vector<uint8_t> out(size_t(c.width()) * c.height());
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x) {
            Color col = c.get(x, y);
            if (col == kClear) col = pal::White;
            auto it = exact.find(col);
            int idx;
            if (it != exact.end()) {
                idx = it->second;
            } else if (bpp == 8) {
                // Ordered dither each channel onto the cube's 51-step levels.
                int t = bayer(x, y);
                auto ch = [&](int v) {
                    int lo = v / 51, rem = v - lo * 51;
                    return (rem * 16 > t * 51 + 25 && lo < 5) ? lo + 1 : lo;
                };
                Color d = Color(ch(col >> 16 & 255) * 51) << 16 | Color(ch(col >> 8 & 255) * 51) << 8 |
                          Color(ch(col & 255) * 51);
                idx = nearest(pal, d);
            } else {
                char buf[64];
                snprintf(buf, sizeof buf, "colour %06X at (%d,%d) is not in the palette", col, x, y);
                throw std::runtime_error(buf);
            }
            out[size_t(y) * c.width() + x] = uint8_t(idx);
        }
    return out;
}

std::vector<uint8_t> pack_rows(const std::vector<uint8_t>& idx, int w, int h, int bpp, bool bottom_up) {
    int stride = ((w * bpp + 31) / 32) * 4;
    std::vector<uint8_t> out(size_t(stride) * h, 0);
    for (int y = 0; y < h; ++y) {
        int row = bottom_up ? h - 1 - y : y;
        uint8_t* dst = &out[size_t(row) * stride];
        for (int x = 0; x < w; ++x) {
            int v = idx[size_t(y) * w + x];
            int bit = x * bpp;
            dst[bit / 8] |= uint8_t(v << (8 - bpp - bit % 8));
        }
    }
    return out;
}

void info_header(std::vector<uint8_t>& v, int w, int h, int bpp, size_t image_bytes, int colours) {
    put32(v, 40);
    put32(v, uint32_t(w));
    put32(v, uint32_t(h));
    put16(v, 1);
    put16(v, uint32_t(bpp));
    put32(v, 0);  // BI_RGB
    put32(v, uint32_t(image_bytes));
    put32(v, 2835);  // 72 dpi
    put32(v, 2835);
    put32(v, uint32_t(colours));
    put32(v, 0);
}

void palette_bytes(std::vector<uint8_t>& v, const std::vector<Color>& pal) {
    for (Color c : pal) {
        v.push_back(uint8_t(c & 255));
        v.push_back(uint8_t(c >> 8 & 255));
        v.push_back(uint8_t(c >> 16 & 255));
        v.push_back(0);
    }
}

}  // namespace

std::vector<uint8_t> encode_bmp(const Canvas& c, int bpp, const std::vector<Color>& pal) {
    if (pal.size() != (1u << bpp)) throw std::runtime_error("palette size does not match the bit depth");
    std::vector<uint8_t> pixels = pack_rows(indices(c, bpp, pal), c.width(), c.height(), bpp, true);
    uint32_t offset = 14 + 40 + uint32_t(pal.size()) * 4;
    std::vector<uint8_t> v;
    v.push_back('B');
    v.push_back('M');
    put32(v, offset + uint32_t(pixels.size()));
    put32(v, 0);
    put32(v, offset);
    info_header(v, c.width(), c.height(), bpp, pixels.size(), int(pal.size()));
    palette_bytes(v, pal);
    v.insert(v.end(), pixels.begin(), pixels.end());
    return v;
}

std::vector<uint8_t> encode_ico(const Canvas& c) {
    const auto& pal = classic16();
    Canvas solid = c;
    Canvas mask(c.width(), c.height(), pal::Black);
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x)
            if (c.get(x, y) == kClear) {
                solid.set(x, y, pal::Black);  // transparent: black image, AND bit set
                mask.set(x, y, pal::White);
            }
    std::vector<uint8_t> xorbits = pack_rows(indices(solid, 4, pal), c.width(), c.height(), 4, true);
    std::vector<uint8_t> andbits = pack_rows(indices(mask, 1, mono2()), c.width(), c.height(), 1, true);
    std::vector<uint8_t> dib;
    info_header(dib, c.width(), c.height() * 2, 4, xorbits.size() + andbits.size(), 16);
    palette_bytes(dib, pal);
    dib.insert(dib.end(), xorbits.begin(), xorbits.end());
    dib.insert(dib.end(), andbits.begin(), andbits.end());

    std::vector<uint8_t> v;
    put16(v, 0);
    put16(v, 1);  // icon
    put16(v, 1);  // one image
    v.push_back(uint8_t(c.width()));
    v.push_back(uint8_t(c.height()));
    v.push_back(16);  // colours
    v.push_back(0);
    put16(v, 1);  // planes
    put16(v, 4);  // bits per pixel
    put32(v, uint32_t(dib.size()));
    put32(v, 6 + 16);
    v.insert(v.end(), dib.begin(), dib.end());
    return v;
}

void write_file(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream f(path, std::ios::binary);
    if (!f) throw std::runtime_error("cannot write " + path);
    f.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!f) throw std::runtime_error("cannot write " + path);
}

}  // namespace art
