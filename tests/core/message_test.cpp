// The message queue: priorities, timers, mouse and keyboard messages, quit
// and destruction.
#include "core_fixture.h"

namespace coretest {
namespace {

using MessageTest = CoreTest;

// The window reaches the host once it is shown and painted (the messages
// themselves are in the conformance tables).
TEST_F(MessageTest, ShowAndUpdateShowTheWindowOnTheHost) {
    create_main(CS_HREDRAW | CS_VREDRAW, false);
    EXPECT_FALSE(host.shown());
    ShowWindow(hwnd, SW_SHOWNORMAL);
    UpdateWindow(hwnd);
    EXPECT_TRUE(host.shown());
    EXPECT_EQ(host.client_width(), 592);
    EXPECT_EQ(host.client_height(), 543);
    EXPECT_EQ(host.title(), "mub");
}

// The beat to the millisecond on the virtual clock, which the simulator's
// runs rest on; the order of ticks is in the conformance tables.
TEST_F(MessageTest, TimerKeepsItsBeatToTheMillisecond) {
    create_main();
    SetTimer(hwnd, 1, 32, NULL);
    std::vector<uint64_t> ticks;
    for (int i = 0; i < 3; ++i) {
        until_timer();
        ticks.push_back(host.now_ms());
    }
    EXPECT_EQ(ticks, (std::vector<uint64_t>{32, 64, 96}));

    // After a stall the late tick comes at once, the next on the beat
    // (32 x 19), not a whole period after the late one (628).
    host.advance(500);
    const MSG late = next();
    EXPECT_EQ(late.message, UINT(WM_TIMER));
    EXPECT_EQ(host.now_ms(), 596u);
    until_timer();
    EXPECT_EQ(host.now_ms(), 608u);
    until_timer();
    EXPECT_EQ(host.now_ms(), 640u);

    // Setting a running timer again starts a new beat.
    host.advance(20);
    SetTimer(hwnd, 1, 32, NULL);
    until_timer();
    EXPECT_EQ(host.now_ms(), 692u);

    // A killed timer never ticks; with nothing else to wait for, the host says so.
    EXPECT_TRUE(KillTimer(hwnd, 1));
    EXPECT_FALSE(KillTimer(hwnd, 1));
    MSG m;
    EXPECT_THROW(GetMessageA(&m, NULL, 0, 0), mub::headless::Starved);
}

TEST_F(MessageTest, TimerIsNotDeliveredWhileKilledAroundAHandler) {
    create_main();
    SetTimer(hwnd, 1, 32, NULL);
    int ticks = 0;
    handler = [&](HWND h, UINT m, WPARAM, LPARAM, LRESULT &) {
        if (m != WM_TIMER) return false;
        ++ticks;
        KillTimer(h, 1);
        host.advance(1000);  // a long modal moment with the timer stopped
        SetTimer(h, 1, 32, NULL);
        return true;
    };
    until_timer();
    const uint64_t after_first = host.now_ms();
    until_timer();
    EXPECT_EQ(ticks, 2);
    EXPECT_EQ(host.now_ms(), after_first + 1000 + 32);
}

// The double-click time to the millisecond (the rest of the rules are in the
// conformance tables).
TEST_F(MessageTest, DoubleClickTimeEndsAfter499Ms) {
    create_main();
    forget();
    host.push_click(0, 100, 100);
    host.advance(499);
    host.push_click(0, 100, 100);  // in time
    host.push_click(1, 10, 10);
    host.advance(500);
    host.push_click(1, 10, 10);  // too late
    SetTimer(hwnd, 1, 32, NULL);
    until_timer();
    std::vector<UINT> got;
    for (UINT m : seen_messages())
        if (m != WM_PAINT && m != WM_TIMER && m != WM_ERASEBKGND) got.push_back(m);
    EXPECT_EQ(got, (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP, WM_RBUTTONDOWN,
                                      WM_RBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONUP}));
}

// With "every press counts" set, a class with CS_DBLCLKS gets presses as a
// class without it does (that case is in the conformance tables).
TEST_F(MessageTest, EveryPressCountsMakesNoDoubleClicks) {
    mub::core::set_every_press_counts(true);
    create_main(CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS);
    forget();
    host.push_click(0, 1, 1);
    host.push_click(0, 1, 1);
    host.push_click(0, 1, 1);  // a third: after a double click it would be plain anyway
    host.push_click(1, 1, 1);
    host.push_click(1, 1, 1);
    SetTimer(hwnd, 1, 32, NULL);
    until_timer();
    mub::core::set_every_press_counts(false);
    EXPECT_EQ(seen_messages(), (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP,
                                                  WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONUP,
                                                  WM_RBUTTONDOWN, WM_RBUTTONUP, WM_TIMER}));
}

TEST_F(MessageTest, TranslateMessagePostsCharactersAsTyped) {
    create_main();
    forget();
    host.push_key('Z', 'z');
    host.push_key('Z', 'Z');
    host.push_key('Z', 'z', true);
    host.push_key(VK_ESCAPE);
    host.push_key(VK_LEFT);
    SetTimer(hwnd, 1, 32, NULL);
    until_timer();
    std::vector<std::pair<UINT, WPARAM>> got;
    for (const Seen &s : seen)
        if (s.message == WM_KEYDOWN || s.message == WM_CHAR) got.push_back({s.message, s.wParam});
    const std::vector<std::pair<UINT, WPARAM>> want{
        {WM_KEYDOWN, 'Z'}, {WM_CHAR, 'z'}, {WM_KEYDOWN, 'Z'}, {WM_CHAR, 'Z'},     {WM_KEYDOWN, 'Z'},
        {WM_CHAR, 'z'},    {WM_KEYDOWN, VK_ESCAPE},          {WM_CHAR, 0x1B}, {WM_KEYDOWN, VK_LEFT}};
    EXPECT_EQ(got, want);
    // The auto-repeated press says the key was already down.
    int repeats = 0;
    for (const Seen &s : seen)
        if (s.message == WM_KEYDOWN && (s.lParam & (1 << 30))) ++repeats;
    EXPECT_EQ(repeats, 1);
}

TEST_F(MessageTest, CloseBoxDestroysTheWindowAndStopsItsTimers) {
    create_main();
    SetTimer(hwnd, 1, 32, NULL);
    handler = [](HWND, UINT m, WPARAM, LPARAM, LRESULT &) {
        if (m == WM_DESTROY) PostQuitMessage(0);
        return false;
    };
    host.push_close();
    forget();
    MSG m;
    while (GetMessageA(&m, NULL, 0, 0)) DispatchMessageA(&m);
    EXPECT_EQ(seen_messages(), (std::vector<UINT>{WM_CLOSE, WM_DESTROY}));
    EXPECT_TRUE(mub::core::main_window_destroyed());
    RECT r;
    EXPECT_FALSE(GetClientRect(hwnd, &r));
    EXPECT_EQ(GetDC(hwnd), nullptr);
    EXPECT_EQ(SetTimer(hwnd, 1, 32, NULL), 0u);
    EXPECT_FALSE(PostMessageA(hwnd, WM_USER, 0, 0));
}

TEST_F(MessageTest, AltF4ClosesEscapeIsAKey) {
    create_main();
    mub::HostEvent ev;
    ev.type = mub::HostEvent::Type::KeyDown;
    ev.vk = VK_F4;
    ev.alt = true;
    host.push_event(ev);
    forget();
    SetTimer(hwnd, 1, 32, NULL);
    MSG m;
    while (!mub::core::main_window_destroyed() && GetMessageA(&m, NULL, 0, 0)) DispatchMessageA(&m);
    EXPECT_EQ(seen_messages(), (std::vector<UINT>{WM_SYSKEYDOWN, WM_CLOSE, WM_DESTROY}));
}

TEST_F(MessageTest, EndOfRunAndAfterDispatchHook) {
    create_main();
    SetTimer(hwnd, 1, 32, NULL);
    int timers = 0;
    mub::core::set_after_dispatch([&](const MSG &m) {
        if (m.message == WM_TIMER && ++timers == 3) mub::core::request_end_of_run(9);
    });
    MSG m;
    int loops = 0;
    while (GetMessageA(&m, NULL, 0, 0)) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
        ++loops;
    }
    EXPECT_EQ(timers, 3);
    EXPECT_EQ(m.wParam, WPARAM(9));
    EXPECT_FALSE(mub::core::main_window_destroyed());
    EXPECT_EQ(host.now_ms(), 96u);
}

TEST_F(MessageTest, FramesArePresentedWhenTheLoopIdles) {
    create_main();
    SetTimer(hwnd, 1, 32, NULL);
    HBRUSH white = (HBRUSH)GetStockObject(WHITE_BRUSH);
    handler = [&](HWND h, UINT m, WPARAM, LPARAM, LRESULT &) {
        if (m != WM_TIMER) return false;
        HDC dc = GetDC(h);
        RECT r{0, 0, 4, 4};
        FillRect(dc, &r, white);
        ReleaseDC(h, dc);
        return true;
    };
    const size_t before = host.frames_presented();
    until_timer();
    until_timer();
    until_timer();
    next();  // goes idle once more before the fourth tick
    EXPECT_EQ(host.frames_presented() - before, 4u);
    EXPECT_EQ(host.last_frame().width, 592);
    EXPECT_EQ(host.last_frame().pixels[0], 0xFFFFFFu);
}

}  // namespace
}  // namespace coretest
