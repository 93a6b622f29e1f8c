// What painting does with the host: the framebuffer follows the client, and
// the host's exposes are painted with an erase. (Update regions, BeginPaint
// and GetDC are checked against Windows in tests/conformance.)
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

TEST_F(PaintTest, FramebufferFollowsTheClientSize) {
    create_main();
    EXPECT_EQ(mub::core::framebuffer().width, 592);
    EXPECT_EQ(mub::core::framebuffer().height, 543);
    host.push_resize(700, 300);
    SetTimer(hwnd, 1, 32, NULL);
    until_timer();
    EXPECT_EQ(mub::core::framebuffer().width, 700);
    EXPECT_EQ(mub::core::framebuffer().height, 300);
}

TEST_F(PaintTest, ExposeIsPaintedWithAnErase) {
    create_main();
    fill_client(hwnd, 0x00FF00);
    forget();
    host.push_expose(100, 50, 20, 10);
    SetTimer(hwnd, 1, 32, NULL);
    until_timer();
    EXPECT_EQ(seen_messages(), (std::vector<UINT>{WM_PAINT, WM_ERASEBKGND, WM_TIMER}));
    EXPECT_EQ(pixel(100, 50), 0u);
    EXPECT_EQ(pixel(119, 59), 0u);
    EXPECT_EQ(pixel(120, 59), 0x00FF00u);
    EXPECT_EQ(pixel(119, 60), 0x00FF00u);
    EXPECT_EQ(pixel(99, 50), 0x00FF00u);
}

}  // namespace
}  // namespace coretest
