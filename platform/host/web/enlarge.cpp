#include "platform/host/web/enlarge.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace mub::web {

namespace {

// n pixels each written k times. The loops for 2 and 3 are plain enough for
// the compiler to do four pixels at a time; a fitted canvas is almost
// always enlarged twice or three times.
void widen(const uint32_t *src, int n, int k, uint32_t *out) {
    switch (k) {
    case 2:
        for (int x = 0; x < n; ++x) out[2 * x] = out[2 * x + 1] = src[x];
        break;
    case 3:
        for (int x = 0; x < n; ++x) out[3 * x] = out[3 * x + 1] = out[3 * x + 2] = src[x];
        break;
    default:
        for (int x = 0; x < n; ++x) std::fill_n(out + size_t(x) * size_t(k), k, src[x]);
        break;
    }
}

}  // namespace

void enlarge_area(const uint32_t *in, int width, int height, const Rect &area, int k, uint32_t *out) {
    const Rect a{std::max(0, area.left), std::max(0, area.top), std::min(width, area.right),
                 std::min(height, area.bottom)};
    if (a.empty() || k < 1) return;
    const size_t out_width = size_t(width) * size_t(k);
    const size_t n = size_t(a.width()) * size_t(k);
    for (int y = a.top; y < a.bottom; ++y) {
        uint32_t *row = out + size_t(y) * size_t(k) * out_width + size_t(a.left) * size_t(k);
        widen(in + size_t(y) * size_t(width) + a.left, a.width(), k, row);
        for (int j = 1; j < k; ++j) std::memcpy(row + size_t(j) * out_width, row, n * sizeof(uint32_t));
    }
}

}  // namespace mub::web
