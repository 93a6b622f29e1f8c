// The desktop window's picture placement: whole-number scales, centred,
// and window points mapped back to client pixels.
#include <gtest/gtest.h>

#include "platform/host/sdl/viewport.h"

namespace {

using namespace mub::sdl;

TEST(DesktopViewport, OpensAtTheLargestScaleThatFitsEightyPercentOfTheScreen) {
    const Size client{592, 543};
    EXPECT_EQ(opening_scale(client, {1920, 1080}), 1);  // 864 rows allow no second scale
    EXPECT_EQ(opening_scale(client, {2560, 1440}), 2);
    EXPECT_EQ(opening_scale(client, {3840, 2160}), 3);
    EXPECT_EQ(opening_scale(client, {5120, 2880}), 4);
    EXPECT_EQ(opening_scale(client, {640, 480}), 1);  // never below 1
}

TEST(DesktopViewport, LetterboxCentresTheWholeNumberScale) {
    const Rect r = letterbox({592, 543}, {1920, 1200});
    EXPECT_EQ(r.width, 1184);
    EXPECT_EQ(r.height, 1086);
    EXPECT_EQ(r.x, (1920 - 1184) / 2);
    EXPECT_EQ(r.y, (1200 - 1086) / 2);
    const Rect small = letterbox({592, 543}, {300, 200});  // too small: pinned, scale 1
    EXPECT_EQ(small.x, 0);
    EXPECT_EQ(small.y, 0);
    EXPECT_EQ(small.width, 592);
}

TEST(DesktopViewport, OutputPointsMapToClientPixelsAndBarsToNothing) {
    const Size picture{592, 543};
    const Rect shown = letterbox(picture, {1920, 1200});  // scale 2 at (368, 57)
    int x = -1, y = -1;
    ASSERT_TRUE(output_to_picture(shown, picture, shown.x, shown.y, x, y));
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    ASSERT_TRUE(output_to_picture(shown, picture, shown.x + 601, shown.y + 3, x, y));
    EXPECT_EQ(x, 300);
    EXPECT_EQ(y, 1);
    ASSERT_TRUE(output_to_picture(shown, picture, shown.x + shown.width - 1, shown.y + shown.height - 1, x, y));
    EXPECT_EQ(x, 591);
    EXPECT_EQ(y, 542);
    EXPECT_FALSE(output_to_picture(shown, picture, shown.x - 1, 600, x, y));
    EXPECT_FALSE(output_to_picture(shown, picture, 600, shown.y + shown.height, x, y));
}

TEST(DesktopViewport, AResizedWindowGivesTheClientItsSizeInGamePixels) {
    EXPECT_EQ(client_for_window({1184, 1086}, 2).width, 592);
    EXPECT_EQ(client_for_window({1185, 1087}, 2).height, 543);  // a spare row is bar, not client
    EXPECT_EQ(client_for_window({1, 1}, 3).width, 1);          // never empty
}

}  // namespace
