// Update regions, BeginPaint clipping and erasing, GetDC, the client area.
#include "core_fixture.h"

namespace coretest {
namespace {

using PaintTest = CoreTest;

void fill_client(HWND hwnd, uint32_t colour) {
    HDC dc = GetDC(hwnd);
    HBRUSH b = CreateSolidBrush(RGB(colour >> 16, (colour >> 8) & 0xFF, colour & 0xFF));
    RECT r{0, 0, 1000, 1000};
    FillRect(dc, &r, b);
    DeleteObject(b);
    ReleaseDC(hwnd, dc);
}

uint32_t pixel(int x, int y) {
    const mub::Image &fb = mub::core::framebuffer();
    return fb.row(y)[x];
}

// A paint handler that paints everything it may white and records what it got.
struct WhitePainter {
    PAINTSTRUCT last{};
    int paints = 0;
    void install() {
        CoreTest::handler = [this](HWND h, UINT m, WPARAM, LPARAM, LRESULT &) {
            if (m != WM_PAINT) return false;
            HDC dc = BeginPaint(h, &last);
            RECT all{0, 0, 1000, 1000};
            FillRect(dc, &all, (HBRUSH)GetStockObject(WHITE_BRUSH));
            EndPaint(h, &last);
            ++paints;
            return true;
        };
    }
};

TEST_F(PaintTest, ClientAreaOfTheGameWindowAndAfterResize) {
    create_main();
    RECT r;
    ASSERT_TRUE(GetClientRect(hwnd, &r));
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, 592);
    EXPECT_EQ(r.bottom, 543);

    fill_client(hwnd, 0xFF0000);
    forget();
    host.push_resize(700, 300);
    SetTimer(hwnd, 1, 32, NULL);
    until_timer();
    ASSERT_TRUE(GetClientRect(hwnd, &r));
    EXPECT_EQ(r.right, 700);
    EXPECT_EQ(r.bottom, 300);
    EXPECT_EQ(mub::core::framebuffer().width, 700);
    EXPECT_EQ(seen_messages(), (std::vector<UINT>{WM_SIZE, WM_PAINT, WM_ERASEBKGND, WM_TIMER}));
    EXPECT_EQ(seen[0].lParam, LPARAM(700 | (300 << 16)));
    EXPECT_EQ(pixel(0, 0), 0u) << "the whole client is erased to the class brush";
    EXPECT_EQ(pixel(699, 299), 0u);
}

TEST_F(PaintTest, InvalidationWithoutEraseClipsThePaintToTheRegion) {
    create_main();
    WhitePainter painter;
    painter.install();
    RECT a{10, 30, 20, 40}, b{100, 100, 110, 105};
    InvalidateRect(hwnd, &a, FALSE);
    InvalidateRect(hwnd, &b, FALSE);
    InvalidateRect(hwnd, &a, FALSE);
    forget();
    SetTimer(hwnd, 1, 32, NULL);
    until_timer();
    EXPECT_EQ(seen_messages(), (std::vector<UINT>{WM_PAINT, WM_TIMER})) << "one paint, no erase";
    EXPECT_FALSE(painter.last.fErase);
    EXPECT_EQ(painter.last.rcPaint.left, 10);
    EXPECT_EQ(painter.last.rcPaint.bottom, 105);
    int white = 0;
    const mub::Image &fb = mub::core::framebuffer();
    for (uint32_t px : fb.pixels) white += px == 0xFFFFFF;
    EXPECT_EQ(white, 100 + 50);
    EXPECT_EQ(pixel(50, 50), 0u) << "the gap between the two rectangles stays";
    EXPECT_EQ(pixel(19, 39), 0xFFFFFFu);
    EXPECT_EQ(pixel(20, 39), 0u);
}

TEST_F(PaintTest, EraseFillsTheRegionWithTheClassBrushFirst) {
    create_main();
    fill_client(hwnd, 0x00FF00);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    PAINTSTRUCT ps{};
    uint32_t seen_under = 1;
    handler = [&](HWND h, UINT m, WPARAM, LPARAM, LRESULT &) {
        if (m != WM_PAINT) return false;
        HDC dc = BeginPaint(h, &ps);
        seen_under = rgb(GetPixel(dc, 5, 5));
        EndPaint(h, &ps);
        return true;
    };
    RECT r{0, 0, 10, 10};
    InvalidateRect(hwnd, &r, TRUE);
    SetTimer(hwnd, 1, 32, NULL);
    until_timer();
    EXPECT_EQ(seen_under, 0u) << "erased black before the handler draws";
    EXPECT_FALSE(ps.fErase);
    EXPECT_EQ(pixel(9, 9), 0u);
    EXPECT_EQ(pixel(10, 10), 0x00FF00u);

    // Expose from the window system: invalidated with erase, the rest kept.
    fill_client(hwnd, 0x00FF00);
    host.push_expose(100, 50, 20, 10);
    until_timer();
    EXPECT_EQ(pixel(100, 50), 0u);
    EXPECT_EQ(pixel(119, 59), 0u);
    EXPECT_EQ(pixel(120, 59), 0x00FF00u);
    DeleteObject(red);
}

TEST_F(PaintTest, ValidateAndOutOfClientInvalidationsMakeNoPaint) {
    create_main();
    RECT outside{600, 600, 700, 700}, inside{0, 0, 5, 5};
    InvalidateRect(hwnd, &outside, TRUE);
    InvalidateRect(hwnd, &inside, FALSE);
    ValidateRect(hwnd, &inside);
    forget();
    SetTimer(hwnd, 1, 32, NULL);
    until_timer();
    EXPECT_EQ(seen_messages(), (std::vector<UINT>{WM_TIMER}));
    EXPECT_FALSE(InvalidateRect(reinterpret_cast<HWND>(uintptr_t(0x99)), NULL, FALSE));
}

TEST_F(PaintTest, HiddenWindowGetsNoPaintUntilShown) {
    create_main(CS_HREDRAW | CS_VREDRAW, false);
    InvalidateRect(hwnd, NULL, FALSE);
    forget();
    SetTimer(hwnd, 1, 32, NULL);
    until_timer();
    EXPECT_EQ(seen_messages(), (std::vector<UINT>{WM_TIMER}));
}

TEST_F(PaintTest, GetDcGivesFreshDefaultsAndNoClip) {
    create_main();
    HDC first = GetDC(hwnd);
    SetTextColor(first, RGB(255, 255, 255));
    SetBkColor(first, RGB(1, 2, 3));
    SetBkMode(first, TRANSPARENT);
    ReleaseDC(hwnd, first);
    RECT r{0, 0, 4, 4};
    InvalidateRect(hwnd, &r, FALSE);  // a pending paint region does not clip GetDC
    HDC dc = GetDC(hwnd);
    EXPECT_EQ(SetTextColor(dc, 0), RGB(0, 0, 0));
    EXPECT_EQ(SetBkColor(dc, 0), RGB(255, 255, 255));
    EXPECT_EQ(SetBkMode(dc, OPAQUE), OPAQUE);
    RECT all{0, 0, 592, 543};
    FillRect(dc, &all, (HBRUSH)GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(pixel(591, 542), 0xFFFFFFu);
    EXPECT_EQ(pixel(300, 300), 0xFFFFFFu);
    ReleaseDC(hwnd, dc);
}

}  // namespace
}  // namespace coretest
