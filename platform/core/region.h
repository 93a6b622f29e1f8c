// Simple regions: lists of disjoint rectangles, as GDI uses them for update
// and clip regions.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/base/image.h"

namespace mub::core {

using mub::Rect;

Rect intersect(const Rect &a, const Rect &b);
Rect translate(const Rect &r, int dx, int dy);

// The parts of a that lie outside b: at most four disjoint rectangles.
std::vector<Rect> subtract(const Rect &a, const Rect &b);

class Region {
public:
    // Adds the part of r not yet covered, so the rectangles stay disjoint.
    void add(const Rect &r);
    void remove(const Rect &r);
    void clear() { rects_.clear(); }
    bool empty() const { return rects_.empty(); }
    Rect bounds() const;
    const std::vector<Rect> &rects() const { return rects_; }

private:
    // A region that breaks into too many pieces becomes its bounding box; a
    // larger paint area is harmless, an unbounded list is not.
    static constexpr size_t kMaxRects = 64;
    std::vector<Rect> rects_;
};

}  // namespace mub::core
