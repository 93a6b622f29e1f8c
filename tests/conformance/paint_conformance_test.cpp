// Painting: which invalidations bring a paint, what BeginPaint clips to and
// erases, what GetDC starts with, and the client rectangle of the program's
// window before and after a resize.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "tests/conformance/conf_env.h"

namespace {

using namespace conftest;

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr UINT kStyle = CS_HREDRAW | CS_VREDRAW;

const SequenceCase kPaintCases[] = {
    {"InvalidationsMakeOnePaint", kStyle,
     [](HWND h) {
         RECT a{10, 30, 20, 40}, b{100, 100, 110, 105};
         InvalidateRect(h, &a, FALSE);
         InvalidateRect(h, &b, FALSE);
         InvalidateRect(h, &a, FALSE);
     },
     {{WM_PAINT, posted}}},
    {"EraseIsSentFromBeginPaint", kStyle,
     [](HWND h) {
         RECT a{10, 30, 20, 40};
         InvalidateRect(h, &a, TRUE);
         InvalidateRect(h, &a, FALSE);
     },
     {{WM_PAINT, posted}, {WM_ERASEBKGND, sent}}},
    {"ValidatedRegionBringsNoPaint", kStyle,
     [](HWND h) {
         RECT r{0, 0, 50, 50};
         InvalidateRect(h, &r, TRUE);
         ValidateRect(h, &r);
     },
     {}},
    {"FlatOrOutsideRectanglesBringNoPaint", kStyle,
     [](HWND h) {
         RECT outside{600, 600, 700, 700}, flat{5, 5, 5, 9}, line{5, 5, 9, 5};
         InvalidateRect(h, &outside, TRUE);
         InvalidateRect(h, &flat, TRUE);
         InvalidateRect(h, &line, TRUE);
     },
     {}},
    {"HiddenWindowGetsNoPaint", kStyle,
     [](HWND h) {
         ShowWindow(h, SW_HIDE);
         InvalidateRect(h, NULL, TRUE);
     },
     {}},
    // Windows erases as it shows the window, our core when the paint begins;
    // Wine's user32 tests allow either on Windows, and the pixels come out
    // the same.
    {"ShownAgainItIsErasedAndPainted", kStyle,
     [](HWND h) {
         ShowWindow(h, SW_HIDE);
         InvalidateRect(h, NULL, TRUE);
         ShowWindow(h, SW_SHOWNORMAL);
     },
     {{WM_ERASEBKGND, sent | windows_only | optional}, {WM_PAINT, posted}, {WM_ERASEBKGND, sent | optional}}},
};

INSTANTIATE_TEST_SUITE_P(Paint, SequenceConformance, testing::ValuesIn(kPaintCases), case_name);

class PaintConformance : public ::testing::Test {
protected:
    void SetUp() override { hwnd_ = open_window(kStyle); }
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

    Env env_;
    HWND hwnd_ = NULL;
};

// One invalidation and what its paint gets: the bounds in rcPaint, and the
// pixels it may change. The window is red before; its paint fills all it can
// reach white, or (paint false) does nothing, so only the erase shows, black.
struct InvalidCase {
    const char *name;
    std::vector<RECT> invalid;
    std::vector<RECT> valid;  // validated afterwards
    BOOL erase;
    bool paint;
    RECT bounds;
    std::vector<RECT> changed;
};

const InvalidCase kInvalidCases[] = {
    {"PaintIsClippedToTheRectangle", {{100, 100, 200, 150}}, {}, FALSE, true, {100, 100, 200, 150},
     {{100, 100, 200, 150}}},
    {"TwoRectanglesPaintTheirUnionOnly", {{10, 10, 30, 30}, {60, 60, 80, 80}}, {}, FALSE, true, {10, 10, 80, 80},
     {{10, 10, 30, 30}, {60, 60, 80, 80}}},
    {"EraseFillsWithTheClassBrush", {{100, 100, 200, 150}}, {}, TRUE, false, {100, 100, 200, 150},
     {{100, 100, 200, 150}}},
    {"EraseComesBeforeThePaint", {{100, 100, 200, 150}}, {}, TRUE, true, {100, 100, 200, 150},
     {{100, 100, 200, 150}}},
    {"InvertedRectangleHasItsEdgesSwapped", {{30, 20, 25, 10}, {60, 50, 50, 60}}, {}, FALSE, true,
     {25, 10, 60, 60}, {{25, 10, 30, 20}, {50, 50, 60, 60}}},
    {"InvertedValidationHasItsEdgesSwapped", {{0, 0, 100, 100}}, {{60, 60, 40, 40}}, FALSE, true, {0, 0, 100, 100},
     {{0, 0, 100, 40}, {0, 60, 100, 100}, {0, 40, 40, 60}, {60, 40, 100, 60}}},
    {"PaintStopsAtTheClientEdge", {{580, 530, 700, 700}}, {}, FALSE, true, {580, 530, 592, 543},
     {{580, 530, 592, 543}}},
};

void PrintTo(const InvalidCase &c, std::ostream *out) { *out << c.name; }

class InvalidConformance : public testing::TestWithParam<InvalidCase> {
protected:
    Env env_;
};

PAINTSTRUCT g_last_paint;

void paint_all_white(HDC dc, const PAINTSTRUCT &ps) {
    g_last_paint = ps;
    RECT all{0, 0, 2000, 2000};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

void paint_nothing(HDC, const PAINTSTRUCT &ps) { g_last_paint = ps; }

bool inside(const std::vector<RECT> &rects, int x, int y) {
    for (const RECT &r : rects)
        if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return true;
    return false;
}

TEST_P(InvalidConformance, PaintsWhereInvalid) {
    const InvalidCase &c = GetParam();
    HWND hwnd = open_window(kStyle);
    {
        HDC dc = GetDC(hwnd);
        HBRUSH red = CreateSolidBrush(kRed);
        RECT all{0, 0, 592, 543};
        FillRect(dc, &all, red);
        DeleteObject(red);
        ReleaseDC(hwnd, dc);
    }
    recorder().paint = c.paint ? paint_all_white : paint_nothing;
    for (const RECT &r : c.invalid) InvalidateRect(hwnd, &r, c.erase);
    for (const RECT &r : c.valid) ValidateRect(hwnd, &r);
    flush(hwnd);

    ASSERT_EQ(recorder().paints, 1);
    EXPECT_EQ(g_last_paint.rcPaint.left, c.bounds.left);
    EXPECT_EQ(g_last_paint.rcPaint.top, c.bounds.top);
    EXPECT_EQ(g_last_paint.rcPaint.right, c.bounds.right);
    EXPECT_EQ(g_last_paint.rcPaint.bottom, c.bounds.bottom);
    EXPECT_FALSE(g_last_paint.fErase) << "DefWindowProcA has erased";

    // Every pixel of the bounds and three around them.
    const COLORREF painted = c.paint ? kWhite : kBlack;
    HDC dc = GetDC(hwnd);
    int wrong = 0;
    for (int y = std::max(0, int(c.bounds.top) - 3); y < std::min(543, int(c.bounds.bottom) + 3); ++y)
        for (int x = std::max(0, int(c.bounds.left) - 3); x < std::min(592, int(c.bounds.right) + 3); ++x) {
            const COLORREF want = inside(c.changed, x, y) ? painted : kRed;
            const COLORREF got = GetPixel(dc, x, y);
            if (got != want && ++wrong <= 5)
                ADD_FAILURE() << "pixel (" << x << ", " << y << ") is " << std::hex << got << ", expected " << want;
        }
    ReleaseDC(hwnd, dc);
    EXPECT_EQ(wrong, 0);
}

INSTANTIATE_TEST_SUITE_P(Paint, InvalidConformance, testing::ValuesIn(kInvalidCases),
                         [](const testing::TestParamInfo<InvalidCase> &info) { return std::string(info.param.name); });

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
    EXPECT_EQ(reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hwnd_, GWLP_HINSTANCE)), program_instance());
}

// A DC from GetDC starts afresh each time and draws on the whole client, also
// while part of it waits to be painted.
TEST_F(PaintConformance, GetDCStartsWithDefaultsAndNoClipEveryTime) {
    RECT pending{0, 0, 4, 4};
    InvalidateRect(hwnd_, &pending, FALSE);
    for (int round = 0; round < 2; ++round) {
        HDC dc = GetDC(hwnd_);
        EXPECT_EQ(SetTextColor(dc, kWhite), kBlack) << "round " << round;
        EXPECT_EQ(SetBkColor(dc, kBlack), kWhite) << "round " << round;
        EXPECT_EQ(SetBkMode(dc, TRANSPARENT), OPAQUE) << "round " << round;
        RECT all{0, 0, 592, 543};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(round ? WHITE_BRUSH : GRAY_BRUSH)));
        ReleaseDC(hwnd_, dc);
        EXPECT_EQ(at(591, 542), round ? kWhite : RGB(128, 128, 128)) << "round " << round;
        EXPECT_EQ(at(300, 300), round ? kWhite : RGB(128, 128, 128)) << "round " << round;
    }
    ValidateRect(hwnd_, NULL);
}

TEST_F(PaintConformance, InvalidatingAWindowThatIsGoneFails) {
    HWND gone = create_window(kStyle);
    DestroyWindow(gone);
    RECT r{0, 0, 10, 10};
    EXPECT_FALSE(InvalidateRect(gone, &r, FALSE));
    EXPECT_FALSE(ValidateRect(gone, &r));
}

TEST_F(PaintConformance, ResizeChangesTheClientAndErasesAllOfIt) {
    fill_client(kRed);
    resize_client(hwnd_, 400, 300);
    flush(hwnd_);

    RECT rc{};
    GetClientRect(hwnd_, &rc);
    EXPECT_EQ(rc.right, 400);
    EXPECT_EQ(rc.bottom, 300);
    EXPECT_EQ(at(10, 10), kBlack);
    EXPECT_EQ(at(399, 299), kBlack);
    EXPECT_EQ(at(400, 299), CLR_INVALID);

    resize_client(hwnd_, 592, 543);
    flush(hwnd_);
    GetClientRect(hwnd_, &rc);
    EXPECT_EQ(rc.right, 592);
    EXPECT_EQ(rc.bottom, 543);
}

}  // namespace
