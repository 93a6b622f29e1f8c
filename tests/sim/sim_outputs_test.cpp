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
    const std::string cmd = "cd '" + dir_.string() + "' && ln -s victim .mubmub-$$-0 && exec " MUB_SIM_PATH
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

// Signals ignored when the simulator starts stay ignored: a background job
// of a shell ignores SIGINT, and is not ended by it. (Under node, node itself
// resets them, so this holds natively only.)
TEST_F(SimOutputs, ASignalIgnoredAtStartStaysIgnored) {
    const std::string cmd = "cd '" + dir_.string() + "' && mkfifo f && trap '' INT && (" MUB_SIM_PATH
                            " --ticks 2000 --random 7 --trace f --state s.json & pid=\\$!; "
                            "exec 3<>f; timeout 30 head -c 1000 <&3 >/dev/null; kill -INT \\$pid; "
                            "timeout 60 cat <&3 >/dev/null & reader=\\$!; wait \\$pid; echo \\$? > status; "
                            "kill \\$reader)";
    ASSERT_EQ(std::system(("bash -c \"" + cmd + "\"").c_str()), 0);
    EXPECT_EQ(read("status"), "0\n");
    EXPECT_EQ(read("s.json").substr(0, 1), "{");
}

// The largest script the limits allow runs in bounded memory (events are
// handed to the program as it takes them); one event more is refused; and
// running out of memory is a message, with no file left behind.
TEST_F(SimOutputs, MemoryIsBoundedAndItsEndIsAMessage) {
    const struct {
        const char *run;
        int status;
        const char *detail;
    } cases[] = {
        {"yes '0 ldblclk' | head -n 10000000 | " MUB_SIM_PATH " --ticks 1 --script - --state s.json", 0, ""},
        {"yes '0 ldblclk' | head -n 10000001 | " MUB_SIM_PATH " --ticks 1 --script - --state s.json", 2,
         "line 10000001: more than 10000000 events"},
        {"printf '0 resize 8192 8192\\n0 answer 1000\\n' | " MUB_SIM_PATH
         " --ticks 3 --script - --state s.json --screenshot p.png", 2, "out of memory"},
    };
    for (const auto &c : cases) {
        // 300 MB of address space: a tenth of what the first run once took.
        const std::string cmd = "cd '" + dir_.string() + "' && rm -f s.json && ulimit -v 300000 && " + c.run +
                                " 2>stderr.txt";
        const int status = std::system(("bash -c \"" + cmd + "\"").c_str());
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == c.status) << c.run << ": " << read("stderr.txt");
        EXPECT_NE(read("stderr.txt").find(c.detail), std::string::npos) << c.run << ": " << read("stderr.txt");
        EXPECT_EQ(fs::exists(dir_ / "s.json"), c.status == 0) << c.run;
        EXPECT_FALSE(fs::exists(dir_ / "p.png")) << c.run;
        EXPECT_EQ(listing().find(".mubmub-"), std::string::npos) << c.run << ": " << listing();
    }
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
