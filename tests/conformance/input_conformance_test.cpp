// Mouse presses as the window procedure receives them: double clicks under
// CS_DBLCLKS and the button flags.
#include <gtest/gtest.h>

#include <vector>

#include "tests/conformance/conf_env.h"

namespace {

constexpr UINT_PTR kEndTimer = 91;

bool is_button(UINT m) { return m >= WM_LBUTTONDOWN && m <= WM_RBUTTONDBLCLK; }

class InputConformance : public ::testing::Test {
protected:
    void open(UINT style) {
        hwnd_ = conftest::open_window(style);
        SetTimer(hwnd_, kEndTimer, 1, NULL);
        conftest::take_until_timer(hwnd_, kEndTimer);
        KillTimer(hwnd_, kEndTimer);
    }
    void click(int button, int x = 100, int y = 100) {
        conftest::mouse_down(hwnd_, button, x, y);
        conftest::mouse_up(hwnd_, button, x, y);
    }
    // The button messages of everything the user did so far.
    std::vector<MSG> buttons() {
        SetTimer(hwnd_, kEndTimer, 10, NULL);
        std::vector<MSG> seen;
        for (const MSG &msg : conftest::take_until_timer(hwnd_, kEndTimer))
            if (msg.hwnd == hwnd_ && is_button(msg.message))
                seen.push_back(msg);
        KillTimer(hwnd_, kEndTimer);
        return seen;
    }
    static std::vector<UINT> kinds(const std::vector<MSG> &msgs) {
        std::vector<UINT> k;
        for (const MSG &m : msgs)
            k.push_back(m.message);
        return k;
    }

    conftest::Env env_;
    HWND hwnd_ = NULL;
};

TEST_F(InputConformance, SecondQuickPressIsADoubleClickAndTheThirdAPlainPress) {
    open(CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS);
    click(0);
    click(0);
    click(0);
    EXPECT_EQ(kinds(buttons()), (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP,
                                                   WM_LBUTTONDOWN, WM_LBUTTONUP}));
    click(1);
    click(1);
    EXPECT_EQ(kinds(buttons()),
              (std::vector<UINT>{WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK, WM_RBUTTONUP}));
}

TEST_F(InputConformance, SlowSecondPressOrOtherButtonIsAPlainPress) {
    open(CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS);
    click(0);
    conftest::sleep_ms(700);  // longer than the double-click time
    click(0);
    click(1);  // quick, but the other button
    EXPECT_EQ(kinds(buttons()), (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP,
                                                   WM_RBUTTONDOWN, WM_RBUTTONUP}));
}

TEST_F(InputConformance, WithoutDoubleClickStyleEveryPressIsPlain) {
    open(CS_HREDRAW | CS_VREDRAW);
    click(0);
    click(0);
    EXPECT_EQ(kinds(buttons()), (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP}));
}

TEST_F(InputConformance, PressesCarryThePointAndTheButtonsHeld) {
    open(CS_HREDRAW | CS_VREDRAW);
    conftest::mouse_down(hwnd_, 0, 120, 45);
    conftest::mouse_down(hwnd_, 1, 120, 45);
    conftest::mouse_up(hwnd_, 1, 120, 45);
    conftest::mouse_up(hwnd_, 0, 120, 45);
    const std::vector<MSG> seen = buttons();
    ASSERT_EQ(kinds(seen), (std::vector<UINT>{WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_RBUTTONUP, WM_LBUTTONUP}));
    EXPECT_EQ(LOWORD(seen[0].lParam), 120);
    EXPECT_EQ(HIWORD(seen[0].lParam), 45);
    EXPECT_EQ(seen[0].wParam & (MK_LBUTTON | MK_RBUTTON), WPARAM(MK_LBUTTON));
    EXPECT_EQ(seen[1].wParam & (MK_LBUTTON | MK_RBUTTON), WPARAM(MK_LBUTTON | MK_RBUTTON));
    EXPECT_EQ(seen[2].wParam & (MK_LBUTTON | MK_RBUTTON), WPARAM(MK_LBUTTON));
    EXPECT_EQ(seen[3].wParam & (MK_LBUTTON | MK_RBUTTON), WPARAM(0));
}

}  // namespace
