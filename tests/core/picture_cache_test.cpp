// Loaded pictures drop their pixels past a budget and decode them again
// when drawn: nothing drawn may change because of it.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <vector>

#include "platform/core/bitmaps.h"
#include "platform/core/core.h"
#include "platform/core/picture_cache.h"
#include "platform/core/state.h"
#include "platform/host/headless/headless_host.h"
#include "tests/support/program_res.h"

namespace {

using mub::core::detail::kPictureBudget;

// The biggest pictures: together about three times the budget.
const char *const kBig[] = {"back", "mub_se_1", "mub_se_2", "mub2_se_1", "mub2_se_2",
                            "story_back", "mub_hantei", "mub2_hantei"};

class PictureCacheTest : public ::testing::Test {
protected:
    void SetUp() override {
        mub::core::reset();
        mub::set_host(&host);
        canvas_bmp = mub::core::make_bitmap(mub::Image(700, 760, 0x123456));
        canvas = CreateCompatibleDC(nullptr);
        old_canvas = SelectObject(canvas, canvas_bmp);
    }
    void TearDown() override {
        SelectObject(canvas, old_canvas);
        DeleteDC(canvas);
        DeleteObject(canvas_bmp);
        mub::set_host(nullptr);
        mub::core::reset();
    }

    // The picture as it lands on a cleared canvas, read back pixel by pixel.
    std::vector<COLORREF> drawn(HBITMAP picture) {
        RECT all{0, 0, 700, 760};
        HBRUSH black = CreateSolidBrush(0);
        FillRect(canvas, &all, black);
        DeleteObject(black);
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, picture);
        BitBlt(canvas, 0, 0, 700, 760, dc, 0, 0, SRCCOPY);
        SelectObject(dc, old);
        DeleteDC(dc);
        std::vector<COLORREF> out;
        for (int y = 0; y < 760; y += 7)
            for (int x = 0; x < 700; x += 3) out.push_back(GetPixel(canvas, x, y));
        return out;
    }

    static size_t held() { return mub::core::detail::state().picture_bytes; }

    mub::headless::HeadlessHost host;
    HBITMAP canvas_bmp = nullptr;
    HDC canvas = nullptr;
    HGDIOBJ old_canvas = nullptr;
};

TEST_F(PictureCacheTest, DroppedPicturesDrawTheSameWhenDecodedAgain) {
    std::vector<HBITMAP> pictures;
    std::vector<std::vector<COLORREF>> first;
    for (const char *name : kBig) {
        pictures.push_back(LoadBitmapA(mubtest::program_module(), name));
        ASSERT_NE(pictures.back(), nullptr) << name;
        EXPECT_LE(held(), kPictureBudget) << name;
    }
    for (HBITMAP p : pictures) first.push_back(drawn(p));
    // Round again, backwards, so that every one has been dropped meanwhile.
    for (size_t i = pictures.size(); i-- > 0;) {
        EXPECT_EQ(drawn(pictures[i]), first[i]) << kBig[i];
        EXPECT_LE(held(), kPictureBudget);
    }
    EXPECT_EQ(mub::core::live_gdi_objects(), pictures.size() + 2);  // the canvas and its DC
    for (HBITMAP p : pictures) EXPECT_TRUE(DeleteObject(p));
    EXPECT_EQ(held(), 0u);
}

TEST_F(PictureCacheTest, SelectedAndDrawnIntoPicturesKeepTheirPixels) {
    const HINSTANCE self = mubtest::program_module();
    // Held in a DC all along: never dropped, whatever else is decoded.
    HBITMAP held_picture = LoadBitmapA(self, "title");
    HDC held_dc = CreateCompatibleDC(nullptr);
    HGDIOBJ held_old = SelectObject(held_dc, held_picture);
    const COLORREF corner = GetPixel(held_dc, 5, 5);

    // Drawn into: the drawing must survive the budget.
    HBITMAP marked = LoadBitmapA(self, "story_1");
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, marked);
    RECT spot{10, 10, 20, 20};
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(dc, &spot, red);
    DeleteObject(red);
    SelectObject(dc, old);
    DeleteDC(dc);

    std::vector<HBITMAP> others;
    for (const char *name : kBig) {
        others.push_back(LoadBitmapA(self, name));
        drawn(others.back());
    }
    EXPECT_EQ(GetPixel(held_dc, 5, 5), corner);
    const std::vector<COLORREF> after = drawn(marked);
    EXPECT_EQ(after[size_t(14 / 7) * 234 + 15 / 3], RGB(255, 0, 0));  // (15, 14) lies in the spot

    for (HBITMAP p : others) DeleteObject(p);
    SelectObject(held_dc, held_old);
    DeleteDC(held_dc);
    DeleteObject(held_picture);
    DeleteObject(marked);
    EXPECT_EQ(mub::core::live_gdi_objects(), 2u);
}

}  // namespace
