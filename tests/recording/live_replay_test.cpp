// A recording replays to the very state the live program ended in, every
// global and the tick count, where the live program and the simulator could
// part: input that came between a tick and its paint, presses and releases
// that a box took, the close box while a box is open, double clicks that the
// clock of the live run judged otherwise than the simulator's would, keys
// that typed nothing or something unusual. The same recording shown as
// mubmub --replay shows it ends in the same state too.
#include <gtest/gtest.h>

#include <windows.h>

#include <regex>
#include <string>

#include "platform/core/start.h"
#include "tests/recording/live_run.h"
#include "tests/support/sim.h"

namespace {

using namespace rectest;
using mub::headless::HeadlessHost;

// The selection dialog's buttons, in game pixels.
constexpr int kWhackButtonX = 262, kWhackButtonY = 436;

mubtest::SimRun replay(const std::string &recording) {
    mubtest::SimOptions o;
    o.script = recording;
    return mubtest::run_sim(-1, o);
}

// The recording with every line that matches `pattern` changed to `to`:
// what a recorder that lost that detail would have written.
std::string without(const std::string &recording, const std::string &pattern, const std::string &to) {
    return std::regex_replace(recording, std::regex(pattern), to);
}

void expect_replays_exactly(const Outcome &live) {
    ASSERT_EQ(live.error, "");
    const auto sim = replay(live.recording);
    ASSERT_EQ(sim.exit_status, 0) << sim.stderr_text << live.recording;
    EXPECT_EQ(sim.state, live.state) << live.recording;
    EXPECT_EQ(replay_live(live.recording).state, live.state) << "shown as mubmub --replay shows it";
}

void expect_differs(const std::string &recording, const nlohmann::json &live, const char *what) {
    const auto sim = replay(recording);
    ASSERT_EQ(sim.exit_status, 0) << sim.stderr_text;
    EXPECT_NE(sim.state, live) << "without " << what << ", the run must end elsewhere";
}

// The shooting game, chosen from the dialog by keyboard; its last
// instruction page turned by a press held into the box that follows, which
// takes its release and a press of the other button; then a fire chord with
// the button held from the box, a press before a paint, and two pairs of
// presses whose double clicks the live clock judged otherwise than ticks of
// 32 ms would.
TEST(LiveReplay, ShootingWithPressesOnABoxChordsAndDoubleClicksByTheLiveClock) {
    const std::vector<Act> acts = {
        {Act::InBox, 52, [](HeadlessHost &h) { key(h, VK_TAB), key(h, VK_RETURN); }},
        {Act::AtIdle, 56, [](HeadlessHost &h) { press(h, 0); }},
        {Act::AtIdle, 58, [](HeadlessHost &h) { press(h, 1); }},
        {Act::AtIdle, 59, [](HeadlessHost &h) { h.push_mouse_down(0, 10, 10); }},
        {Act::InBox, 59,
         [](HeadlessHost &h) {
             h.push_mouse_up(0, 10, 10);
             h.push_mouse_down(1, 10, 10);
             key(h, 'N', 'n');
         }},
        {Act::AtIdle, 70, [](HeadlessHost &h) { press(h, 0); }},  // with the right button held: a heart
        {Act::AtIdle, 72, [](HeadlessHost &h) { h.push_mouse_up(1, 10, 10); }},
        {Act::BeforePaint, 80, [](HeadlessHost &h) { press(h, 1); }},
        // 481 ms apart by the live clock: a double click, where 16 ticks make 512 ms.
        {Act::AtIdle, 100, [](HeadlessHost &h) { h.advance(31), press(h, 0); }},
        {Act::AtIdle, 116, [](HeadlessHost &h) { press(h, 0); }},
        // 500 ms apart: two presses, where 15 ticks make 480 ms.
        {Act::AtIdle, 130, [](HeadlessHost &h) { press(h, 1); }},
        {Act::AtIdle, 145, [](HeadlessHost &h) { h.advance(20), press(h, 1); }},
    };
    const Outcome live = play_live(acts, 200);
    ASSERT_EQ(live.error, "");
    for (const char *line : {"52 answer 1001\n", "59 held right\n59 answer no\n", "70 ldown plain\n",
                             "80 before-paint rdown plain\n", "116 ldown double\n", "145 rdown plain\n", "200 end\n"})
        EXPECT_NE(live.recording.find(line), std::string::npos) << line << " in\n" << live.recording;
    expect_replays_exactly(live);
    expect_differs(without(live.recording, "59 held right\n", ""), live.state, "the buttons a box left held");
    expect_differs(without(live.recording, "down (plain|double)", "down"), live.state, "presses as they arrived");
}

// The whack game, chosen from the dialog with the mouse; its box answered by
// Escape; keys across the holes, and keys that typed nothing, something else
// or with Alt, near the end where what they do still shows; Alt+F4 ends it.
TEST(LiveReplay, WhackWithKeysOfEveryKind) {
    std::vector<Act> acts = {
        {Act::InBox, 52,
         [](HeadlessHost &h) {
             h.push_mouse_down(0, kWhackButtonX, kWhackButtonY);
             h.push_mouse_up(0, kWhackButtonX, kWhackButtonY);
         }},
        {Act::AtIdle, 56, [](HeadlessHost &h) { key(h, VK_RETURN); }},
        {Act::AtIdle, 58, [](HeadlessHost &h) { key(h, VK_RETURN); }},
        {Act::AtIdle, 59, [](HeadlessHost &h) { key(h, VK_RETURN); }},
        {Act::InBox, 59, [](HeadlessHost &h) { key(h, VK_ESCAPE); }},
        {Act::AtIdle, 390, [](HeadlessHost &h) { key(h, '1', '&'); }},         // a French keyboard's 1
        {Act::AtIdle, 391, [](HeadlessHost &h) { key(h, 'X', 'x', true); }},   // Alt+X
        {Act::AtIdle, 392, [](HeadlessHost &h) { key(h, VK_PACKET, '!'); }},   // typed without a key of its own
        {Act::AtIdle, 393, [](HeadlessHost &h) { key(h, VK_SPACE, ' '); }},
        {Act::AtIdle, 396, [](HeadlessHost &h) { key(h, 'Z', 0); }},           // Ctrl+Z: types nothing
        {Act::AtIdle, 400, [](HeadlessHost &h) { key(h, VK_F4, 0, true); }},  // Alt+F4 closes
    };
    for (int t = 80; t < 380; t += 3)
        acts.push_back({Act::AtIdle, t, [t](HeadlessHost &h) { key(h, "ZXCVB"[t % 5], "zxcvb"[t % 5]); }});
    const Outcome live = play_live(acts, 1000);
    ASSERT_EQ(live.error, "");
    EXPECT_EQ(live.state["quit"], true);
    EXPECT_EQ(live.state["tick"], 400);
    EXPECT_GT(live.state["hit"], 0);
    for (const char *line : {"59 answer ok\n", "80 key z\n", "390 key 1 &\n", "391 key X x alt\n", "392 key !\n",
                             "393 key Space\n", "396 key Z none\n", "400 key F4 none alt\n400 end\n"})
        EXPECT_NE(live.recording.find(line), std::string::npos) << line << " in\n" << live.recording;
    expect_replays_exactly(live);
    expect_differs(without(live.recording, "key Z none", "key z"), live.state, "what a key typed");
    // Shown where every frame or every paint is late, the keys still come
    // after the ticks that took them, not after the next.
    for (Slow slow : {Slow::Presents, Slow::Paints})
        EXPECT_EQ(replay_live(live.recording, the_game(), mub::sim::ReplayHost::AtEnd::Hold, slow).state, live.state)
            << "shown with slow " << (slow == Slow::Presents ? "frames" : "paints");
}

// The close box while the whack game's box is open: the box is closed and
// the window after the tick it opened in, as live.
TEST(LiveReplay, TheCloseBoxWhileABoxIsOpen) {
    const std::vector<Act> acts = {
        {Act::InBox, 52, [](HeadlessHost &h) { key(h, VK_TAB), key(h, VK_TAB), key(h, VK_RETURN); }},
        {Act::AtIdle, 56, [](HeadlessHost &h) { key(h, VK_RETURN); }},
        {Act::AtIdle, 58, [](HeadlessHost &h) { key(h, VK_RETURN); }},
        {Act::AtIdle, 59, [](HeadlessHost &h) { key(h, VK_RETURN); }},
        {Act::InBox, 59, [](HeadlessHost &h) { h.push_close(); }},
    };
    const Outcome live = play_live(acts, 1000);
    ASSERT_EQ(live.error, "");
    EXPECT_NE(live.recording.find("59 answer close\n60 end\n"), std::string::npos) << live.recording;
    EXPECT_EQ(live.state["quit"], true);
    expect_replays_exactly(live);
}

// A setting that changes the game is named in the recording's header, and
// the replay plays with it: quick presses of one button, which the setting
// may take otherwise than the double-click rule does.
TEST(LiveReplay, EachSettingIsNamedInTheRecordingAndPlayedWith) {
    if (mub::core::game_settings().empty()) GTEST_SKIP() << "the program has no game-changing setting";
    std::vector<Act> acts = {{Act::InBox, 52, [](HeadlessHost &h) { key(h, VK_TAB), key(h, VK_RETURN); }},
                             {Act::AtIdle, 56, [](HeadlessHost &h) { press(h, 0); }},
                             {Act::AtIdle, 58, [](HeadlessHost &h) { press(h, 1); }},
                             {Act::AtIdle, 59, [](HeadlessHost &h) { press(h, 0); }},
                             {Act::InBox, 59, [](HeadlessHost &h) { key(h, 'N', 'n'); }}};
    for (int t = 80; t < 90; ++t) acts.push_back({Act::AtIdle, t, [](HeadlessHost &h) { press(h, 0); }});
    for (const auto &setting : mub::core::game_settings()) {
        SCOPED_TRACE(setting.name);
        const Outcome live = play_live(acts, 100, the_game(), {setting.name});
        EXPECT_NE(live.recording.find("\nsetting " + std::string(setting.name) + "\n"), std::string::npos);
        expect_replays_exactly(live);
    }
}

// At its end a replay holds the game still until Escape, which stops the
// replay where the live run ended; or it hands the game to the player, whose
// Escape then reaches the game and quits it.
TEST(LiveReplay, AtItsEndAReplayHoldsOrHandsOverToThePlayer) {
    const std::vector<Act> acts = {{Act::InBox, 52, [](HeadlessHost &h) { key(h, VK_RETURN); }}};
    const Outcome live = play_live(acts, 100);
    ASSERT_EQ(live.error, "");
    EXPECT_EQ(live.state["quit"], false);
    EXPECT_EQ(replay_live(live.recording).state, live.state);
    const Outcome handed = replay_live(live.recording, the_game(), mub::sim::ReplayHost::AtEnd::HandOver);
    EXPECT_EQ(handed.state["quit"], true);
    EXPECT_EQ(handed.state["tick"], 100);
}

// Input that came between a tick and its paint comes there again in a
// replay, as on Windows, where input waiting in the queue goes before the
// paint. (The game reads nothing that tells these orders apart, so a program
// of the test's own tells the order of its messages.)
std::string g_order;

LRESULT CALLBACK order_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_TIMER: g_order += 'T'; InvalidateRect(hwnd, nullptr, FALSE); return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        EndPaint(hwnd, &ps);
        g_order += 'P';
        return 0;
    }
    case WM_LBUTTONDOWN: g_order += 'L'; return 0;
    case WM_KEYDOWN:
        g_order += 'K';
        if (wparam == VK_ESCAPE) DestroyWindow(hwnd);
        return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

int WINAPI order_main(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = order_proc;
    wc.hInstance = instance;
    wc.lpszClassName = "order";
    RegisterClassA(&wc);
    HWND hwnd = CreateWindowExA(0, "order", "order", WS_OVERLAPPEDWINDOW, 0, 0, 600, 570, NULL, NULL, instance, NULL);
    SetTimer(hwnd, 1, 32, NULL);
    ShowWindow(hwnd, show);
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}

TEST(LiveReplay, InputBetweenATickAndItsPaintComesThereAgain) {
    const Program order{order_main, [](bool, int) { return nlohmann::json(g_order); }};
    const std::vector<Act> acts = {
        {Act::BeforePaint, 2, [](HeadlessHost &h) { press(h, 0); }},
        {Act::AtIdle, 2, [](HeadlessHost &h) { key(h, 'A', 'a'); }},
        {Act::BeforePaint, 4, [](HeadlessHost &h) { key(h, 'B', 'b'), press(h, 0); }},
        {Act::AtIdle, 5, [](HeadlessHost &h) { key(h, VK_ESCAPE); }},
    };
    const Outcome live = play_live(acts, 100, order);
    ASSERT_EQ(live.error, "");
    EXPECT_EQ(live.state, "PTPTLPKTPTKLPTPK") << live.recording;
    EXPECT_EQ(replay_live(live.recording, order).state, live.state) << live.recording;
    EXPECT_NE(replay_live(without(live.recording, " before-paint", ""), order).state, live.state)
        << "without before-paint the replay must paint first";
}

}  // namespace
