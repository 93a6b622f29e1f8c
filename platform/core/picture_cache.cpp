#include "platform/core/picture_cache.h"

#include "platform/resource/dib.h"
#include "platform/resource/resources.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace mub::core::detail {

namespace {

size_t bytes_of(const Image &img) { return img.pixels.size() * sizeof(uint32_t); }

bool droppable(const BitmapObject &bm) { return !bm.dib.empty() && bm.image && !bm.selected_in; }

// Drops least recently used pictures until `more` bytes fit in the budget,
// or no picture is left that may go. Pictures selected into a DC stay, as
// they are about to be drawn.
void make_room(size_t more) {
    State &s = state();
    while (s.picture_bytes + more > kPictureBudget) {
        BitmapObject *oldest = nullptr;
        for (auto &[handle, obj] : s.gdi) {
            auto *bm = std::get_if<BitmapObject>(&obj);
            if (bm && droppable(*bm) && (!oldest || bm->last_use < oldest->last_use)) oldest = bm;
        }
        if (!oldest) return;
        s.picture_bytes -= bytes_of(*oldest->image);
        oldest->image.reset();
    }
}

// glibc raises its threshold for giving big blocks their own mapping each
// time such a block is freed, after which dropped pictures would stay in the
// heap. A fixed threshold keeps every picture in a mapping of its own, given
// back to the system when the picture is dropped.
void map_big_blocks_apart() {
#if defined(__GLIBC__)
    static const bool done = mallopt(M_MMAP_THRESHOLD, 128 * 1024) != 0;
    (void)done;
#endif
}

bool decode_into(BitmapObject &bm) {
    map_big_blocks_apart();
    auto decoded = mub::res::decode_dib(bm.dib);
    if (!decoded) return false;
    make_room(bytes_of(decoded->image));
    bm.bpp = decoded->bpp;
    bm.image = std::make_shared<Image>(std::move(decoded->image));
    state().picture_bytes += bytes_of(*bm.image);
    return true;
}

}  // namespace

bool adopt_picture(BitmapObject &bm, std::span<const uint8_t> dib) {
    // Checked now, decoded when first drawn: the program loads all its
    // pictures before its window shows, and the first screen needs three.
    const auto layout = mub::res::dib::parse(dib, false);
    if (!layout) return false;
    bm.dib = dib;
    bm.bpp = layout->bpp;
    bm.last_use = ++state().picture_clock;
    return true;
}

Image *bitmap_pixels(BitmapObject &bm, bool for_writing) {
    State &s = state();
    if (!bm.dib.empty()) {
        bm.last_use = ++s.picture_clock;
        if (!bm.image && !decode_into(bm)) return nullptr;
        if (for_writing) {
            // What is drawn into it cannot be decoded again: it stays.
            s.picture_bytes -= bytes_of(*bm.image);
            bm.dib = {};
        }
    }
    return bm.image.get();
}

void forget_picture(BitmapObject &bm) {
    if (!bm.dib.empty() && bm.image) state().picture_bytes -= bytes_of(*bm.image);
    bm.dib = {};
    bm.image.reset();
}

}  // namespace mub::core::detail
