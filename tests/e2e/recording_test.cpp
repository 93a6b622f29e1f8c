// The desktop program recorded as a player plays it (xdotool on a virtual X
// display): the simulator replays each recording to the very state the
// program ended in, every global and the tick count, and so does the
// program's own replay in its window. Where the game stands during play is
// read from the recording itself, which is complete after every tick.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>

#include <nlohmann/json.hpp>

#include "tests/e2e/desktop_session.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace std::chrono_literals;
using namespace e2etest;
namespace fs = std::filesystem;

#ifdef MUB_DESKTOP_PATH
const std::string kProgram = MUB_DESKTOP_PATH;
#else
const std::string kProgram;
#endif

// Scenes (main_key) and the dialog's buttons, in game pixels.
constexpr int kShootingTitle = 5, kShootingInstructions = 7, kWhackTitle = 13, kWhackInstructions = 15,
              kWhackResult = 19;
constexpr int kButtonX = 262, kShootingY = 316, kWhackY = 436;

std::string read_text(const fs::path &p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

nlohmann::json read_json(const fs::path &p) { return nlohmann::json::parse(read_text(p), nullptr, false); }

size_t count(const std::string &text, const std::string &what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

class Recording : public testing::Test {
protected:
    void SetUp() override {
        if (kProgram.empty()) GTEST_SKIP() << "the desktop program is not built";
        if (!on_path("Xvfb") || !on_path("xdotool") || !on_path("import"))
            GTEST_SKIP() << "needs Xvfb, xdotool and ImageMagick's import";
        display_ = std::make_unique<VirtualDisplay>();
        ASSERT_FALSE(display_->name().empty()) << "Xvfb did not start";
        ASSERT_FALSE(dir_.path().empty());
    }

    // The program recording into recording.txt and writing state.json, with
    // its selection dialog open and the window focused.
    std::unique_ptr<DesktopGame> start_recording() {
        // At whole multiples the window opens at 1x here, so the clicks below land on game pixels.
        const std::vector<std::string> args = {"--scale", "integer", "--record", recording().string(), "--state",
                                               (dir_ / "state.json").string()};
        auto game = std::make_unique<DesktopGame>(kProgram, display_->name(), std::vector<std::string>{}, args);
        if (!game->started()) return game;
        if (!eventually([&] { return game->dialog_open(); }, 10s)) ADD_FAILURE() << "the dialog never opened";
        game->xdotool({"windowfocus", "--sync", "%w"});
        return game;
    }

    fs::path recording() const { return dir_ / "recording.txt"; }

    // The simulator's state after replaying `script` to its end line; null
    // when it cannot (a box the recording has not answered yet).
    nlohmann::json replayed(const fs::path &script) {
        const fs::path out = dir_ / "replayed.json";
        fs::remove(out);
        if (run_command({MUB_SIM_PATH, "--script", script.string(), "--state", out.string()}, {}) != 0) return nullptr;
        return read_json(out);
    }

    // Where the live game stands, as far as its recording goes.
    nlohmann::json now() { return replayed(recording()); }

    // Waits for the program to end by itself, then checks that the
    // simulator's replay ends where it did; keeps both files in
    // MUB_KEEP_RECORDINGS/<name>.* when that is set.
    void expect_replays_exactly(DesktopGame &game, const std::string &name) {
        const auto status = game.process().wait_for(10s);
        ASSERT_TRUE(status.has_value()) << "the program did not end";
        EXPECT_EQ(*status, 0);
        const nlohmann::json live = read_json(dir_ / "state.json");
        ASSERT_TRUE(live.is_object()) << "no --state was written";
        const std::string text = read_text(recording());
        EXPECT_NE(text.find("\n" + live["tick"].dump() + " end\n"), std::string::npos) << "the end line";
        EXPECT_EQ(replayed(recording()), live) << text;
        if (const char *keep = std::getenv("MUB_KEEP_RECORDINGS")) {
            fs::copy_file(recording(), fs::path(keep) / (name + ".script"), fs::copy_options::overwrite_existing);
            fs::copy_file(dir_ / "state.json", fs::path(keep) / (name + ".state.json"),
                          fs::copy_options::overwrite_existing);
        }
    }

    // Turns the whack game's pages with Return until its box shows, then
    // answers the box with Escape, which an OK box takes as OK.
    void escape_from_the_whack_box(DesktopGame &game) {
        size_t returns = 0;
        turn_pages_until_the_box(game, [&](const nlohmann::json &s) {
            if (s["main_key"] != kWhackTitle && s["main_key"] != kWhackInstructions) return;
            game.xdotool({"key", "Return"});
            ++returns;
            eventually([&] { return count(read_text(recording()), "key Return") >= returns; }, 5s);
        });
        game.xdotool({"key", "Escape"});
        ASSERT_TRUE(eventually([&] { return read_text(recording()).find(" answer ok\n") != std::string::npos; }, 5s));
    }

    // Turns the pages before a game with `turn` until its box shows.
    void turn_pages_until_the_box(DesktopGame &game, const std::function<void(const nlohmann::json &)> &turn) {
        ASSERT_TRUE(eventually(
            [&] {
                if (box_open(game)) return true;
                const nlohmann::json s = now();
                if (s.is_object()) turn(s);
                return false;
            },
            30s))
            << "the box before the game never opened";
    }

    // A box's caption bar shows: navy, which neither the shooting game nor
    // the pages before either game have.
    static bool box_open(DesktopGame &game) { return game.grab().share(0x000080) > 0.005; }

    std::unique_ptr<VirtualDisplay> display_;
    mubtest::TempDir dir_{"mub-recording"};
};

// The whack game from the dialog to its result: its box answered by Escape,
// the holes struck by keys, the window hidden for a second on the way.
TEST_F(Recording, AWhackGameThroughItsResult) {
    auto game = start_recording();
    ASSERT_TRUE(game->started());
    game->xdotool({"mousemove", "--window", "%w", std::to_string(kButtonX), std::to_string(kWhackY), "click", "1"});
    escape_from_the_whack_box(*game);

    bool hidden = false;
    nlohmann::json s;
    ASSERT_TRUE(eventually(
        [&] {
            s = now();
            if (s.is_object() && s["main_key"] == kWhackResult) return true;
            game->xdotool({"key", "--delay", "60", "z", "x", "c", "v", "b"});
            if (!hidden && s.is_object() && s["tick"] > 300) {
                hidden = true;
                game->xdotool({"windowunmap", "--sync", "%w"});
                std::this_thread::sleep_for(1s);
                game->xdotool({"windowmap", "--sync", "%w"});
                game->xdotool({"windowfocus", "--sync", "%w"});
            }
            return false;
        },
        90s))
        << "the whack game did not reach its result";
    EXPECT_GT(s["hit"], 0) << "no hole was struck";
    game->xdotool({"key", "Escape"});
    expect_replays_exactly(*game, "whack-game");
}

// A shooting round: the last page turned by a press held into the question
// box, which takes that button's release and a press of the other, answered
// with Y; fire chords (one button held, the other pressed) until the round's
// box, answered with Return.
TEST_F(Recording, AShootingRoundWithFireChords) {
    auto game = start_recording();
    ASSERT_TRUE(game->started());
    game->xdotool({"mousemove", "--window", "%w", std::to_string(kButtonX), std::to_string(kShootingY), "click", "1"});
    ASSERT_TRUE(eventually([&] { return !game->dialog_open(); }, 5s));
    game->xdotool({"mousemove", "--window", "%w", "20", "20"});  // beside where any box shows
    size_t presses = 0;
    turn_pages_until_the_box(*game, [&](const nlohmann::json &s) {
        if (s["main_key"] == kShootingTitle)
            game->xdotool({"click", "1"});
        else if (s["main_key"] == kShootingInstructions && s["setu"] == 0)
            game->xdotool({"click", "3"});
        else if (s["main_key"] == kShootingInstructions)
            game->xdotool({"mousedown", "1"});  // held into the box
        else
            return;
        ++presses;
        eventually([&] { return count(read_text(recording()), "down plain\n") >= presses; }, 5s);
    });
    game->xdotool({"mousedown", "3"});
    game->xdotool({"mouseup", "1"});
    game->xdotool({"key", "y"});
    ASSERT_TRUE(eventually([&] { return read_text(recording()).find(" answer yes\n") != std::string::npos; }, 5s));
    EXPECT_NE(read_text(recording()).find(" held right\n"), std::string::npos) << "the buttons the box left held";
    game->xdotool({"click", "1"});  // the right button still held: a heart
    game->xdotool({"mouseup", "3"});

    ASSERT_TRUE(eventually(
        [&] {
            if (box_open(*game)) return true;
            game->xdotool({"mousedown", "1", "click", "3", "mouseup", "1", "mousedown", "3", "click", "1", "mouseup", "3"});
            return false;
        },
        90s))
        << "the round never ended";
    game->xdotool({"key", "Return"});
    ASSERT_TRUE(eventually([&] { return read_text(recording()).find(" answer ok\n") != std::string::npos; }, 5s));
    game->xdotool({"key", "Escape"});
    expect_replays_exactly(*game, "shooting-round");
}

// A short game, watched again in the window: the replay ends by itself where
// the game ended; Escape ends a replay sooner.
TEST_F(Recording, TheReplayInTheWindowEndsWhereTheGameDid) {
    auto game = start_recording();
    ASSERT_TRUE(game->started());
    game->xdotool({"key", "Tab", "Tab", "Return"});  // the whack game
    ASSERT_TRUE(eventually([&] { return !game->dialog_open(); }, 5s));
    escape_from_the_whack_box(*game);
    game->xdotool({"key", "--delay", "100", "z", "x", "c", "Escape"});
    expect_replays_exactly(*game, "whack-box-escape");
    const nlohmann::json live = read_json(dir_ / "state.json");

    const fs::path watched = dir_ / "watched.json";
    ChildProcess replay({kProgram, "--replay", recording().string(), "--state", watched.string()},
                        {"DISPLAY=" + display_->name(), "SDL_AUDIODRIVER=dummy"});
    const auto status = replay.wait_for(60s);
    ASSERT_TRUE(status.has_value()) << "the replay did not end by itself";
    EXPECT_EQ(*status, 0);
    EXPECT_EQ(read_json(watched), live);

    // Escape ends a replay before its end.
    DesktopGame again(kProgram, display_->name(), {}, {"--replay", recording().string(), "--state", watched.string()});
    ASSERT_TRUE(again.started());
    again.xdotool({"windowfocus", "--sync", "%w"});
    again.xdotool({"key", "Escape"});
    const auto stopped = again.process().wait_for(10s);
    ASSERT_TRUE(stopped.has_value()) << "Escape did not end the replay";
    EXPECT_EQ(*stopped, 0);
    const nlohmann::json part = read_json(watched);
    EXPECT_EQ(part["quit"], false);
    EXPECT_LT(part["tick"], live["tick"]);
}

// A program that is killed leaves a recording that replays to its last tick.
TEST_F(Recording, AKilledProgramLeavesARecordingToItsLastTick) {
    auto game = start_recording();
    ASSERT_TRUE(game->started());
    game->xdotool({"key", "Return"});  // the story
    ASSERT_TRUE(eventually([&] { return !game->dialog_open(); }, 5s));
    game->xdotool({"mousemove", "--window", "%w", "100", "100", "click", "1"});
    std::this_thread::sleep_for(1s);
    game->process().kill_now();
    const std::string text = read_text(recording());
    const size_t last = text.rfind('\n', text.size() - 2);
    ASSERT_NE(last, std::string::npos);
    const int end = std::atoi(text.c_str() + last + 1);
    EXPECT_NE(text.find(" end\n", last), std::string::npos) << text;
    EXPECT_GT(end, 56) << text;
    const nlohmann::json s = replayed(recording());
    ASSERT_TRUE(s.is_object()) << text;
    EXPECT_EQ(s["tick"], end);
    EXPECT_EQ(s["main_key"], 2) << "the story";
}

// A path that cannot be written or read is refused before the window shows.
TEST_F(Recording, FilesThatCannotBeUsedAreRefused) {
    std::ofstream(dir_ / "bad.script") << "0 answer 1000\n7 jump\n";
    const std::string state = (dir_ / "s.json").string();
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const Case cases[] = {
        {{"--record", "/nonexistent/folder/r.txt"}, "--record /nonexistent/folder/r.txt: No such file or directory"},
        {{"--record", dir_.path().string()}, "Is a directory"},
        {{"--state", "/nonexistent/folder/s.json"}, "--state /nonexistent/folder/s.json"},
        {{"--replay", (dir_ / "bad.script").string()}, "--replay: script line 2: unknown event 'jump'"},
        {{"--replay", (dir_ / "none.script").string()}, "none.script"},
        {{"--record", state, "--state", state}, "--record and --state name the same file"},
    };
    for (const Case &c : cases) {
        std::vector<std::string> argv = {"sh", "-c", "exec \"$0\" \"$@\" 2>&1", kProgram};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        std::string out;
        EXPECT_EQ(run_command(argv, {"DISPLAY=" + display_->name(), "SDL_AUDIODRIVER=dummy"}, &out), 2) << out;
        EXPECT_NE(out.find(c.message), std::string::npos) << out;
    }
    EXPECT_FALSE(fs::exists(state)) << "nothing is written";
}

}  // namespace
