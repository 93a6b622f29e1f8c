// Icons: a group (RT_GROUP_ICON) lists its images, each an RT_ICON holding a
// DIB of twice the image height: the colour picture, then the AND mask.
#include "platform/resource/byte_reader.h"
#include "platform/resource/dib.h"
#include "platform/resource/resources.h"

namespace mub::res {
namespace {

constexpr int kIconSize = 32;

// Nearest-neighbour, for an icon that was not drawn at 32 x 32.
Image scaled(const Image &src, int w, int h) {
    if (src.width == w && src.height == h) return src;
    Image out(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) out.row(y)[x] = src.row(y * src.height / h)[x * src.width / w];
    return out;
}

}  // namespace

std::optional<Image> load_icon(const ResFile &res, const Id &group_name, LangId language) {
    auto group = res.find(kRtGroupIcon, group_name, language);
    if (!group) return std::nullopt;
    ByteReader r(*group);
    r.u16();  // reserved
    const uint16_t type = r.u16();
    const uint16_t count = r.u16();
    r.skip(12);  // the first entry's size, colours, planes, bit count, byte count
    const uint16_t icon_id = r.u16();
    if (!r.ok() || type != 1 || count == 0) return std::nullopt;

    Id id;
    id.is_int = true;
    id.number = icon_id;
    auto data = res.find(kRtIcon, id, language);
    if (!data) return std::nullopt;
    auto layout = dib::parse(*data, true);
    if (!layout) return std::nullopt;
    Image img = dib::to_image(*layout);
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x) {
            uint32_t &px = img.row(y)[x];
            px = dib::mask_bit(*layout, x, y) ? 0 : (px | kIconOpaque);
        }
    return scaled(img, kIconSize, kIconSize);
}

}  // namespace mub::res
