#include "actors.h"

#include <algorithm>
#include <cmath>

#include "palette.h"

namespace art {
using namespace pal;

namespace {
double lw(double r, double k) { return std::max(1.0, r * k); }
}  // namespace

void draw_mub(Canvas& c, double cx, double cy, double r, Look look) {
    c.circle(cx, cy, r, Maroon);
    c.circle(cx, cy, r - lw(r, 0.08), Red);
    if (look == Look::Bonked) {
        // A round lump on the crown, its own rim showing against the head.
        const double bx = cx + 0.18 * r, by = cy - 0.9 * r, br = 0.32 * r;
        c.circle(bx, by, br + lw(r, 0.08), Maroon);
        c.circle(bx, by, br, Red);
        c.circle(bx - 0.3 * br, by - 0.3 * br, std::max(1.0, 0.3 * br), White);
    }
    // Shine on the top left.
    c.ellipse(cx - 0.45 * r, cy - 0.52 * r, 0.2 * r, 0.12 * r, White);
    double ex = 0.36 * r, ey = cy - 0.14 * r, erx = 0.22 * r, ery = 0.3 * r;
    double sw = lw(r, 0.09);
    if (look == Look::Hurt || look == Look::Bonked) {
        // Squeezed-shut eyes > <.
        c.polyline({{cx - ex - erx, ey - ery * 0.7}, {cx - ex + erx, ey}, {cx - ex - erx, ey + ery * 0.7}}, sw, Black);
        c.polyline({{cx + ex + erx, ey - ery * 0.7}, {cx + ex - erx, ey}, {cx + ex + erx, ey + ery * 0.7}}, sw, Black);
    }
    if (look == Look::Bonked) {
        // "Ouch": a mouth open in a wail.
        c.ellipse(cx, cy + 0.45 * r, 0.2 * r, 0.2 * r, Black);
        c.ellipse(cx, cy + 0.52 * r, 0.11 * r, 0.09 * r, Fuchsia);
        return;
    }
    if (look == Look::Hurt) {
        // A wobbly mouth and drops of sweat.
        std::vector<Pt> m;
        for (int i = 0; i <= 8; ++i)
            m.push_back({cx - 0.4 * r + 0.1 * r * i, cy + 0.48 * r + ((i & 1) ? -0.08 * r : 0.08 * r)});
        c.polyline(m, sw, Black);
        for (int k = 0; k < 2; ++k) {
            double dx = cx + r * (0.78 + 0.1 * k), dy = cy - r * (0.55 - 0.45 * k), s = r * (0.16 - 0.03 * k);
            c.polygon({{dx, dy - 2.2 * s}, {dx - s, dy}, {dx + s, dy}}, Blue);
            c.circle(dx, dy, s + 0.5, Blue);
            c.polygon({{dx, dy - 1.6 * s}, {dx - s * 0.6, dy}, {dx + s * 0.6, dy}}, Aqua);
            c.circle(dx, dy, s * 0.65, Aqua);
        }
        return;
    }
    if (look == Look::Sleep || look == Look::Happy) {
        for (int s = -1; s <= 1; s += 2)
            c.bezier({cx + s * ex - erx, ey + 0.05 * r}, {cx + s * ex, ey - (look == Look::Happy ? 0.35 : -0.3) * r},
                     {cx + s * ex + erx, ey + 0.05 * r}, sw, Black);
    } else {
        double px = look == Look::Left ? -0.1 * r : look == Look::Right ? 0.1 * r : 0;
        for (int s = -1; s <= 1; s += 2) {
            c.ellipse(cx + s * ex, ey, erx + lw(r, 0.05), ery + lw(r, 0.05), Black);
            c.ellipse(cx + s * ex, ey, erx, ery, White);
            c.ellipse(cx + s * ex + px, ey + 0.06 * r, erx * 0.55, ery * 0.6, Black);
            if (r >= 14) c.circle(cx + s * ex + px - erx * 0.2, ey - 0.03 * r, std::max(1.0, r * 0.05), White);
        }
        if (look == Look::Angry) {
            c.line(cx - ex - erx, ey - ery - 0.16 * r, cx - ex + erx, ey - ery + 0.02 * r, sw * 1.3, Black);
            c.line(cx + ex + erx, ey - ery - 0.16 * r, cx + ex - erx, ey - ery + 0.02 * r, sw * 1.3, Black);
        }
    }
    // Mouth.
    double my = cy + 0.42 * r;
    if (look == Look::Angry) {
        c.bezier({cx - 0.3 * r, my + 0.1 * r}, {cx, my - 0.15 * r}, {cx + 0.3 * r, my + 0.1 * r}, sw, Black);
    } else if (look == Look::Happy || look == Look::Front) {
        c.ellipse(cx, my, 0.3 * r, 0.2 * r, Black);
        c.rect(int(cx - 0.4 * r), int(my - 0.25 * r), int(0.8 * r) + 1, int(0.25 * r), Red);
        if (r >= 12) c.ellipse(cx, my + 0.1 * r, 0.14 * r, 0.07 * r, Fuchsia);
    } else {
        double off = look == Look::Left ? -0.08 * r : 0.08 * r;
        c.bezier({cx + off - 0.22 * r, my - 0.02 * r}, {cx + off, my + 0.2 * r}, {cx + off + 0.22 * r, my - 0.02 * r}, sw, Black);
    }
}

CrabColors cyan_crab() { return {Aqua, Teal, White}; }
CrabColors boss_crab(int row) {
    if (row == 0) return {Lime, Green, White};
    if (row == 1) return {Yellow, Olive, White};
    return {Red, Maroon, Yellow};
}

void draw_crab(Canvas& c, double cx, double cy, double r, const CrabColors& col, const CrabPose& p) {
    double w = lw(r, 0.13);
    // Legs: three a side, bending down and out.
    for (int s = -1; s <= 1; s += 2)
        for (int k = 0; k < 3; ++k) {
            double sway = ((k + p.legs) & 1) ? 0.12 * r : -0.08 * r;
            double x0 = cx + s * (0.45 + 0.2 * k) * r, y0 = cy + 0.25 * r;
            double x1 = cx + s * (0.95 + 0.15 * k) * r, y1 = cy + (0.45 + 0.05 * k) * r + sway;
            double x2 = cx + s * (1.0 + 0.12 * k) * r + s * sway * 0.5, y2 = cy + (0.85 + 0.02 * k) * r;
            c.polyline({{x0, y0}, {x1, y1}, {x2, y2}}, w, col.dark);
        }
    // Arms and pincers.
    for (int s = -1; s <= 1; s += 2) {
        double ax = cx + s * 0.85 * r, ay = cy - 0.05 * r;
        double hx, hy;
        if (p.claws == 0) hx = cx + s * 1.3 * r, hy = cy + 0.1 * r;
        else if (p.claws == 1) hx = cx + s * 1.25 * r, hy = cy - 0.6 * r;
        else hx = cx + s * 0.95 * r, hy = cy - 1.05 * r;
        c.line(ax, ay, hx, hy, w * 1.4, col.dark);
        double pr = 0.34 * r;
        c.circle(hx, hy - pr * 0.3, pr + w * 0.6, col.dark);
        c.circle(hx, hy - pr * 0.3, pr, col.body);
        // The notch between the two jaws.
        double nx = hx + s * pr * 0.25, ny = hy - pr * 1.35;
        c.polygon({{nx, ny - pr * 0.3}, {hx + s * pr * 0.05, hy - pr * 0.2}, {nx + s * pr * 0.7, ny + pr * 0.2}}, kClear);
    }
    // Eye stalks.
    for (int s = -1; s <= 1; s += 2) {
        double ex = cx + s * 0.32 * r, ey = cy - 0.85 * r;
        c.line(cx + s * 0.25 * r, cy - 0.4 * r, ex, ey, w, col.dark);
        double er = 0.2 * r;
        c.circle(ex, ey, er + w * 0.5, col.dark);
        c.circle(ex, ey, er, White);
        if (p.broken > 0) {
            c.line(ex - er * 0.6, ey - er * 0.6, ex + er * 0.6, ey + er * 0.6, std::max(1.0, w * 0.7), Black);
            c.line(ex - er * 0.6, ey + er * 0.6, ex + er * 0.6, ey - er * 0.6, std::max(1.0, w * 0.7), Black);
        } else {
            double dx = p.look == Look::Left ? -0.3 * er : p.look == Look::Right ? 0.3 * er : 0;
            c.circle(ex + dx, ey + 0.1 * er, er * 0.55, Black);
        }
    }
    if (p.look == Look::Angry)
        for (int s = -1; s <= 1; s += 2)
            c.line(cx + s * 0.1 * r, cy - 1.02 * r, cx + s * 0.55 * r, cy - 1.2 * r, w * 1.2, Black);
    // Shell.
    c.ellipse(cx, cy, r + w * 0.6, 0.6 * r + w * 0.6, col.dark);
    c.ellipse(cx, cy, r, 0.6 * r, col.body);
    c.ellipse(cx - 0.35 * r, cy - 0.28 * r, 0.3 * r, 0.12 * r, col.light);
    // Spots and a mouth.
    c.circle(cx - 0.55 * r, cy + 0.12 * r, 0.09 * r, col.dark);
    c.circle(cx + 0.6 * r, cy + 0.05 * r, 0.07 * r, col.dark);
    if (p.look == Look::Angry || p.broken)
        c.bezier({cx - 0.25 * r, cy + 0.32 * r}, {cx, cy + 0.12 * r}, {cx + 0.25 * r, cy + 0.32 * r}, std::max(1.0, w * 0.8), Black);
    else
        c.bezier({cx - 0.22 * r, cy + 0.15 * r}, {cx, cy + 0.35 * r}, {cx + 0.22 * r, cy + 0.15 * r}, std::max(1.0, w * 0.8), Black);
    if (p.crown) {
        double ty = cy - 0.6 * r;
        c.polygon({{cx - 0.35 * r, ty}, {cx - 0.4 * r, ty - 0.4 * r}, {cx - 0.17 * r, ty - 0.2 * r}, {cx, ty - 0.5 * r},
                   {cx + 0.17 * r, ty - 0.2 * r}, {cx + 0.4 * r, ty - 0.4 * r}, {cx + 0.35 * r, ty}},
                  Yellow);
        c.polyline({{cx - 0.35 * r, ty}, {cx + 0.35 * r, ty}}, std::max(1.0, w * 0.6), Olive);
    }
    if (p.broken > 0) {
        std::vector<Pt> crack;
        for (int i = 0; i <= 6; ++i) crack.push_back({cx - 0.1 * r + ((i & 1) ? 0.15 * r : -0.1 * r), cy - 0.6 * r + 0.2 * r * i});
        c.polyline(crack, std::max(1.0, w * 0.8), Black);
    }
}

void draw_heart(Canvas& c, double cx, double cy, double r, Color fill, Color edge) {
    auto shape = [&](double k, Color col) {
        double rr = r * k;
        c.circle(cx - 0.48 * rr, cy - 0.28 * rr, 0.55 * rr, col);
        c.circle(cx + 0.48 * rr, cy - 0.28 * rr, 0.55 * rr, col);
        c.polygon({{cx - 1.0 * rr, cy - 0.12 * rr}, {cx + 1.0 * rr, cy - 0.12 * rr}, {cx, cy + 0.95 * rr}}, col);
    };
    shape(1.0, edge);
    shape(0.8, fill);
    c.ellipse(cx - 0.45 * r, cy - 0.38 * r, 0.18 * r, 0.12 * r, White);
}

void draw_heart_edge(Canvas& c, double cx, double cy, double r, Color fill, Color edge) {
    // The heart turned sideways: a slim lens with the notch at its top.
    auto lens = [&](double k, Color col) {
        c.polygon({{cx - 0.08 * r * k, cy - 0.72 * r}, {cx - 0.4 * r * k, cy - 0.45 * r}, {cx - 0.34 * r * k, cy + 0.1 * r},
                   {cx, cy + 0.95 * r * (k > 0.8 ? 1 : 0.85)}, {cx + 0.34 * r * k, cy + 0.1 * r},
                   {cx + 0.4 * r * k, cy - 0.45 * r}, {cx + 0.08 * r * k, cy - 0.72 * r}},
                  col);
    };
    lens(1.0, edge);
    lens(0.62, fill);
    c.line(cx - 0.08 * r, cy - 0.45 * r, cx - 0.08 * r, cy - 0.1 * r, 1, White);
}

void draw_pile(Canvas& c, double cx, double bottom, double r, int kind) {
    Color fill = kind == 0 ? Yellow : kind == 1 ? Red : Silver;
    Color dark = kind == 0 ? Olive : kind == 1 ? Maroon : Gray;
    double o = std::max(1.0, r * 0.1);
    struct Tier {
        double y, rx, ry;
    } tiers[] = {{bottom - 0.28 * r, r, 0.3 * r}, {bottom - 0.68 * r, 0.74 * r, 0.27 * r}, {bottom - 1.02 * r, 0.46 * r, 0.22 * r}};
    c.polygon({{cx - 0.12 * r, bottom - 1.15 * r}, {cx + 0.25 * r, bottom - 1.5 * r}, {cx + 0.2 * r, bottom - 1.1 * r}}, dark);
    for (auto& t : tiers) c.ellipse(cx, t.y, t.rx + o, t.ry + o, dark);
    c.polygon({{cx - 0.05 * r, bottom - 1.12 * r}, {cx + 0.19 * r, bottom - 1.38 * r}, {cx + 0.15 * r, bottom - 1.1 * r}}, fill);
    for (auto& t : tiers) {
        c.ellipse(cx, t.y, t.rx, t.ry, fill);
        c.ellipse(cx - t.rx * 0.35, t.y - t.ry * 0.35, t.rx * 0.25, t.ry * 0.3, White);
    }
    for (int k = 0; k < 2; ++k) {
        auto& t = tiers[k];
        c.bezier({cx - t.rx * 0.7, t.y - t.ry * 0.55}, {cx, t.y - t.ry * 0.05}, {cx + t.rx * 0.7, t.y - t.ry * 0.55},
                 std::max(1.0, r * 0.07), dark);
    }
}

void draw_steam(Canvas& c, double cx, double top, double h, Color col) {
    for (int k = -1; k <= 1; ++k) {
        std::vector<Pt> p;
        for (int i = 0; i <= 8; ++i) {
            double t = i / 8.0;
            p.push_back({cx + k * h * 0.35 + dsin(t * 2 * kPi + k) * h * 0.1, top + h - t * h});
        }
        c.polyline(p, 1, col);
    }
}

void draw_candle(Canvas& c, int x, int y, int w, int h, int phase) {
    int bw = std::max(6, w * 2 / 5), bx = x + (w - bw) / 2, by = y + h * 2 / 5;
    c.rect(bx - 1, by - 1, bw + 2, y + h - by + 1, Gray);
    c.rect(bx, by, bw, y + h - by - 1, White);
    c.rect(bx + bw - 2, by + 1, 2, y + h - by - 2, Silver);
    // Wax drips.
    c.rect(bx + 1, by, 2, 4, Silver);
    c.ellipse(x + w / 2.0, y + h - 2, w * 0.42, 2.5, Olive);
    c.ellipse(x + w / 2.0, y + h - 2.5, w * 0.36, 1.6, Yellow);
    c.line(x + w / 2.0, by, x + w / 2.0, by - 3, 1, Black);
    double fx = x + w / 2.0 + (phase & 1 ? 0.8 : -0.8), ft = y + 1, fb = by - 2;
    double fr = std::max(3.0, bw * 0.45);
    c.polygon({{fx, ft}, {fx - fr, fb - fr}, {fx + fr, fb - fr}}, Red);
    c.circle(fx, fb - fr, fr, Red);
    c.polygon({{fx, ft + 3}, {fx - fr * 0.6, fb - fr}, {fx + fr * 0.6, fb - fr}}, Yellow);
    c.circle(fx, fb - fr, fr * 0.62, Yellow);
    c.circle(fx, fb - fr * 0.7, fr * 0.3, White);
}

void draw_hole_back(Canvas& c, double cx, double cy, double rx, double ry) {
    c.ellipse(cx, cy, rx + 2, ry + 2, Olive);
    c.ellipse(cx, cy, rx, ry, Black);
    c.ellipse(cx, cy - ry * 0.25, rx * 0.85, ry * 0.55, Navy);
    c.ellipse(cx, cy - ry * 0.1, rx * 0.75, ry * 0.6, Black);
}

void draw_hole_front(Canvas& c, double cx, double cy, double rx, double ry) {
    // Lower lip of the hole, in front of whatever comes out of it.
    for (int x = int(cx - rx - 2); x <= int(cx + rx + 2); ++x) {
        double dx = (x + 0.5 - cx) / (rx + 2);
        if (dx * dx >= 1) continue;
        double yy = cy + (ry + 2) * std::sqrt(1 - dx * dx);
        double yi = cy + ry * std::sqrt(std::max(0.0, 1 - ((x + 0.5 - cx) / rx) * ((x + 0.5 - cx) / rx)));
        for (int y = int(yi); y < int(yy + 0.5); ++y) c.set(x, y, Olive);
        c.set(x, int(yi) - 1, Yellow);
    }
}

void draw_flash(Canvas& c, double cx, double cy, double r, Color outer, Color inner) {
    std::vector<Pt> p, q;
    for (int i = 0; i < 16; ++i) {
        double a = i * kPi / 8, rr = (i & 1) ? r * 0.42 : r * ((i & 2) ? 0.75 : 1.0);
        p.push_back({cx + rr * dcos(a), cy + rr * dsin(a)});
        q.push_back({cx + rr * 0.55 * dcos(a), cy + rr * 0.55 * dsin(a)});
    }
    c.polygon(p, outer);
    c.polygon(q, inner);
}

void draw_star(Canvas& c, double cx, double cy, double r, Color fill, Color edge) {
    const int s = int(2 * r) + 5;
    Canvas star(s, s, kClear);
    std::vector<Pt> p;
    for (int i = 0; i < 10; ++i) {
        double a = -kPi / 2 + i * kPi / 5, rr = (i & 1) ? r * 0.5 : r;
        p.push_back({s / 2.0 + rr * dcos(a), s / 2.0 + rr * dsin(a)});
    }
    star.polygon(p, fill);
    star.outline(edge);
    c.draw(star, int(cx - s / 2.0), int(cy - s / 2.0));
}

void draw_fish(Canvas& c, double cx, double cy, double s, int dir, Color body, Color fin) {
    c.polygon({{cx - dir * s * 0.8, cy}, {cx - dir * s * 1.4, cy - s * 0.5}, {cx - dir * s * 1.4, cy + s * 0.5}}, fin);
    c.ellipse(cx, cy, s, s * 0.55, body);
    c.polygon({{cx - dir * s * 0.2, cy - s * 0.45}, {cx + dir * s * 0.2, cy - s * 0.45}, {cx - dir * s * 0.3, cy - s * 0.85}}, fin);
    c.circle(cx + dir * s * 0.5, cy - s * 0.1, std::max(1.0, s * 0.18), White);
    c.circle(cx + dir * s * 0.55, cy - s * 0.1, std::max(0.7, s * 0.09), Black);
}

void draw_seaweed(Canvas& c, double x, double bottom, double h, double phase, Color col, Color dark) {
    std::vector<Pt> p;
    for (int i = 0; i <= 12; ++i) {
        double t = i / 12.0;
        p.push_back({x + dsin(t * 3 * kPi + phase) * h * 0.08 * (0.3 + t), bottom - t * h});
    }
    c.polyline(p, std::max(3.0, h * 0.09), dark);
    c.polyline(p, std::max(1.5, h * 0.055), col);
}

void draw_bubble(Canvas& c, double cx, double cy, double r) {
    c.ring(cx, cy, r, r, std::max(1.0, r * 0.2), Aqua);
    c.circle(cx - r * 0.35, cy - r * 0.35, std::max(0.8, r * 0.22), White);
}

}  // namespace art
