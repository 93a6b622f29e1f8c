// The desktop window's picture placement: whole-number scales while the
// picture fits, shrunk to fit below that, centred; window points mapped back
// to client pixels.
#include <gtest/gtest.h>

#include "platform/host/sdl/viewport.h"

namespace {

using namespace mub::sdl;

const Size kClient{592, 543};

TEST(DesktopViewport, OpensAtTheLargestScaleThatFitsEightyPercentOfTheScreen) {
    EXPECT_EQ(opening_scale(kClient, {1920, 1080}), 1);  // 864 rows allow no second scale
    EXPECT_EQ(opening_scale(kClient, {2560, 1440}), 2);
    EXPECT_EQ(opening_scale(kClient, {3840, 2160}), 3);
    EXPECT_EQ(opening_scale(kClient, {5120, 2880}), 4);
    EXPECT_EQ(opening_scale(kClient, {640, 480}), 1);  // never below 1
}

TEST(DesktopViewport, ThePictureFillsAsMuchOfTheOutputAsItsShapeAllows) {
    struct Case {
        Size output;
        Rect shown;
        bool shrunk;
    };
    const Case cases[] = {
        {{592, 543}, {0, 0, 592, 543}, false},
        {{1184, 1086}, {0, 0, 1184, 1086}, false},      // exactly twice
        {{1920, 1200}, {368, 57, 1184, 1086}, false},   // twice, centred
        {{1183, 2000}, {295, 728, 592, 543}, false},    // one column short of twice
        {{300, 280}, {0, 2, 300, 275}, true},           // narrower than once: as wide as the output
        {{592, 300}, {132, 0, 327, 300}, true},         // lower than once: as high as the output
        {{1, 1}, {0, 0, 1, 1}, true},
    };
    for (const Case &c : cases) {
        const Rect r = letterbox(kClient, c.output);
        SCOPED_TRACE(testing::Message() << c.output.width << " x " << c.output.height);
        EXPECT_EQ(r.x, c.shown.x);
        EXPECT_EQ(r.y, c.shown.y);
        EXPECT_EQ(r.width, c.shown.width);
        EXPECT_EQ(r.height, c.shown.height);
        EXPECT_EQ(shrunk(r, kClient), c.shrunk);
    }
    const Rect none = letterbox(kClient, {0, 0});  // a window with no area shows nothing
    EXPECT_EQ(none.width * none.height, 0);
}

TEST(DesktopViewport, OutputPointsMapToClientPixelsAndBarsToNothing) {
    int x = -1, y = -1;
    const Rect twice = letterbox(kClient, {1920, 1200});  // at (368, 57)
    ASSERT_TRUE(output_to_picture(twice, kClient, twice.x, twice.y, x, y));
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    ASSERT_TRUE(output_to_picture(twice, kClient, twice.x + 601, twice.y + 3, x, y));
    EXPECT_EQ(x, 300);
    EXPECT_EQ(y, 1);
    ASSERT_TRUE(output_to_picture(twice, kClient, twice.x + twice.width - 1, twice.y + twice.height - 1, x, y));
    EXPECT_EQ(x, 591);
    EXPECT_EQ(y, 542);
    EXPECT_FALSE(output_to_picture(twice, kClient, twice.x - 1, 600, x, y));
    EXPECT_FALSE(output_to_picture(twice, kClient, 600, twice.y + twice.height, x, y));

    const Rect small = letterbox(kClient, {300, 280});  // 300 x 275 at (0, 2)
    ASSERT_TRUE(output_to_picture(small, kClient, 299, 276, x, y));
    EXPECT_EQ(x, 590);  // 299 * 592 / 300
    EXPECT_EQ(y, 541);  // 274 * 543 / 275
    EXPECT_FALSE(output_to_picture(small, kClient, 150, 1, x, y));
    EXPECT_FALSE(output_to_picture(small, kClient, 150, 277, x, y));
}

}  // namespace
