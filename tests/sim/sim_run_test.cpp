// What a run of mubmub-sim reports, and when scripted events arrive.
//
// The title screen gives exact handles on timing: its logo state sets
// ti_key to 4 on tick 52, the selection dialog opens during tick 53, and a
// press between the two skips the dialog.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <unistd.h>

#include "tests/support/sim.h"

namespace {

using mubtest::run_sim;
using mubtest::SimOptions;

constexpr int kTickTitleWaitsForPress = 52;  // ti_key is 4 after this tick
constexpr int kTickDialogOpens = 53;
const char *const kDialogCaption = "ゲームを選択して下さい";

SimOptions script(const std::string &text, bool trace = false) {
    SimOptions o;
    o.script = text;
    o.trace = trace;
    return o;
}

TEST(SimRun, StateHoldsTheGameGlobalsAndTheRunFacts) {
    const auto run = run_sim(10);
    ASSERT_EQ(run.exit_status, 0) << run.stderr_text;
    const auto &s = run.state;
    ASSERT_TRUE(s.is_object());
    EXPECT_EQ(s["tick"], 10);
    EXPECT_EQ(s["quit"], false);
    EXPECT_EQ(s["exit_code"], 0);
    EXPECT_TRUE(s["modal"].is_null());
    EXPECT_TRUE(s["gdi_objects"].is_number_integer());
    // Globals of every folder, ints as ints, arrays as lists, handles as 0/1.
    EXPECT_EQ(s["main_key"], 0);
    EXPECT_EQ(s["story_page"], 0);
    EXPECT_EQ(s["r_hit"], 25);
    EXPECT_EQ(s["hbmp_ti"], 1);
    ASSERT_TRUE(s["story_hbmp"].is_array());
    EXPECT_EQ(s["story_hbmp"].size(), 8u);
    for (const auto &h : s["story_hbmp"]) EXPECT_EQ(h, 1);
    EXPECT_EQ(s["mub2_entask_no"], nlohmann::json::parse("[3, 3]"));
    EXPECT_TRUE(s.contains("ti_key"));
    EXPECT_TRUE(s.contains("mub_pl_x"));
    EXPECT_TRUE(s.contains("mub2_pl_no"));
    // Character arrays as their text in UTF-8.
    EXPECT_EQ(s["szAppName"], "appri_name");
    ASSERT_EQ(s["story_text"].size(), 23u);
    EXPECT_EQ(s["story_text"][0], "誰も知らない 海の底は、");
}

TEST(SimRun, ZeroTicksStopsBeforeTheFirstTick) {
    const auto run = run_sim(0);
    ASSERT_EQ(run.exit_status, 0) << run.stderr_text;
    EXPECT_EQ(run.state["tick"], 0);
    EXPECT_EQ(run.state["quit"], false);
}

TEST(SimRun, TraceHasOneObjectPerTickInOrder) {
    const auto run = run_sim(30, script("", true));
    ASSERT_EQ(run.exit_status, 0) << run.stderr_text;
    ASSERT_EQ(run.trace.size(), 30u);
    for (size_t i = 0; i < run.trace.size(); ++i) EXPECT_EQ(run.trace[i]["tick"], int(i) + 1);
    // The figures take an 8-pixel step on every second tick of the walk.
    EXPECT_EQ(run.trace[0]["pl_x"], 150);
    EXPECT_EQ(run.trace[1]["pl_x"], 158);
    EXPECT_EQ(run.trace[2]["pl_x"], 158);
    EXPECT_EQ(run.trace.back(), run.state);
}

TEST(SimRun, AnEventForTickTArrivesAfterTickTAndBeforeTheNext) {
    // A press after tick 52 finds ti_key 4 and skips the dialog: no answer
    // is needed, tick 53 leaves the title, tick 54 applies the old choice (0).
    const auto in_time = run_sim(60, script(std::to_string(kTickTitleWaitsForPress) + " lclick\n", true));
    ASSERT_EQ(in_time.exit_status, 0) << in_time.stderr_text;
    ASSERT_EQ(in_time.trace.size(), 60u);
    EXPECT_EQ(in_time.trace[51]["ti_key"], 4);
    EXPECT_EQ(in_time.trace[52]["main_key"], 1);  // TITLE_END after tick 53
    EXPECT_EQ(in_time.trace[53]["main_key"], 0);  // back to the title after tick 54

    // One tick earlier the press lands in the logo state and does nothing,
    // so the dialog opens unanswered.
    const auto early = run_sim(60, script(std::to_string(kTickTitleWaitsForPress - 1) + " rclick\n"));
    EXPECT_EQ(early.exit_status, 3) << early.stderr_text;
}

TEST(SimRun, AnUnansweredBoxEndsTheRunNamingTickAndCaption) {
    const auto run = run_sim(100);
    EXPECT_EQ(run.exit_status, 3);
    EXPECT_NE(run.stderr_text.find("tick " + std::to_string(kTickDialogOpens)), std::string::npos)
        << run.stderr_text;
    EXPECT_NE(run.stderr_text.find(kDialogCaption), std::string::npos) << run.stderr_text;
    EXPECT_TRUE(run.state.is_null());
}

TEST(SimRun, AnAnswerTheBoxCannotTakeIsAnError) {
    const auto run = run_sim(100, script("0 answer yes\n"));
    EXPECT_EQ(run.exit_status, 3);
    EXPECT_NE(run.stderr_text.find("yes"), std::string::npos) << run.stderr_text;
    EXPECT_NE(run.stderr_text.find(kDialogCaption), std::string::npos) << run.stderr_text;
}

TEST(SimRun, AnswersAreTakenInOrderAndLeadsReachTheirScenes) {
    struct Case {
        mubtest::Lead lead;
        int sel_key;
    };
    for (const Case &c : {Case{mubtest::lead_to_story(), 2}, Case{mubtest::lead_to_shooting(), 5},
                          Case{mubtest::lead_to_whack(), 13}}) {
        const auto run = run_sim(c.lead.ticks, script(c.lead.script, true));
        ASSERT_EQ(run.exit_status, 0) << run.stderr_text;
        EXPECT_EQ(run.state["sel_key"], c.sel_key);
        EXPECT_EQ(run.state["main_key"], c.sel_key);
        ASSERT_EQ(int(run.trace.size()), c.lead.ticks);
        EXPECT_EQ(run.trace[c.lead.ticks - 3]["main_key"], 1);  // TITLE_END two ticks before
        EXPECT_EQ(run.trace[c.lead.ticks - 2]["main_key"], c.sel_key);
    }
}

TEST(SimRun, EscapeAndTheCloseBoxEndTheProgramWithCodeZero) {
    for (const char *line : {"5 key Escape\n", "5 close\n"}) {
        const auto run = run_sim(50, script(line));
        ASSERT_EQ(run.exit_status, 0) << line << run.stderr_text;
        EXPECT_EQ(run.state["quit"], true) << line;
        EXPECT_EQ(run.state["exit_code"], 0) << line;
        EXPECT_EQ(run.state["tick"], 5) << line;
        EXPECT_EQ(run.state["gdi_objects"], 0) << line;  // every bitmap freed, no DC left
    }
}

TEST(SimRun, ScreenshotIsTheClientAreaAndFollowsResizes) {
    SimOptions o;
    o.screenshot = true;
    const auto run = run_sim(3, o);
    ASSERT_EQ(run.exit_status, 0) << run.stderr_text;
    ASSERT_TRUE(run.screenshot.has_value());
    EXPECT_EQ(run.screenshot->width, 592);
    EXPECT_EQ(run.screenshot->height, 543);
    // The two figures of the title walk are on the black screen.
    int lit = 0;
    for (uint32_t p : run.screenshot->pixels) lit += p != 0;
    EXPECT_GT(lit, 100);

    o.script = "1 resize 400 300\n";
    const auto resized = run_sim(3, o);
    ASSERT_EQ(resized.exit_status, 0) << resized.stderr_text;
    ASSERT_TRUE(resized.screenshot.has_value());
    EXPECT_EQ(resized.screenshot->width, 400);
    EXPECT_EQ(resized.screenshot->height, 300);
}

TEST(SimRun, RandomInputIsDeterministicPerSeedAndAnswersBoxes) {
    auto random_run = [](uint32_t seed) {
        SimOptions o;
        o.random_seed = seed;
        o.trace = true;
        return run_sim(400, o);
    };
    const auto a = random_run(7), b = random_run(7), c = random_run(8);
    ASSERT_EQ(a.exit_status, 0) << a.stderr_text;
    ASSERT_EQ(b.exit_status, 0) << b.stderr_text;
    ASSERT_EQ(c.exit_status, 0) << c.stderr_text;
    EXPECT_EQ(a.state, b.state);
    EXPECT_EQ(a.trace, b.trace);
    EXPECT_NE(a.trace, c.trace);
    // The run went past the selection dialog without a scripted answer.
    EXPECT_GT(a.trace.size(), size_t(kTickDialogOpens));
}

// "Every press counts" changes the game, so a run takes it as the desktop
// does: quick presses of one button in the shooting game each step instead
// of every second one being a double click, which the game ignores.
TEST(SimRun, EveryPressCountsMakesEachQuickPressAStep) {
    const std::string to_play = mubtest::lead_to_shooting().script +
                                "56 lclick\n58 rclick\n59 lclick\n59 answer no\n60 answer ok\n";
    const std::string presses = "80 lclick\n81 lclick\n82 lclick\n83 lclick\n";  // 32 ms apart
    struct Case {
        std::vector<std::string> args;
        int x;  // the player started at 250
    };
    const Case cases[] = {{{}, 170}, {{"--every-press-counts"}, 90}};
    for (const Case &c : cases) {
        SimOptions o = script(to_play + presses);
        o.extra_args = c.args;
        const auto run = run_sim(90, o);
        ASSERT_EQ(run.exit_status, 0) << run.stderr_text;
        EXPECT_EQ(run.state["mub_pl_x"], c.x) << (c.args.empty() ? "by default" : c.args[0]);
    }
}

TEST(SimRun, ScriptCanComeFromStandardInput) {
    namespace fs = std::filesystem;
    const fs::path state = fs::temp_directory_path() / ("mubsim-stdin-" + std::to_string(::getpid()) + ".json");
    const std::string cmd = std::string("printf '0 answer 1001\\n' | ") + MUB_SIM_PATH +
                            " --ticks 56 --script - --state " + state.string();
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    std::ifstream in(state);
    std::stringstream text;
    text << in.rdbuf();
    fs::remove(state);
    const auto s = nlohmann::json::parse(text.str());
    EXPECT_EQ(s["main_key"], 5);
}

}  // namespace
