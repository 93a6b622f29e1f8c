// BitBlt and FillRect as the drawing primitives use them, on bitmaps loaded
// from the program's resources and painted with known colours.
#include <gtest/gtest.h>

#include "tests/conformance/conf_env.h"

namespace {

constexpr COLORREF kA = RGB(0xF0, 0x0F, 0x33);
constexpr COLORREF kB = RGB(0x3C, 0xC3, 0x55);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

// A memory DC with one of the program's bitmaps selected.
class Canvas {
public:
    Canvas(HDC reference, const char *resource)
        : bitmap_(LoadBitmapA(conftest::program_instance(), resource)), dc_(CreateCompatibleDC(reference)) {
        old_ = SelectObject(dc_, bitmap_);
    }
    ~Canvas() {
        SelectObject(dc_, old_);
        DeleteDC(dc_);
        DeleteObject(bitmap_);
    }
    Canvas(const Canvas &) = delete;
    Canvas &operator=(const Canvas &) = delete;

    HDC dc() const { return dc_; }
    bool loaded() const { return bitmap_ != NULL && dc_ != NULL; }
    void fill(int left, int top, int right, int bottom, COLORREF colour) const {
        RECT r{left, top, right, bottom};
        HBRUSH brush = CreateSolidBrush(colour);
        FillRect(dc_, &r, brush);
        DeleteObject(brush);
    }
    COLORREF at(int x, int y) const { return GetPixel(dc_, x, y); }

private:
    HBITMAP bitmap_;
    HDC dc_;
    HGDIOBJ old_ = NULL;
};

class BlitConformance : public ::testing::Test {
protected:
    void SetUp() override {
        hwnd_ = conftest::open_window(CS_HREDRAW | CS_VREDRAW);
        screen_ = GetDC(hwnd_);
    }
    void TearDown() override { ReleaseDC(hwnd_, screen_); }

    conftest::Env env_;
    HWND hwnd_ = NULL;
    HDC screen_ = NULL;
};

TEST_F(BlitConformance, RasterOperationsWorkPerPixel) {
    Canvas dst(screen_, "MUB_SE_1");  // 680 x 570
    Canvas src(screen_, "MUB_PL");    // 144 x 96
    ASSERT_TRUE(dst.loaded() && src.loaded());
    dst.fill(0, 0, 40, 10, kA);
    src.fill(0, 0, 40, 10, kB);

    BitBlt(dst.dc(), 0, 0, 10, 10, src.dc(), 0, 0, SRCCOPY);
    BitBlt(dst.dc(), 10, 0, 10, 10, src.dc(), 10, 0, SRCPAINT);
    BitBlt(dst.dc(), 20, 0, 10, 10, src.dc(), 20, 0, SRCAND);

    EXPECT_EQ(dst.at(5, 5), kB);
    EXPECT_EQ(dst.at(15, 5), kA | kB);
    EXPECT_EQ(dst.at(25, 5), kA & kB);
    EXPECT_EQ(dst.at(35, 5), kA) << "outside the blit nothing changes";
}

TEST_F(BlitConformance, MaskBandThenImageDrawsOnlyTheSprite) {
    // The masked copy: mask band OR'ed in (white on the sprite, black
    // around it), then the image band AND'ed (the sprite on white).
    Canvas dst(screen_, "MUB_SE_1");
    Canvas sheet(screen_, "MUB_PL");  // image band rows 0-47, mask band rows 48-95
    ASSERT_TRUE(dst.loaded() && sheet.loaded());
    dst.fill(0, 0, 20, 20, kA);
    sheet.fill(0, 0, 20, 20, kWhite);   // image: background
    sheet.fill(5, 5, 15, 15, kB);       // image: the sprite
    sheet.fill(0, 48, 20, 68, kBlack);  // mask: background
    sheet.fill(5, 53, 15, 63, kWhite);  // mask: the sprite

    BitBlt(dst.dc(), 0, 0, 20, 20, sheet.dc(), 0, 48, SRCPAINT);
    BitBlt(dst.dc(), 0, 0, 20, 20, sheet.dc(), 0, 0, SRCAND);

    EXPECT_EQ(dst.at(10, 10), kB);
    EXPECT_EQ(dst.at(2, 2), kA);
    EXPECT_EQ(dst.at(15, 15), kA) << "right and bottom edges of the sprite are exclusive";
    EXPECT_EQ(dst.at(14, 14), kB);
}

TEST_F(BlitConformance, SourceOutsideTheBitmapLeavesTheDestinationAlone) {
    Canvas dst(screen_, "MUB_SE_1");
    Canvas src(screen_, "MUB_PL");  // 144 x 96
    ASSERT_TRUE(dst.loaded() && src.loaded());
    src.fill(0, 0, 144, 96, kB);
    dst.fill(0, 0, 300, 100, kA);

    // Past the right and bottom edges: 24 x 36 pixels exist.
    BitBlt(dst.dc(), 100, 0, 60, 60, src.dc(), 120, 60, SRCCOPY);
    EXPECT_EQ(dst.at(100, 0), kB);
    EXPECT_EQ(dst.at(123, 35), kB);
    EXPECT_EQ(dst.at(124, 10), kA);
    EXPECT_EQ(dst.at(110, 36), kA);

    // Before the left and top edges: the first 10 rows and columns do not exist.
    BitBlt(dst.dc(), 200, 0, 20, 20, src.dc(), -10, -10, SRCCOPY);
    EXPECT_EQ(dst.at(205, 5), kA);
    EXPECT_EQ(dst.at(209, 15), kA);
    EXPECT_EQ(dst.at(215, 5), kA);
    EXPECT_EQ(dst.at(210, 10), kB);
    EXPECT_EQ(dst.at(219, 19), kB);

    // The masked pair over a missing source changes nothing either.
    BitBlt(dst.dc(), 250, 0, 20, 20, src.dc(), 200, 0, SRCPAINT);
    BitBlt(dst.dc(), 250, 0, 20, 20, src.dc(), 200, 0, SRCAND);
    EXPECT_EQ(dst.at(255, 5), kA);
}

TEST_F(BlitConformance, DestinationIsClippedAtItsEdges) {
    Canvas dst(screen_, "MUB_PL");  // 144 x 96
    Canvas src(screen_, "MUB_SE_1");
    ASSERT_TRUE(dst.loaded() && src.loaded());
    dst.fill(0, 0, 144, 96, kA);
    src.fill(0, 0, 5, 30, kBlack);
    src.fill(5, 0, 30, 30, kB);

    // Negative destination: source column 5 lands on column 0.
    BitBlt(dst.dc(), -5, -5, 20, 20, src.dc(), 0, 0, SRCCOPY);
    EXPECT_EQ(dst.at(0, 0), kB);
    EXPECT_EQ(dst.at(14, 14), kB);
    EXPECT_EQ(dst.at(15, 15), kA);

    // Past the right and bottom edges: the part inside is drawn.
    BitBlt(dst.dc(), 134, 86, 30, 30, src.dc(), 5, 0, SRCCOPY);
    EXPECT_EQ(dst.at(143, 95), kB);
    EXPECT_EQ(dst.at(133, 95), kA);
}

TEST_F(BlitConformance, MonochromeBitmapKeepsBlackAndWhiteWithDefaultColours) {
    Canvas dst(screen_, "MUB_SE_1");
    Canvas mono(screen_, "MUB_TI_1");  // 1 bpp
    ASSERT_TRUE(dst.loaded() && mono.loaded());
    RECT zeros{0, 0, 10, 10}, ones{10, 0, 20, 10};
    FillRect(mono.dc(), &zeros, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    FillRect(mono.dc(), &ones, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    dst.fill(0, 0, 60, 10, kA);

    BitBlt(dst.dc(), 0, 0, 20, 10, mono.dc(), 0, 0, SRCCOPY);
    BitBlt(dst.dc(), 20, 0, 20, 10, mono.dc(), 0, 0, SRCAND);
    BitBlt(dst.dc(), 40, 0, 20, 10, mono.dc(), 0, 0, SRCPAINT);

    EXPECT_EQ(dst.at(5, 5), kBlack);
    EXPECT_EQ(dst.at(15, 5), kWhite);
    EXPECT_EQ(dst.at(25, 5), kBlack);
    EXPECT_EQ(dst.at(35, 5), kA);
    EXPECT_EQ(dst.at(45, 5), kA);
    EXPECT_EQ(dst.at(55, 5), kWhite);
}

TEST_F(BlitConformance, FillRectExcludesRightAndBottomEdges) {
    Canvas dst(screen_, "MUB_PL");
    ASSERT_TRUE(dst.loaded());
    dst.fill(0, 0, 10, 10, kA);
    dst.fill(1, 1, 4, 4, kB);
    EXPECT_EQ(dst.at(1, 1), kB);
    EXPECT_EQ(dst.at(3, 3), kB);
    EXPECT_EQ(dst.at(4, 3), kA);
    EXPECT_EQ(dst.at(3, 4), kA);
    EXPECT_EQ(dst.at(0, 0), kA);

    // An empty rectangle fills nothing. (An inverted one is filled by
    // Windows, as if its edges were swapped; the program never makes one.)
    dst.fill(6, 6, 6, 9, kB);
    dst.fill(6, 6, 9, 6, kB);
    EXPECT_EQ(dst.at(6, 6), kA);
    EXPECT_EQ(dst.at(7, 6), kA);
}

}  // namespace
