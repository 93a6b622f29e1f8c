// A whole series won in the simulator by a player that aims (the recorded
// play in winning_series.script): rounds end only when every crab and the
// boss are down, each win raises the difficulty from the next tick on, and
// the result scores the wins less the hits taken.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "shooting_sim_util.h"

using namespace shootingtest;

namespace {

constexpr int kSa[5] = {0, 2, 4, 5, 6};  // crab and boss speed-up after 0..4 wins
constexpr int kBSa[5] = {0, 2, 3, 4, 6};  // enemy shots' speed-up

std::string winning_play()
{
    std::ifstream in(std::string(MUB_SOURCE_DIR) + "/tests/shooting/winning_series.script");
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class ShootingWins : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        play_ = winning_play();
        run_ = mubtest::run_sim(2440, opts(play_, true));
        int before = 0;
        for (const auto &st : run_.trace) {
            const int t = st["tick"].get<int>();
            if (st["win"].get<int>() > before)
                wins_.push_back(t);
            before = st["win"].get<int>();
            if (game_end_ < 0 && st["main_key"] == 10)
                game_end_ = t;
        }
    }
    static inline std::string play_;
    static inline mubtest::SimRun run_;
    static inline std::vector<int> wins_;  // ticks that counted a win
    static inline int game_end_ = -1;      // the tick that handed over to the result
};

TEST_F(ShootingWins, EachRoundIsWonSixTicksAfterTheLastEnemyGoesDown)
{
    ASSERT_FALSE(play_.empty()) << "winning_series.script is missing";
    ASSERT_EQ(run_.exit_status, 0) << run_.stderr_text;
    ASSERT_EQ(wins_.size(), 5u) << "re-record with tests/shooting/aiming_player.py if the rules changed";
    for (int t : wins_) {
        SCOPED_TRACE(t);
        // The last of the four went down (crabs end at 2, the boss at 6 after
        // its three lives) and the board stood still for the pause.
        for (int e = 0; e < 3; e++)
            EXPECT_EQ(var(run_, t - 6, "mub_task_no", e), 2);
        EXPECT_EQ(var(run_, t - 6, "mub_task_no", 3), 6);
        EXPECT_EQ(var(run_, t - 1, "wait_t"), 5);
        EXPECT_EQ(var(run_, t - 1, "mub_enb_x"), var(run_, t - 6, "mub_enb_x"));
        for (int e = 0; e < 3; e++)
            EXPECT_EQ(var(run_, t - 1, "mub_en_x", e), var(run_, t - 6, "mub_en_x", e));
        // Then the board is set up afresh.
        for (int e = 0; e < 4; e++)
            EXPECT_EQ(var(run_, t, "mub_task_no", e), 0);
        EXPECT_EQ(var(run_, t, "mub_entask_no"), 0);
        EXPECT_EQ(var(run_, t, "lose"), 0);
    }
    for (const auto &st : run_.trace)
        ASSERT_LT(st["mub_entask_no"].get<int>(), 5) << "a round was lost at tick " << st["tick"];
}

TEST_F(ShootingWins, DifficultyRisesWithEachWinFromTheNextTick)
{
    ASSERT_EQ(wins_.size(), 5u);
    for (const auto &st : run_.trace) {
        if (st["main_key"] != 9)
            continue;
        const int t = st["tick"].get<int>();
        // The tick that counts a win ran at the old pace.
        const int w = st["win"].get<int>() - (std::count(wins_.begin(), wins_.end(), t) ? 1 : 0);
        ASSERT_EQ(st["sa"], kSa[w]) << "tick " << t;
        ASSERT_EQ(st["b_sa"], kBSa[w]) << "tick " << t;
    }
}

TEST_F(ShootingWins, TheRoundBoxCongratulates)
{
    ASSERT_FALSE(wins_.empty());
    const int t = wins_.front();
    // The same play with no answers queued stops at the first box, naming it.
    std::string unanswered;
    std::istringstream lines(play_);
    for (std::string line; std::getline(lines, line);)
        if (line.find("answer ok") == std::string::npos)
            unanswered += line + "\n";
    auto run = mubtest::run_sim(t + 5, opts(unanswered));
    EXPECT_NE(run.exit_status, 0);
    EXPECT_NE(run.stderr_text.find("tick " + std::to_string(t) + ": the box \"おめでとうございます！！\""),
              std::string::npos)
        << run.stderr_text;
}

TEST_F(ShootingWins, FiveWinsScoreAHundredLessThreePerHit)
{
    ASSERT_EQ(wins_.size(), 5u);
    ASSERT_EQ(game_end_, wins_.back());
    auto run = run_ok(game_end_ + 2, opts(play_, false, true));
    const int hits = run.state["hit"].get<int>();
    const int score = 100 - 3 * hits;
    const int rank = (score + 10) / 20;
    EXPECT_EQ(run.state["main_key"], 11);
    EXPECT_EQ(run.state["mub_score"], score);
    EXPECT_EQ(run.state["mub_rank"], rank);
    ASSERT_TRUE(run.screenshot);
    const auto &shot = *run.screenshot;
    EXPECT_GT(coloured(shot, Box{200, 100, 235, 150}), 0) << "wins: 5";
    EXPECT_GT(coloured(shot, Box{390, 100, 425, 150}), 0) << "losses: 0";
    const int heart_y = 450 - 32 * rank;
    EXPECT_GT(coloured(shot, Box{25, heart_y, 51, heart_y + 26}), 0) << "the heart at the rank " << rank << " line";
    EXPECT_EQ(coloured(shot, Box{25, 290, 51, heart_y}) + coloured(shot, Box{25, heart_y + 26, 51, 476}), 0)
        << "and at no other line";
}

}  // namespace
