// Inputs the simulator cannot use are refused before the run: a message,
// exit status 2 and no output file.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/sim.h"

namespace fs = std::filesystem;

TEST(BadInput, ADirectoryGivenAsTheScriptIsRefused) {
    const fs::path dir = fs::temp_directory_path() / "mub-robustness-script-dir";
    fs::create_directories(dir);
    mubtest::SimOptions o;
    o.extra_args = {"--script", dir.string()};
    mubtest::SimRun r = mubtest::run_sim(5, o);
    EXPECT_EQ(r.exit_status, 2);
    EXPECT_NE(r.stderr_text.find("script"), std::string::npos) << r.stderr_text;
    EXPECT_TRUE(r.state.is_null());
    fs::remove_all(dir);
}
