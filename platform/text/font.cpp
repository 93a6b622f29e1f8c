// The 16-pixel font: glyph lookup, widths and drawing into an Image.
#include <algorithm>
#include <cstdint>

#include "platform/text/font_data.h"
#include "platform/text/text.h"

namespace mub::text {
namespace {

struct GlyphRef {
    const uint8_t *rows = nullptr;
    int width = 0;
};

GlyphRef find_exact(char32_t c) {
    if (c > 0xFFFF) return {};
    const uint16_t *begin = data::kGlyphCodes, *end = data::kGlyphCodes + data::kGlyphCount;
    const uint16_t *it = std::lower_bound(begin, end, uint16_t(c));
    if (it == end || *it != c) return {};
    const size_t i = size_t(it - begin);
    const uint32_t from = data::kGlyphOffsets[i], to = data::kGlyphOffsets[i + 1];
    return {reinterpret_cast<const uint8_t *>(data::kGlyphBits) + from, int(to - from) / kLineHeight * 8};
}

// A character the font does not have is shown as '?', as the code page
// conversion shows one it cannot map.
GlyphRef find_glyph(char32_t c) {
    GlyphRef g = find_exact(c);
    return g.rows ? g : find_exact(U'?');
}

}  // namespace

bool has_glyph(char32_t c) { return find_exact(c).rows != nullptr; }

int glyph_width(char32_t c) { return find_glyph(c).width; }

int text_width(std::u32string_view s) {
    int w = 0;
    for (char32_t c : s) w += glyph_width(c);
    return w;
}

void draw_text(Image &img, int x, int y, std::u32string_view s, uint32_t colour, const Rect &clip) {
    if (img.width <= 0 || img.height <= 0 || img.pixels.size() < size_t(img.width) * size_t(img.height)) return;
    // Pixels that may be written, as 64-bit numbers so far-off positions cannot overflow.
    const int64_t left = std::max<int64_t>(0, clip.left), right = std::min<int64_t>(img.width, clip.right);
    const int64_t top = std::max<int64_t>(0, clip.top), bottom = std::min<int64_t>(img.height, clip.bottom);
    if (left >= right || top >= bottom) return;
    int64_t pen = x;
    for (char32_t c : s) {
        const GlyphRef g = find_glyph(c);
        if (pen >= right) break;
        if (pen + g.width > left) {
            const int bytes_per_row = g.width / 8;
            for (int row = 0; row < kLineHeight; ++row) {
                const int64_t py = int64_t(y) + row;
                if (py < top || py >= bottom) continue;
                uint32_t *dst = img.row(int(py));
                for (int col = 0; col < g.width; ++col) {
                    const int64_t px = pen + col;
                    if (px < left || px >= right) continue;
                    const uint8_t byte = g.rows[row * bytes_per_row + col / 8];
                    if (byte & (0x80 >> (col % 8))) dst[px] = colour;
                }
            }
        }
        pen += g.width;
    }
}

}  // namespace mub::text
