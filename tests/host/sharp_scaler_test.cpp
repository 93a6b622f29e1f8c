// The desktop's picture scaling: the same pixels as enlarging the picture by
// a whole multiple pixel for pixel and smoothing that (bilinear, at pixel
// centres) to the shown size; pixel for pixel at a whole multiple; and drawn
// again only where the picture changed, with the same result as drawing it
// all.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "platform/host/sdl/sharp_scaler.h"

namespace {

using mub::Image;
using mub::Rect;
using mub::sdl::changed_areas;
using mub::sdl::SharpScaler;
namespace vp = mub::viewport;

Image noise(int w, int h, unsigned seed) {
    Image p(w, h);
    std::mt19937 rng(seed);
    for (uint32_t &px : p.pixels) px = rng() & 0xFFFFFF;
    return p;
}

std::vector<uint32_t> scaled(const Image &p, vp::Size out, int enlarge) {
    SharpScaler s;
    s.set_geometry({p.width, p.height}, out, enlarge);
    std::vector<uint32_t> pixels(size_t(out.width) * size_t(out.height), 0xDEADBEEF);
    s.scale(p, Rect{0, 0, out.width, out.height}, pixels.data(), out.width);
    return pixels;
}

// The enlarged picture's sample at output pixel (x, y), smoothed between its
// four nearest enlarged pixels, in real numbers.
double expected(const Image &p, vp::Size out, int k, int x, int y, int shift) {
    const int ew = p.width * k, eh = p.height * k;
    auto at = [&](int ex, int ey) {
        ex = std::clamp(ex, 0, ew - 1), ey = std::clamp(ey, 0, eh - 1);
        return double(p.row(ey / k)[ex / k] >> shift & 0xFF);
    };
    const double sx = std::max(0.0, (x + 0.5) * ew / out.width - 0.5);
    const double sy = std::max(0.0, (y + 0.5) * eh / out.height - 0.5);
    const int x0 = int(sx), y0 = int(sy);
    const double fx = sx - x0, fy = sy - y0;
    const double top = at(x0, y0) * (1 - fx) + at(x0 + 1, y0) * fx;
    const double bottom = at(x0, y0 + 1) * (1 - fx) + at(x0 + 1, y0 + 1) * fx;
    return top * (1 - fy) + bottom * fy;
}

TEST(SharpScaler, IsTheEnlargedPictureSmoothedToTheShownSize) {
    struct Case {
        vp::Size picture, out;
        int enlarge;
    };
    const Case cases[] = {
        {{37, 23}, {73, 45}, 2},    // just under twice, as a full screen 1.99 times the game
        {{37, 23}, {81, 50}, 3},    // just over twice
        {{37, 23}, {30, 19}, 1},    // shrunk
        {{37, 23}, {111, 69}, 3},   // three times exactly
        {{1, 1}, {5, 3}, 5},
        {{592, 543}, {1177, 1080}, 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.picture.width << "x" << c.picture.height << " to " << c.out.width << "x"
                                        << c.out.height);
        const Image p = noise(c.picture.width, c.picture.height, 7);
        const auto got = scaled(p, c.out, c.enlarge);
        int worst = 0;
        for (int y = 0; y < c.out.height; ++y)
            for (int x = 0; x < c.out.width; ++x)
                for (int shift : {0, 8, 16}) {
                    const double want = expected(p, c.out, c.enlarge, x, y, shift);
                    const double have = double(got[size_t(y * c.out.width + x)] >> shift & 0xFF);
                    const int diff = int(std::lround(std::abs(want - have)));
                    worst = std::max(worst, diff);
                }
        EXPECT_LE(worst, 2) << "more than two rounded steps can explain";
    }
    // A whole multiple is the picture pixel for pixel.
    const Image p = noise(37, 23, 3);
    const auto twice = scaled(p, {74, 46}, 2);
    for (int y = 0; y < 46; ++y)
        for (int x = 0; x < 74; ++x) ASSERT_EQ(twice[size_t(y * 74 + x)], p.row(y / 2)[x / 2]) << x << "," << y;
}

TEST(SharpScaler, DrawingOnlyWhatChangedGivesWhatDrawingAllGives) {
    const vp::Size out{1177, 1080};
    Image before = noise(592, 543, 1);
    SharpScaler s;
    s.set_geometry({592, 543}, out, 2);
    std::vector<uint32_t> shown = scaled(before, out, 2);
    std::mt19937 rng(5);
    for (int frame = 0; frame < 6; ++frame) {
        Image now = before;
        // Sprites here and there, two far apart on one row band, and at the
        // very edges of the picture.
        struct Spot {
            int x, y, w, h;
        };
        const Spot spots[] = {
            {35, 330, 48, 48}, {515, 330, 48, 48}, {0, 0, 1, 1}, {591, 542, 1, 1}, {200, 100 + frame, 30, 5},
        };
        for (const Spot &sp : spots)
            for (int y = sp.y; y < sp.y + sp.h; ++y)
                for (int x = sp.x; x < sp.x + sp.w; ++x) now.row(y)[x] = rng() & 0xFFFFFF;
        const std::vector<Rect> changed = changed_areas(before, now);
        for (int y = 0; y < now.height; ++y)
            for (int x = 0; x < now.width; ++x) {
                if (now.row(y)[x] == before.row(y)[x]) continue;
                ASSERT_TRUE(std::any_of(changed.begin(), changed.end(), [&](const Rect &r) {
                    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
                })) << "a change at " << x << "," << y << " is in no area";
            }
        for (const Rect &c : changed) {
            const Rect o = s.output_of(c);
            s.scale(now, o, shown.data() + size_t(o.top) * size_t(out.width) + size_t(o.left), out.width);
        }
        ASSERT_EQ(shown, scaled(now, out, 2)) << "frame " << frame;
        before = now;
    }
    EXPECT_TRUE(changed_areas(before, before).empty());
    const auto resized = changed_areas(before, noise(10, 10, 1));
    ASSERT_EQ(resized.size(), 1u);
    EXPECT_EQ(resized[0], (Rect{0, 0, 10, 10}));
    // Changes far apart on one band are drawn as two areas, not everything between.
    Image two = before;
    two.row(340)[40] ^= 1;
    two.row(340)[520] ^= 1;
    EXPECT_EQ(changed_areas(before, two).size(), 2u);
}

}  // namespace
