// The whack game played in the simulator, each run a fresh program.
#include <gtest/gtest.h>

#include "whack_test_util.h"

using namespace whacktest;

namespace {

constexpr int kGameTicks = 413;  // 7 minutes of 59 ticks

mubtest::SimRun run(int ticks, const std::string &script, bool trace, bool shot = false)
{
    mubtest::SimOptions o;
    o.script = script;
    o.trace = trace;
    o.screenshot = shot;
    auto r = mubtest::run_sim(ticks, o);
    EXPECT_EQ(r.exit_status, 0) << r.stderr_text;
    return r;
}

// A whole game without a key pressed, traced into the result screen.
const mubtest::SimRun &idle_game()
{
    static const auto r = [] {
        const Game g = whack_game();
        return run(g.tick(kGameTicks) + 2, g.script, true);
    }();
    return r;
}

}  // namespace

TEST(WhackPlay, FirstTicksOfAFreshGame)
{
    const Game g = whack_game();
    const int hole = nth_rand(1) % 5;

    auto first = run(g.tick(1), g.script, false, true);
    ASSERT_TRUE(first.screenshot);
    const auto &shot = *first.screenshot;
    EXPECT_EQ(sprite_mismatches(shot, "MUB2_PL", 275, 282, 0), 0);  // ready, above the middle hole
    for (int h = 0; h < 5; h++) EXPECT_EQ(sprite_mismatches(shot, "MUB2_EN", kHoleX[h], kHoleY[h], 0), 0) << h;
    const int clock[4][2] = {{275, 0}, {294, 6}, {325, 5}, {344, 8}};  // 06:58
    for (auto [x, d] : clock) EXPECT_EQ(digit_mismatches(shot, picture("BACK"), "TIME", x, 140, d), 0) << x;
    EXPECT_EQ(first.state["mub2_en_no"][0], hole);
    EXPECT_EQ(first.state["mub2_entask_no"][0], nth_rand(2) % 3);
    EXPECT_EQ(first.state["mub2_entask_no"][1], 3);

    auto second = run(g.tick(2), g.script, false, true);
    ASSERT_TRUE(second.screenshot);
    EXPECT_EQ(sprite_mismatches(*second.screenshot, "MUB2_EN", kHoleX[hole], kHoleY[hole], 48), 0);
}

TEST(WhackPlay, PopsAndCounterattacksFollowThePace)
{
    const auto &r = idle_game();
    const Game g = whack_game();
    int measured[3] = {0, 0, 0}, landings = 0, entered = -1, entered_state = -1;
    for (int t = g.tick(1); t <= g.tick(kGameTicks); t++) {
        const int m = var(r, t, "m"), pace = var(r, t, "time_ptype");
        ASSERT_EQ(pace, m >= 5 ? 0 : m >= 3 ? 1 : 2) << t;
        const int up = pace == 0 ? 15 : pace == 1 ? 10 : 8;
        const int st = var(r, t, "mub2_entask_no", 0), was = var(r, t - 1, "mub2_entask_no", 0);
        const bool landing = st == 3 && was == 5;
        landings += landing;
        EXPECT_EQ(var(r, t, "en_hit") - var(r, t - 1, "en_hit"), landing ? 1 : 0) << t;
        if (landing) {
            EXPECT_EQ(var(r, t, "mub2_task_no"), 3) << t;
        }
        if (st == was)
            continue;
        if (entered >= 0 && var(r, entered, "time_ptype") == pace) {
            // a pop shows T ticks per picture (one, two or three), the counterattack T + 5
            const int want = entered_state <= 2 ? (entered_state + 1) * up : entered_state == 5 ? up + 5 : 1;
            EXPECT_EQ(t - entered, want) << "state " << entered_state << " from tick " << entered;
            measured[pace] += entered_state == 2;
        }
        entered = t, entered_state = st;
    }
    EXPECT_GT(measured[0], 0);  // long pops at pace 0 (44 ticks up) and pace 2 (23)
    EXPECT_GT(measured[2], 0);
    EXPECT_EQ(var(r, g.tick(kGameTicks), "en_hit"), landings);
}

TEST(WhackPlay, ClockRuns413TicksThenTheResult)
{
    const auto &r = idle_game();
    const Game g = whack_game();
    for (int k = 1; k < kGameTicks; k++) {
        ASSERT_EQ(var(r, g.tick(k), "main_key"), 17) << k;
        // s seconds and m minutes left are s + 59 m more ticks
        ASSERT_EQ(var(r, g.tick(k), "m") * 59 + var(r, g.tick(k), "s"), kGameTicks - k) << k;
    }
    const int end = g.tick(kGameTicks);
    EXPECT_EQ(var(r, end, "main_key"), 18);
    EXPECT_EQ(var(r, end, "m") * 100 + var(r, end, "s"), 659);  // ready for the next game
    EXPECT_EQ(var(r, end + 1, "main_key"), 19);
    EXPECT_EQ(var(r, end + 1, "mub2_score"), 0);  // counterattacks only
    EXPECT_EQ(var(r, g.tick(160), "back"), 80);   // the band: 5 pixels every 10 ticks, out and back
    EXPECT_EQ(var(r, g.tick(320), "back"), 0);
}

TEST(WhackPlay, StrikesJudgedByHoleAndFlag)
{
    const Game g = whack_game();
    const int hole = nth_rand(1) % 5;
    ASSERT_NE(hole, 0);
    const std::string key = std::string("key ") + "zxcvb"[hole];
    // struck while peeking; Enter right after is a miss, the enemy being flagged
    auto r = run(g.tick(4), g.script + g.at(2, key) + g.at(3, "key Return"), true);
    EXPECT_EQ(var(r, g.tick(3), "hit"), 1);
    EXPECT_EQ(var(r, g.tick(3), "r_hit"), 24);
    EXPECT_EQ(var(r, g.tick(3), "mub2_entask_no", 0), 4);
    EXPECT_EQ(var(r, g.tick(3), "mub2_task_no"), 1);
    EXPECT_EQ(var(r, g.tick(4), "hit"), 1);
    EXPECT_EQ(var(r, g.tick(4), "mub2_task_no"), 2);

    // Waiting at the hole (a miss before the first tick takes the creature
    // there), the long pop counterattacks on tick 66; Enter then still
    // strikes the enemy hiding there, while the creature is hurt.
    ASSERT_EQ(nth_rand(2) % 3, 2);
    auto c = run(g.tick(67), g.script + g.at(0, key) + g.at(66, "key Return"), true, true);
    ASSERT_EQ(var(c, g.tick(66), "en_hit"), 1);
    EXPECT_EQ(var(c, g.tick(66), "mub2_task_no"), 3);
    EXPECT_EQ(var(c, g.tick(67), "hit"), 1);
    EXPECT_EQ(var(c, g.tick(67), "mub2_entask_no", 0), 4);
    ASSERT_TRUE(c.screenshot);
    EXPECT_EQ(sprite_mismatches(*c.screenshot, "MUB2_EN", kHoleX[hole], kHoleY[hole], 240), 0);
    EXPECT_EQ(sprite_mismatches(*c.screenshot, "MUB2_PL", kHoleX[hole], kHoleY[hole] - 48, 96), 0);
}
