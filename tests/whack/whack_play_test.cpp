// The whack game played in the simulator, each run a fresh program: the
// first ticks of a game, the enemies' timings at every pace, strikes, the
// clock to its end and the result screen that follows.
#include <gtest/gtest.h>

#include "whack_test_util.h"

using namespace whacktest;
using mubtest::run_sim;
using mubtest::SimOptions;
using mubtest::SimRun;

namespace {

SimOptions options(std::string script, bool trace, bool screenshot)
{
    SimOptions o;
    o.script = std::move(script);
    o.trace = trace;
    o.screenshot = screenshot;
    return o;
}

constexpr int kGameTicks = 413;  // 7 minutes of 59 ticks

// A whole game without any key pressed, traced to the first result frames.
const SimRun &idle_game()
{
    static const SimRun run = [] {
        const Game g = whack_game();
        return run_sim(g.tick(kGameTicks) + 3, options(g.script, true, false));
    }();
    return run;
}

SimRun shot_at(const Game &g, const std::string &extra, int ticks)
{
    auto run = run_sim(ticks, options(g.script + extra, false, true));
    EXPECT_EQ(run.exit_status, 0) << run.stderr_text;
    return run;
}

int pace_for(int minutes)
{
    if (minutes == 3 || minutes == 4)
        return 1;
    if (minutes >= 0 && minutes <= 2)
        return 2;
    return 0;
}

}  // namespace

TEST(WhackStart, BoardThenCreatureThenFirstEnemy)
{
    const Game g = whack_game();
    const int first_hole = int(nth_rand(1) % 5);
    const int first_pattern = int(nth_rand(2) % 3);

    // Before the first play tick: the field and five empty holes.
    auto board = shot_at(g, "", g.base);
    ASSERT_TRUE(board.screenshot);
    EXPECT_EQ(board.state["main_key"], 17);
    for (int h = 0; h < 5; h++)
        EXPECT_EQ(hole_mismatches(*board.screenshot, kHoleX[h], kHoleY[h], 0), 0) << "hole " << h;

    // First tick: the creature stands ready above the middle hole, the clock
    // reads 06:58, and slot 0 has picked its hole and pattern.
    auto first = shot_at(g, "", g.tick(1));
    ASSERT_TRUE(first.screenshot);
    const auto &shot = *first.screenshot;
    EXPECT_EQ(creature_mismatches(shot, 275, 282, 0), 0);
    EXPECT_EQ(first.state["m"], 6);
    EXPECT_EQ(first.state["s"], 58);
    const auto &back = picture("BACK");
    EXPECT_EQ(digit_mismatches(shot, back, "TIME", 275, 140, 0), 0);
    EXPECT_EQ(digit_mismatches(shot, back, "TIME", 294, 140, 6), 0);
    EXPECT_EQ(digit_mismatches(shot, back, "TIME", 325, 140, 5), 0);
    EXPECT_EQ(digit_mismatches(shot, back, "TIME", 344, 140, 8), 0);
    EXPECT_EQ(digit_mismatches(shot, back, "HIT", 253, 190, 0), 0);
    EXPECT_EQ(first.state["mub2_en_no"][0], first_hole);
    EXPECT_EQ(first.state["mub2_entask_no"][0], first_pattern);
    EXPECT_EQ(first.state["en_time"][0], 0);
    EXPECT_EQ(first.state["mub2_entask_no"][1], 3);  // slot 1 waits for the first extension
    EXPECT_EQ(first.state["time_ptype"], 0);
    EXPECT_EQ(hole_mismatches(shot, kHoleX[0], kHoleY[0], 0), 0);

    // Second tick: the enemy peeks out of its hole.
    auto second = shot_at(g, "", g.tick(2));
    ASSERT_TRUE(second.screenshot);
    EXPECT_EQ(hole_mismatches(*second.screenshot, kHoleX[first_hole], kHoleY[first_hole], 48), 0);
    EXPECT_EQ(creature_mismatches(*second.screenshot, 275, 282, 0), 0);
}

TEST(WhackEnemies, PopsAndCounterattacksLastByThePaceOfTheClock)
{
    const auto &run = idle_game();
    ASSERT_EQ(run.exit_status, 0) << run.stderr_text;
    const Game g = whack_game();
    const int last = g.tick(kGameTicks);

    int long_pops[3] = {0, 0, 0}, pops = 0, landings = 0;
    int entered = -1, entered_state = -1;
    for (int t = g.tick(1); t <= last; t++) {
        const int pace = var(run, t, "time_ptype");
        ASSERT_EQ(pace, pace_for(var(run, t, "m"))) << "tick " << t;
        const int up = pace == 0 ? 15 : pace == 1 ? 10 : 8;
        const int st = var(run, t, "mub2_entask_no", 0);
        const bool landing = st == 3 && var(run, t - 1, "mub2_entask_no", 0) == 5;
        // en_hit counts the landings and nothing else
        EXPECT_EQ(var(run, t, "en_hit") - var(run, t - 1, "en_hit"), landing ? 1 : 0) << "tick " << t;
        if (landing) {
            landings++;
            EXPECT_EQ(var(run, t, "mub2_task_no"), 3) << "tick " << t;
            EXPECT_EQ(var(run, t, "pl_time"), 0);
        }
        if (st == var(run, t - 1, "mub2_entask_no", 0))
            continue;
        EXPECT_EQ(var(run, t, "en_time", 0), 0) << "state entered on tick " << t;
        // only timings measured at one pace from start to end
        if (entered >= 0 && var(run, entered, "time_ptype") == pace) {
            const int took = t - entered;
            if (entered_state <= 2) {
                // one, two or three pictures of T ticks each, then the counterattack
                EXPECT_EQ(st, 5) << "tick " << t;
                EXPECT_EQ(took, (entered_state + 1) * up) << "pop " << entered_state << " from tick " << entered;
                pops++;
                if (entered_state == 2)
                    long_pops[pace]++;
            } else if (entered_state == 5) {
                EXPECT_EQ(took, up + 5) << "counterattack from tick " << entered;
            }
        }
        if (st == 3 && t < last) {
            // no extension yet: the hidden time is 0, so it comes straight up again
            EXPECT_LE(var(run, t + 1, "mub2_entask_no", 0), 2) << "tick " << t + 1;
            EXPECT_EQ(var(run, t + 1, "hit_flg", 0), 0);
        }
        entered = t;
        entered_state = st;
    }
    EXPECT_GE(pops, 10);
    EXPECT_GT(long_pops[0], 0);
    EXPECT_GT(long_pops[2], 0);
    EXPECT_EQ(var(run, last, "en_hit"), landings);
}

TEST(WhackClock, SevenMinutesOf59TicksThenTheResult)
{
    const auto &run = idle_game();
    ASSERT_EQ(run.exit_status, 0) << run.stderr_text;
    const Game g = whack_game();

    for (int k = 1; k <= kGameTicks; k++) {
        const int t = g.tick(k);
        ASSERT_EQ(var(run, t - 1, "main_key"), 17) << "play tick " << k;
        if (k < kGameTicks) {
            // m minutes and s seconds left mean s + 59 m more ticks
            const int shown_m = var(run, t, "m"), shown_s = var(run, t, "s");
            EXPECT_EQ(shown_m * 59 + shown_s, kGameTicks - k) << "play tick " << k;
            EXPECT_NE(shown_s, 0);
        }
    }
    // the last tick ends the game and leaves the clock at 6:59 for the next one
    EXPECT_EQ(var(run, g.tick(kGameTicks), "main_key"), 18);
    EXPECT_EQ(var(run, g.tick(kGameTicks), "m"), 6);
    EXPECT_EQ(var(run, g.tick(kGameTicks), "s"), 59);
    EXPECT_EQ(var(run, g.tick(kGameTicks + 1), "main_key"), 19);
    EXPECT_EQ(var(run, g.tick(kGameTicks + 1), "back"), 0);
    EXPECT_EQ(var(run, g.tick(kGameTicks + 1), "mub2_pl_no"), 2);
    EXPECT_EQ(var(run, g.tick(kGameTicks + 1), "mub2_score"), 0);  // no strikes, many counterattacks
}

TEST(WhackClock, BandSwaysEveryTenTicksBetween0And80)
{
    const auto &run = idle_game();
    ASSERT_EQ(run.exit_status, 0) << run.stderr_text;
    const Game g = whack_game();
    int highest = 0, moves = 0;
    for (int k = 1; k <= kGameTicks; k++) {
        const int now = var(run, g.tick(k), "back"), before = var(run, g.tick(k - 1), "back");
        if (k % 10 == 0) {
            EXPECT_EQ(std::abs(now - before), 5) << "play tick " << k;
            moves++;
        } else {
            EXPECT_EQ(now, before) << "play tick " << k;
        }
        highest = std::max(highest, now);
        ASSERT_GE(now, 0);
    }
    EXPECT_EQ(highest, 80);
    EXPECT_EQ(moves, kGameTicks / 10);
    // up to 80 in 16 moves, then back down
    EXPECT_EQ(var(run, g.tick(160), "back"), 80);
    EXPECT_EQ(var(run, g.tick(170), "back"), 75);
    EXPECT_EQ(var(run, g.tick(320), "back"), 0);
    EXPECT_EQ(var(run, g.tick(330), "back"), 5);
}

TEST(WhackStrike, StrikingAPoppingEnemyThenStrikingAgain)
{
    const Game g = whack_game();
    const int hole = int(nth_rand(1) % 5);  // slot 0's first hole
    const char *keys = "zxcvb";
    const std::string letter = std::string("key ") + keys[hole];
    const char *other = hole == 4 ? "key z" : "key b";
    // struck while peeking out; Enter at once after is a miss (it is flagged);
    // a letter while the creature is not ready strikes where it stands
    const std::string script = g.at(2, letter) + g.at(3, "key Return") + g.at(4, other);
    auto run = run_sim(g.tick(9), options(g.script + script, true, false));
    ASSERT_EQ(run.exit_status, 0) << run.stderr_text;

    const int t = g.tick(3);
    EXPECT_EQ(var(run, t, "mub2_pl_no"), hole);
    EXPECT_EQ(var(run, t, "hit"), 1);
    EXPECT_EQ(var(run, t, "r_hit"), 24);
    EXPECT_EQ(var(run, t, "mub2_entask_no", 0), 4);
    EXPECT_EQ(var(run, t, "en_time", 0), 1);
    EXPECT_EQ(var(run, t, "hit_flg", 0), 1);
    EXPECT_EQ(var(run, t, "mub2_task_no"), 1);

    EXPECT_EQ(var(run, g.tick(4), "hit"), 1);
    EXPECT_EQ(var(run, g.tick(4), "mub2_task_no"), 2);
    EXPECT_EQ(var(run, g.tick(4), "pl_time"), 1);
    EXPECT_EQ(var(run, g.tick(5), "mub2_pl_no"), hole);
    EXPECT_EQ(var(run, g.tick(5), "hit"), 1);
    EXPECT_EQ(var(run, g.tick(5), "r_hit"), 24);

    // the struck picture for 4 ticks, then hidden, then up again at once
    for (int k = 3; k <= 6; k++) EXPECT_EQ(var(run, g.tick(k), "mub2_entask_no", 0), 4) << k;
    EXPECT_EQ(var(run, g.tick(7), "mub2_entask_no", 0), 3);
    EXPECT_LE(var(run, g.tick(8), "mub2_entask_no", 0), 2);
    EXPECT_EQ(var(run, g.tick(8), "hit_flg", 0), 0);
}

TEST(WhackStrike, StruckEnemyAndStrikingCreatureOnScreen)
{
    const Game g = whack_game();
    const int hole = int(nth_rand(1) % 5);
    const std::string letter = std::string("key ") + "zxcvb"[hole];
    auto run = shot_at(g, g.at(2, letter), g.tick(3));
    ASSERT_TRUE(run.screenshot);
    EXPECT_EQ(hole_mismatches(*run.screenshot, kHoleX[hole], kHoleY[hole], 240), 0);
    EXPECT_EQ(creature_mismatches(*run.screenshot, kStandX[hole], kStandY[hole], 96), 0);
    // the creature's old place above the middle hole is restored from the field
    if (hole != 2) {
        EXPECT_EQ(masked_mismatches(*run.screenshot, picture("BACK"), picture("BACK"), 275, 282, 275, 282, 48, 48, 0),
                  0);
    }
}

// The creature waits at slot 0's first hole (a miss before the first tick
// takes it there); nothing strikes the enemy, so it counterattacks.
class WhackCounterattack : public ::testing::Test {
protected:
    Game g = whack_game();
    int hole = int(nth_rand(1) % 5);
    void SetUp() override { ASSERT_NE(hole, 0) << "slot 0 starts hidden at hole 0"; }
    std::string wait_there() const
    {
        return g.at(0, std::string("key ") + "zxcvb"[hole]);
    }
    // First tick on which the long pop's counterattack lands.
    static constexpr int kLanding = 66;
};

TEST_F(WhackCounterattack, HidingEnemyIsStillStruckAtItsHole)
{
    ASSERT_EQ(nth_rand(2) % 3, 2u) << "the first pop is a long one";
    auto run = run_sim(g.tick(kLanding + 2),
                       options(g.script + wait_there() + g.at(kLanding, "key Return"), true, false));
    ASSERT_EQ(run.exit_status, 0) << run.stderr_text;
    ASSERT_EQ(var(run, g.tick(kLanding), "mub2_entask_no", 0), 3);
    ASSERT_EQ(var(run, g.tick(kLanding), "en_hit"), 1);
    EXPECT_EQ(var(run, g.tick(kLanding), "mub2_task_no"), 3);
    EXPECT_EQ(var(run, g.tick(kLanding), "hit_flg", 0), 0);

    // Enter in the same gap strikes it: a hit, not a miss, even while hurt
    EXPECT_EQ(var(run, g.tick(kLanding + 1), "hit"), 1);
    EXPECT_EQ(var(run, g.tick(kLanding + 1), "mub2_entask_no", 0), 4);
    EXPECT_EQ(var(run, g.tick(kLanding + 1), "mub2_en_no", 0), hole);
    EXPECT_EQ(var(run, g.tick(kLanding + 1), "mub2_task_no"), 1);
    EXPECT_EQ(var(run, g.tick(kLanding + 1), "en_hit"), 1);
}

TEST_F(WhackCounterattack, LandingDuringAMissLeavesAnEmptyHoleUnderTheCreature)
{
    // strike an empty hole two ticks before the landing
    const int miss_hole = hole == 0 ? 4 : 0;
    const std::string miss = g.at(kLanding - 2, std::string("key ") + "zxcvb"[miss_hole]);
    auto traced = run_sim(g.tick(kLanding + 1), options(g.script + wait_there() + miss, true, false));
    ASSERT_EQ(traced.exit_status, 0) << traced.stderr_text;
    ASSERT_EQ(var(traced, g.tick(kLanding - 1), "mub2_task_no"), 2);
    EXPECT_EQ(var(traced, g.tick(kLanding), "mub2_task_no"), 3);
    EXPECT_EQ(var(traced, g.tick(kLanding), "en_hit"), 1);
    EXPECT_EQ(var(traced, g.tick(kLanding), "mub2_pl_no"), miss_hole);

    auto shot = shot_at(g, wait_there() + miss, g.tick(kLanding));
    ASSERT_TRUE(shot.screenshot);
    EXPECT_EQ(hole_mismatches(*shot.screenshot, kHoleX[miss_hole], kHoleY[miss_hole], 0), 0);
    EXPECT_EQ(creature_mismatches(*shot.screenshot, kStandX[miss_hole], kStandY[miss_hole], 96), 0);
    auto hurt = shot_at(g, wait_there() + miss, g.tick(kLanding + 1));
    ASSERT_TRUE(hurt.screenshot);
    EXPECT_EQ(creature_mismatches(*hurt.screenshot, kStandX[miss_hole], kStandY[miss_hole], 144), 0);
}

TEST(WhackResult, IdleGameScoresZeroAndEnterLeavesForTheTitle)
{
    const Game g = whack_game();
    const int first_result = g.tick(kGameTicks + 1);
    auto run = run_sim(first_result + 1, options(g.script, false, true));
    ASSERT_EQ(run.exit_status, 0) << run.stderr_text;
    ASSERT_TRUE(run.screenshot);
    const auto &shot = *run.screenshot;
    const auto &ha = picture("MUB2_HANTEI");
    const int en_hit = run.state["en_hit"];
    ASSERT_GT(en_hit, 0);
    EXPECT_EQ(run.state["mub2_score"], 0);
    // one red 0 at the right of the score's gap, nothing to its left
    EXPECT_EQ(masked_mismatches(shot, ha, ha, 355, 160, 0, 550, 30, 50, 50), 0);
    EXPECT_EQ(copy_mismatches(shot, ha, 295, 160, 295, 160, 60, 50), 0);
    // the heart's first face at the bottom line
    EXPECT_EQ(copy_mismatches(shot, picture("HEART"), 10, 447, 1, 0, 26, 26), 0);
    // the counters on their black band
    const mub::Image black(600, 600, 0);
    EXPECT_EQ(digit_mismatches(shot, black, "HIT", 203, 100, 0), 0);
    EXPECT_EQ(digit_mismatches(shot, black, "HIT", 443, 100, en_hit % 10), 0);

    auto left = run_sim(first_result + 3, options(g.script + std::to_string(first_result + 1) +
                                                                  " key Return\n", false, false));
    ASSERT_EQ(left.exit_status, 0) << left.stderr_text;
    EXPECT_EQ(left.state["main_key"], 0);
    EXPECT_EQ(left.state["hit"], 0);
    EXPECT_EQ(left.state["en_hit"], 0);
    EXPECT_EQ(left.state["r_hit"], 25);
    EXPECT_EQ(left.state["entyo"], 0);
}
