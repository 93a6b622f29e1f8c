// The shooting game's rules, step by step, by calling its step functions in
// this process on a fresh board. No window exists here, so every drawing call
// draws nothing; the pictures are checked through the simulator elsewhere.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "shooting_state_guard.h"

namespace {

constexpr HDC kNoDc = nullptr;

class ShootingRules : public ::testing::Test {
protected:
    void SetUp() override
    {
        mub::core::reset();  // the random generator starts again from its seed
        mub_work_clear();
        so_flg = 1;
        sa = b_sa = 0;
        win = lose = hit = 0;
    }
    void TearDown() override { mub::core::reset(); }

    // Only enemy e walks (the others and the boss are dead).
    static void only_small_enemy(int e)
    {
        for (int i = 0; i < 3; i++)
            mub_task_no[i] = i == e ? 0 : 2;
        mub_task_no[3] = 6;
    }
    static void only_boss()
    {
        mub_task_no[0] = mub_task_no[1] = mub_task_no[2] = 2;
        mub_task_no[3] = 0;
    }

    shootingtest::StateGuard guard_;
};

// ---- player steps and firing ----

TEST_F(ShootingRules, StepsAreFortyPixelsWithinEighteenAndFiveHundredTwenty)
{
    std::vector<int> xs;
    for (int i = 0; i < 7; i++) {
        mub_pl_left(MK_LBUTTON);
        xs.push_back(mub_pl_x);
    }
    EXPECT_EQ(xs, (std::vector<int>{210, 170, 130, 90, 50, 18, 18}));
    EXPECT_EQ(mub_pl_no, 0);
    EXPECT_EQ(mub_pl_before_x, 18);

    mub_pl_right(MK_RBUTTON);  // the grid has shifted after the clamp
    EXPECT_EQ(mub_pl_x, 58);
    EXPECT_EQ(mub_pl_before_x, 18);
    EXPECT_EQ(mub_pl_no, 1);

    mub_pl_x = 250;
    xs.clear();
    for (int i = 0; i < 7; i++) {
        mub_pl_right(MK_RBUTTON);
        xs.push_back(mub_pl_x);
    }
    EXPECT_EQ(xs, (std::vector<int>{290, 330, 370, 410, 450, 490, 520}));
    for (int k : bl_key) EXPECT_EQ(k, 0) << "a press without the other button fires nothing";
}

TEST_F(ShootingRules, FiringNeedsTheOtherButtonAndFollowsTheSlotPatterns)
{
    mub_pl_left(MK_LBUTTON | MK_RBUTTON);
    EXPECT_EQ(mub_pl_x, 210);
    EXPECT_EQ(bl_key[0], 1);
    EXPECT_EQ(bl_x[0], 210) << "fired from the position after the step";
    EXPECT_EQ(bl_y[0], 440);

    mub_pl_right(MK_RBUTTON | MK_LBUTTON);
    EXPECT_EQ(bl_key[1], 1);
    EXPECT_EQ(bl_x[1], 250);

    struct Case {
        std::array<int, 4> keys;
        int fires;  // slot, or -1
    } cases[] = {
        {{0, 0, 0, 0}, 0}, {{1, 0, 0, 0}, 1}, {{1, 1, 0, 0}, 2}, {{1, 1, 1, 0}, 3},
        {{1, 1, 1, 1}, -1}, {{0, 1, 0, 0}, -1}, {{2, 0, 0, 0}, -1}, {{1, 2, 0, 0}, -1},
        {{1, 1, 0, 1}, -1}, {{0, 0, 0, 1}, -1},
    };
    for (const auto &c : cases) {
        for (int i = 0; i < 4; i++) {
            bl_key[i] = c.keys[i];
            bl_x[i] = bl_y[i] = -30;
            bl_puu[i] = 1;
        }
        mub_pl_x = 250;
        mub_pl_right(MK_LBUTTON);
        EXPECT_EQ(mub_pl_x, 290) << "the step happens whether or not a shot fires";
        for (int i = 0; i < 4; i++) {
            bool fired = i == c.fires;
            EXPECT_EQ(bl_key[i], fired ? 1 : c.keys[i]) << "pattern " << c.keys[0] << c.keys[1] << c.keys[2]
                                                      << c.keys[3] << " slot " << i;
            EXPECT_EQ(bl_y[i], fired ? 440 : -30);
            EXPECT_EQ(bl_puu[i], 1) << "the frame keeps its old value";
        }
    }
}

TEST_F(ShootingRules, ShotFliesEightPixelsTurnsEveryTickStopsAtFiftyAndIsFreedNextTick)
{
    mub_pl_left(MK_RBUTTON);
    int x = bl_x[0];
    for (int k = 1; k <= 48; k++) {
        mub_bullet_ctrl(kNoDc);
        ASSERT_EQ(bl_y[0], 440 - 8 * k);
        ASSERT_EQ(bl_key[0], 1);
        ASSERT_EQ(bl_puu[0], k % 2) << "tick " << k;
        ASSERT_EQ(bl_before_y[0], 440 - 8 * (k - 1));
    }
    mub_bullet_ctrl(kNoDc);  // 49th tick: 48 is clamped to 50
    EXPECT_EQ(bl_y[0], 50);
    EXPECT_EQ(bl_key[0], 2);
    mub_bullet_ctrl(kNoDc);  // 50th tick: erased and idle again
    EXPECT_EQ(bl_key[0], 0);
    EXPECT_EQ(bl_x[0], x);
    EXPECT_EQ(bl_y[0], 50);
}

// ---- enemies and boss ----

TEST_F(ShootingRules, AtSpeedZeroCrabsTurnOnlyAtTheEdgesAndLaunchAtFixedPlaces)
{
    mub_task_no[3] = 6;  // no boss: it could draw at its own turn point
    const std::set<int> expected_launch[3] = {
        {100, 220, 340, 460}, {70, 190, 310, 430}, {40, 160, 280, 400, 520}};
    std::set<int> launches[3];
    int prev_flg[3] = {en_flg[0], en_flg[1], en_flg[2]};
    for (int tick = 0; tick < 600; tick++) {
        mub_enemy_ctrl(kNoDc);
        for (int e = 0; e < 3; e++) {
            int x = mub_en_x[e];
            ASSERT_NE(x, 185);
            ASSERT_NE(x, 350);
            if (en_flg[e] != prev_flg[e]) {
                ASSERT_TRUE(x < 20 || x > 520) << "enemy " << e << " turned at " << x;
            }
            prev_flg[e] = en_flg[e];
            if (enbl_key[e] == 1) {
                launches[e].insert(enbl_x[e]);
                EXPECT_EQ(enbl_y[e], 120 + 60 * e + 48);
                enbl_key[e] = 0;  // the shot is over at once
            }
        }
    }
    for (int e = 0; e < 3; e++) EXPECT_EQ(launches[e], expected_launch[e]) << "enemy " << e;
    EXPECT_EQ(mub_en_x[0] % 3, 1) << "walks stay on 3k+1 without clamping";
    EXPECT_EQ(rand(), 41) << "no random draw was made";
}

TEST_F(ShootingRules, AtSpeedTwoCrabsLandOnTheTurnPointsAndTossACoin)
{
    only_small_enemy(0);
    sa = 2;
    // Every landing draws from the fresh generator: 41 and 18467 are odd
    // (turn), 6334 and 26500 even (walk on), 19169 odd (turn).
    std::vector<std::pair<int, int>> landings;  // x, direction after
    for (int tick = 0; tick < 400 && landings.size() < 5; tick++) {
        mub_enemy_ctrl(kNoDc);
        ASSERT_EQ(std::abs(mub_en_x[0] - mub_en_before_x[0]), 5);
        if (mub_en_x[0] == 185 || mub_en_x[0] == 350)
            landings.push_back({mub_en_x[0], en_flg[0]});
    }
    // From 100 left to the edge, then right: turned back at 185 twice, then
    // on past 185 and 350 to the right edge, and turned at 350 coming back.
    const std::vector<std::pair<int, int>> expected = {{185, 0}, {185, 0}, {185, 1}, {350, 1}, {350, 1}};
    EXPECT_EQ(landings, expected);
}

TEST_F(ShootingRules, EdgeTurnsDoNotClamp)
{
    only_small_enemy(0);
    mub_en_x[0] = 22;
    en_flg[0] = 0;
    mub_enemy_ctrl(kNoDc);
    EXPECT_EQ(mub_en_x[0], 19);
    EXPECT_EQ(en_flg[0], 1);
    mub_en_x[0] = 518;
    mub_enemy_ctrl(kNoDc);
    EXPECT_EQ(mub_en_x[0], 521);
    EXPECT_EQ(en_flg[0], 0);
}

TEST_F(ShootingRules, BossWalksFourAndLaunchesEveryTwentyPixelsAndRestsWhileKnockedOut)
{
    only_boss();
    std::set<int> launches;
    for (int tick = 0; tick < 40; tick++) {
        mub_enemy_ctrl(kNoDc);
        ASSERT_EQ(std::abs(mub_enb_x - mub_enb_before_x), 4);
        if (enb_bl_key == 1) {
            launches.insert(mub_enb_x);
            EXPECT_EQ(enb_bl_y, 108);
            enb_bl_key = 0;
        }
    }
    for (int x : launches) EXPECT_EQ((x - 250) % 20, 0) << x;
    EXPECT_TRUE(launches.count(270));

    int x = mub_enb_x, flg = enb_flg, puu = enb_puu;
    for (int state : {1, 3, 5, 6}) {
        mub_task_no[3] = state;
        mub_enemy_ctrl(kNoDc);
        EXPECT_EQ(mub_enb_x, x);
        EXPECT_EQ(enb_flg, flg);
        EXPECT_EQ(enb_puu, puu);
    }
    mub_task_no[3] = 2;
    enb = 1;
    mub_enemy_ctrl(kNoDc);
    EXPECT_EQ(std::abs(mub_enb_x - x), 6) << "one knock-out later: 2 pixels a tick faster";
}

// ---- enemy shots ----

TEST_F(ShootingRules, EnemyShotFallsByBSaLandsAtFiveHundredAndBlinks)
{
    only_small_enemy(0);
    enbl_key[0] = 1;
    enbl_x[0] = 100;
    enbl_y[0] = 168;
    mub_enbullet_ctrl(kNoDc);
    EXPECT_EQ(enbl_y[0], 173);
    b_sa = 6;
    mub_enbullet_ctrl(kNoDc);
    EXPECT_EQ(enbl_y[0], 184);

    b_sa = 0;
    enbl_y[0] = 498;
    mub_enbullet_ctrl(kNoDc);  // 503 is clamped: lands this tick
    EXPECT_EQ(enbl_y[0], 500);
    EXPECT_EQ(enbl_key[0], 2);
    EXPECT_EQ(enbl_xn[0], 100);
    EXPECT_EQ(enbl_yn[0], 500);
    for (int t = 1; t <= 15; t++) {
        mub_enbullet_ctrl(kNoDc);
        ASSERT_EQ(enbl_key[0], 2) << "tick " << t;
        ASSERT_EQ(b_wait[0], t);
    }
    mub_enbullet_ctrl(kNoDc);
    EXPECT_EQ(enbl_key[0], 3);
    mub_enbullet_ctrl(kNoDc);
    EXPECT_EQ(enbl_key[0], 0);
    EXPECT_EQ(b_wait[0], 0);
}

TEST_F(ShootingRules, EnemyShotWaitsWhileItsOwnerIsDownAndPileCountsCarryOver)
{
    enbl_key[1] = 1;
    enbl_y[1] = 300;
    enb_bl_key = 1;
    enb_bl_y = 200;
    mub_task_no[1] = 1;
    mub_task_no[3] = 3;
    mub_enbullet_ctrl(kNoDc);
    EXPECT_EQ(enbl_y[1], 300);
    EXPECT_EQ(enb_bl_y, 200);
    mub_task_no[1] = 0;
    mub_task_no[3] = 4;
    mub_enbullet_ctrl(kNoDc);
    EXPECT_EQ(enbl_y[1], 305);
    EXPECT_EQ(enb_bl_y, 205);

    // A pile left lying at the end of a round keeps its count.
    enbl_key[2] = 2;
    b_wait[2] = 10;
    mub_work_clear();
    EXPECT_EQ(b_wait[2], 10);
    enbl_key[2] = 2;
    for (int t = 0; t < 5; t++) mub_enbullet_ctrl(kNoDc);
    EXPECT_EQ(enbl_key[2], 2);
    mub_enbullet_ctrl(kNoDc);
    EXPECT_EQ(enbl_key[2], 3) << "shown for 5 ticks instead of 15";
}

// ---- hit checks ----

TEST_F(ShootingRules, SmallEnemyAndBossHitBoxesAtTheirEdges)
{
    struct Case {
        int x, y;
        bool hits;
    } small[] = {
        {74, 146, true},  {148, 146, true}, {148, 172, true}, {73, 146, false},
        {149, 146, false}, {100, 145, false}, {100, 173, false},
    };
    for (const auto &c : small) {
        mub_work_clear();
        only_small_enemy(0);  // at (100, 120)
        bl_key[2] = 1;
        bl_x[2] = c.x;
        bl_y[2] = c.y;
        mub_hit_check(nullptr, kNoDc);
        EXPECT_EQ(mub_task_no[0], c.hits ? 1 : 0) << c.x << "," << c.y;
        if (c.hits) {
            EXPECT_EQ(bl_key[2], 0);
            EXPECT_EQ(bl_x[2], -30);
            EXPECT_EQ(bl_y[2], -30);
        }
    }
    Case boss[] = {{224, 86, true}, {320, 112, true}, {223, 86, false}, {321, 86, false},
                   {250, 85, false}, {250, 113, false}};
    for (const auto &c : boss) {
        mub_work_clear();
        only_boss();  // at (250, 60)
        bl_key[0] = 1;
        bl_x[0] = c.x;
        bl_y[0] = c.y;
        mub_hit_check(nullptr, kNoDc);
        EXPECT_EQ(mub_task_no[3], c.hits ? 1 : 0) << c.x << "," << c.y;
    }
}

TEST_F(ShootingRules, AShotThatHitsIsSpentAndBoxesReadPositionsOnly)
{
    mub_en_x[1] = mub_en_x[0];  // enemy 1 right on top of enemy 0's box
    mub_en_y[1] = mub_en_y[0];
    mub_task_no[2] = 2;
    mub_task_no[3] = 6;
    bl_key[0] = 1;
    bl_x[0] = 100;
    bl_y[0] = 150;
    mub_hit_check(nullptr, kNoDc);
    EXPECT_EQ(mub_task_no[0], 1);
    EXPECT_EQ(mub_task_no[1], 0);

    // The box looks at positions only, not at the slot's state.
    mub_work_clear();
    mub_en_x[0] = 20;
    mub_en_y[0] = 0;
    bl_x[1] = 30;
    bl_y[1] = 50;  // where a spent shot rests
    mub_hit_check(nullptr, kNoDc);
    EXPECT_EQ(mub_task_no[0], 1);
}

TEST_F(ShootingRules, DyingAnimationAdvancesOncePerSlotAndEndsOnTheTwelfthTickAfter)
{
    only_small_enemy(0);
    en_wait[0] = 0;
    enb_wait = 0;
    bl_key[0] = 1;
    bl_x[0] = 100;
    bl_y[0] = 150;
    mub_hit_check(nullptr, kNoDc);  // tick T: hit by slot 0, three slots follow
    EXPECT_EQ(mub_task_no[0], 1);
    EXPECT_EQ(en_wait[0], 3);
    for (int t = 1; t <= 11; t++) {
        mub_hit_check(nullptr, kNoDc);
        ASSERT_EQ(mub_task_no[0], 1) << "T+" << t;
        ASSERT_EQ(en_wait[0], 3 + 4 * t);
    }
    mub_hit_check(nullptr, kNoDc);  // T+12
    EXPECT_EQ(mub_task_no[0], 2);
    EXPECT_EQ(en_wait[0], 0);

    // The boss: three knock-outs, each as long, each in the next colour.
    only_boss();
    for (int round = 0; round < 3; round++) {
        bl_key[0] = 1;
        bl_x[0] = mub_enb_x;
        bl_y[0] = 90;
        mub_hit_check(nullptr, kNoDc);
        EXPECT_EQ(mub_task_no[3], 2 * round + 1);
        for (int t = 1; t <= 12; t++) mub_hit_check(nullptr, kNoDc);
        EXPECT_EQ(mub_task_no[3], 2 * round + 2);
        EXPECT_EQ(enb, round + 1);
        EXPECT_EQ(enb_wait, 0);
    }
}

TEST_F(ShootingRules, CancelOutOnlyWithSoFlgZeroAndItAlsoIdlesAKilledEnemysShot)
{
    for (int flag : {0, 1}) {
        for (int dx : {-20, 20, 21}) {
            mub_work_clear();
            so_flg = flag;
            mub_task_no[3] = 6;
            enbl_key[2] = 1;
            enbl_x[2] = 300;
            enbl_y[2] = 400;
            bl_key[1] = 1;
            bl_x[1] = 300 + dx;
            bl_y[1] = 427;
            mub_hit_check(nullptr, kNoDc);
            bool meet = flag == 0 && dx != 21;
            EXPECT_EQ(enbl_key[2], meet ? 0 : 1) << "so_flg " << flag << " dx " << dx;
            EXPECT_EQ(bl_key[1], meet ? 0 : 1);
            EXPECT_EQ(enbl_y[2], meet ? -30 : 400);
        }
    }
    for (int flag : {0, 1}) {
        mub_work_clear();
        so_flg = flag;
        only_small_enemy(0);
        enbl_key[0] = 1;
        enbl_x[0] = 300;
        enbl_y[0] = 300;
        enb_bl_key = 1;
        enb_bl_x = 400;
        enb_bl_y = 300;
        bl_key[0] = 1;
        bl_x[0] = 100;
        bl_y[0] = 150;
        mub_hit_check(nullptr, kNoDc);
        EXPECT_EQ(mub_task_no[0], 1);
        EXPECT_EQ(enbl_x[0], -30);
        EXPECT_EQ(enbl_key[0], flag == 0 ? 0 : 1) << "so_flg " << flag;
        EXPECT_EQ(enb_bl_key, 1) << "another enemy's shot is untouched";
    }
}

TEST_F(ShootingRules, FallingPilesHurtThePlayerInsideTheBoxAndTakeShotSlotZero)
{
    struct Case {
        int x, y;
        bool hits;
    } cases[] = {{230, 480, true}, {290, 500, true}, {229, 490, false}, {291, 490, false},
                 {250, 479, false}, {250, 501, false}};
    for (const auto &c : cases) {
        mub_work_clear();
        hit = 0;
        enbl_key[1] = 1;
        enbl_x[1] = c.x;
        enbl_y[1] = c.y;
        for (int n = 0; n < 4; n++) {
            bl_key[n] = 1;
            bl_x[n] = 10 + 40 * n;
            bl_y[n] = 300;
        }
        mub_enhit_check(kNoDc);
        EXPECT_EQ(mub_entask_no, c.hits ? 1 : 0) << c.x << "," << c.y;
        EXPECT_EQ(hit, c.hits ? 1 : 0);
        EXPECT_EQ(enbl_key[1], c.hits ? 0 : 1);
        EXPECT_EQ(bl_key[0], c.hits ? 0 : 1) << "slot 0 goes, even in flight";
        if (c.hits) {
            EXPECT_EQ(bl_x[0], -50);
            EXPECT_EQ(bl_y[0], -30);
        }
        for (int n = 1; n < 4; n++) EXPECT_EQ(bl_key[n], 1);
    }

    // No harm from a landed pile, from a dying crab's shot, or from the boss's
    // shot while the boss is knocked out.
    mub_work_clear();
    enbl_key[0] = 2;
    enbl_x[0] = 250;
    enbl_y[0] = 490;
    enbl_key[1] = 1;
    enbl_x[1] = 250;
    enbl_y[1] = 490;
    mub_task_no[1] = 1;
    enb_bl_key = 1;
    enb_bl_x = 250;
    enb_bl_y = 490;
    mub_task_no[3] = 5;
    mub_enhit_check(kNoDc);
    EXPECT_EQ(mub_entask_no, 0);
    mub_task_no[3] = 4;
    mub_enhit_check(kNoDc);
    EXPECT_EQ(mub_entask_no, 1);
}

TEST_F(ShootingRules, HurtAnimationLastsTenTicksAndHitsDuringItCount)
{
    mub_entask_no = 1;
    for (int t = 1; t <= 9; t++) {
        mub_enhit_check(kNoDc);
        ASSERT_EQ(wait_t, t);
        ASSERT_EQ(mub_entask_no, 1);
    }
    mub_enhit_check(kNoDc);
    EXPECT_EQ(mub_entask_no, 2);
    EXPECT_EQ(wait_t, 0);

    // A hit during the animation stops it; wait_t keeps its value.
    mub_entask_no = 3;
    wait_t = 4;
    enbl_key[0] = 1;
    enbl_x[0] = 250;
    enbl_y[0] = 490;
    mub_enhit_check(kNoDc);
    EXPECT_EQ(mub_entask_no, 4);
    EXPECT_EQ(wait_t, 4);

    // Two piles on one tick at 4 give 6.
    for (int e : {0, 2}) {
        enbl_key[e] = 1;
        enbl_x[e] = 260;
        enbl_y[e] = 485;
    }
    hit = 0;
    mub_enhit_check(kNoDc);
    EXPECT_EQ(mub_entask_no, 6);
    EXPECT_EQ(hit, 2);
}

// ---- round reset and score ----

TEST_F(ShootingRules, WorkClearResetsTheBoardAndNothingElse)
{
    for (const mub::game::GameGlobal &g : mub::game::game_globals()) {
        if (std::string(g.area) != "shooting" || g.constant)
            continue;
        int *p = static_cast<int *>(const_cast<void *>(g.data));
        for (size_t i = 0; i < std::max<size_t>(g.count, 1); i++) p[i] = 777;
    }
    win = 3, lose = 1, hit = 9, so_flg = 0, sa = 5, b_sa = 4;
    mub_work_clear();

    EXPECT_EQ(mub_pl_x, 250);
    EXPECT_EQ(mub_pl_y, 480);
    for (int e = 0; e < 3; e++) {
        EXPECT_EQ(mub_en_x[e], 100 + 150 * e);
        EXPECT_EQ(mub_en_y[e], 120 + 60 * e);
        EXPECT_EQ(en_puu[e], 0);
        EXPECT_EQ(enbl_x[e], -30);
        EXPECT_EQ(enbl_y[e], -30);
        EXPECT_EQ(enbl_puu[e], 0);
        EXPECT_EQ(enbl_key[e], 0);
    }
    EXPECT_EQ(en_flg[0], 0);
    EXPECT_EQ(en_flg[1], 1);
    EXPECT_EQ(en_flg[2], 0);
    EXPECT_EQ(mub_enb_x, 250);
    EXPECT_EQ(mub_enb_y, 60);
    EXPECT_EQ(enb_flg, 1);
    EXPECT_EQ(enb_puu, 0);
    EXPECT_EQ(enb, 0);
    for (int i = 0; i < 4; i++) {
        EXPECT_EQ(bl_x[i], -30);
        EXPECT_EQ(bl_y[i], -30);
        EXPECT_EQ(bl_puu[i], 0);
        EXPECT_EQ(bl_key[i], 0);
        EXPECT_EQ(mub_task_no[i], 0);
    }
    EXPECT_EQ(enb_bl_x, -30);
    EXPECT_EQ(enb_bl_y, -30);
    EXPECT_EQ(enb_bl_puu, 0);
    EXPECT_EQ(enb_bl_key, 0);
    EXPECT_EQ(mub_entask_no, 0);
    EXPECT_EQ(wait_t, 0);

    for (int v : {mub_pl_no, mub_pl_before_x, mub_pl_before_y, bl_before_x[0], bl_before_y[3],
                  mub_en_before_x[1], mub_en_before_y[2], mub_enb_before_x, mub_enb_before_y,
                  enbl_before_x[0], enbl_before_y[1], enbl_xn[2], enbl_yn[0], b_wait[1], enb_bl_before_x,
                  enb_bl_before_y, enb_bl_xn, enb_bl_yn, b_b_wait, en_wait[0], en_wait[2], enb_wait,
                  ti_before_y[0], mub_score, mub_rank})
        EXPECT_EQ(v, 777);
    EXPECT_EQ(win, 3);
    EXPECT_EQ(lose, 1);
    EXPECT_EQ(hit, 9);
    EXPECT_EQ(so_flg, 0);
    EXPECT_EQ(sa, 5);
    EXPECT_EQ(b_sa, 4);
}

TEST_F(ShootingRules, ScoreAndRank)
{
    struct Case {
        int win, lose, hit, score, rank;
    } cases[] = {
        {5, 0, 4, 88, 4}, {5, 0, 0, 100, 5}, {3, 2, 6, 0, 0}, {4, 1, 3, 0, 0},
        {5, 0, 34, 0, 0}, {5, 0, 3, 91, 5}, {5, 0, 24, 28, 1}, {0, 5, 15, 0, 0},
    };
    main_key = mub_GAMEOVER_END;  // any other scene only computes the score
    for (const auto &c : cases) {
        win = c.win, lose = c.lose, hit = c.hit;
        mub_hantei_ctrl(kNoDc);
        EXPECT_EQ(mub_score, c.score) << c.win << "/" << c.lose << "/" << c.hit;
        EXPECT_EQ(mub_rank, c.rank);
    }
}

}  // namespace

namespace {

// ---- the play step ----

TEST_F(ShootingRules, DifficultyFollowsTheRoundsWon)
{
    const int expected[5][2] = {{0, 0}, {2, 2}, {4, 3}, {5, 4}, {6, 6}};
    for (int w = 0; w < 5; w++) {
        mub_work_clear();
        win = w;
        lose = 0;
        mub_game_ctrl(kNoDc);
        EXPECT_EQ(sa, expected[w][0]) << "win " << w;
        EXPECT_EQ(b_sa, expected[w][1]) << "win " << w;
    }
    mub_work_clear();
    win = 1;
    lose = 3;  // losses do not count
    mub_game_ctrl(kNoDc);
    EXPECT_EQ(sa, 2);
    EXPECT_EQ(b_sa, 2);
}

TEST_F(ShootingRules, WonPauseFreezesTheBoardAndCountsOnFromTheHurtAnimation)
{
    mub_task_no[0] = mub_task_no[1] = mub_task_no[2] = 2;
    mub_task_no[3] = 6;
    mub_entask_no = 1;  // hurt animation running
    wait_t = 3;
    bl_key[2] = 1;
    bl_y[2] = 300;
    mub_pl_before_x = 123;
    mub_pl_x = 210;
    mub_game_ctrl(kNoDc);
    mub_game_ctrl(kNoDc);
    EXPECT_EQ(wait_t, 5) << "the box would come on the next tick";
    EXPECT_EQ(mub_entask_no, 1) << "the damage counter stays odd";
    EXPECT_EQ(bl_y[2], 300) << "nothing moves during the pause";
    EXPECT_EQ(mub_pl_before_x, 123);
    EXPECT_EQ(win, 0);
}

}  // namespace
