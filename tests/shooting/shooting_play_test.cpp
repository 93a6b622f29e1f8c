// Rounds, series and result of the shooting game, played in the simulator.
// The player here stands still and never fires, so every round is lost to
// the piles that land on it; shooting_win_test.cpp replays a series won.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shooting_sim_util.h"

using namespace shootingtest;


namespace {

constexpr int kSeriesTicks = 9100;  // five rounds lost standing still take about 9000

std::string five_answers()
{
    std::string s;
    for (int i = 0; i < 5; i++) s += std::to_string(kPlayStart) + " answer ok\n";
    return s;
}

// Ticks after which `lose` had just gone up, and the tick after which the
// series handed over to the result (main_key mub_GAME_END).
struct Series {
    std::vector<int> losses;
    int game_end = -1;
};

Series find_series(const mubtest::SimRun &run)
{
    Series s;
    int lose_before = 0;
    for (const auto &st : run.trace) {
        int t = st["tick"].get<int>();
        if (st["lose"].get<int>() > lose_before)
            s.losses.push_back(t);
        lose_before = st["lose"].get<int>();
        if (s.game_end < 0 && st["main_key"] == 10)
            s.game_end = t;
    }
    return s;
}

class ShootingSeries : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        run_ = new mubtest::SimRun(
            mubtest::run_sim(kSeriesTicks, opts(to_play("no") + five_answers(), true)));
        series_ = find_series(*run_);
    }
    static void TearDownTestSuite()
    {
        delete run_;
        run_ = nullptr;
    }
    static mubtest::SimRun *run_;
    static Series series_;
};
mubtest::SimRun *ShootingSeries::run_ = nullptr;
Series ShootingSeries::series_;

TEST_F(ShootingSeries, EachRoundIsLostAtFiveDamageAndTheBoardIsReset)
{
    ASSERT_EQ(run_->exit_status, 0) << run_->stderr_text;
    ASSERT_EQ(series_.losses.size(), 5u);
    int hits_before = 0;
    for (int t : series_.losses) {
        SCOPED_TRACE(t);
        EXPECT_GE(var(*run_, t - 1, "mub_entask_no"), 4) << "one hit away";
        EXPECT_EQ(var(*run_, t, "mub_entask_no"), 0);
        EXPECT_EQ(var(*run_, t, "wait_t"), 0);
        EXPECT_EQ(var(*run_, t, "mub_pl_x"), 250);
        EXPECT_EQ(var(*run_, t, "mub_enb_x"), 250);
        EXPECT_EQ(var(*run_, t, "mub_en_x", 2), 400);
        EXPECT_EQ(var(*run_, t, "enb_bl_key"), 0);
        EXPECT_EQ(var(*run_, t, "win"), 0);
        int hits = var(*run_, t, "hit");
        // Three hits make five damage (the hurt animation adds one after each
        // of the first two); more when a hit lands during the animation.
        EXPECT_GE(hits - hits_before, 3);
        EXPECT_LE(hits - hits_before, 5);
        hits_before = hits;
    }
    // Losses leave the difficulty alone.
    for (const auto &st : run_->trace)
        if (st["main_key"] == 9) {
            ASSERT_EQ(st["sa"], 0);
            ASSERT_EQ(st["b_sa"], 0);
        }
}

TEST_F(ShootingSeries, FiveLossesScoreZeroWithTheHeartOnTheLastLine)
{
    ASSERT_GT(series_.game_end, 0);
    EXPECT_EQ(series_.game_end, series_.losses.back());
    const int first_marker = series_.game_end + 2;  // scene 10, then the first animation tick
    auto run = run_ok(first_marker, opts(to_play("no") + five_answers(), false, true));
    EXPECT_EQ(run.state["main_key"], 11);
    EXPECT_EQ(run.state["mub_score"], 0);
    EXPECT_EQ(run.state["mub_rank"], 0);
    EXPECT_EQ(run.state["sa"], 0);
    EXPECT_EQ(run.state["moji"], 1);
    ASSERT_TRUE(run.screenshot);
    const auto &shot = *run.screenshot;
    EXPECT_GT(coloured(shot, Box{355, 160, 385, 210}), 0) << "the units digit 0";
    EXPECT_EQ(coloured(shot, Box{310, 160, 355, 210}), 0) << "no tens or hundreds";
    EXPECT_GT(coloured(shot, Box{200, 100, 235, 150}), 0) << "wins: 0";
    EXPECT_GT(coloured(shot, Box{390, 100, 425, 150}), 0) << "losses: 5";
    EXPECT_GT(coloured(shot, Box{25, 450, 51, 476}), 0) << "the heart at the rank 0 line";
    EXPECT_EQ(coloured(shot, Box{25, 290, 51, 442}), 0) << "and at no other line";
}

TEST_F(ShootingSeries, AClickOnTheResultGoesBackToTheTitleWithTheCountersCleared)
{
    ASSERT_GT(series_.game_end, 0);
    const int click = series_.game_end + 5;
    auto run = run_ok(click + 2, opts(to_play("no") + five_answers() + std::to_string(click) +
                                                      " rclick\n", false));
    EXPECT_EQ(run.state["main_key"], 0);
    EXPECT_EQ(run.state["win"], 0);
    EXPECT_EQ(run.state["lose"], 0);
    EXPECT_EQ(run.state["hit"], 0);
    EXPECT_EQ(run.state["moji"], 0);
}

TEST_F(ShootingSeries, TheRoundBoxComesWhenTheFifthDamageIsTaken)
{
    ASSERT_FALSE(series_.losses.empty());
    const int t = series_.losses.front();
    auto run = mubtest::run_sim(t + 5, opts(to_play("no"), false));
    EXPECT_NE(run.exit_status, 0);
    EXPECT_NE(run.stderr_text.find("tick " + std::to_string(t) + ": the box \"残念でした！！\""), std::string::npos)
        << run.stderr_text;
}

TEST_F(ShootingSeries, ALandedPileBlinksTwoOnTwoOffThenGoes)
{
    // The first pile that lands clear of the player (standing at 250).
    int landed = -1, x = 0, e_landed = -1;
    for (int t = kPlayStart + 1; t < series_.losses.front() - 20 && landed < 0; t++)
        for (int e = 0; e < 3; e++)
            if (var(*run_, t, "enbl_key", e) == 2 && var(*run_, t - 1, "enbl_key", e) == 1) {
                int xn = var(*run_, t, "enbl_xn", e);
                if (xn + 26 < 250 || xn > 298) {
                    landed = t, x = xn, e_landed = e;
                    break;
                }
            }
    ASSERT_GT(landed, 0);
    SCOPED_TRACE("enemy " + std::to_string(e_landed) + " landed at x " + std::to_string(x));
    const Box pile{x, 500, x + 26, 526};
    const bool shown[] = {true, true, false, false, true, true, false, false,
                          true, true, false, false, true, true, false, false, false};
    for (int k : {1, 2, 3, 5, 7, 14, 15, 17}) {
        auto run = run_ok(landed + k, opts(to_play("no"), false, true));
        ASSERT_TRUE(run.screenshot);
        EXPECT_EQ(lit_pixels(*run.screenshot, pile) > 0, shown[k - 1]) << "tick " << k << " after landing";
    }
    EXPECT_EQ(var(*run_, landed + 16, "enbl_key", e_landed), 3);
    EXPECT_EQ(var(*run_, landed + 17, "enbl_key", e_landed), 0);
}

TEST(ShootingPlay, FirstTickDrawsThePlayerTheFullLifeBarAndTheLabels)
{
    auto run = run_ok(kPlayStart + 1, opts(to_play("yes"), false, true));
    ASSERT_TRUE(run.screenshot);
    const auto &shot = *run.screenshot;
    EXPECT_GT(lit_pixels(shot, Box{250, 480, 298, 528}), 0) << "player";
    EXPECT_GT(lit_pixels(shot, Box{10, 10, 90, 40}), 0) << "life label";
    EXPECT_GT(lit_pixels(shot, Box{165, 10, 180, 40}), 0) << "the last half candle";
    EXPECT_GT(lit_pixels(shot, Box{400, 10, 550, 40}), 0) << "win/lose label";
}

}  // namespace
