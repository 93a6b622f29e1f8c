#include "platform/host/sdl/sharp_scaler.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace mub::sdl {

namespace {

// a and b mixed by w / 256 of b, each of the three colour bytes alone,
// rounded to the nearest.
inline uint32_t mix(uint32_t a, uint32_t b, uint32_t w) {
    const uint32_t v = 256 - w;
    const uint32_t rb = ((a & 0xFF00FFu) * v + (b & 0xFF00FFu) * w + 0x800080u) >> 8 & 0xFF00FFu;
    const uint32_t g = ((a & 0x00FF00u) * v + (b & 0x00FF00u) * w + 0x008000u) >> 8 & 0x00FF00u;
    return rb | g;
}

#if defined(__SSE2__)
// Four pixels a and b mixed by their weights (each weight four times, as
// 16-bit lanes: two pixels' worth in w01, two in w23).
inline __m128i mix4(__m128i a, __m128i b, __m128i w01, __m128i w23) {
    const __m128i zero = _mm_setzero_si128(), full = _mm_set1_epi16(256), half = _mm_set1_epi16(128);
    auto half_of = [&](__m128i a8, __m128i b8, __m128i w) {  // two pixels, as 16-bit lanes
        const __m128i sum = _mm_add_epi16(_mm_mullo_epi16(a8, _mm_sub_epi16(full, w)), _mm_mullo_epi16(b8, w));
        return _mm_srli_epi16(_mm_add_epi16(sum, half), 8);
    };
    return _mm_packus_epi16(half_of(_mm_unpacklo_epi8(a, zero), _mm_unpacklo_epi8(b, zero), w01),
                            half_of(_mm_unpackhi_epi8(a, zero), _mm_unpackhi_epi8(b, zero), w23));
}
#endif

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
    col_from_.clear(), col_to_.clear(), col_w_.clear();
    for (const Tap &t : cols_) {
        col_from_.push_back(t.from);
        col_to_.push_back(t.to);
        col_w_.insert(col_w_.end(), 4, uint16_t(t.w));
    }
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
    // each output pixel mixes two of those (a weight of 0 takes the first
    // as it is, which is cheaper than asking).
    const int first = cols_[size_t(a.left)].from, last = cols_[size_t(a.right - 1)].to;
    mixed_row_.resize(size_t(picture.width));
    const int32_t *from = col_from_.data(), *to = col_to_.data();
    for (int y = a.top; y < a.bottom; ++y) {
        const Tap &row = rows_[size_t(y)];
        const uint32_t *src = picture.row(row.from);
        if (row.w) {
            const uint32_t *below = picture.row(row.to);
            int x = first;
#if defined(__SSE2__)
            const __m128i w = _mm_set1_epi16(int16_t(row.w));
            for (; x + 4 <= last + 1; x += 4)
                _mm_storeu_si128(reinterpret_cast<__m128i *>(&mixed_row_[size_t(x)]),
                                 mix4(_mm_loadu_si128(reinterpret_cast<const __m128i *>(src + x)),
                                      _mm_loadu_si128(reinterpret_cast<const __m128i *>(below + x)), w, w));
#endif
            for (; x <= last; ++x) mixed_row_[size_t(x)] = mix(src[x], below[x], row.w);
            src = mixed_row_.data();
        }
        uint32_t *out = dst + size_t(y - area.top) * size_t(pitch) - area.left;
        int x = a.left;
#if defined(__SSE2__)
        for (; x + 4 <= a.right; x += 4) {
            const __m128i p = _mm_set_epi32(int(src[from[x + 3]]), int(src[from[x + 2]]), int(src[from[x + 1]]),
                                            int(src[from[x]]));
            const __m128i q =
                _mm_set_epi32(int(src[to[x + 3]]), int(src[to[x + 2]]), int(src[to[x + 1]]), int(src[to[x]]));
            const __m128i *w = reinterpret_cast<const __m128i *>(&col_w_[size_t(x) * 4]);
            _mm_storeu_si128(reinterpret_cast<__m128i *>(out + x),
                             mix4(p, q, _mm_loadu_si128(w), _mm_loadu_si128(w + 1)));
        }
#endif
        for (; x < a.right; ++x) out[x] = mix(src[from[x]], src[to[x]], cols_[size_t(x)].w);
    }
}

std::vector<Rect> changed_areas(const Image &before, const Image &now, int band) {
    if (before.width != now.width || before.height != now.height || before.pixels.size() != now.pixels.size())
        return {Rect{0, 0, now.width, now.height}};
    // Changes further apart than this on one band are two areas.
    constexpr int kGap = 16;
    std::vector<Rect> areas;
    std::vector<uint8_t> column(size_t(now.width));
    const size_t row_bytes = size_t(now.width) * sizeof(uint32_t);
    for (int top = 0; top < now.height; top += band) {
        int first = now.height, last = -1;
        for (int y = top; y < std::min(now.height, top + band); ++y) {
            const uint32_t *a = before.row(y), *b = now.row(y);
            if (std::memcmp(a, b, row_bytes) == 0) continue;
            if (last < 0) std::fill(column.begin(), column.end(), uint8_t(0));
            first = std::min(first, y);
            last = y;
            for (int x = 0; x < now.width; ++x) column[size_t(x)] |= a[x] != b[x];
        }
        for (int x = 0; last >= 0 && x < now.width;) {
            if (!column[size_t(x)]) {
                ++x;
                continue;
            }
            int end = x + 1, gap = 0;
            for (int i = end; i < now.width && gap < kGap; ++i) {
                if (column[size_t(i)]) end = i + 1, gap = 0;
                else ++gap;
            }
            areas.push_back(Rect{x, first, end, last + 1});
            x = end;
        }
    }
    return areas;
}

}  // namespace mub::sdl
