#include "platform/host/sdl/sharp_scaler.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace mub::sdl {

namespace {

// a and b mixed by w / 256 of b, each of the three colour bytes alone.
inline uint32_t mix(uint32_t a, uint32_t b, uint32_t w) {
    const uint32_t v = 256 - w;
    const uint32_t rb = ((a & 0xFF00FFu) * v + (b & 0xFF00FFu) * w) >> 8 & 0xFF00FFu;
    const uint32_t g = ((a & 0x00FF00u) * v + (b & 0x00FF00u) * w) >> 8 & 0x00FF00u;
    return rb | g;
}

}  // namespace

std::vector<SharpScaler::Tap> SharpScaler::taps(int picture, int out, int enlarge) {
    std::vector<Tap> t(size_t(std::max(0, out)));
    const int enlarged = picture * enlarge;
    for (int i = 0; i < out; ++i) {
        // The output pixel's centre in the enlarged picture, in its pixels.
        const double p = (i + 0.5) * enlarged / out - 0.5;
        int j = 0;
        double f = 0;
        if (p > 0) {
            j = int(std::floor(p));
            f = p - j;
            if (j >= enlarged - 1) j = enlarged - 1, f = 0;
        }
        Tap &tap = t[size_t(i)];
        tap.from = j / enlarge;
        tap.to = (j + 1) / enlarge;
        tap.w = uint32_t(std::lround(f * 256));
        if (tap.to == tap.from || tap.w == 0) tap.to = tap.from, tap.w = 0;  // one picture pixel under both
        else if (tap.w == 256) tap.from = tap.to, tap.w = 0;
    }
    return t;
}

void SharpScaler::set_geometry(viewport::Size picture, viewport::Size out, int enlarge) {
    picture_ = picture;
    out_ = out;
    enlarge = std::max(1, enlarge);
    cols_ = taps(picture.width, out.width, enlarge);
    rows_ = taps(picture.height, out.height, enlarge);
}

// The output indices [lo, hi) whose taps touch picture indices [first, end).
void SharpScaler::span(const std::vector<Tap> &taps, int first, int end, int &lo, int &hi) {
    lo = int(taps.size());
    hi = 0;
    for (int i = 0; i < int(taps.size()); ++i) {
        const Tap &t = taps[size_t(i)];
        if (t.to >= first && t.from < end) {
            lo = std::min(lo, i);
            hi = i + 1;
        }
    }
}

Rect SharpScaler::output_of(const Rect &changed) const {
    if (changed.empty()) return {};
    Rect r;
    span(cols_, changed.left, changed.right, r.left, r.right);
    span(rows_, changed.top, changed.bottom, r.top, r.bottom);
    return r.empty() ? Rect{} : r;
}

void SharpScaler::scale(const Image &picture, const Rect &area, uint32_t *dst, int pitch) const {
    if (picture.width != picture_.width || picture.height != picture_.height || area.empty()) return;
    const Rect a{std::max(0, area.left), std::max(0, area.top), std::min(area.right, out_.width),
                 std::min(area.bottom, out_.height)};
    if (a.empty()) return;
    // Rows are mixed first, over the picture's columns the area reads; then
    // each output pixel mixes at most two of those.
    const int first = cols_[size_t(a.left)].from, last = cols_[size_t(a.right - 1)].to;
    mixed_row_.resize(size_t(picture.width));
    for (int y = a.top; y < a.bottom; ++y) {
        const Tap &row = rows_[size_t(y)];
        const uint32_t *src = picture.row(row.from);
        if (row.w) {
            const uint32_t *below = picture.row(row.to);
            for (int x = first; x <= last; ++x) mixed_row_[size_t(x)] = mix(src[x], below[x], row.w);
            src = mixed_row_.data();
        }
        uint32_t *out = dst + size_t(y - area.top) * size_t(pitch) - area.left;
        for (int x = a.left; x < a.right; ++x) {
            const Tap &c = cols_[size_t(x)];
            out[x] = c.w ? mix(src[c.from], src[c.to], c.w) : src[c.from];
        }
    }
}

std::vector<Rect> changed_areas(const Image &before, const Image &now, int band) {
    if (before.width != now.width || before.height != now.height || before.pixels.size() != now.pixels.size())
        return {Rect{0, 0, now.width, now.height}};
    std::vector<Rect> areas;
    const size_t row_bytes = size_t(now.width) * sizeof(uint32_t);
    for (int top = 0; top < now.height; top += band) {
        Rect r{now.width, now.height, 0, 0};
        for (int y = top; y < std::min(now.height, top + band); ++y) {
            const uint32_t *a = before.row(y), *b = now.row(y);
            if (std::memcmp(a, b, row_bytes) == 0) continue;
            int left = 0, right = now.width;
            while (a[left] == b[left]) ++left;
            while (a[right - 1] == b[right - 1]) --right;
            r.left = std::min(r.left, left);
            r.right = std::max(r.right, right);
            r.top = std::min(r.top, y);
            r.bottom = y + 1;
        }
        if (!r.empty()) areas.push_back(r);
    }
    return areas;
}

}  // namespace mub::sdl
