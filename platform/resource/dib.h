// Device-independent bitmaps, shared by the bitmap and icon readers.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/resource/resources.h"

namespace mub::res::dib {

// The parts of a packed DIB (header, palette, bits), all checked to lie
// inside the data.
struct Layout {
    int width = 0, height = 0;  // height of the picture, without an icon's mask
    int bpp = 0;
    bool top_down = false;
    std::vector<uint32_t> palette;  // 0x00RRGGBB
    size_t stride = 0;              // bytes per row, padded to 4
    std::span<const uint8_t> bits;  // height rows
    std::span<const uint8_t> mask;  // icons only: height rows of 1 bpp
};

// An icon image stores its picture and its AND mask one above the other and
// gives their combined height in the header.
std::optional<Layout> parse(std::span<const uint8_t> dib, bool icon);

// The picture as XRGB; a pixel index the palette does not have reads as black.
Image to_image(const Layout &l);

// Whether pixel (x, y) of an icon's AND mask is set (transparent).
bool mask_bit(const Layout &l, int x, int y);

}  // namespace mub::res::dib
