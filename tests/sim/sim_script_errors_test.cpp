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
    std::string script;
    int line;            // the line the message must name
    std::string detail;  // what the message must contain
};

// Shown in test names and failures as the script itself, cut.
void PrintTo(const BadLine &b, std::ostream *os) { *os << testing::PrintToString(b.script.substr(0, 60)); }

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

// A line of exactly `bytes` bytes (without its newline) holding one event.
std::string line_of(size_t bytes) { return "0 lclick" + std::string(bytes - 8, ' ') + "\n"; }

INSTANTIATE_TEST_SUITE_P(
    Sim, BadScriptLine,
    testing::Values(BadLine{"# comment\n\n5 lclick\n7 jump\n", 4, "jump"},          // unknown event
                    BadLine{"lclick\n", 1, "lclick"},                                // tick missing
                    BadLine{"-1 lclick\n", 1, "-1 is smaller than the smallest tick, 0"},
                    BadLine{"-9223372036854775809 lclick\n", 1, "smaller than the smallest tick"},
                    BadLine{"1x lclick\n", 1, "1x"},                                 // not a number
                    BadLine{"3\n", 1, "missing"},                                    // event missing
                    BadLine{"0 answer 1000\n2 lclick now\n", 2, "lclick"},           // stray argument
                    BadLine{"2 key\n", 1, "key"},                                    // key missing
                    BadLine{"2 key zz\n", 1, "zz"},                                  // two characters
                    BadLine{"2 key Enter\n", 1, "Enter"},                            // not a key name
                    BadLine{"2 expose 1 2 3\n", 1, "expose"},                        // three coordinates
                    BadLine{"2 expose 10 10 5 20\n", 1, "right"},                    // right before left
                    BadLine{"2 expose 0 0 1048577 5\n", 1, "'1048577' is not a coordinate"},
                    BadLine{"2 resize 0 300\n", 1, "0"},                             // empty client
                    BadLine{"2 resize 8193 300\n", 1, "'8193' is not a size from 1 to 8192"},
                    BadLine{"2 resize 300\n", 1, "resize"},                          // height missing
                    BadLine{"1 lclick\n2 answer maybe\n", 2, "maybe"},               // not an answer
                    BadLine{"2 answer 1003\n", 1, "1003"},                           // not a button
                    BadLine{"5 \x1b[31mx\n", 1, "'\\x1b[31mx'"},                     // a control character, escaped
                    BadLine{"5 x\x7fy\n", 1, "'x\\x7fy'"},                          // DEL too
                    // Text that reorders or hides itself, escaped.
                    BadLine{"5 ab\u202e\u200bcd\n", 1, "'ab\\u{202e}\\u{200b}cd'"},
                    // A byte-order mark past the start of the file is named.
                    BadLine{"0 lclick\n\xef\xbb\xbf" "5 lclick\n", 2, "'\\u{feff}5'"},
                    // 80 characters are shown, the 81st is cut.
                    BadLine{"5 " + std::string(80, 'x') + "\n", 1, "'" + std::string(80, 'x') + "'"},
                    BadLine{"5 " + std::string(81, 'x') + "\n", 1, "'" + std::string(80, 'x') + "…'"},
                    BadLine{line_of(4097), 1, "longer than 4096 bytes"},
                    BadLine{"1000000001 lclick\n", 1, "larger than the largest tick, 1000000000"},
                    BadLine{"18446744073709551615 lclick\n", 1, "larger than the largest tick"},
                    // A recording's forms: its header, its end, presses, keys, buttons held, before-paint.
                    BadLine{"0 lclick\nlang ja\n", 2, "'lang' belongs to the header, before the first event"},
                    BadLine{"lang fr\n", 1, "unknown edition 'fr' (ja or en)"},
                    BadLine{"lang ja\nlang en\n", 2, "the edition is named twice"},
                    BadLine{"setting fast\n", 1, "unknown setting 'fast'"},
                    BadLine{"5 end\n6 lclick\n", 2, "nothing may follow the end (line 1)"},
                    BadLine{"5 end\n5 end\n", 2, "nothing may follow the end"},
                    BadLine{"9 lclick\n5 end\n", 2, "the end, after tick 5, comes before tick 9 (line 1)"},
                    BadLine{"5 end now\n", 1, "'end' takes nothing but its tick"},
                    BadLine{"0 before-paint lclick\n", 1, "1 or more"},
                    BadLine{"3 before-paint answer yes\n", 1, "an answer cannot come before a paint"},
                    BadLine{"3 before-paint\n", 1, "an event is missing"},
                    BadLine{"5 ldown triple\n", 1, "plain or double, not 'triple'"},
                    BadLine{"5 key z z\n", 1, "unknown key 'z'"},
                    BadLine{"5 key Z zz\n", 1, "'zz'"},
                    BadLine{"5 key Z none shift\n", 1, "'shift'"},
                    BadLine{"5 key 0xFF none\n", 1, "unknown key '0xFF'"},
                    BadLine{"5 key 0x00 none\n", 1, "unknown key '0x00'"},
                    BadLine{"5 held some\n", 1, "not 'some'"},
                    BadLine{"5 answer later\n", 1, "cancel, 1000, 1001, 1002 or close"}));

// Scripts on every limit the README gives, and a byte-order mark at the start.
TEST(Sim, ScriptsOnTheLimitsRun) {
    const std::string cases[] = {
        "\xef\xbb\xbf" "0 answer 1000\n",
        line_of(4096),
        "1000000000 lclick\n",
        "0 expose -1048576 -1048576 1048576 1048576\n",
        "0 resize 1 1\n",
        "0 resize 8192 8192\n1 resize 592 543\n",
        "0 key 0xFE none alt\n0 key 0x01 space\n",
        "1 before-paint lclick\n",
        "0 lclick\n1000000000 end\n",
    };
    for (const std::string &script : cases) {
        SimOptions o;
        o.script = script;
        const auto run = run_sim(3, o);
        EXPECT_EQ(run.exit_status, 0) << testing::PrintToString(script.substr(0, 60)) << ": " << run.stderr_text;
        EXPECT_EQ(run.state["tick"], 3);
    }
}

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

TEST(Sim, TicksAreRequiredAndMustBeANumberUpToTheLargest) {
    const struct {
        const char *cmd;
        int status;
    } cases[] = {
        {MUB_SIM_PATH " 2>/dev/null", 2},
        {MUB_SIM_PATH " --ticks ten 2>/dev/null", 2},
        {MUB_SIM_PATH " --ticks 1000000001 2>/dev/null", 2},
        // The largest, in a run that Escape ends at once.
        {"echo '0 key Escape' | " MUB_SIM_PATH " --ticks 1000000000 --script - --state /dev/null", 0},
        // A script that names its end needs no --ticks; one that does not, does.
        {"echo '5 end' | " MUB_SIM_PATH " --script - --state /dev/null", 0},
        {"echo '5 lclick' | " MUB_SIM_PATH " --script - --state /dev/null 2>/dev/null", 2},
    };
    for (const auto &c : cases) {
        const int status = std::system(c.cmd);
        ASSERT_TRUE(WIFEXITED(status)) << c.cmd;
        EXPECT_EQ(WEXITSTATUS(status), c.status) << c.cmd;
    }
}

}  // namespace
