// What the web host redraws: the rectangle around every changed pixel, exact
// at the edges of the frame, and nothing for an equal frame; and how it
// enlarges it for a fitted canvas.
#include <gtest/gtest.h>

#include <vector>

#include "platform/host/web/enlarge.h"
#include "platform/host/web/frame_diff.h"

using mub::Image;
using mub::Rect;

TEST(FrameDiff, ChangedRectHoldsEveryChangedPixelAndNoMore) {
    struct Case {
        const char *name;
        std::vector<std::pair<int, int>> changed;  // pixels (x, y)
        Rect expected;
    };
    const Case cases[] = {
        {"nothing", {}, {}},
        {"the first pixel", {{0, 0}}, {0, 0, 1, 1}},
        {"the last pixel", {{591, 542}}, {591, 542, 592, 543}},
        {"two corners", {{591, 0}, {0, 542}}, {0, 0, 592, 543}},
        {"two pixels on rows apart", {{300, 10}, {200, 400}}, {200, 10, 301, 401}},
    };
    const Image last(592, 543, 0x123456);
    for (const Case &c : cases) {
        Image next = last;
        for (auto [x, y] : c.changed) next.row(y)[x] ^= 0x000001;
        EXPECT_EQ(mub::web::changed_rect(last, next), c.expected) << c.name;
    }
}

// The fitted canvas's pixels: every pixel of the area a k x k block, at the
// picture's edges too, and not one pixel of the enlarged picture outside the
// area's blocks written; an area reaching past the picture is cut to it.
TEST(Enlarge, EveryPixelOfTheAreaBecomesABlockAndNothingElseChanges) {
    struct Case {
        int k;
        Rect area;
    };
    const Case cases[] = {
        {1, {0, 0, 7, 5}},  {2, {0, 0, 7, 5}},   {2, {6, 4, 7, 5}},  {3, {1, 1, 6, 4}},
        {3, {5, 0, 7, 5}},  {4, {2, 3, 5, 5}},   {5, {0, 4, 7, 5}},  {2, {-3, -2, 9, 8}},
        {2, {7, 0, 8, 5}},  // wholly past the right edge: nothing
    };
    const int w = 7, h = 5;
    Image in(w, h);
    for (int i = 0; i < w * h; ++i) in.pixels[size_t(i)] = 0x01000000u * uint32_t(i + 1) + uint32_t(i);
    for (const Case &c : cases) {
        const int k = c.k;
        std::vector<uint32_t> out(size_t(w * k) * size_t(h * k), 0xDEADBEEFu);
        // Twice: a second area drawn over the first changes nothing more.
        for (int pass = 0; pass < 2; ++pass) mub::web::enlarge_area(in.pixels.data(), w, h, c.area, k, out.data());
        for (int y = 0; y < h * k; ++y)
            for (int x = 0; x < w * k; ++x) {
                const int px = x / k, py = y / k;
                const bool inside = px >= c.area.left && px < c.area.right && py >= c.area.top && py < c.area.bottom;
                const uint32_t want = inside ? in.row(py)[px] : 0xDEADBEEFu;
                ASSERT_EQ(out[size_t(y * w * k + x)], want) << "k " << k << " at " << x << "," << y;
            }
    }
}
