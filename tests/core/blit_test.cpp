// BitBlt raster operations and clipping, FillRect, GetPixel, text, and the
// bookkeeping of GDI handles.
#include <climits>

#include "core_fixture.h"
#include "platform/core/bitmaps.h"

namespace coretest {
namespace {

constexpr uint32_t kBg = 0x123456;

// A memory DC holding a w x h bitmap filled with one colour.
struct Canvas {
    HDC dc;
    HBITMAP bm;
    HGDIOBJ old;
    Canvas(int w, int h, uint32_t fill) : Canvas(mub::Image(w, h, fill)) {}
    explicit Canvas(const mub::Image &img) {
        dc = CreateCompatibleDC(NULL);
        bm = mub::core::make_bitmap(img);
        old = SelectObject(dc, bm);
    }
    ~Canvas() {
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(bm);
    }
    uint32_t at(int x, int y) const { return rgb(GetPixel(dc, x, y)); }
};

// A 4 x 4 source whose pixel (x, y) is 0x0000yx (x, y in 1..4), easy to trace.
mub::Image numbered(int w = 4, int h = 4) {
    mub::Image img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) img.row(y)[x] = uint32_t(((y + 1) << 4) | (x + 1));
    return img;
}

using BlitTest = CoreTest;

TEST_F(BlitTest, RasterOperationsCombinePerPixel) {
    Canvas src(1, 1, 0x0F0F0F);
    struct {
        DWORD rop;
        uint32_t expect;
    } cases[] = {{SRCCOPY, 0x0F0F0F}, {SRCPAINT, 0x1F3F5F}, {SRCAND, 0x020406}};
    for (const auto &c : cases) {
        Canvas dst(1, 1, kBg);
        EXPECT_TRUE(BitBlt(dst.dc, 0, 0, 1, 1, src.dc, 0, 0, c.rop));
        EXPECT_EQ(dst.at(0, 0), c.expect) << std::hex << c.rop;
    }
    Canvas dst(1, 1, kBg);
    EXPECT_FALSE(BitBlt(dst.dc, 0, 0, 1, 1, src.dc, 0, 0, 0x00330008 /* NOTSRCCOPY */));
    EXPECT_EQ(dst.at(0, 0), kBg);
}

TEST_F(BlitTest, MaskedPairShowsImageWhereMaskIsWhite) {
    // Image band row 0: transparent (white), opaque red; mask band row 1: black, white.
    mub::Image sheet(2, 2);
    sheet.row(0)[0] = 0xFFFFFF;
    sheet.row(0)[1] = 0xFF0000;
    sheet.row(1)[0] = 0x000000;
    sheet.row(1)[1] = 0xFFFFFF;
    HBITMAP bm = mub::core::make_bitmap(sheet);
    HDC mem = CreateCompatibleDC(NULL);
    SelectObject(mem, bm);
    Canvas dst(2, 1, 0x336699);
    BitBlt(dst.dc, 0, 0, 2, 1, mem, 0, 1, SRCPAINT);
    BitBlt(dst.dc, 0, 0, 2, 1, mem, 0, 0, SRCAND);
    EXPECT_EQ(dst.at(0, 0), 0x336699u);
    EXPECT_EQ(dst.at(1, 0), 0xFF0000u);

    // With the mask offset 0 the pair is an opaque copy.
    Canvas copy(2, 1, 0x336699);
    BitBlt(copy.dc, 0, 0, 2, 1, mem, 0, 0, SRCPAINT);
    BitBlt(copy.dc, 0, 0, 2, 1, mem, 0, 0, SRCAND);
    EXPECT_EQ(copy.at(0, 0), 0xFFFFFFu);
    EXPECT_EQ(copy.at(1, 0), 0xFF0000u);
    DeleteDC(mem);
    DeleteObject(bm);
}

TEST_F(BlitTest, ClipsAtEveryEdgeOfSourceAndDestination) {
    Canvas src(numbered());

    {  // destination left/top off the surface
        Canvas dst(8, 8, kBg);
        BitBlt(dst.dc, -2, -2, 4, 4, src.dc, 0, 0, SRCCOPY);
        EXPECT_EQ(dst.at(0, 0), 0x33u);
        EXPECT_EQ(dst.at(1, 1), 0x44u);
        EXPECT_EQ(dst.at(2, 0), kBg);
        EXPECT_EQ(dst.at(0, 2), kBg);
    }
    {  // destination right/bottom off the surface
        Canvas dst(8, 8, kBg);
        BitBlt(dst.dc, 6, 6, 4, 4, src.dc, 0, 0, SRCCOPY);
        EXPECT_EQ(dst.at(6, 6), 0x11u);
        EXPECT_EQ(dst.at(7, 7), 0x22u);
        EXPECT_EQ(dst.at(5, 5), kBg);
    }
    {  // source rectangle reaching past the bitmap: the rest is left alone
        Canvas dst(8, 8, kBg);
        BitBlt(dst.dc, 0, 0, 8, 8, src.dc, 2, 2, SRCCOPY);
        EXPECT_EQ(dst.at(0, 0), 0x33u);
        EXPECT_EQ(dst.at(1, 1), 0x44u);
        EXPECT_EQ(dst.at(2, 0), kBg);
        EXPECT_EQ(dst.at(7, 7), kBg);
    }
    {  // source rectangle starting before the bitmap
        Canvas dst(8, 8, kBg);
        BitBlt(dst.dc, 0, 0, 4, 4, src.dc, -1, -1, SRCCOPY);
        EXPECT_EQ(dst.at(0, 0), kBg);
        EXPECT_EQ(dst.at(3, 0), kBg);
        EXPECT_EQ(dst.at(1, 1), 0x11u);
        EXPECT_EQ(dst.at(3, 3), 0x33u);
    }
    {  // nothing in common, empty and absurd sizes: no pixel changes, no crash
        Canvas dst(8, 8, kBg);
        EXPECT_TRUE(BitBlt(dst.dc, 0, 0, 4, 4, src.dc, 4, 0, SRCCOPY));
        EXPECT_TRUE(BitBlt(dst.dc, 0, 0, 0, 4, src.dc, 0, 0, SRCCOPY));
        EXPECT_TRUE(BitBlt(dst.dc, 0, 0, -3, -3, src.dc, 0, 0, SRCCOPY));
        EXPECT_TRUE(BitBlt(dst.dc, INT_MAX - 1, INT_MAX - 1, INT_MAX, INT_MAX, src.dc, INT_MIN, INT_MIN, SRCCOPY));
        EXPECT_TRUE(BitBlt(dst.dc, INT_MIN, INT_MIN, INT_MAX, INT_MAX, src.dc, 0, 0, SRCPAINT));
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) ASSERT_EQ(dst.at(x, y), kBg) << x << "," << y;
    }
}

TEST_F(BlitTest, WindowDcIsClippedToTheClientArea) {
    create_main();
    Canvas src(10, 10, 0xFFFFFF);
    HDC dc = GetDC(hwnd);
    BitBlt(dc, 588, 540, 10, 10, src.dc, 0, 0, SRCCOPY);
    EXPECT_EQ(rgb(GetPixel(dc, 591, 542)), 0xFFFFFFu);
    EXPECT_EQ(rgb(GetPixel(dc, 587, 542)), 0u);
    EXPECT_EQ(GetPixel(dc, 592, 542), CLR_INVALID);
    EXPECT_EQ(GetPixel(dc, 591, 543), CLR_INVALID);
    EXPECT_EQ(GetPixel(dc, -1, 0), CLR_INVALID);
    ReleaseDC(hwnd, dc);
}

TEST_F(BlitTest, BlitWithinOneBitmapReadsTheOriginal) {
    HBITMAP bm = mub::core::make_bitmap(numbered());
    HDC dc = CreateCompatibleDC(NULL);
    SelectObject(dc, bm);
    BitBlt(dc, 1, 0, 3, 1, dc, 0, 0, SRCCOPY);  // shift row 0 right by one
    EXPECT_EQ(rgb(GetPixel(dc, 1, 0)), 0x11u);
    EXPECT_EQ(rgb(GetPixel(dc, 2, 0)), 0x12u);
    EXPECT_EQ(rgb(GetPixel(dc, 3, 0)), 0x13u);
    DeleteDC(dc);
    DeleteObject(bm);
}

TEST_F(BlitTest, MonochromeBitmapTakesTheDestinationColours) {
    mub::Image mono(2, 1);
    mono.row(0)[0] = 0x000000;
    mono.row(0)[1] = 0xFFFFFF;
    HBITMAP bm = mub::core::make_bitmap(mono, 1);
    HDC mem = CreateCompatibleDC(NULL);
    SelectObject(mem, bm);
    {
        Canvas dst(2, 1, kBg);  // default colours: 0 black, 1 white
        BitBlt(dst.dc, 0, 0, 2, 1, mem, 0, 0, SRCCOPY);
        EXPECT_EQ(dst.at(0, 0), 0x000000u);
        EXPECT_EQ(dst.at(1, 0), 0xFFFFFFu);
    }
    {
        Canvas dst(2, 1, kBg);
        SetTextColor(dst.dc, RGB(255, 0, 0));
        SetBkColor(dst.dc, RGB(0, 0, 255));
        BitBlt(dst.dc, 0, 0, 2, 1, mem, 0, 0, SRCCOPY);
        EXPECT_EQ(dst.at(0, 0), 0xFF0000u);
        EXPECT_EQ(dst.at(1, 0), 0x0000FFu);
    }
    DeleteDC(mem);
    DeleteObject(bm);
}

TEST_F(BlitTest, FillRectExcludesRightAndBottomEdges) {
    Canvas dst(40, 50, kBg);
    HBRUSH black = CreateSolidBrush(RGB(0, 0, 0));
    RECT r{10, 30, 20, 40};
    EXPECT_TRUE(FillRect(dst.dc, &r, black));
    int filled = 0;
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 40; ++x) filled += dst.at(x, y) == 0;
    EXPECT_EQ(filled, 100);
    EXPECT_EQ(dst.at(10, 30), 0u);
    EXPECT_EQ(dst.at(19, 39), 0u);
    EXPECT_EQ(dst.at(20, 30), kBg);
    EXPECT_EQ(dst.at(10, 40), kBg);

    // Inverted and flat rectangles are empty: filled with white, they leave
    // every pixel as it was (the inverted one lies over background, where a
    // fill would show).
    HBRUSH white = (HBRUSH)GetStockObject(WHITE_BRUSH);
    RECT backwards{30, 20, 25, 10}, upside_down{25, 20, 30, 10}, flat{0, 5, 40, 5};
    std::vector<uint32_t> before;
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 40; ++x) before.push_back(dst.at(x, y));
    FillRect(dst.dc, &backwards, white);
    FillRect(dst.dc, &upside_down, white);
    FillRect(dst.dc, &flat, white);
    for (int y = 0, i = 0; y < 50; ++y)
        for (int x = 0; x < 40; ++x, ++i) ASSERT_EQ(dst.at(x, y), before[size_t(i)]) << x << "," << y;
    RECT all{-100, -100, 1000, 1000};
    EXPECT_TRUE(FillRect(dst.dc, &all, white));
    EXPECT_EQ(dst.at(39, 49), 0xFFFFFFu);
    DeleteObject(black);
}

TEST_F(BlitTest, TextOutOpaqueFillsItsCellTransparentDoesNot) {
    Canvas opaque(16, 16, kBg), clear(16, 16, kBg);
    SetBkMode(clear.dc, TRANSPARENT);
    SetTextColor(opaque.dc, RGB(255, 255, 255));
    SetTextColor(clear.dc, RGB(255, 255, 255));
    SetBkColor(opaque.dc, RGB(0, 0, 255));
    EXPECT_TRUE(TextOutA(opaque.dc, 0, 0, "I", 1));
    EXPECT_TRUE(TextOutA(clear.dc, 0, 0, "I", 1));
    int ink = 0, bk = 0, untouched_opaque = 0, untouched_clear = 0;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            ink += clear.at(x, y) == 0xFFFFFF;
            untouched_clear += clear.at(x, y) == kBg;
            bk += opaque.at(x, y) == 0x0000FF;
            untouched_opaque += opaque.at(x, y) == kBg;
        }
    }
    EXPECT_GT(ink, 0);
    EXPECT_EQ(bk + ink, 8 * 16);  // the half-width cell is ink or background colour
    EXPECT_EQ(untouched_opaque, 8 * 16);
    EXPECT_EQ(untouched_clear, 256 - ink);
    EXPECT_FALSE(TextOutA(opaque.dc, 0, 0, "I", -1));
}

TEST_F(BlitTest, StaleAndWrongHandlesAreRejected) {
    create_main();
    HDC mem = CreateCompatibleDC(NULL);
    HBITMAP bm = mub::core::make_bitmap(mub::Image(2, 2, 0xFFFFFF));
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    SelectObject(mem, bm);
    EXPECT_FALSE(DeleteObject(bm)) << "a bitmap still selected into a DC stays";
    HDC win = GetDC(hwnd);
    EXPECT_EQ(SelectObject(win, bm), nullptr) << "bitmaps go into memory DCs only";
    HDC other = CreateCompatibleDC(NULL);
    EXPECT_EQ(SelectObject(other, bm), nullptr) << "one DC at a time";
    EXPECT_TRUE(DeleteDC(other));
    EXPECT_FALSE(DeleteDC(win)) << "window DCs are released, not deleted";
    EXPECT_EQ(ReleaseDC(hwnd, mem), 0);
    EXPECT_TRUE(DeleteDC(mem));
    EXPECT_TRUE(DeleteObject(bm));
    EXPECT_TRUE(DeleteObject(brush));

    RECT r{0, 0, 1, 1};
    EXPECT_FALSE(DeleteDC(mem));
    EXPECT_FALSE(DeleteObject(bm));
    EXPECT_FALSE(DeleteObject(brush));
    EXPECT_EQ(FillRect(win, &r, brush), 0);
    EXPECT_FALSE(BitBlt(win, 0, 0, 1, 1, mem, 0, 0, SRCCOPY));
    EXPECT_EQ(SelectObject(mem, GetStockObject(BLACK_BRUSH)), nullptr);
    HDC bogus = reinterpret_cast<HDC>(uintptr_t(0x1234));
    EXPECT_FALSE(BitBlt(bogus, 0, 0, 1, 1, win, 0, 0, SRCCOPY));
    EXPECT_EQ(GetPixel(bogus, 0, 0), CLR_INVALID);
    EXPECT_FALSE(TextOutA(bogus, 0, 0, "a", 1));
    EXPECT_EQ(SetTextColor(bogus, 0), CLR_INVALID);
    EXPECT_EQ(GetStockObject(99), nullptr);
    ReleaseDC(hwnd, win);
}

TEST_F(BlitTest, LiveObjectCountFollowsCreationAndRelease) {
    create_main();
    const size_t base = mub::core::live_gdi_objects();
    EXPECT_EQ(base, 0u);
    HDC dc = GetDC(hwnd);
    HDC mem = CreateCompatibleDC(dc);
    HBRUSH brush = CreateSolidBrush(RGB(0, 0, 0));
    HBITMAP bm = mub::core::make_bitmap(mub::Image(1, 1));
    EXPECT_EQ(mub::core::live_gdi_objects(), 4u);
    GetStockObject(BLACK_BRUSH);
    EXPECT_TRUE(DeleteObject(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(mub::core::live_gdi_objects(), 4u) << "stock objects are not counted nor freed";
    DeleteObject(bm);
    DeleteObject(brush);
    DeleteDC(mem);
    ReleaseDC(hwnd, dc);
    EXPECT_EQ(mub::core::live_gdi_objects(), 0u);

    // The blit-and-fill pattern of every game step, many times over, leaks nothing.
    HBITMAP sheet = mub::core::make_bitmap(mub::Image(48, 96, 0xFFFFFF));
    for (int i = 0; i < 500; ++i) {
        HDC tick = GetDC(hwnd);
        HDC m = CreateCompatibleDC(tick);
        SelectObject(m, sheet);
        BitBlt(tick, i % 500, 10, 48, 48, m, 0, 48, SRCPAINT);
        BitBlt(tick, i % 500, 10, 48, 48, m, 0, 0, SRCAND);
        DeleteDC(m);
        HBRUSH b = CreateSolidBrush(RGB(0, 0, 0));
        RECT r{0, 0, 10, 10};
        FillRect(tick, &r, b);
        DeleteObject(b);
        ReleaseDC(hwnd, tick);
    }
    EXPECT_EQ(mub::core::live_gdi_objects(), 1u);
    EXPECT_TRUE(DeleteObject(sheet));
    EXPECT_EQ(mub::core::live_gdi_objects(), 0u);
}

}  // namespace
}  // namespace coretest
