#include "canvas.h"

#include <algorithm>
#include <cmath>

namespace art {

Canvas::Canvas(int w, int h, Color fill) : w_(w), h_(h), px_(size_t(w) * size_t(h), fill) {}

Color Canvas::get(int x, int y) const { return inside(x, y) ? px_[size_t(y) * w_ + x] : kClear; }

void Canvas::set(int x, int y, Color c) {
    if (inside(x, y)) px_[size_t(y) * w_ + x] = c;
}

void Canvas::fill(Color c) { std::fill(px_.begin(), px_.end(), c); }

void Canvas::rect(int x, int y, int w, int h, Color c) {
    for (int j = std::max(0, y); j < std::min(h_, y + h); ++j)
        for (int i = std::max(0, x); i < std::min(w_, x + w); ++i) px_[size_t(j) * w_ + i] = c;
}

void Canvas::frame(int x, int y, int w, int h, Color c, int t) {
    rect(x, y, w, t, c);
    rect(x, y + h - t, w, t, c);
    rect(x, y, t, h, c);
    rect(x + w - t, y, t, h, c);
}

void Canvas::ellipse(double cx, double cy, double rx, double ry, Color c) {
    if (rx <= 0 || ry <= 0) return;
    int x0 = int(std::floor(cx - rx)), x1 = int(std::ceil(cx + rx));
    int y0 = int(std::floor(cy - ry)), y1 = int(std::ceil(cy + ry));
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
            if (dx * dx + dy * dy <= 1.0) set(x, y, c);
        }
}

void Canvas::ring(double cx, double cy, double rx, double ry, double t, Color c) {
    int x0 = int(std::floor(cx - rx)), x1 = int(std::ceil(cx + rx));
    int y0 = int(std::floor(cy - ry)), y1 = int(std::ceil(cy + ry));
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
            double ix = (x + 0.5 - cx) / (rx - t), iy = (y + 0.5 - cy) / (ry - t);
            if (dx * dx + dy * dy <= 1.0 && (rx <= t || ry <= t || ix * ix + iy * iy > 1.0)) set(x, y, c);
        }
}

void Canvas::polygon(const std::vector<Pt>& pts, Color c) {
    if (pts.size() < 3) return;
    double miny = pts[0].y, maxy = pts[0].y;
    for (auto& p : pts) miny = std::min(miny, p.y), maxy = std::max(maxy, p.y);
    for (int y = int(std::floor(miny)); y <= int(std::ceil(maxy)); ++y) {
        double sy = y + 0.5;
        std::vector<double> xs;
        for (size_t i = 0; i < pts.size(); ++i) {
            Pt a = pts[i], b = pts[(i + 1) % pts.size()];
            if ((a.y <= sy && b.y > sy) || (b.y <= sy && a.y > sy))
                xs.push_back(a.x + (sy - a.y) * (b.x - a.x) / (b.y - a.y));
        }
        std::sort(xs.begin(), xs.end());
        for (size_t i = 0; i + 1 < xs.size(); i += 2)
            for (int x = int(std::ceil(xs[i] - 0.5)); x + 0.5 <= xs[i + 1]; ++x) set(x, y, c);
    }
}

void Canvas::line(double x0, double y0, double x1, double y1, double width, Color c) {
    double r = width / 2;
    int bx0 = int(std::floor(std::min(x0, x1) - r)), bx1 = int(std::ceil(std::max(x0, x1) + r));
    int by0 = int(std::floor(std::min(y0, y1) - r)), by1 = int(std::ceil(std::max(y0, y1) + r));
    double dx = x1 - x0, dy = y1 - y0, len2 = dx * dx + dy * dy;
    for (int y = by0; y <= by1; ++y)
        for (int x = bx0; x <= bx1; ++x) {
            double px = x + 0.5 - x0, py = y + 0.5 - y0;
            double t = len2 > 0 ? std::clamp((px * dx + py * dy) / len2, 0.0, 1.0) : 0.0;
            double ex = px - t * dx, ey = py - t * dy;
            if (ex * ex + ey * ey <= r * r) set(x, y, c);
        }
}

void Canvas::polyline(const std::vector<Pt>& pts, double width, Color c) {
    for (size_t i = 0; i + 1 < pts.size(); ++i) line(pts[i].x, pts[i].y, pts[i + 1].x, pts[i + 1].y, width, c);
}

void Canvas::bezier(Pt a, Pt b, Pt c, double width, Color col) {
    std::vector<Pt> pts;
    const int n = 16;
    for (int i = 0; i <= n; ++i) {
        double t = double(i) / n, u = 1 - t;
        pts.push_back({u * u * a.x + 2 * u * t * b.x + t * t * c.x, u * u * a.y + 2 * u * t * b.y + t * t * c.y});
    }
    polyline(pts, width, col);
}

void Canvas::round_rect(int x, int y, int w, int h, int r, Color c) {
    r = std::min({r, w / 2, h / 2});
    rect(x + r, y, w - 2 * r, h, c);
    rect(x, y + r, w, h - 2 * r, c);
    circle(x + r, y + r, r, c);
    circle(x + w - r, y + r, r, c);
    circle(x + r, y + h - r, r, c);
    circle(x + w - r, y + h - r, r, c);
}

int bayer(int x, int y) {
    static const int m[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    return m[y & 3][x & 3];
}

void Canvas::dither_rect(int x, int y, int w, int h, Color a, Color b, int t) {
    for (int j = std::max(0, y); j < std::min(h_, y + h); ++j)
        for (int i = std::max(0, x); i < std::min(w_, x + w); ++i) px_[size_t(j) * w_ + i] = bayer(i, j) < t ? b : a;
}

void Canvas::vgradient(int x, int y, int w, int h, Color a, Color b) {
    for (int j = 0; j < h; ++j) {
        int t = h > 1 ? (j * 16 + (h - 1) / 2) / (h - 1) : 0;
        dither_rect(x, y + j, w, 1, a, b, t);
    }
}

void Canvas::draw(const Canvas& src, int x, int y) {
    for (int j = 0; j < src.h_; ++j)
        for (int i = 0; i < src.w_; ++i) {
            Color c = src.px_[size_t(j) * src.w_ + i];
            if (c != kClear) set(x + i, y + j, c);
        }
}

Canvas Canvas::flipped_x() const {
    Canvas o(w_, h_);
    for (int j = 0; j < h_; ++j)
        for (int i = 0; i < w_; ++i) o.px_[size_t(j) * w_ + i] = px_[size_t(j) * w_ + (w_ - 1 - i)];
    return o;
}

Canvas Canvas::flipped_y() const {
    Canvas o(w_, h_);
    for (int j = 0; j < h_; ++j)
        for (int i = 0; i < w_; ++i) o.px_[size_t(j) * w_ + i] = px_[size_t(h_ - 1 - j) * w_ + i];
    return o;
}

void Canvas::outline(Color c, bool diagonal) {
    std::vector<Color> out = px_;
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x) {
            if (px_[size_t(y) * w_ + x] != kClear) continue;
            bool near = false;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    if ((dx == 0 && dy == 0) || (!diagonal && dx != 0 && dy != 0)) continue;
                    if (get(x + dx, y + dy) != kClear) near = true;
                }
            if (near) out[size_t(y) * w_ + x] = c;
        }
    px_ = std::move(out);
}

void Canvas::recolor(Color from, Color to) {
    for (auto& p : px_)
        if (p == from) p = to;
}

static double reduce(double a) {
    double twopi = 2 * kPi;
    double k = std::floor(a / twopi + 0.5);
    return a - k * twopi;
}

double dsin(double a) {
    double x = reduce(a), x2 = x * x, term = x, sum = x;
    for (int n = 1; n < 12; ++n) {
        term = -term * x2 / double((2 * n) * (2 * n + 1));
        sum += term;
    }
    return sum;
}

double dcos(double a) { return dsin(a + kPi / 2); }

}  // namespace art
