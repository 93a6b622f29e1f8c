// Reading the game's bitmap files for the artwork tests: the header fields,
// the palette and every pixel as an RGB colour, row 0 at the top.
#pragma once
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace arttest {

struct BmpImage {
    bool ok = false;
    std::string error;
    int width = 0, height = 0, bpp = 0;
    bool bottom_up = false;
    uint32_t compression = 0;
    std::vector<uint32_t> palette;  // 0xRRGGBB
    std::vector<uint32_t> pixels;   // 0xRRGGBB

    uint32_t at(int x, int y) const { return pixels[size_t(y) * width + x]; }
};

inline uint32_t le32(const std::vector<uint8_t>& b, size_t o) {
    return uint32_t(b[o]) | uint32_t(b[o + 1]) << 8 | uint32_t(b[o + 2]) << 16 | uint32_t(b[o + 3]) << 24;
}
inline uint16_t le16(const std::vector<uint8_t>& b, size_t o) { return uint16_t(b[o] | b[o + 1] << 8); }

inline std::vector<uint8_t> read_bytes(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

inline BmpImage read_bmp(const std::string& path) {
    BmpImage img;
    std::vector<uint8_t> b = read_bytes(path);
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') {
        img.error = "not a BMP file: " + path;
        return img;
    }
    if (le32(b, 2) != b.size()) {
        img.error = "file size field does not match";
        return img;
    }
    uint32_t offset = le32(b, 10);
    if (le32(b, 14) != 40) {
        img.error = "not a BITMAPINFOHEADER";
        return img;
    }
    img.width = int32_t(le32(b, 18));
    int32_t h = int32_t(le32(b, 22));
    img.bottom_up = h > 0;
    img.height = h < 0 ? -h : h;
    img.bpp = le16(b, 28);
    img.compression = le32(b, 30);
    uint32_t colours = le32(b, 46);
    if (colours == 0 && img.bpp <= 8) colours = 1u << img.bpp;
    for (uint32_t i = 0; i < colours; ++i) {
        size_t o = 54 + 4 * i;
        img.palette.push_back(uint32_t(b[o + 2]) << 16 | uint32_t(b[o + 1]) << 8 | b[o]);
    }
    size_t stride = ((size_t(img.width) * img.bpp + 31) / 32) * 4;
    if (offset + stride * img.height > b.size()) {
        img.error = "pixel data is cut short";
        return img;
    }
    img.pixels.resize(size_t(img.width) * img.height);
    for (int y = 0; y < img.height; ++y) {
        size_t row = offset + stride * size_t(img.bottom_up ? img.height - 1 - y : y);
        for (int x = 0; x < img.width; ++x) {
            int bit = x * img.bpp;
            int v = (b[row + bit / 8] >> (8 - img.bpp - bit % 8)) & ((1 << img.bpp) - 1);
            if (size_t(v) >= img.palette.size()) {
                img.error = "pixel index beyond the palette";
                return img;
            }
            img.pixels[size_t(y) * img.width + x] = img.palette[size_t(v)];
        }
    }
    img.ok = true;
    return img;
}

inline std::string bitmap_path(const std::string& name) {
    return std::string(MUB_SOURCE_DIR) + "/res/bitmaps/" + name + ".bmp";
}

}  // namespace arttest
