// What the web host redraws: the rectangle around every changed pixel, exact
// at the edges of the frame, and nothing for an equal frame.
#include <gtest/gtest.h>

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
