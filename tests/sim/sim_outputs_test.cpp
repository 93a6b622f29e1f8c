// What stands at an output's path is never harmed: special files are written
// in place or refused, links and planted names are not followed, and a run
// that cannot write every output writes none. Bad input is bounded.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

// A fresh folder per test, removed with everything in it.
class SimOutputs : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(temp_.path().empty());
        std::ofstream(dir_ / "script") << "0 answer 1001\n";
    }
    // Runs the simulator through the shell, in the test's folder, after the
    // shell commands in `before`; the exit status.
    int sim(const std::string &args, const std::string &before = "") {
        const std::string cmd = "cd '" + dir_.string() + "' && " + before + "exec " MUB_SIM_PATH
                                " --ticks 5 --script script " + args + " 2>stderr.txt";
        const int status = std::system(("bash -c \"" + cmd + "\"").c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    std::string read(const char *name) {
        std::ifstream in(dir_ / name, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    // Every entry of the folder, as "name:type", for "nothing else appeared".
    std::string listing() {
        std::string out;
        for (const auto &e : fs::directory_iterator(dir_))
            if (e.path().filename() != "stderr.txt") out += e.path().filename().string() + " ";
        return out;
    }
    mubtest::TempDir temp_{"mub-outputs"};
    const fs::path &dir_ = temp_.path();
};

TEST_F(SimOutputs, SpecialFilesAreWrittenInPlaceAndNeverReplaced) {
    // A character device behaves like /dev/null; without root a FIFO with a
    // reader stands in for it.
    const bool root = ::geteuid() == 0;
    if (root)
        ASSERT_EQ(::mknod((dir_ / "node").c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);
    else
        ASSERT_EQ(::mkfifo((dir_ / "node").c_str(), 0666), 0);
    EXPECT_EQ(sim("--state node", root ? "" : "(cat node >/dev/null &) && "), 0) << read("stderr.txt");
    struct stat st;
    ASSERT_EQ(::lstat((dir_ / "node").c_str(), &st), 0);
    EXPECT_TRUE(root ? S_ISCHR(st.st_mode) : S_ISFIFO(st.st_mode));
    // A failed write is an error, not a success.
    EXPECT_EQ(sim("--state /dev/full"), 2);
    EXPECT_NE(read("stderr.txt").find("/dev/full"), std::string::npos);
}

TEST_F(SimOutputs, LinksAreKeptAndPlantedNamesNotFollowed) {
    std::ofstream(dir_ / "victim") << "victim";
    std::ofstream(dir_ / "real.json") << "old";
    fs::create_symlink("real.json", dir_ / "link.json");
    // The temporary name this run will try first already points at the victim.
    const std::string cmd = "cd '" + dir_.string() + "' && ln -s victim st.json.partial-$$ && exec " MUB_SIM_PATH
                            " --ticks 5 --script script --state st.json --trace link.json";
    ASSERT_EQ(std::system(("bash -c \"" + cmd + "\"").c_str()), 0);
    EXPECT_EQ(read("victim"), "victim");
    EXPECT_EQ(read("st.json").substr(0, 1), "{");
    EXPECT_TRUE(fs::is_symlink(dir_ / "link.json"));
    EXPECT_EQ(read("real.json").substr(0, 1), "{");
}

TEST_F(SimOutputs, RefusedBeforeTheRunLeavingEverythingAsItWas) {
    fs::create_directory(dir_ / "folder");
    std::ofstream(dir_ / "kept.json") << "kept";
    const struct {
        const char *args;
        const char *detail;
    } cases[] = {
        {"--state new.json --screenshot folder", "directory"},
        {"--state new.json --trace folder", "directory"},
        {"--state kept.json --trace kept.json", "same file"},
        {"--state kept.json --trace ./folder/../kept.json", "same file"},
        {"--state new.json --trace new.json", "same file"},
        {"--state script", "script"},
        {"--state missing/new.json", "No such file"},
    };
    const std::string before = listing();
    for (const auto &c : cases) {
        EXPECT_EQ(sim(c.args), 2) << c.args;
        EXPECT_NE(read("stderr.txt").find(c.detail), std::string::npos) << c.args << ": " << read("stderr.txt");
        EXPECT_EQ(listing(), before) << c.args;
        EXPECT_EQ(read("kept.json"), "kept") << c.args;
    }
}

TEST_F(SimOutputs, SignalsLeaveNoPartialFiles) {
    const std::string cmd = "cd '" + dir_.string() + "' && (" MUB_SIM_PATH
                            " --ticks 1000000 --random 7 --trace t.jsonl --state s.json & pid=$!; "
                            "while ! ls t.jsonl.partial-* >/dev/null 2>&1; do sleep 0.05; done; "
                            "kill -TERM $pid; wait $pid; echo $? > status)";
    ASSERT_EQ(std::system(("bash -c '" + cmd + "'").c_str()), 0);
    EXPECT_EQ(read("status"), "143\n");  // ended by SIGTERM
    EXPECT_EQ(listing().find("partial"), std::string::npos) << listing();
}

TEST_F(SimOutputs, EndlessOrUnreadableScriptsAreRefused) {
    const struct {
        const char *input;  // what the script comes from
        const char *detail;
    } cases[] = {
        {"--script /dev/zero", "longer than 4096 bytes"},
        {"--script - < /", "Is a directory"},
        {"--script - <&-", "standard input"},
    };
    for (const auto &c : cases) {
        // Within 200 MB of address space: the reader holds a line, not the input.
        const std::string cmd = "cd '" + dir_.string() + "' && ulimit -v 200000 && " MUB_SIM_PATH " --ticks 5 " +
                                c.input + " --state s.json 2>stderr.txt";
        const int status = std::system(("bash -c '" + cmd + "'").c_str());
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2) << c.input;
        EXPECT_NE(read("stderr.txt").find(c.detail), std::string::npos) << c.input << ": " << read("stderr.txt");
        EXPECT_FALSE(fs::exists(dir_ / "s.json")) << c.input;
    }
}

}  // namespace
