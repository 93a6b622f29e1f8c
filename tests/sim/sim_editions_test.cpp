// The simulator's editions: chosen by --lang, else by the script's header,
// else by the locale variables;
// both play the same game, tick for tick, in their own words.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "tests/support/sim.h"

namespace {

using mubtest::run_sim;
using mubtest::SimOptions;

const char *const kJapaneseFirstLine = "誰も知らない 海の底は、";
const char *const kEnglishFirstLine = "Deep on the sea floor, where no one goes,";

std::string file_text(const std::string &path) {
    std::ifstream in(path);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace

TEST(SimEditions, LangElseTheLocaleVariablesChooseTheEdition) {
    struct Case {
        std::vector<std::string> args, env;
        const char *first_line;
        std::string script{};  // a recording's header names its edition
    };
    const Case cases[] = {
        {{}, {}, kJapaneseFirstLine},
        {{}, {"LANG=C"}, kJapaneseFirstLine},
        {{}, {"LANG=ja_JP.UTF-8"}, kJapaneseFirstLine},
        {{}, {"LANG=en_US.UTF-8"}, kEnglishFirstLine},
        {{}, {"LANG=de_DE.UTF-8"}, kEnglishFirstLine},
        {{}, {"LANG=ja_JP.UTF-8", "LC_MESSAGES=fr_FR.UTF-8"}, kEnglishFirstLine},
        {{}, {"LANG=en_US.UTF-8", "LC_ALL=ja_JP.UTF-8"}, kJapaneseFirstLine},
        {{}, {"LC_ALL=C", "LANGUAGE=en"}, kEnglishFirstLine},
        {{"--lang", "ja"}, {"LANGUAGE=en", "LANG=en_US.UTF-8"}, kJapaneseFirstLine},
        {{"--lang", "en"}, {"LANG=ja_JP.UTF-8"}, kEnglishFirstLine},
        {{}, {"LANG=ja_JP.UTF-8"}, kEnglishFirstLine, "lang en\n"},
        {{"--lang", "ja"}, {}, kJapaneseFirstLine, "lang en\n"},
    };
    for (const Case &c : cases) {
        SimOptions o;
        o.extra_args = c.args;
        o.env = c.env;
        o.script = c.script;
        const auto run = run_sim(1, o);
        ASSERT_EQ(run.exit_status, 0) << run.stderr_text;
        EXPECT_EQ(run.state["story_text"][0], c.first_line) << (c.env.empty() ? "" : c.env.back());
    }
    for (const std::vector<std::string> &bad :
         {std::vector<std::string>{"--lang", "de"}, {"--lang"}, {"--lang", "en", "--lang", "en"}}) {
        SimOptions o;
        o.extra_args = bad;
        const auto run = run_sim(1, o);
        EXPECT_EQ(run.exit_status, 2) << bad.size();
        EXPECT_TRUE(run.state.is_null());
        EXPECT_NE(run.stderr_text.find("--lang"), std::string::npos) << run.stderr_text;
    }
}

// The whole story and a won series: every global equal on every tick but
// the story's lines, which are the edition's.
TEST(SimEditions, BothEditionsPlayTheSameGameTickForTick) {
    for (const char *script : {"/bench/story.script", "/tests/shooting/winning_series.script"}) {
        SCOPED_TRACE(script);
        const std::string text = file_text(std::string(MUB_SOURCE_DIR) + script);
        const int ticks = std::string(script).find("story") != std::string::npos ? 9642 : 2430;
        SimOptions ja, en;
        ja.script = en.script = text;
        ja.trace = en.trace = true;
        ja.extra_args = {"--lang", "ja"};
        en.extra_args = {"--lang", "en"};
        auto a = run_sim(ticks, ja), b = run_sim(ticks, en);
        ASSERT_EQ(a.exit_status, 0) << a.stderr_text;
        ASSERT_EQ(b.exit_status, 0) << b.stderr_text;
        ASSERT_EQ(a.trace.size(), size_t(ticks));
        ASSERT_EQ(a.trace.size(), b.trace.size());
        EXPECT_EQ(b.trace[0]["story_text"][22], "forever and ever!!");
        for (size_t t = 0; t < a.trace.size(); ++t) {
            EXPECT_NE(a.trace[t]["story_text"], b.trace[t]["story_text"]);
            a.trace[t].erase("story_text");
            b.trace[t].erase("story_text");
            ASSERT_EQ(a.trace[t], b.trace[t]) << "tick " << t + 1;
        }
    }
}
