// The order in which the message loop hands things out, timers, and what
// showing, updating and resizing a window send: one table, checked on our
// core and on Windows.
#include <gtest/gtest.h>

#include <vector>

#include "tests/conformance/conf_env.h"

namespace {

using namespace conftest;

constexpr UINT kFirst = WM_USER + 1;
constexpr UINT kSecond = WM_USER + 2;
constexpr UINT kStyle = CS_HREDRAW | CS_VREDRAW;

void click(HWND hwnd, int x, int y) {
    mouse_down(hwnd, 0, x, y);
    mouse_up(hwnd, 0, x, y);
}

// Timers run on the real clock on Windows: every tick a row expects is due
// at least 30 ms before the tick that ends the row (or the flush, 10 ms
// after the act), and every tick it rules out at least 30 ms after.
const SequenceCase kQueueCases[] = {
    {"PostedThenInputThenPaintThenTimer", kStyle,
     [](HWND h) {
         SetTimer(h, 1, 100, NULL);
         sleep_ms(120);  // the timer is due
         InvalidateRect(h, NULL, FALSE);
         click(h, 100, 100);
         PostMessageA(h, kFirst, 11, 12);
         PostMessageA(h, kSecond, 21, 22);
     },
     {{kFirst, posted | wparam | lparam, 11, 12},
      {kSecond, posted | wparam | lparam, 21, 22},
      {WM_LBUTTONDOWN, posted | wparam | lparam, MK_LBUTTON, xy(100, 100)},
      {WM_LBUTTONUP, posted | wparam | lparam, 0, xy(100, 100)},
      {WM_PAINT, posted},
      {WM_TIMER, posted | wparam, 1}}},
    {"QuitComesAfterThePostedMessagesWithItsCode", kStyle,
     [](HWND h) {
         PostMessageA(h, kFirst, 0, 0);
         PostQuitMessage(7);
         PostMessageA(h, kSecond, 0, 0);
     },
     {{kFirst, posted}, {kSecond, posted}, {WM_QUIT, posted | wparam, 7}}},
    {"QuitComesBeforeInputPaintAndTick", kStyle,
     [](HWND h) {
         SetTimer(h, 1, 100, NULL);
         sleep_ms(120);
         InvalidateRect(h, NULL, FALSE);
         click(h, 100, 100);
         PostQuitMessage(3);
     },
     {{WM_QUIT, posted | wparam, 3},
      {WM_LBUTTONDOWN, posted},
      {WM_LBUTTONUP, posted},
      {WM_PAINT, posted},
      {WM_TIMER, posted | wparam, 1}}},
    {"TimerTicksKeepComingWhileSet", kStyle,
     [](HWND h) {
         SetTimer(h, 1, 100, NULL);
         SetTimer(h, 2, 350, NULL);
     },
     {{WM_TIMER, posted | wparam, 1},
      {WM_TIMER, posted | wparam, 1},
      {WM_TIMER, posted | wparam, 1},
      {WM_TIMER, posted | wparam, 2}},
     2},
    // A stalled timer ticks once, then keeps to its first beat: the next
    // tick comes at 400, not one period after the late one (450), nor as a
    // burst of the ticks missed.
    {"StalledTimerTicksOnceThenKeepsItsBeat", kStyle,
     [](HWND h) {
         SetTimer(h, 1, 100, NULL);
         sleep_ms(350);
         SetTimer(h, 2, 80, NULL);
     },
     {{WM_TIMER, posted | wparam, 1}, {WM_TIMER, posted | wparam, 1}, {WM_TIMER, posted | wparam, 2}},
     2},
    {"SettingARunningTimerAgainRestartsItsPeriod", kStyle,
     [](HWND h) {
         SetTimer(h, 1, 200, NULL);
         sleep_ms(100);
         SetTimer(h, 1, 200, NULL);  // now due at 300, not 200
         SetTimer(h, 2, 150, NULL);
     },
     {{WM_TIMER, posted | wparam, 2}},
     2},
    {"KilledTimerDeliversNothingEvenWhenDue", kStyle,
     [](HWND h) {
         SetTimer(h, 1, 20, NULL);
         sleep_ms(60);  // due, not yet taken
         KillTimer(h, 1);
         SetTimer(h, 2, 50, NULL);
     },
     {{WM_TIMER, posted | wparam, 2}},
     2},
    {"UpdateWindowSendsThePaintAtOnce", kStyle,
     [](HWND h) {
         InvalidateRect(h, NULL, TRUE);
         UpdateWindow(h);
         UpdateWindow(h);  // nothing left to paint
     },
     {{WM_PAINT, sent}, {WM_ERASEBKGND, sent}}},
    // Windows erases as it shows or resizes a window, our core when the paint
    // begins; Windows sends WM_SIZE as it first shows one. The program
    // handles neither message, and the pixels come out the same.
    {"CreateShowAndUpdate", kStyle,
     [](HWND) {
         HWND w = create_window(kStyle);
         ShowWindow(w, SW_SHOWNORMAL);
         UpdateWindow(w);
     },
     {{WM_CREATE, sent},
      {WM_ERASEBKGND, sent | windows_only},
      {WM_SIZE, sent | wparam | lparam | windows_only, 0 /* SIZE_RESTORED */, xy(592, 543)},
      {WM_PAINT, sent},
      {WM_ERASEBKGND, sent | core_only}}},
    {"ResizeSendsTheSizeAndPaintsItAll", kStyle,
     [](HWND h) {
         resize_client(h, 400, 300);
         resize_client(h, 592, 543);
     },
     {{WM_ERASEBKGND, sent | windows_only},
      {WM_SIZE, sent | wparam | lparam, 0, xy(400, 300)},
      {WM_ERASEBKGND, sent | windows_only},
      {WM_SIZE, sent | wparam | lparam, 0, xy(592, 543)},
      {WM_PAINT, posted},
      {WM_ERASEBKGND, sent | core_only}}},
};

INSTANTIATE_TEST_SUITE_P(Queue, SequenceConformance, testing::ValuesIn(kQueueCases), case_name);

TEST(RandConformance, FreshProgramSeesTheFixedSequence) {
    Env env;
    EXPECT_EQ(fresh_rand_sequence(5), (std::vector<int>{41, 18467, 6334, 26500, 19169}));
    srand(1);  // the same state as a fresh start
    std::vector<int> again;
    for (int i = 0; i < 5; ++i) again.push_back(rand());
    EXPECT_EQ(again, (std::vector<int>{41, 18467, 6334, 26500, 19169}));
}

}  // namespace
