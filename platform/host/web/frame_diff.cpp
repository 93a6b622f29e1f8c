#include "platform/host/web/frame_diff.h"

#include <algorithm>

namespace mub::web {

namespace {

// Whole rows, without stopping at the first difference, so that the compiler
// compares many pixels at a time (memcmp goes byte by byte here).
bool same_row(const uint32_t *a, const uint32_t *b, int n) {
    uint32_t diff = 0;
    for (int i = 0; i < n; ++i) diff |= a[i] ^ b[i];
    return diff == 0;
}

}  // namespace

Rect changed_rect(const Image &last, const Image &next) {
    Rect r{next.width, next.height, 0, 0};
    for (int y = 0; y < next.height; ++y) {
        const uint32_t *a = last.row(y), *b = next.row(y);
        if (same_row(a, b, next.width)) continue;
        int left = 0, right = next.width;
        while (a[left] == b[left]) ++left;
        while (a[right - 1] == b[right - 1]) --right;
        r.left = std::min(r.left, left);
        r.right = std::max(r.right, right);
        r.top = std::min(r.top, y);
        r.bottom = y + 1;
    }
    return r.empty() ? Rect{} : r;
}

}  // namespace mub::web
