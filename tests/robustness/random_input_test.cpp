// Random input through the simulator: whatever is pressed, typed, exposed or
// resized, every tick leaves the program in a state its rules allow, with
// its 35 bitmaps as the only live GDI objects, and quitting frees them all.
#include <gtest/gtest.h>

#include <string>

#include "mubmub.h"
#include "support/sim.h"

using mubtest::run_sim;
using mubtest::SimOptions;
using mubtest::SimRun;

namespace {

constexpr int kBitmaps = 35;

SimRun random_run(uint32_t seed, int ticks, const std::string &script = "") {
    SimOptions o;
    o.random_seed = seed;
    o.trace = true;
    o.script = script;
    return run_sim(ticks, o);
}

int in(const nlohmann::json &j, const char *name) { return j.at(name).get<int>(); }

// The bounds every tick must keep, whatever the scene.
void expect_sane_tick(const nlohmann::json &t) {
    const int tick = in(t, "tick");
    SCOPED_TRACE("tick " + std::to_string(tick));
    EXPECT_EQ(in(t, "gdi_objects"), kBitmaps);
    EXPECT_GE(in(t, "main_key"), TITLE_SCREEN);
    EXPECT_LE(in(t, "main_key"), mub2_GAMEOVER_END);
    EXPECT_GE(in(t, "mub_pl_x"), 18);
    EXPECT_LE(in(t, "mub_pl_x"), 520);
    EXPECT_GE(in(t, "mub2_pl_no"), 0);
    EXPECT_LE(in(t, "mub2_pl_no"), 4);
    EXPECT_TRUE(in(t, "setu") == 0 || in(t, "setu") == 1);
    EXPECT_GE(in(t, "story_page"), 0);
    EXPECT_GE(in(t, "hit"), 0);
    for (const auto &k : t.at("bl_key")) EXPECT_TRUE(k >= 0 && k <= 2) << "bl_key";
    for (const auto &k : t.at("enbl_key")) EXPECT_TRUE(k >= 0 && k <= 3) << "enbl_key";
}

}  // namespace

// Seeds that reach both games (through the dialog and the story) from a
// fresh start, and keep every bound on every tick.
TEST(RandomInput, EveryTickKeepsTheBoundsAndOnlyTheBitmapsLive) {
    for (uint32_t seed : {3u, 4u, 8u}) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        const int ticks = 3000;
        SimRun r = random_run(seed, ticks);
        ASSERT_EQ(r.exit_status, 0) << r.stderr_text;
        ASSERT_FALSE(r.trace.empty());
        int failures = 0;
        for (const auto &t : r.trace) {
            expect_sane_tick(t);
            if (::testing::Test::HasFailure() && ++failures > 3) break;  // one broken run, not thousands of lines
        }
        if (in(r.state, "quit") == 0) {
            EXPECT_EQ(in(r.state, "tick"), ticks);
        }
    }
}

// Escape in the middle of random play ends the program with status 0 and
// every bitmap freed, even with a button held and a box pending.
TEST(RandomInput, EscapeMidPlayFreesEveryObject) {
    for (int at : {40, 300, 1200}) {
        SCOPED_TRACE("escape after tick " + std::to_string(at));
        SimRun r = random_run(99, at + 50, std::to_string(at) + " ldown\n" + std::to_string(at) + " key Escape\n");
        ASSERT_EQ(r.exit_status, 0) << r.stderr_text;
        EXPECT_TRUE(r.state.at("quit").get<bool>());
        EXPECT_EQ(in(r.state, "exit_code"), 0);
        EXPECT_EQ(in(r.state, "gdi_objects"), 0);
    }
}
