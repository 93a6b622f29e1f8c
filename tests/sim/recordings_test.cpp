// Recordings made on the desktop (tests/recordings/, by the desktop tests
// with MUB_KEEP_RECORDINGS set) replay to the state the program ended in,
// which is kept beside each: the simulator needs nothing but the recording.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include <nlohmann/json.hpp>

#include "tests/support/sim.h"

namespace {

std::string read_text(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(Recordings, EachMadeOnTheDesktopReplaysToTheStateItEndedIn) {
    for (const char *name : {"whack-game", "shooting-round", "whack-box-escape"}) {
        SCOPED_TRACE(name);
        const std::string base = std::string(MUB_SOURCE_DIR) + "/tests/recordings/" + name;
        const nlohmann::json live = nlohmann::json::parse(read_text(base + ".state.json"), nullptr, false);
        ASSERT_TRUE(live.is_object());
        mubtest::SimOptions o;
        o.script = read_text(base + ".script");
        const auto run = mubtest::run_sim(-1, o);
        ASSERT_EQ(run.exit_status, 0) << run.stderr_text;
        EXPECT_EQ(run.state, live);
    }
}

}  // namespace
