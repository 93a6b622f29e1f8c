#include <cmath>

#include "pictures.h"

namespace art {

Canvas layer(int w, int h, const std::function<void(Canvas&)>& fn, Color outline) {
    Canvas c(w, h, kClear);
    fn(c);
    if (outline != kClear) c.outline(outline);
    return c;
}

Canvas shatter(const Canvas& src, double cx, double cy, int spread) {
    // The cracks are triangle waves, so every piece keeps a clean edge.
    auto tri = [](int v) { int m = ((v % 8) + 8) % 8; return (m < 4 ? m : 8 - m) - 2; };
    Canvas out(src.width(), src.height(), kClear);
    for (int y = 0; y < src.height(); ++y)
        for (int x = 0; x < src.width(); ++x) {
            Color c = src.get(x, y);
            if (c == kClear) continue;
            int sx = x < cx + tri(y) ? -1 : 1;
            int sy = y < cy + tri(x) ? -1 : 1;
            int dx = sx * spread, dy = spread > 1 ? sy * spread / 2 + spread / 2 : 0;
            out.set(x + dx, y + dy, c);
        }
    return out;
}

void keep_columns(Canvas& c, int x0, int x1) {
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x)
            if (x < x0 || x > x1) c.set(x, y, kClear);
}

}  // namespace art
