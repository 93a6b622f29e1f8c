// Where the picture goes in a window or a page, and where a pointer lands:
// as large as its shape allows (enlarged by a whole multiple, then smoothly
// down) or by whole-number scales while the picture fits, shrunk to fit
// below that, centred; points mapped back to client pixels. The desktop
// host and the page both use this one rule.
#include <gtest/gtest.h>

#include "platform/host/common/viewport.h"
#include "platform/host/sdl/opening_size.h"

namespace {

using namespace mub::viewport;

const Size kClient{592, 543};

TEST(Viewport, DesktopOpensAsLargeAsEightyPercentOfTheScreenAllows) {
    using mub::sdl::opening_size;
    struct Case {
        Size usable;
        Scaling scaling;
        Size opens;
    };
    const Case cases[] = {
        {{1920, 1200}, Scaling::Fit, {1046, 960}},  // 960 rows: 80% of the height
        {{1920, 1080}, Scaling::Fit, {941, 864}},
        {{1366, 1360}, Scaling::Fit, {1092, 1001}},  // 80% of the width
        {{1024, 600}, Scaling::Fit, {592, 543}},     // 80% is less than the game, which the screen still holds
        {{800, 500}, Scaling::Fit, {545, 500}},      // a screen lower than the game: all of it
        {{1920, 1080}, Scaling::WholeMultiples, {592, 543}},  // 864 rows allow no second scale
        {{2560, 1440}, Scaling::WholeMultiples, {1184, 1086}},
        {{3840, 2160}, Scaling::WholeMultiples, {1776, 1629}},
        {{640, 480}, Scaling::WholeMultiples, {592, 543}},  // never below 1
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.usable.width << " x " << c.usable.height);
        EXPECT_EQ(opening_size(kClient, c.usable, c.scaling), c.opens);
    }
}

TEST(Viewport, ThePictureFillsAsMuchOfTheAreaAsItsShapeAllows) {
    constexpr auto kFit = Scaling::Fit, kWhole = Scaling::WholeMultiples;
    struct Case {
        Size area;
        Scaling scaling;
        double device_per_unit;
        Rect shown;
        int enlarge;
        bool smooth;
    };
    const Case cases[] = {
        // Fit: enlarged to the next whole multiple, then smoothly down.
        {{592, 543}, kFit, 1, {0, 0, 592, 543}, 1, false},
        {{1184, 1086}, kFit, 1, {0, 0, 1184, 1086}, 2, false},    // exactly twice: pixel for pixel
        {{1185, 1087}, kFit, 1, {0, 0, 1185, 1086}, 3, true},     // one past twice
        {{1183, 2000}, kFit, 1, {0, 457, 1183, 1085}, 2, true},   // one column short of twice
        {{1920, 1080}, kFit, 1, {371, 0, 1177, 1080}, 2, true},   // a full screen 1.99 times the game's height
        {{1920, 1200}, kFit, 1, {306, 0, 1308, 1200}, 3, true},
        {{300, 280}, kFit, 1, {0, 2, 300, 275}, 1, true},         // smaller than the game
        {{390, 700}, kFit, 3, {0, 171, 390, 357}, 2, true},       // a phone page in CSS pixels
        {{296, 600}, kFit, 2, {0, 164, 296, 271}, 1, true},       // 592 device columns, but a row short
        {{1, 1}, kFit, 1, {0, 0, 1, 1}, 1, true},
        // Whole multiples, shrunk below once.
        {{592, 543}, kWhole, 1, {0, 0, 592, 543}, 1, false},
        {{1184, 1086}, kWhole, 1, {0, 0, 1184, 1086}, 1, false},
        {{1920, 1200}, kWhole, 1, {368, 57, 1184, 1086}, 1, false},  // twice, centred
        {{1183, 2000}, kWhole, 1, {295, 728, 592, 543}, 1, false},   // one column short of twice
        {{300, 280}, kWhole, 1, {0, 2, 300, 275}, 1, true},           // narrower than once: as wide as the area
        {{592, 300}, kWhole, 1, {132, 0, 327, 300}, 1, true},         // lower than once: as high as the area
        {{1, 1}, kWhole, 1, {0, 0, 1, 1}, 1, true},
        // A phone page, in CSS pixels: fitted to the width, yet every game
        // pixel still has two device pixels or more, so none is lost.
        {{390, 700}, kWhole, 3, {0, 171, 390, 357}, 1, false},
        {{296, 600}, kWhole, 2, {0, 164, 296, 271}, 1, true},  // half the width at 2x: one row in 543 is lost
        {{296, 600}, kWhole, 2.01, {0, 164, 296, 271}, 1, false},
    };
    for (const Case &c : cases) {
        const Placement p = place(kClient, c.area, c.scaling, c.device_per_unit);
        SCOPED_TRACE(testing::Message() << c.area.width << " x " << c.area.height << " at " << c.device_per_unit
                                        << (c.scaling == kFit ? " fit" : " whole"));
        EXPECT_EQ(p.shown, c.shown) << p.shown.x << "," << p.shown.y << " " << p.shown.width << " x " << p.shown.height;
        EXPECT_EQ(p.enlarge, c.enlarge);
        EXPECT_EQ(p.smooth, c.smooth);
    }
    for (Scaling scaling : {kFit, kWhole}) {  // a window with no area shows nothing
        const Placement none = place(kClient, {0, 0}, scaling);
        EXPECT_EQ(none.shown.width * none.shown.height, 0);
    }
    EXPECT_EQ(scaling_named("fit"), kFit);
    EXPECT_EQ(scaling_named("integer"), kWhole);
    EXPECT_EQ(scaling_named("Fit"), std::nullopt);
}

TEST(Viewport, PressesCountOnThePictureMovesAndReleasesLandOnItsNearestPixel) {
    const Rect twice = place(kClient, {1920, 1200}, Scaling::WholeMultiples).shown;  // 1184 x 1086 at (368, 57)
    const Rect small = place(kClient, {300, 280}, Scaling::Fit).shown;   // 300 x 275 at (0, 2)
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
