// Bitmap resources as the screen's device-dependent bitmaps.
#include "platform/resource/dib.h"
#include "platform/resource/resources.h"

namespace mub::res {

std::optional<Bitmap> decode_dib(std::span<const uint8_t> data) {
    auto layout = dib::parse(data, false);
    if (!layout) return std::nullopt;
    // A monochrome bitmap keeps 0 = black and 1 = white, whatever its palette.
    if (layout->bpp == 1) layout->palette = {0x000000, 0xFFFFFF};
    return Bitmap{layout->bpp, dib::to_image(*layout)};
}

std::optional<Bitmap> load_bitmap(const ResFile &res, const Id &name, LangId language) {
    auto data = res.find(kRtBitmap, name, language);
    if (!data) return std::nullopt;
    return decode_dib(*data);
}

}  // namespace mub::res
