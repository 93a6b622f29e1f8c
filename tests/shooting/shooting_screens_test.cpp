// The shooting game's title and instruction screens, run in the simulator
// from a fresh start.
#include <gtest/gtest.h>

#include "shooting_sim_util.h"

using namespace shootingtest;


namespace {

int title_tick(int n) { return kTitleTick0 + n; }

TEST(ShootingTitle, LinesRiseThenTheWipeThenThePictureThenThePromptOnTick107)
{
    const auto lead = mubtest::lead_to_shooting();
    auto run = run_ok(title_tick(107), opts(lead.script, true, true));

    // Line 0 drawn last at 100 on tick 20; line 1 drawn at its start on 21.
    EXPECT_EQ(var(run, title_tick(20), "ti_y", 0), 100);
    EXPECT_EQ(var(run, title_tick(20), "moji"), 0);
    EXPECT_EQ(var(run, title_tick(21), "moji"), 1);
    EXPECT_EQ(var(run, title_tick(21), "ti_y", 1), 275);
    EXPECT_EQ(var(run, title_tick(36), "ti_y", 1), 200);
    EXPECT_EQ(var(run, title_tick(37), "ti_y", 2), 350);
    EXPECT_EQ(var(run, title_tick(47), "ti_y", 2), 300);
    EXPECT_EQ(var(run, title_tick(47), "ti_key"), 0);
    EXPECT_EQ(var(run, title_tick(48), "ti_key"), 1);
    EXPECT_EQ(var(run, title_tick(48), "moji"), 0);
    EXPECT_EQ(var(run, title_tick(104), "ti_key"), 1);
    EXPECT_EQ(var(run, title_tick(105), "ti_key"), 2);
    EXPECT_EQ(var(run, title_tick(105), "moji"), 1);
    EXPECT_EQ(var(run, title_tick(106), "ti_key"), 3);
    EXPECT_EQ(var(run, title_tick(107), "moji"), 2);

    ASSERT_TRUE(run.screenshot);
    const Box prompt{350, 480, 600, 507};
    EXPECT_GT(lit_pixels(*run.screenshot, prompt), 0) << "the prompt is up on tick 107";
    EXPECT_GT(lit_pixels(*run.screenshot, Box{30, 50, 530, 125}), 0) << "the whole picture, symbol rows included";

    auto before = run_ok(title_tick(106), opts(lead.script, false, true));
    ASSERT_TRUE(before.screenshot);
    EXPECT_EQ(lit_pixels(*before.screenshot, prompt), 0) << "not yet on tick 106";
}

TEST(ShootingTitle, WipeShowsOnlyTheTitleBandsAndLeavesTheSymbolRowsHidden)
{
    const auto lead = mubtest::lead_to_shooting();
    // The last wipe tick that draws (moji 49).
    auto run = run_ok(title_tick(48 + 50), opts(lead.script, false, true));
    ASSERT_TRUE(run.screenshot);
    const auto &shot = *run.screenshot;
    EXPECT_EQ(lit_pixels(shot, Box{0, 0, 600, 125}), 0) << "top symbol rows hidden";
    EXPECT_EQ(lit_pixels(shot, Box{0, 360, 600, 543}), 0) << "bottom symbol rows hidden";
    EXPECT_GT(lit_pixels(shot, Box{30, 125, 580, 360}), 0) << "the title bands are wiped in";
}

TEST(ShootingTitle, PressesLeaveAtAnyStateButEnterDoesNothing)
{
    const auto lead = mubtest::lead_to_shooting();
    for (int at : {title_tick(10), title_tick(70), title_tick(120)}) {
        SCOPED_TRACE(at);
        const std::string script = lead.script + std::to_string(at) + " rclick\n";
        auto run = run_ok(at + 1, opts(script, false, true));
        EXPECT_EQ(run.state["main_key"], 7);
        EXPECT_EQ(run.state["ti_key"], 0);
        EXPECT_EQ(run.state["moji"], 0);
        EXPECT_EQ(run.state["ti_y"], (nlohmann::json{200, 275, 350}));
        ASSERT_TRUE(run.screenshot);
        EXPECT_EQ(lit_pixels(*run.screenshot, Box{0, 0, 600, 600}), 0) << "the window is cleared";
    }
    auto run = run_ok(title_tick(30), opts(lead.script + std::to_string(title_tick(10)) +
                                                           " key Return\n", false));
    EXPECT_EQ(run.state["main_key"], 5);
    EXPECT_EQ(run.state["ti_key"], 0);
}

TEST(ShootingInstructions, FirstPageBlinksItsLeftStripAndAPressShowsTheRulesNextTick)
{
    const auto lead = mubtest::lead_to_shooting();
    const std::string to_page = lead.script + "56 lclick\n";  // tick 57 clears, 58 is the first page tick
    auto strip = run_ok(58 + 2, opts(to_page, true, true));
    auto plain = run_ok(58 + 9, opts(to_page, false, true));
    EXPECT_EQ(var(strip, 58, "moji"), 1);
    EXPECT_EQ(var(strip, 60, "moji"), 3);
    ASSERT_TRUE(strip.screenshot && plain.screenshot);
    EXPECT_FALSE(same_pixels(*strip.screenshot, *plain.screenshot, Box{0, 0, 80, 543}))
        << "the left strip differs between the two phases";
    EXPECT_TRUE(same_pixels(*strip.screenshot, *plain.screenshot, Box{80, 0, 592, 543}));

    // A press in the plain phase (the other button: the same one would make a
    // double click): the second page on the next tick.
    auto rules = run_ok(58 + 10, opts(to_page + "67 rclick\n", false, true));
    EXPECT_EQ(rules.state["setu"], 1);
    ASSERT_TRUE(rules.screenshot);
    EXPECT_FALSE(same_pixels(*rules.screenshot, *plain.screenshot, Box{80, 0, 592, 543}));
    EXPECT_EQ(rules.state["moji"], 11) << "moji keeps counting on the second page";
}

}  // namespace
