#include "digits.h"

#include <vector>

namespace art {
namespace {

using Path = std::vector<Pt>;

// Points of an elliptic arc, angles in degrees, 0 = right, 90 = down.
Path arc(double cx, double cy, double rx, double ry, double a0, double a1) {
    Path p;
    int n = int((a1 > a0 ? a1 - a0 : a0 - a1) / 10) + 1;
    for (int i = 0; i <= n; ++i) {
        double a = (a0 + (a1 - a0) * i / n) * kPi / 180;
        p.push_back({cx + rx * dcos(a), cy + ry * dsin(a)});
    }
    return p;
}

Path join(Path a, const Path& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::vector<Path> strokes(int d) {
    switch (d) {
        case 0: return {arc(.5, .5, .5, .5, 0, 360)};
        case 1: return {{{.15, .22}, {.62, 0}, {.62, 1}}};
        case 2: return {join(arc(.5, .28, .5, .28, 195, 380), Path{{.0, 1}, {1, 1}})};
        case 3: return {join(arc(.5, .25, .46, .25, 200, 450), arc(.5, .73, .5, .27, 270, 520))};
        case 4: return {{{.72, 1}, {.72, 0}, {0, .7}, {1, .7}}};
        case 5: return {join(Path{{.92, 0}, {.14, 0}, {.08, .46}}, arc(.5, .68, .5, .32, 225, 510))};
        case 6: return {arc(.5, .7, .5, .3, 0, 360), join(Path{{.9, .1}}, arc(.5, .62, .5, .6, 280, 180))};
        case 7: return {{{0, 0}, {1, 0}, {.38, 1}}};
        case 8: return {arc(.5, .24, .42, .24, 0, 360), arc(.5, .72, .5, .28, 0, 360)};
        default: {
            std::vector<Path> six = strokes(6);
            for (auto& p : six)
                for (auto& q : p) q = {1 - q.x, 1 - q.y};
            return six;
        }
    }
}

}  // namespace

Canvas digit_sprite(int d, int w, int h, double stroke, Color fill, Color outline) {
    Canvas c(w, h, kClear);
    double m = stroke / 2 + (outline != kClear ? 1 : 0);
    double bx = m, by = m, bw = w - 2 * m, bh = h - 2 * m;
    for (const Path& p : strokes(d)) {
        Path q;
        for (auto& pt : p) q.push_back({bx + pt.x * bw, by + pt.y * bh});
        c.polyline(q, stroke, fill);
    }
    if (outline != kClear) c.outline(outline, true);
    return c;
}

}  // namespace art
