// A bad command line or script line stops mubmub-sim before the run: exit
// status 2, a message naming the line and the fault, and no output file.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include <sys/wait.h>

#include "tests/support/sim.h"

namespace {

using mubtest::run_sim;
using mubtest::SimOptions;

struct BadLine {
    const char *script;
    int line;            // the line the message must name
    const char *detail;  // a word the message must contain
};

// Shown in test names and failures as the script itself.
void PrintTo(const BadLine &b, std::ostream *os) { *os << testing::PrintToString(std::string(b.script)); }

class BadScriptLine : public testing::TestWithParam<BadLine> {};

TEST_P(BadScriptLine, NamesTheLineExitsTwoAndWritesNothing) {
    const BadLine &p = GetParam();
    SimOptions o;
    o.script = p.script;
    o.trace = true;
    o.screenshot = true;
    const auto run = run_sim(20, o);
    EXPECT_EQ(run.exit_status, 2) << run.stderr_text;
    EXPECT_NE(run.stderr_text.find("line " + std::to_string(p.line) + ":"), std::string::npos) << run.stderr_text;
    EXPECT_NE(run.stderr_text.find(p.detail), std::string::npos) << run.stderr_text;
    EXPECT_TRUE(run.state.is_null());
    EXPECT_TRUE(run.trace.empty());
    EXPECT_FALSE(run.screenshot.has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Sim, BadScriptLine,
    testing::Values(BadLine{"# comment\n\n5 lclick\n7 jump\n", 4, "jump"},          // unknown event
                    BadLine{"lclick\n", 1, "lclick"},                                // tick missing
                    BadLine{"-1 lclick\n", 1, "-1"},                                 // negative tick
                    BadLine{"1x lclick\n", 1, "1x"},                                 // not a number
                    BadLine{"3\n", 1, "missing"},                                    // event missing
                    BadLine{"0 answer 1000\n2 lclick now\n", 2, "lclick"},           // stray argument
                    BadLine{"2 key\n", 1, "key"},                                    // key missing
                    BadLine{"2 key zz\n", 1, "zz"},                                  // two characters
                    BadLine{"2 key Enter\n", 1, "Enter"},                            // not a key name
                    BadLine{"2 expose 1 2 3\n", 1, "expose"},                        // three coordinates
                    BadLine{"2 expose 10 10 5 20\n", 1, "right"},                    // right before left
                    BadLine{"2 resize 0 300\n", 1, "0"},                             // empty client
                    BadLine{"2 resize 300\n", 1, "resize"},                          // height missing
                    BadLine{"1 lclick\n2 answer maybe\n", 2, "maybe"},               // not an answer
                    BadLine{"2 answer 1003\n", 1, "1003"},                           // not a button
                    BadLine{"5 \x1b[31mx\n", 1, "'\\x1b[31mx'"},                     // a control character, escaped
                    BadLine{"18446744073709551615 lclick\n", 1, "larger than the largest tick"}));

struct BadArgs {
    std::vector<std::string> args;
    const char *detail;
};

void PrintTo(const BadArgs &b, std::ostream *os)
{
    for (const auto &a : b.args) *os << a << ' ';
}

class BadArguments : public testing::TestWithParam<BadArgs> {};

TEST_P(BadArguments, ExitTwoWithAMessageAndWriteNothing) {
    SimOptions o;
    o.extra_args = GetParam().args;
    const auto run = run_sim(10, o);
    EXPECT_EQ(run.exit_status, 2) << run.stderr_text;
    EXPECT_NE(run.stderr_text.find(GetParam().detail), std::string::npos) << run.stderr_text;
    EXPECT_TRUE(run.state.is_null());
}

INSTANTIATE_TEST_SUITE_P(Sim, BadArguments,
                         testing::Values(BadArgs{{"--speed", "2"}, "--speed"},
                                         BadArgs{{"--ticks", "5"}, "twice"},
                                         BadArgs{{"--random"}, "needs a value"},
                                         BadArgs{{"--every-press-counts", "--every-press-counts"}, "twice"},
                                         BadArgs{{"--random", "-3"}, "-3"},
                                         BadArgs{{"--script", "/nonexistent/script.txt"}, "script"},
                                         BadArgs{{"--trace", "/nonexistent/dir/trace.jsonl"}, "trace.jsonl"}));

TEST(Sim, TicksAreRequiredAndMustBeANumber) {
    for (const char *cmd : {MUB_SIM_PATH " 2>/dev/null", MUB_SIM_PATH " --ticks ten 2>/dev/null"}) {
        const int status = std::system(cmd);
        ASSERT_TRUE(WIFEXITED(status)) << cmd;
        EXPECT_EQ(WEXITSTATUS(status), 2) << cmd;
    }
}

}  // namespace
