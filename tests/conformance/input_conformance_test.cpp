// Mouse presses as the window procedure receives them: double clicks under
// CS_DBLCLKS, the buttons held and the point.
#include <gtest/gtest.h>

#include "tests/conformance/conf_env.h"

namespace {

using namespace conftest;

constexpr UINT kStyle = CS_HREDRAW | CS_VREDRAW;
constexpr UINT kDouble = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;

void click(HWND hwnd, int button, int x = 100, int y = 100) {
    mouse_down(hwnd, button, x, y);
    mouse_up(hwnd, button, x, y);
}

constexpr LPARAM kAt = xy(100, 100);

const SequenceCase kInputCases[] = {
    {"SecondQuickPressIsADoubleClickAndTheThirdAPlainPress", kDouble,
     [](HWND h) {
         for (int i = 0; i < 3; ++i) click(h, 0);
         for (int i = 0; i < 2; ++i) click(h, 1);  // the first of these is another button's
     },
     {{WM_LBUTTONDOWN, posted | wparam | lparam, MK_LBUTTON, kAt},
      {WM_LBUTTONUP, posted | wparam | lparam, 0, kAt},
      {WM_LBUTTONDBLCLK, posted | wparam | lparam, MK_LBUTTON, kAt},
      {WM_LBUTTONUP, posted | wparam | lparam, 0, kAt},
      {WM_LBUTTONDOWN, posted | wparam | lparam, MK_LBUTTON, kAt},
      {WM_LBUTTONUP, posted | wparam | lparam, 0, kAt},
      {WM_RBUTTONDOWN, posted | wparam | lparam, MK_RBUTTON, kAt},
      {WM_RBUTTONUP, posted | wparam | lparam, 0, kAt},
      {WM_RBUTTONDBLCLK, posted | wparam | lparam, MK_RBUTTON, kAt},
      {WM_RBUTTONUP, posted | wparam | lparam, 0, kAt}}},
    {"SlowSecondPressIsAPlainPress", kDouble,
     [](HWND h) {
         click(h, 0);
         sleep_ms(700);  // longer than the double-click time
         click(h, 0);
     },
     {{WM_LBUTTONDOWN, posted}, {WM_LBUTTONUP, posted}, {WM_LBUTTONDOWN, posted}, {WM_LBUTTONUP, posted}}},
    // On Windows the second press of a double click lies within a pixel of
    // the first each way; our core allows two. The simulator's clicks follow
    // the client's size, and its random runs depend on this.
    {"SecondPressOnePixelAwayIsADoubleClick", kDouble,
     [](HWND h) {
         click(h, 0, 100, 100);
         click(h, 0, 101, 99);
         click(h, 1, 100, 100);
         click(h, 1, 99, 101);
     },
     {{WM_LBUTTONDOWN, posted},
      {WM_LBUTTONUP, posted},
      {WM_LBUTTONDBLCLK, posted | lparam, 0, xy(101, 99)},
      {WM_LBUTTONUP, posted},
      {WM_RBUTTONDOWN, posted},
      {WM_RBUTTONUP, posted},
      {WM_RBUTTONDBLCLK, posted | lparam, 0, xy(99, 101)},
      {WM_RBUTTONUP, posted}}},
    {"SecondPressTwoPixelsAway", kDouble,
     [](HWND h) {
         click(h, 0, 100, 100);
         click(h, 0, 102, 100);
         click(h, 1, 100, 100);
         click(h, 1, 100, 98);
     },
     {{WM_LBUTTONDOWN, posted},
      {WM_LBUTTONUP, posted},
      {WM_LBUTTONDOWN, posted | lparam | windows_only, 0, xy(102, 100)},
      {WM_LBUTTONDBLCLK, posted | lparam | core_only, 0, xy(102, 100)},
      {WM_LBUTTONUP, posted},
      {WM_RBUTTONDOWN, posted},
      {WM_RBUTTONUP, posted},
      {WM_RBUTTONDOWN, posted | lparam | windows_only, 0, xy(100, 98)},
      {WM_RBUTTONDBLCLK, posted | lparam | core_only, 0, xy(100, 98)},
      {WM_RBUTTONUP, posted}}},
    {"SecondPressThreePixelsAwayIsAPlainPress", kDouble,
     [](HWND h) {
         click(h, 0, 100, 100);
         click(h, 0, 97, 100);
     },
     {{WM_LBUTTONDOWN, posted},
      {WM_LBUTTONUP, posted},
      {WM_LBUTTONDOWN, posted | lparam, 0, xy(97, 100)},
      {WM_LBUTTONUP, posted}}},
    {"WithoutDoubleClickStyleEveryPressIsPlain", kStyle,
     [](HWND h) {
         click(h, 0);
         click(h, 0);
     },
     {{WM_LBUTTONDOWN, posted}, {WM_LBUTTONUP, posted}, {WM_LBUTTONDOWN, posted}, {WM_LBUTTONUP, posted}}},
    {"PressesCarryThePointAndTheButtonsHeld", kStyle,
     [](HWND h) {
         mouse_down(h, 0, 120, 45);
         mouse_down(h, 1, 120, 45);
         mouse_up(h, 1, 300, 200);
         mouse_up(h, 0, 300, 200);
     },
     {{WM_LBUTTONDOWN, posted | wparam | lparam, MK_LBUTTON, xy(120, 45)},
      {WM_RBUTTONDOWN, posted | wparam | lparam, MK_LBUTTON | MK_RBUTTON, xy(120, 45)},
      {WM_RBUTTONUP, posted | wparam | lparam, MK_LBUTTON, xy(300, 200)},
      {WM_LBUTTONUP, posted | wparam | lparam, 0, xy(300, 200)}}},
};

INSTANTIATE_TEST_SUITE_P(Input, SequenceConformance, testing::ValuesIn(kInputCases), case_name);

}  // namespace
