// The shell seen from outside: quitting, the scene machine's own message
// boxes, and what the repaint restores. Each run is a fresh program in the
// simulator.
#include <gtest/gtest.h>

#include <string>

#include "support/sim.h"

using mubtest::run_sim;
using mubtest::SimOptions;

namespace {

// From a fresh start to the first tick of the shooting game's play screen:
// title dialog, title, two instruction pages, then the cancel-out question.
std::string to_shooting_play(const char *answer)
{
    auto lead = mubtest::lead_to_shooting();  // ends after tick 56
    return lead.script + "56 lclick\n58 rclick\n59 lclick\n59 answer " + answer + "\n";
}
constexpr int kShootingFirstPlayTick = 61;

// The same for the whack game: Enter leaves the title and turns both pages.
std::string to_whack_play()
{
    auto lead = mubtest::lead_to_whack();
    return lead.script + "56 key Return\n58 key Return\n59 key Return\n59 answer ok\n";
}
constexpr int kWhackFirstPlayTick = 61;

}  // namespace

TEST(ShellQuit, EscapeOrCloseEndsTheProgramAndFreesEveryBitmap)
{
    struct Case {
        const char *what;
        std::string script;
        int ticks;
    } cases[] = {
        {"escape during the title walk", "5 key Escape\n", 20},
        {"close box during the title walk", "5 close\n", 20},
        {"escape in the shooting game", to_shooting_play("yes") + "70 key Escape\n", 90},
        {"escape in the whack game", to_whack_play() + "70 key Escape\n", 90},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        auto run = run_sim(c.ticks, SimOptions{.script = c.script});
        ASSERT_EQ(run.exit_status, 0) << run.stderr_text;
        EXPECT_EQ(run.state["quit"], true);
        EXPECT_EQ(run.state["exit_code"], 0);
        EXPECT_EQ(run.state["gdi_objects"], 0);
        EXPECT_EQ(run.state["hbmp_ti"], 0);
        EXPECT_EQ(run.state["mub2_hbmp_ha"], 0);
    }
}

TEST(ShellQuit, AllBitmapsStayLoadedWhileRunning)
{
    auto run = run_sim(10);
    ASSERT_EQ(run.exit_status, 0) << run.stderr_text;
    EXPECT_EQ(run.state["quit"], false);
    EXPECT_EQ(run.state["gdi_objects"], 35);
    for (const char *name : {"story_hbmp", "mub_hbmp_ti", "mub_hbmp_se", "mub_hbmp", "mub2_hbmp_ti", "mub2_hbmp"})
        for (const auto &h : run.state[name]) EXPECT_EQ(h, 1) << name;
}

TEST(ShellScenes, CancelOutAnswerSetsSoFlgAndStartsTheGame)
{
    for (auto [answer, expected] : {std::pair{"yes", 0}, std::pair{"no", 1}}) {
        SCOPED_TRACE(answer);
        auto run = run_sim(kShootingFirstPlayTick, SimOptions{.script = to_shooting_play(answer)});
        ASSERT_EQ(run.exit_status, 0) << run.stderr_text;
        EXPECT_EQ(run.state["so_flg"], expected);
        EXPECT_EQ(run.state["main_key"], 9);
        EXPECT_EQ(run.state["setu"], 0);
        EXPECT_EQ(run.state["gdi_objects"], 35);
    }
}

TEST(ShellScenes, QuestionBoxStopsTheClockUntilAnswered)
{
    // Without an answer queued the simulator stops at the box and names it.
    auto lead = mubtest::lead_to_shooting();
    auto run = run_sim(70, SimOptions{.script = lead.script + "56 lclick\n58 rclick\n59 lclick\n"});
    EXPECT_NE(run.exit_status, 0);
    EXPECT_NE(run.stderr_text.find("60"), std::string::npos) << run.stderr_text;
}

TEST(ShellScenes, WhackBoardIsOnScreenBeforeTheFirstPlayTick)
{
    auto run = run_sim(kWhackFirstPlayTick - 1, SimOptions{.script = to_whack_play(), .screenshot = true});
    ASSERT_EQ(run.exit_status, 0) << run.stderr_text;
    EXPECT_EQ(run.state["main_key"], 17);
    ASSERT_TRUE(run.screenshot);
    // The play field is not black: the background picture covers the client.
    int non_black = 0;
    for (int y = 300; y < 500; y += 7)
        for (int x = 0; x < 590; x += 7) non_black += run.screenshot->at(x, y) != 0;
    EXPECT_GT(non_black, 1000);
}

TEST(ShellRepaint, WhackTicksInvalidateNothingAfterTheFirstPaint)
{
    auto run = run_sim(kWhackFirstPlayTick + 20, SimOptions{.script = to_whack_play(), .trace = true});
    ASSERT_EQ(run.exit_status, 0) << run.stderr_text;
    ASSERT_GE(run.trace.size(), size_t(kWhackFirstPlayTick + 20));
    for (int t = kWhackFirstPlayTick; t < kWhackFirstPlayTick + 20; t++) {
        const auto &rect = run.trace[size_t(t - 1)]["cl_rect"];
        EXPECT_EQ(rect, nlohmann::json::array({0, 0, 0, 0})) << "tick " << t;
    }
}

TEST(ShellRepaint, ExposeRestoresTheShootingLabels)
{
    // Blank the window from outside, then let the repaint answer the expose.
    const int ticks = kShootingFirstPlayTick + 10;
    auto base = run_sim(ticks, SimOptions{.script = to_shooting_play("yes"), .screenshot = true});
    auto exposed = run_sim(ticks, SimOptions{.script = to_shooting_play("yes") + std::to_string(ticks - 1) +
                                                          " expose 0 0 592 50\n",
                                             .screenshot = true});
    ASSERT_EQ(base.exit_status, 0) << base.stderr_text;
    ASSERT_EQ(exposed.exit_status, 0) << exposed.stderr_text;
    ASSERT_TRUE(base.screenshot && exposed.screenshot);
    // The life label and the win/lose counter are the same as before the expose.
    for (int y = 10; y < 40; y++) {
        for (int x = 10; x < 90; x++) ASSERT_EQ(base.screenshot->at(x, y), exposed.screenshot->at(x, y)) << x << "," << y;
        for (int x = 400; x < 550; x++) ASSERT_EQ(base.screenshot->at(x, y), exposed.screenshot->at(x, y)) << x << "," << y;
    }
}
