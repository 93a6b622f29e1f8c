// A tiny raster library: an RGB canvas with filled shapes, thick lines and
// sprite helpers. Coordinates are pixels; shapes are sampled at pixel centres
// with plain IEEE arithmetic, so the result is the same on every machine.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace art {

using Color = uint32_t;                    // 0xRRGGBB
constexpr Color kClear = 0xFF000000u;      // "no pixel" in sprite canvases

struct Pt {
    double x, y;
};

class Canvas {
public:
    Canvas() = default;
    Canvas(int w, int h, Color fill = 0);

    int width() const { return w_; }
    int height() const { return h_; }
    Color get(int x, int y) const;
    void set(int x, int y, Color c);
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < w_ && y < h_; }

    void fill(Color c);
    void rect(int x, int y, int w, int h, Color c);
    void frame(int x, int y, int w, int h, Color c, int t = 1);
    void ellipse(double cx, double cy, double rx, double ry, Color c);
    void circle(double cx, double cy, double r, Color c) { ellipse(cx, cy, r, r, c); }
    void ring(double cx, double cy, double rx, double ry, double t, Color c);
    void polygon(const std::vector<Pt>& pts, Color c);
    void line(double x0, double y0, double x1, double y1, double width, Color c);
    void polyline(const std::vector<Pt>& pts, double width, Color c);
    void bezier(Pt a, Pt b, Pt c, double width, Color col);  // quadratic
    void round_rect(int x, int y, int w, int h, int r, Color c);
    // Ordered-dither between two colours; t in [0,16] (0 = all a, 16 = all b).
    void dither_rect(int x, int y, int w, int h, Color a, Color b, int t);
    // Vertical gradient from a to b through the 17 dither steps.
    void vgradient(int x, int y, int w, int h, Color a, Color b);
    // Copy src onto this canvas at (x, y); kClear pixels of src are skipped.
    void draw(const Canvas& src, int x, int y);
    // Mirror left-right.
    Canvas flipped_x() const;
    Canvas flipped_y() const;
    // Sprite helpers: paint c on every clear pixel next to a drawn one.
    void outline(Color c, bool diagonal = false);
    // Replace every pixel of colour from by to.
    void recolor(Color from, Color to);

private:
    int w_ = 0, h_ = 0;
    std::vector<Color> px_;
};

// Bayer 4x4 threshold (0..15) at a pixel.
int bayer(int x, int y);
// Deterministic sine/cosine (Taylor series on basic operations only).
double dsin(double a);
double dcos(double a);
constexpr double kPi = 3.14159265358979323846;

}  // namespace art
