// The title animation from a fresh start: the walk, the meeting, the last
// frame, the logo, and the tick on which the selection dialog opens.
#include <gtest/gtest.h>

#include "support/sim.h"
#include "title/title_test_util.h"

using namespace mubtest;
using namespace titletest;

namespace {

const int kDialogTick = 53;

SimRun run_title(int ticks, const std::string &script = "0 answer 1000\n", bool screenshot = false)
{
    SimOptions o;
    o.script = script;
    o.trace = !screenshot;
    o.screenshot = screenshot;
    SimRun r = run_sim(ticks, o);
    EXPECT_EQ(r.exit_status, 0) << r.stderr_text;
    return r;
}

Box figure_box(int x) { return {x, 300, x + 48, 348}; }

}  // namespace

TEST(TitleAnimation, TimelineThroughEveryState)
{
    SimRun r = run_title(kDialogTick);
    ASSERT_EQ(r.trace.size(), size_t(kDialogTick));

    // Walk: a step of 8 pixels every second tick, the frame toggling with it.
    for (int t = 1; t <= 24; t++) {
        int steps = t / 2;
        SCOPED_TRACE("tick " + std::to_string(t));
        EXPECT_EQ(var(r, t, "pl_x"), 150 + 8 * steps);
        EXPECT_EQ(var(r, t, "en_x"), 400 - 8 * steps);
        EXPECT_EQ(var(r, t, "ti_flg"), steps % 2);
        EXPECT_EQ(var(r, t, "ti_key"), t < 24 ? 0 : 1);
    }
    EXPECT_EQ(var(r, 24, "pl_x"), 246);
    EXPECT_EQ(var(r, 24, "en_x"), 304);
    EXPECT_EQ(var(r, 24, "pl_before_x"), 238);
    EXPECT_EQ(var(r, 24, "en_before_x"), 312);
    EXPECT_EQ(var(r, 24, "ti_time"), 0);

    // Meeting 6 ticks, last frame 6, logo 16: each state boundary.
    EXPECT_EQ(var(r, 29, "ti_key"), 1);
    EXPECT_EQ(var(r, 29, "ti_time"), 5);
    EXPECT_EQ(var(r, 30, "ti_key"), 2);
    EXPECT_EQ(var(r, 30, "ti_time"), 0);
    EXPECT_EQ(var(r, 35, "ti_key"), 2);
    EXPECT_EQ(var(r, 36, "ti_key"), 3);
    EXPECT_EQ(var(r, 51, "ti_key"), 3);
    EXPECT_EQ(var(r, 51, "ti_time"), 15);
    EXPECT_EQ(var(r, 52, "ti_key"), 4);
    EXPECT_EQ(var(r, 52, "ti_time"), 0);
    // The figures stand still after the walk.
    for (int t = 25; t <= 52; t++) {
        EXPECT_EQ(var(r, t, "pl_x"), 246);
        EXPECT_EQ(var(r, t, "en_x"), 304);
    }
    // Tick 53 opened the dialog, which the script answered.
    EXPECT_EQ(var(r, 53, "ti_key"), 5);
    EXPECT_EQ(var(r, 53, "main_key"), 0);
}

TEST(TitleAnimation, DialogOpensOnTick53AndNotBefore)
{
    SimOptions quiet;  // no answer queued: an open dialog ends the run with an error
    SimRun before = run_sim(kDialogTick - 1, quiet);
    EXPECT_EQ(before.exit_status, 0) << before.stderr_text;
    EXPECT_TRUE(before.state["modal"].is_null());

    SimRun at = run_sim(kDialogTick, quiet);
    EXPECT_NE(at.exit_status, 0);
    EXPECT_NE(at.stderr_text.find("53"), std::string::npos) << at.stderr_text;
}

TEST(TitleAnimation, PressesOutsideTheSelectionTickDoNothing)
{
    // Presses during the walk, the meeting, the last frame and the logo, and
    // just after the dialog was answered, change nothing.
    std::string script = "0 answer 1002\n";
    for (int t : {0, 5, 24, 27, 33, 40, 51})
        script += script_line(t, t % 2 ? "lclick" : "rclick");
    script += script_line(53, "lclick");
    SimRun r = run_title(55, script);
    EXPECT_EQ(var(r, 51, "ti_key"), 3);
    EXPECT_EQ(var(r, 52, "ti_key"), 4);
    EXPECT_EQ(var(r, 53, "ti_key"), 5);
    EXPECT_EQ(var(r, 53, "sel_key"), 13);
    EXPECT_EQ(var(r, 54, "main_key"), 1);
    EXPECT_EQ(var(r, 55, "main_key"), 13);
}

// What is on the screen at the end of each state: only the figures (or the
// logo, or the prompt) are lit, everything else is black.
TEST(TitleAnimation, ScreenAtStateBoundaries)
{
    {
        SCOPED_TRACE("first tick: both figures at their start, frame 0");
        Screenshot s = *run_title(1, "", true).screenshot;
        EXPECT_GT(nonblack_in(s, figure_box(150)), 0);
        EXPECT_GT(nonblack_in(s, figure_box(400)), 0);
        EXPECT_EQ(nonblack_outside(s, {figure_box(150), figure_box(400)}), 0);
    }
    {
        SCOPED_TRACE("end of the walk: the trails are erased");
        Screenshot s = *run_title(24, "", true).screenshot;
        EXPECT_GT(nonblack_in(s, figure_box(246)), 0);
        EXPECT_GT(nonblack_in(s, figure_box(304)), 0);
        EXPECT_EQ(nonblack_outside(s, {figure_box(246), figure_box(304)}), 0);
    }
    {
        SCOPED_TRACE("end of the last frame");
        Screenshot s = *run_title(36, "", true).screenshot;
        EXPECT_GT(nonblack_in(s, figure_box(304)), 0);
        EXPECT_EQ(nonblack_outside(s, {figure_box(246), figure_box(304)}), 0);
    }
    {
        SCOPED_TRACE("logo above the figures");
        Screenshot s = *run_title(51, "", true).screenshot;
        Box logo{50, 100, 555, 270};
        EXPECT_GT(nonblack_in(s, logo), 505 * 170 / 10);
        EXPECT_GT(nonblack_in(s, figure_box(246)), 0);
        EXPECT_EQ(nonblack_outside(s, {logo, figure_box(246), figure_box(304)}), 0);
    }
    {
        SCOPED_TRACE("the screen is blanked before the selection");
        Screenshot s = *run_title(52, "", true).screenshot;
        EXPECT_EQ(nonblack_outside(s, {}), 0);
    }
    {
        SCOPED_TRACE("the prompt band, 76 rows from y 50");
        Screenshot s = *run_title(53, "0 answer 1001\n", true).screenshot;
        Box prompt{50, 50, 555, 126};
        EXPECT_GT(nonblack_in(s, prompt), 0);
        EXPECT_EQ(nonblack_outside(s, {prompt}), 0);
    }
    {
        SCOPED_TRACE("after the choice the window is blank before the scene draws");
        Screenshot s = *run_title(54, "0 answer 1001\n", true).screenshot;
        EXPECT_EQ(nonblack_outside(s, {}), 0);
    }
}
