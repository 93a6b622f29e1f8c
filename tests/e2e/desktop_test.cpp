// The real desktop program on a virtual X display, as a player meets it: it
// opens its window and draws, names it for old and new X clients alike,
// keeps its picture when another window covers it, shows the game's picture
// at whatever size the window has and takes clicks there, stands still while
// minimised, and says so when there is no display at all.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>

#include "tests/e2e/desktop_session.h"
#include "tests/support/sim.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace std::chrono_literals;
using namespace e2etest;

#ifdef MUB_DESKTOP_PATH
const std::string kProgram = MUB_DESKTOP_PATH;
#else
const std::string kProgram;
#endif

constexpr uint32_t kSilver = 0xC0C0C0;  // the dialog's face

// The selection dialog's three buttons, their centres in game pixels.
struct Point {
    int x, y;
};
constexpr Point kButtons[] = {{262, 196}, {262, 316}, {262, 436}};

struct Shown {
    int x, y, width, height;
};

std::string at_point(int x, int y) { return " at " + std::to_string(x) + "," + std::to_string(y); }

// Whether `got` shows `once` (the picture at scale 1) in `at` on dark grey
// bars: pixel for pixel at a whole scale, or close to its average colours
// when shrunk (smoothing may weigh neighbours a little differently).
bool shows(const Picture &got, const Picture &once, Shown at, std::string &why) {
    const bool shrunk = at.width < once.width;
    long long difference = 0;
    for (int y = 0; y < got.height; ++y)
        for (int x = 0; x < got.width; ++x) {
            const uint32_t p = got.at(x, y);
            if (x < at.x || y < at.y || x >= at.x + at.width || y >= at.y + at.height) {
                if (!dark_grey(p)) return why = "a bar is not dark grey" + at_point(x, y), false;
                continue;
            }
            const int x0 = (x - at.x) * once.width / at.width, y0 = (y - at.y) * once.height / at.height;
            if (!shrunk) {
                if (p != once.at(x0, y0)) return why = "the picture differs from the game's" + at_point(x, y), false;
                continue;
            }
            const int x1 = std::max(x0 + 1, (x - at.x + 1) * once.width / at.width);
            const int y1 = std::max(y0 + 1, (y - at.y + 1) * once.height / at.height);
            for (int shift = 0; shift < 24; shift += 8) {
                long long sum = 0;
                for (int sy = y0; sy < y1; ++sy)
                    for (int sx = x0; sx < x1; ++sx) sum += once.at(sx, sy) >> shift & 0xFF;
                difference += std::llabs(sum / ((x1 - x0) * (y1 - y0)) - (p >> shift & 0xFF));
            }
        }
    why = "the window is empty";
    if (got.width == 0) return false;
    why = "the shrunk picture is not the game's picture, " + std::to_string(difference) + " apart";
    return !shrunk || difference <= 12LL * 3 * at.width * at.height;
}

class Desktop : public testing::Test {
protected:
    void SetUp() override {
        if (kProgram.empty()) GTEST_SKIP() << "the desktop program is not built";
        if (!on_path("Xvfb") || !on_path("xdotool") || !on_path("import") || !on_path("xwininfo"))
            GTEST_SKIP() << "needs Xvfb, xdotool, xwininfo and ImageMagick's import";
        display_ = std::make_unique<VirtualDisplay>();
        ASSERT_FALSE(display_->name().empty()) << "Xvfb did not start";
    }

    std::unique_ptr<DesktopGame> start(std::vector<std::string> env = {}, std::vector<std::string> args = {}) {
        return std::make_unique<DesktopGame>(kProgram, display_->name(), std::move(env), std::move(args));
    }

    // The game at the top-left corner of the screen with its selection
    // dialog open (from 1.7 s on), at whole multiples: 1x on this screen.
    std::unique_ptr<DesktopGame> start_at_dialog() {
        auto game = start({}, {"--scale", "integer"});
        if (!game->started()) return game;
        game->xdotool({"windowmove", "%w", "0", "0"});
        if (!eventually([&] { return game->dialog_open(); }, 10s)) ADD_FAILURE() << "the dialog never opened";
        return game;
    }

    std::vector<std::string> x_env(std::vector<std::string> more = {}) const {
        more.push_back("DISPLAY=" + display_->name());
        return more;
    }

    std::unique_ptr<VirtualDisplay> display_;
};

TEST_F(Desktop, StartsDrawsTakesAClickAndQuitsOnEscape) {
    // Started in the C locale, which knows no Japanese.
    auto game = start({"LANG=C", "LC_ALL=C"});
    ASSERT_TRUE(game->started());

    // The title, as newer clients read it (UTF-8) and as older ones and
    // xdotool do (WM_NAME as COMPOUND_TEXT).
    if (on_path("xprop")) {
        std::string names;
        ASSERT_EQ(run_command({"xprop", "-id", game->window(), "_NET_WM_NAME", "WM_NAME"},
                              x_env({"LANG=C.UTF-8", "LC_ALL=C.UTF-8"}), &names),
                  0);
        EXPECT_NE(names.find("_NET_WM_NAME(UTF8_STRING) = \"むぶむぶゲーム\""), std::string::npos) << names;
        EXPECT_NE(names.find("WM_NAME(COMPOUND_TEXT) = \"むぶむぶゲーム\""), std::string::npos) << names;
    }

    // Within the title animation, the figures are on screen.
    EXPECT_TRUE(eventually([&] { return game->grab().has_light(); }, 10s)) << "the window stayed all black";
    EXPECT_FALSE(game->process().wait_for(0ms).has_value()) << "the program ended by itself";

    // No window manager runs, so give the window the focus directly.
    EXPECT_EQ(game->xdotool({"windowfocus", "--sync", "%w"}), 0);
    EXPECT_EQ(game->xdotool({"mousemove", "--window", "%w", "200", "200", "click", "1"}), 0);
    std::this_thread::sleep_for(100ms);
    EXPECT_FALSE(game->process().wait_for(0ms).has_value()) << "a click ended the program";

    // Escape quits from every scene, but the selection dialog (open from
    // 1.7 s on) ignores it: Return picks its first entry, and Escape then
    // quits from the story.
    std::optional<int> status;
    for (int attempt = 0; attempt < 5 && !status; ++attempt) {
        EXPECT_EQ(game->xdotool({"key", "Escape"}), 0);
        status = game->process().wait_for(700ms);
        if (!status) {
            EXPECT_EQ(game->xdotool({"key", "Return"}), 0);
        }
    }
    ASSERT_TRUE(status.has_value()) << "Escape did not end the program";
    EXPECT_EQ(*status, 0);
}

TEST_F(Desktop, AnotherWindowPassingOverTheGameLeavesEveryPixelAsItWas) {
    if (!on_path("xmessage")) GTEST_SKIP() << "needs xmessage for a second window";
    const Picture story = sim_picture(mubtest::lead_to_story().script, 100);
    auto game = start_at_dialog();
    ASSERT_TRUE(game->started());
    game->xdotool({"windowfocus", "--sync", "%w"});
    game->xdotool({"key", "Return"});  // the dialog's first entry: the story
    ASSERT_TRUE(eventually([&] { return game->grab() == story; }, 5s)) << "the first story page is not shown";

    {
        ChildProcess cover({"xmessage", "-geometry", "300x200+150+100", "a window over the game"}, x_env());
        ASSERT_TRUE(eventually([&] { return game->grab() != story; }, 5s)) << "the second window never showed";
    }  // gone
    EXPECT_TRUE(eventually([&] { return game->grab() == story; }, 5s))
        << "the uncovered part was not shown again as it was";
}

TEST_F(Desktop, ThePictureFollowsTheWindowAtWholeScalesAndShrunkBelowOne) {  // --scale integer
    auto game = start_at_dialog();
    ASSERT_TRUE(game->started());
    const Picture once = game->grab();
    ASSERT_EQ(once.width, 592);

    struct Case {
        int width, height;  // asked for
        int shown_width, shown_height;  // what the window becomes
        Shown at;
    };
    constexpr int kScreenW = VirtualDisplay::kWidth, kScreenH = VirtualDisplay::kHeight;
    const Case cases[] = {
        {1184, 1086, 1184, 1086, {0, 0, 1184, 1086}},  // exactly twice: every game pixel a 2 x 2 square
        {1284, 1186, 1284, 1186, {50, 50, 1184, 1086}},  // twice, centred on bars
        {300, 280, 300, 280, {0, 2, 300, 275}},  // smaller than once: the whole picture, shrunk
        // Larger than the screen: the window is brought back to the screen's size.
        {32767, 32767, kScreenW, kScreenH, {(kScreenW - 1184) / 2, (kScreenH - 1086) / 2, 1184, 1086}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "window " << c.width << " x " << c.height);
        game->xdotool({"windowsize", "%w", std::to_string(c.width), std::to_string(c.height)});
        ASSERT_TRUE(eventually([&] { return game->size() == std::pair{c.shown_width, c.shown_height}; }, 5s))
            << "the window is " << game->size().first << " x " << game->size().second;
        std::string why;
        EXPECT_TRUE(eventually([&] { return shows(game->grab(), once, c.at, why); }, 3s)) << why;
    }
    EXPECT_FALSE(game->process().wait_for(0ms).has_value()) << "the program ended";
}

TEST_F(Desktop, EveryDialogButtonAnswersAClickInAWindowSmallerThanTheGame) {
    struct Case {
        const char *entry;
        mubtest::Lead lead;
        std::vector<int> settled_ticks;  // the screen it settles on (a blinking prompt: two pictures)
    };
    const Case cases[] = {
        {"story", mubtest::lead_to_story(), {100}},
        {"shooting game", mubtest::lead_to_shooting(), {300, 500}},
        {"whack game", mubtest::lead_to_whack(), {300, 500}},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case &c = cases[i];
        SCOPED_TRACE(c.entry);
        std::vector<Picture> settled;
        for (int ticks : c.settled_ticks) settled.push_back(sim_picture(c.lead.script, ticks));

        auto game = start_at_dialog();
        ASSERT_TRUE(game->started());
        ASSERT_TRUE(game->resize(300, 280));
        // The picture is 300 x 275 at (0, 2) there.
        const int x = kButtons[i].x * 300 / 592, y = 2 + kButtons[i].y * 275 / 543;
        game->xdotool({"mousemove", "--window", "%w", std::to_string(x), std::to_string(y), "click", "1"});
        ASSERT_TRUE(eventually([&] { return !game->dialog_open(); }, 5s)) << "the dialog did not take the click";
        ASSERT_TRUE(game->resize(592, 543));
        EXPECT_TRUE(eventually(
            [&] {
                const Picture now = game->grab();
                return std::find(settled.begin(), settled.end(), now) != settled.end();
            },
            20s))
            << "the " << c.entry << " did not start";
    }
}

TEST_F(Desktop, MinimisedTheGameStandsStillAndGoesOnWhereItStopped) {
#ifndef MUB_PROBE_PATH
    GTEST_SKIP() << "the bench's frame probe is not built";
#else
    // The bench's probe logs every frame the program presents; during the
    // title animation each tick draws, so ticks show as frames.
    mubtest::TempDir dir("mub-minimise");
    const std::string log = (dir / "frames.log").string();
    auto game = start({"LD_PRELOAD=" MUB_PROBE_PATH, "MUB_PROBE_LOG=" + log});
    ASSERT_TRUE(game->started());
    // A window manager unmaps a window it minimises.
    const auto hidden = std::chrono::steady_clock::now();
    ASSERT_EQ(game->xdotool({"windowunmap", "--sync", "%w"}), 0);
    std::this_thread::sleep_for(3s);
    const auto shown = std::chrono::steady_clock::now();
    ASSERT_EQ(game->xdotool({"windowmap", "--sync", "%w"}), 0);
    EXPECT_TRUE(eventually([&] { return game->dialog_open(); }, 10s)) << "the game did not go on";

    // Frames by the time they were presented: none while minimised (after a
    // moment for the unmap to arrive), and the game's own after it came back.
    int during = 0, after = 0;
    std::ifstream file(log);
    std::stringstream lines;
    lines << file.rdbuf();
    const auto ns = [](auto t) { return std::chrono::duration_cast<std::chrono::nanoseconds>(t.time_since_epoch()).count(); };
    for (std::string kind, line; std::getline(lines, line);) {
        long long realtime = 0, monotonic = 0;
        std::istringstream words(line);
        if (!(words >> kind >> realtime >> monotonic) || kind != "present") continue;
        if (monotonic > ns(hidden + 500ms) && monotonic < ns(shown)) ++during;
        else if (monotonic >= ns(shown)) ++after;
    }
    EXPECT_EQ(during, 0) << "the game played on while the window was minimised";
    EXPECT_GT(after, 0);
#endif
}

TEST(DesktopSmallScreen, AScreenSmallerThanHalfTheGameStillShowsThePicture) {
    if (kProgram.empty()) GTEST_SKIP() << "the desktop program is not built";
    if (!on_path("Xvfb") || !on_path("xdotool") || !on_path("import"))
        GTEST_SKIP() << "needs Xvfb, xdotool and ImageMagick's import";
    // Smaller than the half-size window the game otherwise allows (296 x 271).
    VirtualDisplay display(320, 240);
    ASSERT_FALSE(display.name().empty()) << "Xvfb did not start";
    DesktopGame game(kProgram, display.name());
    ASSERT_TRUE(game.started());
    EXPECT_TRUE(eventually([&] { return game.grab().has_light(); }, 10s)) << "the window stayed all black";
    const auto [width, height] = game.size();
    EXPECT_LE(width, 320);
    EXPECT_LE(height, 240);
    EXPECT_FALSE(game.process().wait_for(0ms).has_value()) << "the program ended by itself";
}

TEST(DesktopWithoutDisplay, ABadArgumentEndsWithStatusTwoBeforeAnyWindow) {
    if (kProgram.empty()) GTEST_SKIP() << "the desktop program is not built";
    struct Case {
        std::vector<std::string> args;
        int status;
        const char *says;
    };
    const Case cases[] = {
        {{"--scale", "wide"}, 2, "--scale wants fit or integer, not 'wide'"},
        {{"--scale"}, 2, "needs a value"},
        {{"--scale", "integer", "--scale", "fit"}, 2, "twice"},
        {{"--every-press-counts", "--every-press-counts"}, 2, "twice"},
        {{"--lang", "fr"}, 2, "--lang wants ja or en, not 'fr'"},
        {{"--lang", "en", "--lang", "ja"}, 2, "twice"},
        {{"--fullscreen"}, 2, "unknown argument '--fullscreen'"},
        {{"--scale", "\x1b[2J"}, 2, "not '\\x1b[2J'"},
        {{"--help"}, 0, "usage: mubmub [--lang ja|en] [--scale fit|integer] [--record FILE]"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.args.front());
        // No display: the arguments are read before one is looked for.
        std::vector<std::string> argv = {"env", "-u", "DISPLAY", "-u", "WAYLAND_DISPLAY", "sh", "-c",
                                         "exec \"$0\" \"$@\" 2>&1", kProgram};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        std::string out;
        EXPECT_EQ(run_command(argv, {}, &out), c.status) << out;
        EXPECT_NE(out.find(c.says), std::string::npos) << out;
    }
}

TEST(DesktopWithoutDisplay, SaysThereIsNoDisplayAndEndsWithStatusOne) {
    if (kProgram.empty()) GTEST_SKIP() << "the desktop program is not built";
    struct Case {
        const char *what;
        std::vector<std::string> env_args;  // for env(1)
    };
    const Case cases[] = {
        {"DISPLAY not set", {"-u", "DISPLAY"}},
        {"DISPLAY empty", {"DISPLAY="}},
        // Unreachable, and told with its terminal controls escaped.
        {"DISPLAY unreachable", {"DISPLAY=:\x1b[31m\xe2\x80\xae"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::string> argv = {"env", "-u", "SDL_VIDEODRIVER", "-u", "WAYLAND_DISPLAY"};
        argv.insert(argv.end(), c.env_args.begin(), c.env_args.end());
        argv.insert(argv.end(), {"sh", "-c", "exec \"$0\" 2>&1", kProgram});
        std::string out;
        const auto t0 = std::chrono::steady_clock::now();
        const int status = run_command(argv, {}, &out);
        const auto took = std::chrono::steady_clock::now() - t0;
        EXPECT_EQ(status, 1) << out;
        EXPECT_NE(out.find("mubmub: no display to show the window on"), std::string::npos) << out;
        EXPECT_NE(out.find("mubmub-sim"), std::string::npos) << "the message says how to run the game instead";
        EXPECT_EQ(out.find('\x1b'), std::string::npos) << "a control character reached the terminal";
        if (c.env_args[0].find('\x1b') != std::string::npos) {
            EXPECT_NE(out.find("DISPLAY :\\x1b[31m\\u{202e}"), std::string::npos) << out;
        }
        // At once, not after a connection timeout (which is far longer).
        EXPECT_LT(took, 20s);
    }
}

}  // namespace
