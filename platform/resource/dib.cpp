// Decoding BITMAPINFOHEADER DIBs: 1, 4, 8 and 24 bits per pixel, uncompressed,
// bottom-up or top-down.
#include "platform/resource/dib.h"

#include <cstdint>
#include <cstdlib>

#include "platform/resource/byte_reader.h"

namespace mub::res::dib {
namespace {

// Larger than any picture the program has, small enough that a corrupt
// header cannot ask for gigabytes.
constexpr int64_t kMaxSide = 16384;
constexpr int64_t kMaxPixels = int64_t(1) << 26;

size_t row_bytes(int64_t width, int bpp) { return size_t((width * bpp + 31) / 32 * 4); }

}  // namespace

std::optional<Layout> parse(std::span<const uint8_t> dib, bool icon) {
    ByteReader r(dib);
    const uint32_t header_size = r.u32();
    const int64_t width = r.i32();
    int64_t height = r.i32();
    const uint16_t planes = r.u16();
    const uint16_t bpp = r.u16();
    const uint32_t compression = r.u32();
    r.skip(12);  // image size, resolution
    uint32_t colours_used = r.u32();
    if (!r.ok() || header_size < 40 || header_size > dib.size()) return std::nullopt;
    if (planes != 1 || compression != 0) return std::nullopt;  // BI_RGB only
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24) return std::nullopt;

    Layout l;
    l.top_down = height < 0;
    height = std::llabs(height);
    if (icon) {
        if (l.top_down || height % 2) return std::nullopt;
        height /= 2;
    }
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide || width * height > kMaxPixels)
        return std::nullopt;
    l.width = int(width);
    l.height = int(height);
    l.bpp = bpp;

    ByteReader p(dib, header_size);
    if (bpp <= 8) {
        const uint32_t full = 1u << bpp;
        if (colours_used == 0) colours_used = full;
        if (colours_used > full) return std::nullopt;
        for (uint32_t i = 0; i < colours_used; ++i) {
            const uint32_t quad = p.u32();  // blue, green, red, reserved
            l.palette.push_back(quad & 0x00FFFFFF);
        }
        if (!p.ok()) return std::nullopt;
    }

    l.stride = row_bytes(width, bpp);
    const size_t bits_size = l.stride * size_t(height);
    if (p.remaining() < bits_size) return std::nullopt;
    l.bits = dib.subspan(p.pos(), bits_size);
    if (icon) {
        const size_t mask_size = row_bytes(width, 1) * size_t(height);
        if (p.remaining() - bits_size < mask_size) return std::nullopt;
        l.mask = dib.subspan(p.pos() + bits_size, mask_size);
    }
    return l;
}

Image to_image(const Layout &l) {
    Image img(l.width, l.height);
    for (int y = 0; y < l.height; ++y) {
        const int src_row = l.top_down ? y : l.height - 1 - y;
        const uint8_t *src = l.bits.data() + l.stride * size_t(src_row);
        uint32_t *dst = img.row(y);
        for (int x = 0; x < l.width; ++x) {
            uint32_t index;
            switch (l.bpp) {
            case 1: index = (src[x / 8] >> (7 - x % 8)) & 1; break;
            case 4: index = (src[x / 2] >> (x % 2 ? 0 : 4)) & 0xF; break;
            case 8: index = src[x]; break;
            default: {
                const uint8_t *bgr = src + size_t(x) * 3;
                dst[x] = uint32_t(bgr[2]) << 16 | uint32_t(bgr[1]) << 8 | bgr[0];
                continue;
            }
            }
            dst[x] = index < l.palette.size() ? l.palette[index] : 0;
        }
    }
    return img;
}

bool mask_bit(const Layout &l, int x, int y) {
    if (l.mask.empty() || x < 0 || y < 0 || x >= l.width || y >= l.height) return false;
    const size_t stride = size_t((l.width + 31) / 32 * 4);
    const uint8_t *row = l.mask.data() + stride * size_t(l.height - 1 - y);
    return (row[x / 8] >> (7 - x % 8)) & 1;
}

}  // namespace mub::res::dib
