#include "platform/core/region.h"

#include <algorithm>

namespace mub::core {

Rect intersect(const Rect &a, const Rect &b) {
    Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
           std::min(a.bottom, b.bottom)};
    if (r.empty()) return Rect{};
    return r;
}

Rect translate(const Rect &r, int dx, int dy) { return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}; }

std::vector<Rect> subtract(const Rect &a, const Rect &b) {
    if (a.empty()) return {};
    const Rect cut = intersect(a, b);
    if (cut.empty()) return {a};
    std::vector<Rect> out;
    if (a.top < cut.top) out.push_back({a.left, a.top, a.right, cut.top});
    if (cut.bottom < a.bottom) out.push_back({a.left, cut.bottom, a.right, a.bottom});
    if (a.left < cut.left) out.push_back({a.left, cut.top, cut.left, cut.bottom});
    if (cut.right < a.right) out.push_back({cut.right, cut.top, a.right, cut.bottom});
    return out;
}

void Region::add(const Rect &r) {
    if (r.empty()) return;
    std::vector<Rect> pieces{r};
    for (const Rect &have : rects_) {
        std::vector<Rect> next;
        for (const Rect &p : pieces) {
            auto rest = subtract(p, have);
            next.insert(next.end(), rest.begin(), rest.end());
        }
        pieces.swap(next);
        if (pieces.empty()) return;
    }
    rects_.insert(rects_.end(), pieces.begin(), pieces.end());
    if (rects_.size() > kMaxRects) {
        const Rect b = bounds();
        rects_.assign(1, b);
    }
}

void Region::remove(const Rect &r) {
    if (r.empty()) return;
    std::vector<Rect> next;
    for (const Rect &have : rects_) {
        auto rest = subtract(have, r);
        next.insert(next.end(), rest.begin(), rest.end());
    }
    rects_.swap(next);
}

Rect Region::bounds() const {
    if (rects_.empty()) return Rect{};
    Rect b = rects_.front();
    for (const Rect &r : rects_) {
        b.left = std::min(b.left, r.left);
        b.top = std::min(b.top, r.top);
        b.right = std::max(b.right, r.right);
        b.bottom = std::max(b.bottom, r.bottom);
    }
    return b;
}

}  // namespace mub::core
