// BitBlt and FillRect as the drawing primitives use them, on bitmaps loaded
// from the program's resources and painted with known colours: tables of
// where a call lands, every pixel compared.
#include <gtest/gtest.h>

#include <string>

#include "tests/conformance/conf_env.h"

namespace {

constexpr COLORREF kA = RGB(0xF0, 0x0F, 0x33);
constexpr COLORREF kB = RGB(0x3C, 0xC3, 0x55);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

// A colour that tells which pixel of a picture it came from.
COLORREF numbered(int x, int y) { return RGB(x & 0xFF, y & 0xFF, 0x80); }

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
    void number(int width, int height) const {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) fill(x, y, x + 1, y + 1, numbered(x, y));
    }
    COLORREF at(int x, int y) const { return GetPixel(dc_, x, y); }

    // Compares every pixel of a width x height picture; names the first few
    // that differ.
    template <typename Want>
    testing::AssertionResult is(int width, int height, Want want) const {
        int wrong = 0;
        testing::AssertionResult result = testing::AssertionSuccess();
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const COLORREF expected = want(x, y), got = at(x, y);
                if (got == expected) continue;
                if (wrong++ == 0) result = testing::AssertionFailure();
                if (wrong <= 5)
                    result << "(" << x << ", " << y << ") is " << std::hex << got << ", expected " << expected
                           << std::dec << "; ";
            }
        if (wrong) result << wrong << " pixels differ";
        return result;
    }

private:
    HBITMAP bitmap_;
    HDC dc_;
    HGDIOBJ old_ = NULL;
};

bool inside(const RECT &r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

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

// The destination is UNKO (81 x 51) in colour kA, the source HEART (92 x 52)
// numbered; where the source shows, destination (x, y) holds source pixel
// (x + x1 - x, y + y1 - y). A negative width or height counts from x or y
// towards the left or top, x itself included, on both bitmaps.
struct BlitCase {
    const char *name;
    int x, y, cx, cy, x1, y1;
    RECT shows;
    bool within_one_bitmap = false;  // the source is the destination, numbered
};

const BlitCase kBlitCases[] = {
    {"InsideBoth", 10, 10, 20, 15, 5, 5, {10, 10, 30, 25}},
    {"DestinationBeforeItsLeftAndTopEdges", -5, -5, 20, 20, 0, 0, {0, 0, 15, 15}},
    {"DestinationReachingItsRightAndBottomEdges", 61, 31, 20, 20, 0, 0, {61, 31, 81, 51}},
    {"DestinationOnePastItsRightAndBottomEdges", 62, 32, 20, 20, 0, 0, {62, 32, 81, 51}},
    {"SourceReachingItsRightAndBottomEdges", 10, 10, 20, 20, 72, 32, {10, 10, 30, 30}},
    {"SourcePastItsRightAndBottomEdges", 10, 10, 30, 30, 80, 40, {10, 10, 22, 22}},
    {"SourceBeforeItsLeftAndTopEdges", 10, 10, 20, 20, -10, -5, {20, 15, 30, 30}},
    {"SourceWithOneColumnLeft", 10, 10, 5, 5, 91, 0, {10, 10, 11, 15}},
    {"SourceWithNoColumnLeft", 10, 10, 5, 5, 92, 0, {0, 0, 0, 0}},
    {"ZeroWidth", 10, 10, 0, 5, 0, 0, {0, 0, 0, 0}},
    {"NegativeWidth", 30, 10, -5, 4, 30, 10, {26, 10, 31, 14}},
    {"NegativeHeight", 30, 10, 5, -4, 40, 20, {30, 7, 35, 11}},
    {"NegativeWidthAndHeight", 8, 8, -3, -2, 4, 4, {6, 7, 9, 9}},
    {"NegativeWidthOfOne", 0, 10, -1, 5, 0, 0, {0, 10, 1, 15}},
    {"NegativeWidthAcrossTheLeftEdge", 2, 10, -5, 3, 2, 10, {0, 10, 3, 13}},
    {"WithinOneBitmapReadsTheOriginal", 1, 0, 30, 2, 0, 0, {1, 0, 31, 2}, true},
};

void PrintTo(const BlitCase &c, std::ostream *out) { *out << c.name; }

class BlitPlacement : public testing::TestWithParam<BlitCase> {
protected:
    conftest::Env env_;
};

TEST_P(BlitPlacement, SourceShowsWhereExpected) {
    const BlitCase &c = GetParam();
    HWND hwnd = conftest::open_window(CS_HREDRAW | CS_VREDRAW);
    HDC screen = GetDC(hwnd);
    {
        Canvas dst(screen, "UNKO");
        Canvas src(screen, "HEART");
        ASSERT_TRUE(dst.loaded() && src.loaded());
        if (c.within_one_bitmap) {
            dst.number(81, 51);
        } else {
            dst.fill(0, 0, 81, 51, kA);
            src.number(92, 52);
        }
        HDC from = c.within_one_bitmap ? dst.dc() : src.dc();
        EXPECT_TRUE(BitBlt(dst.dc(), c.x, c.y, c.cx, c.cy, from, c.x1, c.y1, SRCCOPY));
        EXPECT_TRUE(dst.is(81, 51, [&](int x, int y) {
            if (inside(c.shows, x, y)) return numbered(x + c.x1 - c.x, y + c.y1 - c.y);
            return c.within_one_bitmap ? numbered(x, y) : kA;
        }));
    }
    ReleaseDC(hwnd, screen);
}

INSTANTIATE_TEST_SUITE_P(Blit, BlitPlacement, testing::ValuesIn(kBlitCases),
                         [](const testing::TestParamInfo<BlitCase> &info) { return std::string(info.param.name); });

// FillRect on UNKO (81 x 51) in colour kA: where kB lands. A rectangle whose
// right edge lies left of its left edge fills from right + 1 to left,
// included, and likewise for top and bottom, as PatBlt does with a negative
// width or height.
struct FillCase {
    const char *name;
    RECT rect;
    RECT filled;
};

const FillCase kFillCases[] = {
    {"RightAndBottomEdgesExcluded", {10, 10, 20, 20}, {10, 10, 20, 20}},
    {"ZeroWidthFillsNothing", {6, 6, 6, 9}, {0, 0, 0, 0}},
    {"ZeroHeightFillsNothing", {6, 6, 9, 6}, {0, 0, 0, 0}},
    {"RightOneBeforeLeftFillsOneColumn", {21, 5, 20, 8}, {21, 5, 22, 8}},
    {"RightBeforeLeft", {30, 10, 25, 20}, {26, 10, 31, 20}},
    {"BottomAboveTop", {25, 20, 30, 10}, {25, 11, 30, 21}},
    {"BothInverted", {30, 20, 25, 10}, {26, 11, 31, 21}},
    {"InvertedAcrossTheLeftEdge", {2, 40, -3, 45}, {0, 40, 3, 45}},
    {"ReachingPastEveryEdge", {-100, -100, 1000, 1000}, {0, 0, 81, 51}},
};

void PrintTo(const FillCase &c, std::ostream *out) { *out << c.name; }

class FillPlacement : public testing::TestWithParam<FillCase> {
protected:
    conftest::Env env_;
};

TEST_P(FillPlacement, FillsWhereExpected) {
    const FillCase &c = GetParam();
    HWND hwnd = conftest::open_window(CS_HREDRAW | CS_VREDRAW);
    HDC screen = GetDC(hwnd);
    {
        Canvas dst(screen, "UNKO");
        ASSERT_TRUE(dst.loaded());
        dst.fill(0, 0, 81, 51, kA);
        HBRUSH brush = CreateSolidBrush(kB);
        EXPECT_NE(FillRect(dst.dc(), &c.rect, brush), 0);
        DeleteObject(brush);
        EXPECT_TRUE(dst.is(81, 51, [&](int x, int y) { return inside(c.filled, x, y) ? kB : kA; }));
    }
    ReleaseDC(hwnd, screen);
}

INSTANTIATE_TEST_SUITE_P(Fill, FillPlacement, testing::ValuesIn(kFillCases),
                         [](const testing::TestParamInfo<FillCase> &info) { return std::string(info.param.name); });

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
    EXPECT_TRUE(dst.is(20, 20, [](int x, int y) { return x >= 5 && x < 15 && y >= 5 && y < 15 ? kB : kA; }));

    // The masked pair over a source that is not there changes nothing.
    BitBlt(dst.dc(), 0, 0, 20, 20, sheet.dc(), 200, 0, SRCPAINT);
    BitBlt(dst.dc(), 0, 0, 20, 20, sheet.dc(), 200, 0, SRCAND);
    EXPECT_TRUE(dst.is(20, 20, [](int x, int y) { return x >= 5 && x < 15 && y >= 5 && y < 15 ? kB : kA; }));
}

// A monochrome source takes the destination DC's text colour for its 0 bits
// and its background colour for its 1 bits.
TEST_F(BlitConformance, MonochromeBitmapTakesTheDestinationColours) {
    Canvas dst(screen_, "MUB_SE_1");
    Canvas mono(screen_, "MUB_TI_1");  // 1 bpp
    ASSERT_TRUE(dst.loaded() && mono.loaded());
    RECT zeros{0, 0, 10, 10}, ones{10, 0, 20, 10};
    FillRect(mono.dc(), &zeros, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    FillRect(mono.dc(), &ones, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    const COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255);
    const struct {
        DWORD rop;
        bool own_colours;  // red text, blue background
        COLORREF zero, one;
    } cases[] = {
        {SRCCOPY, false, kBlack, kWhite},
        {SRCAND, false, kBlack, kA},
        {SRCPAINT, false, kA, kWhite},
        {SRCCOPY, true, kRed, kBlue},
        {SRCAND, true, kA & kRed, kA & kBlue},
        {SRCPAINT, true, kA | kRed, kA | kBlue},
    };
    for (const auto &c : cases) {
        dst.fill(0, 0, 20, 10, kA);
        SetTextColor(dst.dc(), c.own_colours ? kRed : kBlack);
        SetBkColor(dst.dc(), c.own_colours ? kBlue : kWhite);
        BitBlt(dst.dc(), 0, 0, 20, 10, mono.dc(), 0, 0, c.rop);
        EXPECT_EQ(dst.at(5, 5), c.zero) << std::hex << c.rop << (c.own_colours ? " red on blue" : "");
        EXPECT_EQ(dst.at(15, 5), c.one) << std::hex << c.rop << (c.own_colours ? " red on blue" : "");
    }
}

// A window DC reaches the client area and no further.
TEST_F(BlitConformance, WindowDcIsClippedToTheClientArea) {
    Canvas src(screen_, "HEART");
    ASSERT_TRUE(src.loaded());
    src.fill(0, 0, 10, 10, kWhite);
    RECT all{0, 0, 592, 543};
    FillRect(screen_, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    BitBlt(screen_, 588, 540, 10, 10, src.dc(), 0, 0, SRCCOPY);
    EXPECT_EQ(GetPixel(screen_, 591, 542), kWhite);
    EXPECT_EQ(GetPixel(screen_, 588, 540), kWhite);
    EXPECT_EQ(GetPixel(screen_, 587, 542), kBlack);
    EXPECT_EQ(GetPixel(screen_, 592, 542), CLR_INVALID);
    EXPECT_EQ(GetPixel(screen_, 591, 543), CLR_INVALID);
    EXPECT_EQ(GetPixel(screen_, -1, 0), CLR_INVALID);
}

}  // namespace
