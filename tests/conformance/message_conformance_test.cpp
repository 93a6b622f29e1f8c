// The order in which the message loop hands things out, and the window timer.
#include <gtest/gtest.h>

#include <vector>

#include "tests/conformance/conf_env.h"

namespace {

constexpr UINT kFirst = WM_USER + 1;
constexpr UINT kSecond = WM_USER + 2;
constexpr UINT_PTR kFlushTimer = 90;

class MessageConformance : public ::testing::Test {
protected:
    void SetUp() override {
        hwnd_ = conftest::open_window(CS_HREDRAW | CS_VREDRAW);
        settle();
    }
    // Takes everything the window system queued so far.
    void settle() {
        SetTimer(hwnd_, kFlushTimer, 1, NULL);
        conftest::take_until_timer(hwnd_, kFlushTimer);
        KillTimer(hwnd_, kFlushTimer);
    }
    // The next message that is one of the kinds the test looks at.
    MSG next_of(std::initializer_list<UINT> kinds) {
        for (int guard = 0; guard < 1000; ++guard) {
            MSG msg = conftest::next_message();
            for (UINT k : kinds)
                if (msg.message == k)
                    return msg;
        }
        ADD_FAILURE() << "none of the expected messages arrived";
        return MSG{};
    }

    conftest::Env env_;
    HWND hwnd_ = NULL;
};

TEST_F(MessageConformance, PostedComeFirstThenPaintThenTimer) {
    SetTimer(hwnd_, 1, 10, NULL);
    conftest::sleep_ms(50);  // the timer is due
    InvalidateRect(hwnd_, NULL, FALSE);
    PostMessageA(hwnd_, kFirst, 0, 0);
    PostMessageA(hwnd_, kSecond, 0, 0);

    std::vector<UINT> order;
    for (int i = 0; i < 4; ++i)
        order.push_back(next_of({kFirst, kSecond, WM_PAINT, WM_TIMER}).message);
    EXPECT_EQ(order, (std::vector<UINT>{kFirst, kSecond, WM_PAINT, WM_TIMER}));
    KillTimer(hwnd_, 1);
}

TEST_F(MessageConformance, QuitComesAfterThePostedMessagesWithItsCode) {
    PostMessageA(hwnd_, kFirst, 0, 0);
    PostQuitMessage(7);
    PostMessageA(hwnd_, kSecond, 0, 0);

    EXPECT_EQ(conftest::next_message().message, kFirst);
    EXPECT_EQ(conftest::next_message().message, kSecond);
    MSG msg{};
    EXPECT_EQ(GetMessageA(&msg, NULL, 0, 0), FALSE);
    EXPECT_EQ(msg.message, UINT(WM_QUIT));
    EXPECT_EQ(msg.wParam, WPARAM(7));
}

TEST_F(MessageConformance, QuitComesBeforeAPendingPaintOrTick) {
    SetTimer(hwnd_, 1, 10, NULL);
    conftest::sleep_ms(50);
    InvalidateRect(hwnd_, NULL, FALSE);
    PostQuitMessage(3);

    MSG msg{};
    EXPECT_EQ(GetMessageA(&msg, NULL, 0, 0), FALSE) << "got message " << msg.message << " first";
    EXPECT_EQ(msg.wParam, WPARAM(3));
    KillTimer(hwnd_, 1);
}

TEST_F(MessageConformance, TimerNeverQueuesMoreThanOneTick) {
    SetTimer(hwnd_, 1, 20, NULL);
    conftest::sleep_ms(200);  // ten periods without taking messages

    next_of({WM_TIMER});
    const uint64_t after_first = conftest::now_ms();
    const MSG second = next_of({WM_TIMER});
    EXPECT_EQ(second.wParam, WPARAM(1));
    EXPECT_GE(conftest::now_ms() - after_first, 10u) << "a burst of stored ticks followed the stall";
    KillTimer(hwnd_, 1);
}

TEST_F(MessageConformance, SettingARunningTimerAgainRestartsItsPeriod) {
    SetTimer(hwnd_, 1, 100, NULL);
    conftest::sleep_ms(60);
    const uint64_t restarted = conftest::now_ms();
    SetTimer(hwnd_, 1, 100, NULL);

    const MSG tick = next_of({WM_TIMER});
    EXPECT_EQ(tick.wParam, WPARAM(1));
    EXPECT_GE(conftest::now_ms() - restarted, 90u);
    KillTimer(hwnd_, 1);
}

TEST_F(MessageConformance, KilledTimerDeliversNothingEvenWhenDue) {
    SetTimer(hwnd_, 1, 20, NULL);
    conftest::sleep_ms(60);  // due, not yet taken
    KillTimer(hwnd_, 1);
    SetTimer(hwnd_, 2, 50, NULL);

    for (const MSG &msg : conftest::take_until_timer(hwnd_, 2))
        EXPECT_FALSE(msg.message == WM_TIMER && msg.wParam == 1) << "tick of a killed timer";
    KillTimer(hwnd_, 2);
}

TEST_F(MessageConformance, TimerTicksKeepComingWhileSet) {
    SetTimer(hwnd_, 1, 32, NULL);
    int ticks = 0;
    for (int guard = 0; guard < 100 && ticks < 3; ++guard) {
        const MSG msg = conftest::next_message();
        if (msg.message == WM_TIMER && msg.wParam == 1) {
            EXPECT_EQ(msg.hwnd, hwnd_);
            ++ticks;
        }
    }
    EXPECT_EQ(ticks, 3);
    KillTimer(hwnd_, 1);
}

TEST(RandConformance, FreshProgramSeesTheFixedSequence) {
    conftest::Env env;
    EXPECT_EQ(conftest::fresh_rand_sequence(5), (std::vector<int>{41, 18467, 6334, 26500, 19169}));
    srand(1);  // the same state as a fresh start
    std::vector<int> again;
    for (int i = 0; i < 5; ++i)
        again.push_back(rand());
    EXPECT_EQ(again, (std::vector<int>{41, 18467, 6334, 26500, 19169}));
}

}  // namespace
