// Sharp bilinear in one pass on the CPU, for SDL's software renderer: the
// pixels of the picture enlarged by a whole multiple pixel for pixel, then
// scaled smoothly (bilinear, sampled at pixel centres) to the shown size,
// computed only where the picture changed. At a whole multiple it is pixel
// for pixel. (SDL's renderer, enlarging and smoothing the whole picture with
// its own stretches, cost four times the CPU of showing it at 1x.)
#pragma once

#include <cstdint>
#include <vector>

#include "platform/base/image.h"
#include "platform/host/common/viewport.h"

namespace mub::sdl {

class SharpScaler {
public:
    // Pictures of `picture` size shown at `out` size, enlarged `enlarge`
    // times first (viewport::Placement).
    void set_geometry(viewport::Size picture, viewport::Size out, int enlarge);
    viewport::Size picture() const { return picture_; }
    viewport::Size out() const { return out_; }

    // The output pixels that depend on the picture pixels in `changed`.
    Rect output_of(const Rect &changed) const;
    // Computes the output pixels in `area` into dst, which holds area's
    // top-left pixel, rows `pitch` pixels apart.
    void scale(const Image &picture, const Rect &area, uint32_t *dst, int pitch) const;

private:
    // An output column or row: picture index `from`, blended with the next
    // index `to` by weight w / 256 (w 0: `from` alone).
    struct Tap {
        int from = 0, to = 0;
        uint32_t w = 0;
    };
    static std::vector<Tap> taps(int picture, int out, int enlarge);
    static void span(const std::vector<Tap> &taps, int first, int end, int &lo, int &hi);

    viewport::Size picture_, out_;
    std::vector<Tap> cols_, rows_;
    // The columns' taps again, laid out for four pixels at a time: their
    // picture columns, and each weight four times (one per colour lane).
    std::vector<int32_t> col_from_, col_to_;
    std::vector<uint16_t> col_w_;
    mutable std::vector<uint32_t> mixed_row_;  // two picture rows mixed, for one output row
};

// Where two pictures of one size differ: on each band of `band` rows, the
// smallest rectangles around the differing pixels in it (changes far apart
// on one band are two); none when the pictures are the same. The whole
// picture when the sizes differ.
std::vector<Rect> changed_areas(const Image &before, const Image &now, int band = 16);

}  // namespace mub::sdl
