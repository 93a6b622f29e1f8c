// What only our core has to say about drawing: raster operations it refuses,
// extreme sizes, its text, and the bookkeeping of GDI handles.
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

using BlitTest = CoreTest;

// Our core draws only the raster operations the program uses, and refuses
// the rest instead of drawing something else. (Where blits and fills land is
// checked against Windows in tests/conformance.)
TEST_F(BlitTest, UnsupportedRasterOperationIsRefused) {
    Canvas src(1, 1, 0x0F0F0F);
    Canvas dst(1, 1, kBg);
    EXPECT_FALSE(BitBlt(dst.dc, 0, 0, 1, 1, src.dc, 0, 0, 0x00330008 /* NOTSRCCOPY */));
    EXPECT_EQ(dst.at(0, 0), kBg);
    EXPECT_TRUE(BitBlt(dst.dc, 0, 0, 1, 1, src.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(dst.at(0, 0), 0x0F0F0Fu);
}

// Sizes and places near the ends of int wrap nowhere: nothing is drawn.
TEST_F(BlitTest, ExtremeSizesAndPlacesDrawNothing) {
    Canvas src(4, 4, 0xFFFFFF);
    Canvas dst(8, 8, kBg);
    EXPECT_TRUE(BitBlt(dst.dc, INT_MAX - 1, INT_MAX - 1, INT_MAX, INT_MAX, src.dc, INT_MIN, INT_MIN, SRCCOPY));
    EXPECT_TRUE(BitBlt(dst.dc, INT_MIN, INT_MIN, INT_MAX, INT_MAX, src.dc, 0, 0, SRCPAINT));
    EXPECT_TRUE(BitBlt(dst.dc, INT_MAX, INT_MAX, INT_MIN, INT_MIN, src.dc, 0, 0, SRCCOPY));
    EXPECT_TRUE(BitBlt(dst.dc, 0, 0, INT_MIN, INT_MIN, src.dc, INT_MAX, INT_MAX, SRCCOPY));
    RECT far{INT_MIN, INT_MIN, INT_MIN + 1, INT_MIN + 1};
    EXPECT_TRUE(FillRect(dst.dc, &far, (HBRUSH)GetStockObject(WHITE_BRUSH)));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) ASSERT_EQ(dst.at(x, y), kBg) << x << "," << y;
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
