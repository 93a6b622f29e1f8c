// Painting: what BeginPaint clips to and erases, what GetDC starts with, and
// the client rectangle of the program's window before and after a resize.
#include <gtest/gtest.h>

#include "tests/conformance/conf_env.h"

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr UINT_PTR kEndTimer = 92;

RECT g_painted;  // rcPaint of the last paint

void paint_all_white(HDC dc, const PAINTSTRUCT &ps) {
    g_painted = ps.rcPaint;
    RECT all{0, 0, 2000, 2000};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

class PaintConformance : public ::testing::Test {
protected:
    void SetUp() override {
        hwnd_ = conftest::open_window(CS_HREDRAW | CS_VREDRAW);
        settle();
        conftest::recorder() = conftest::Recorder{};
    }
    void settle() {
        SetTimer(hwnd_, kEndTimer, 1, NULL);
        conftest::take_until_timer(hwnd_, kEndTimer);
        KillTimer(hwnd_, kEndTimer);
    }
    void fill_client(COLORREF colour) {
        HDC dc = GetDC(hwnd_);
        HBRUSH brush = CreateSolidBrush(colour);
        RECT all;
        GetClientRect(hwnd_, &all);
        FillRect(dc, &all, brush);
        DeleteObject(brush);
        ReleaseDC(hwnd_, dc);
    }
    COLORREF at(int x, int y) {
        HDC dc = GetDC(hwnd_);
        const COLORREF c = GetPixel(dc, x, y);
        ReleaseDC(hwnd_, dc);
        return c;
    }

    conftest::Env env_;
    HWND hwnd_ = NULL;
};

TEST_F(PaintConformance, ProgramWindowHasTheClassicClientArea) {
    RECT rc{-1, -1, -1, -1};
    GetClientRect(hwnd_, &rc);
    EXPECT_EQ(rc.left, 0);
    EXPECT_EQ(rc.top, 0);
    EXPECT_EQ(rc.right, 592);
    EXPECT_EQ(rc.bottom, 543);
}

// The selection dialog is opened with the instance read back from the window:
// all of it, also where a pointer is wider than a LONG (64-bit programs place
// their image above 4 GB).
TEST_F(PaintConformance, ProgramWindowGivesBackItsWholeInstance) {
    EXPECT_EQ(reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hwnd_, GWLP_HINSTANCE)), conftest::program_instance());
}

TEST_F(PaintConformance, BeginPaintClipsToTheInvalidRectangle) {
    fill_client(kRed);
    conftest::recorder().paint = paint_all_white;
    RECT r{100, 100, 200, 150};
    InvalidateRect(hwnd_, &r, FALSE);
    settle();

    EXPECT_EQ(conftest::recorder().paints, 1);
    EXPECT_EQ(g_painted.left, 100);
    EXPECT_EQ(g_painted.top, 100);
    EXPECT_EQ(g_painted.right, 200);
    EXPECT_EQ(g_painted.bottom, 150);
    EXPECT_EQ(at(100, 100), kWhite);
    EXPECT_EQ(at(199, 149), kWhite);
    EXPECT_EQ(at(99, 120), kRed);
    EXPECT_EQ(at(200, 120), kRed);
    EXPECT_EQ(at(150, 150), kRed);
}

TEST_F(PaintConformance, TwoInvalidationsMakeOnePaintOfTheirUnionOnly) {
    fill_client(kRed);
    conftest::recorder().paint = paint_all_white;
    RECT a{10, 10, 30, 30}, b{60, 60, 80, 80};
    InvalidateRect(hwnd_, &a, FALSE);
    InvalidateRect(hwnd_, &b, FALSE);
    settle();

    EXPECT_EQ(conftest::recorder().paints, 1);
    EXPECT_EQ(at(20, 20), kWhite);
    EXPECT_EQ(at(70, 70), kWhite);
    EXPECT_EQ(at(45, 45), kRed) << "the gap between the two rectangles was painted";
    EXPECT_EQ(at(70, 20), kRed);
}

TEST_F(PaintConformance, EraseFillsTheInvalidRectangleWithTheClassBrush) {
    fill_client(kRed);
    RECT r{100, 100, 200, 150};
    InvalidateRect(hwnd_, &r, TRUE);
    settle();

    EXPECT_EQ(at(150, 120), kBlack);
    EXPECT_EQ(at(50, 50), kRed);
    EXPECT_EQ(at(200, 120), kRed);
}

TEST_F(PaintConformance, ValidatedRegionBringsNoPaint) {
    RECT r{0, 0, 50, 50};
    InvalidateRect(hwnd_, &r, FALSE);
    ValidateRect(hwnd_, &r);
    settle();
    EXPECT_EQ(conftest::recorder().paints, 0);
}

TEST_F(PaintConformance, GetDCStartsWithDefaultAttributesEveryTime) {
    for (int round = 0; round < 2; ++round) {
        HDC dc = GetDC(hwnd_);
        EXPECT_EQ(SetTextColor(dc, kWhite), kBlack) << "round " << round;
        EXPECT_EQ(SetBkColor(dc, kBlack), kWhite) << "round " << round;
        EXPECT_EQ(SetBkMode(dc, TRANSPARENT), OPAQUE) << "round " << round;
        ReleaseDC(hwnd_, dc);
    }
}

TEST_F(PaintConformance, ResizeChangesTheClientAndErasesAllOfIt) {
    fill_client(kRed);
    conftest::resize_client(hwnd_, 400, 300);
    settle();

    RECT rc{};
    GetClientRect(hwnd_, &rc);
    EXPECT_EQ(rc.right, 400);
    EXPECT_EQ(rc.bottom, 300);
    EXPECT_GE(conftest::recorder().paints, 1);
    EXPECT_EQ(at(10, 10), kBlack);
    EXPECT_EQ(at(399, 299), kBlack);

    conftest::resize_client(hwnd_, 592, 543);
    settle();
    GetClientRect(hwnd_, &rc);
    EXPECT_EQ(rc.right, 592);
    EXPECT_EQ(rc.bottom, 543);
}

}  // namespace
