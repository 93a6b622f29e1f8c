// Where the picture goes in a window or a page, and where a pointer lands:
// whole-number scales while the picture fits, shrunk to fit below that,
// centred; points mapped back to client pixels. The desktop host and the
// page both use this one rule.
#include <gtest/gtest.h>

#include "platform/host/common/viewport.h"
#include "platform/host/sdl/opening_scale.h"

namespace {

using namespace mub::viewport;

const Size kClient{592, 543};

TEST(Viewport, DesktopOpensAtTheLargestScaleThatFitsEightyPercentOfTheScreen) {
    using mub::sdl::opening_scale;
    EXPECT_EQ(opening_scale(kClient, {1920, 1080}), 1);  // 864 rows allow no second scale
    EXPECT_EQ(opening_scale(kClient, {2560, 1440}), 2);
    EXPECT_EQ(opening_scale(kClient, {3840, 2160}), 3);
    EXPECT_EQ(opening_scale(kClient, {5120, 2880}), 4);
    EXPECT_EQ(opening_scale(kClient, {640, 480}), 1);  // never below 1
}

TEST(Viewport, ThePictureFillsAsMuchOfTheAreaAsItsShapeAllows) {
    struct Case {
        Size area;
        double device_per_unit;
        Rect shown;
        bool smooth;
    };
    const Case cases[] = {
        {{592, 543}, 1, {0, 0, 592, 543}, false},
        {{1184, 1086}, 1, {0, 0, 1184, 1086}, false},     // exactly twice
        {{1920, 1200}, 1, {368, 57, 1184, 1086}, false},  // twice, centred
        {{1183, 2000}, 1, {295, 728, 592, 543}, false},   // one column short of twice
        {{300, 280}, 1, {0, 2, 300, 275}, true},          // narrower than once: as wide as the area
        {{592, 300}, 1, {132, 0, 327, 300}, true},        // lower than once: as high as the area
        {{1, 1}, 1, {0, 0, 1, 1}, true},
        // A phone page, in CSS pixels: fitted to the width, yet every game
        // pixel still has two device pixels or more, so none is lost.
        {{390, 700}, 3, {0, 171, 390, 357}, false},
        {{296, 600}, 2, {0, 164, 296, 271}, true},  // half the width at 2x: one row in 543 is lost
        {{296, 600}, 2.01, {0, 164, 296, 271}, false},
    };
    for (const Case &c : cases) {
        const Placement p = place(kClient, c.area, c.device_per_unit);
        SCOPED_TRACE(testing::Message() << c.area.width << " x " << c.area.height << " at " << c.device_per_unit);
        EXPECT_EQ(p.shown.x, c.shown.x);
        EXPECT_EQ(p.shown.y, c.shown.y);
        EXPECT_EQ(p.shown.width, c.shown.width);
        EXPECT_EQ(p.shown.height, c.shown.height);
        EXPECT_EQ(p.smooth, c.smooth);
    }
    const Placement none = place(kClient, {0, 0});  // a window with no area shows nothing
    EXPECT_EQ(none.shown.width * none.shown.height, 0);
}

TEST(Viewport, PressesCountOnThePictureMovesAndReleasesLandOnItsNearestPixel) {
    const Rect twice = place(kClient, {1920, 1200}).shown;  // 1184 x 1086 at (368, 57)
    const Rect small = place(kClient, {300, 280}).shown;    // 300 x 275 at (0, 2)
    struct Case {
        Rect shown;
        double x, y;
        bool press;
        std::optional<Point> at;
    };
    const Case cases[] = {
        {twice, 368, 57, true, Point{0, 0}},
        {twice, 368 + 601, 57 + 3, true, Point{300, 1}},
        {twice, 368 + 1183, 57 + 1085, true, Point{591, 542}},  // the last device pixel
        {twice, 368 + 1184, 600, true, std::nullopt},           // one past it: the bar
        {twice, 367, 600, true, std::nullopt},
        {twice, 367.5, 600, true, std::nullopt},                // a fraction onto the bar
        {twice, 367, 600, false, Point{0, 271}},                 // a release there: the nearest pixel
        {twice, 5000, -40, false, Point{591, 0}},
        {small, 299, 276, true, Point{590, 541}},  // 299 * 592 / 300, 274 * 543 / 275
        {small, 150, 1, true, std::nullopt},
        {small, 150, 277, true, std::nullopt},
        {small, 150, 277, false, Point{296, 542}},
        // The page measures its canvas in fractions of CSS pixels.
        {Rect{0, 0, 592, 543}, 0.999, 542.999, true, Point{0, 542}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << ", " << c.y << (c.press ? " press" : " release"));
        const auto at = to_picture(c.shown, kClient, c.x, c.y, c.press);
        ASSERT_EQ(at.has_value(), c.at.has_value());
        if (!at) continue;
        EXPECT_EQ(at->x, c.at->x);
        EXPECT_EQ(at->y, c.at->y);
    }
}

}  // namespace
