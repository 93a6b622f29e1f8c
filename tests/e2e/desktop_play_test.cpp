// The desktop program as a player meets it on a large screen: the window
// opens well above the game's size with the picture filling it, sharply;
// full screen comes and goes any number of times, with and without a window
// manager, and the window comes back as it was; a game controller plugged in
// while the game runs chooses from the dialog, answers the boxes, and steps
// and fires in the shooting game.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/host/common/viewport.h"
#include "tests/e2e/desktop_session.h"
#include "tests/support/sim.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace std::chrono_literals;
using namespace e2etest;
namespace vp = mub::viewport;

#ifdef MUB_DESKTOP_PATH
const std::string kProgram = MUB_DESKTOP_PATH;
#else
const std::string kProgram;
#endif

constexpr vp::Size kGame{592, 543};

uint32_t channel(uint32_t p, int shift) { return p >> shift & 0xFF; }

// Whether `got` shows `once` (the game's picture at 1x) filling as much of
// it as the picture's shape allows, centred on dark grey bars: every pixel
// within the colours of the four game pixels around the place it shows (as
// any smoothing between neighbours gives). `sharp` is the share of pixels,
// among those where the game's colours change, that show one game pixel's
// colour exactly: enlarging by a whole multiple before smoothing keeps a
// core of each game pixel, smoothing the picture straight leaves hardly any.
bool fills(const Picture &got, const Picture &once, std::string &why, double *sharp = nullptr) {
    if (got.width <= 0 || once.width != kGame.width) return why = "no picture", false;
    const vp::Rect at = vp::place(kGame, {got.width, got.height}, vp::Scaling::Fit).shown;
    long edges = 0, exact = 0;
    for (int y = 0; y < got.height; ++y)
        for (int x = 0; x < got.width; ++x) {
            const uint32_t p = got.at(x, y);
            const std::string where = " at " + std::to_string(x) + "," + std::to_string(y);
            if (x < at.x || y < at.y || x >= at.x + at.width || y >= at.y + at.height) {
                if (!dark_grey(p)) return why = "a bar is not dark grey" + where, false;
                continue;
            }
            const double sx = (x - at.x + 0.5) * kGame.width / at.width - 0.5;
            const double sy = (y - at.y + 0.5) * kGame.height / at.height - 0.5;
            const int x0 = std::clamp(int(std::floor(sx)), 0, kGame.width - 1);
            const int y0 = std::clamp(int(std::floor(sy)), 0, kGame.height - 1);
            const int x1 = std::min(x0 + 1, kGame.width - 1), y1 = std::min(y0 + 1, kGame.height - 1);
            const uint32_t around[4] = {once.at(x0, y0), once.at(x1, y0), once.at(x0, y1), once.at(x1, y1)};
            for (int shift = 0; shift < 24; shift += 8) {
                uint32_t lo = 255, hi = 0;
                for (uint32_t n : around) lo = std::min(lo, channel(n, shift)), hi = std::max(hi, channel(n, shift));
                if (channel(p, shift) + 2 < lo || channel(p, shift) > hi + 2)
                    return why = "not the game's picture" + where, false;
            }
            if (std::all_of(around, around + 4, [&](uint32_t n) { return n == around[0]; })) continue;
            ++edges;
            exact += std::find(around, around + 4, p) != around + 4;
        }
    if (sharp) *sharp = edges ? double(exact) / double(edges) : 1.0;
    return true;
}

class DesktopScreens : public testing::Test {
protected:
    void SetUp() override {
        if (kProgram.empty()) GTEST_SKIP() << "the desktop program is not built";
        if (!on_path("Xvfb") || !on_path("xdotool") || !on_path("import") || !on_path("xprop") ||
            !on_path("xwininfo"))
            GTEST_SKIP() << "needs Xvfb, xdotool, xprop, xwininfo and ImageMagick's import";
    }
};

TEST_F(DesktopScreens, OpensLargerThanTheGameOnALargeScreenWithThePictureFillingIt) {
    VirtualDisplay screen(1920, 1200);
    ASSERT_FALSE(screen.name().empty()) << "Xvfb did not start";
    DesktopGame game(kProgram, screen.name());
    ASSERT_TRUE(game.started());
    // 80% of the screen's height, the game's shape kept.
    EXPECT_EQ(game.size(), (std::pair{1046, 960}));
    ASSERT_TRUE(eventually([&] { return game.dialog_open(); }, 10s)) << "the dialog never opened";
    const Picture large = game.grab();

    ASSERT_TRUE(game.resize(kGame.width, kGame.height));
    Picture once;
    ASSERT_TRUE(eventually([&] { return (once = game.grab()).width == kGame.width && game.dialog_open(); }, 5s));
    std::string why;
    double sharp = 0;
    EXPECT_TRUE(fills(large, once, why, &sharp)) << why;
    EXPECT_GT(sharp, 0.3) << "smoothed, not sharp";

    // A click lands on the game pixel under it at this scale: the dialog's
    // last button, which is off the picture where a 1x picture would sit.
    ASSERT_TRUE(game.resize(1046, 960));
    const int x = 262 * 1046 / 592, y = 436 * 960 / 543;
    game.xdotool({"mousemove", "--window", "%w", std::to_string(x), std::to_string(y), "click", "1"});
    EXPECT_TRUE(eventually([&] { return !game.dialog_open(); }, 5s)) << "the click missed the button";
}

TEST_F(DesktopScreens, FullScreenComesAndGoesFourTimesWithAndWithoutAWindowManager) {
    if (!on_path("openbox")) GTEST_SKIP() << "needs openbox";
    for (bool managed : {false, true}) {
        SCOPED_TRACE(managed ? "with openbox" : "without a window manager");
        VirtualDisplay screen(1920, 1200);
        ASSERT_FALSE(screen.name().empty()) << "Xvfb did not start";
        std::unique_ptr<WindowManager> wm;
        if (managed) {
            wm = std::make_unique<WindowManager>(screen.name());
            ASSERT_TRUE(wm->started()) << "openbox did not start";
        }
        DesktopGame game(kProgram, screen.name());
        ASSERT_TRUE(game.started());
        ASSERT_TRUE(eventually([&] { return game.dialog_open(); }, 10s)) << "the dialog never opened";
        // A window of the game's own size somewhere: where it must come back to.
        ASSERT_TRUE(game.resize(kGame.width, kGame.height));
        game.xdotool({"windowmove", "--sync", "%w", "100", "80"});
        DesktopGame::Geometry before;
        Picture once;
        ASSERT_TRUE(eventually(
            [&] {
                before = game.geometry();
                return before.width == kGame.width && (once = game.grab()).width == kGame.width && game.dialog_open();
            },
            5s));

        for (int time = 1; time <= 4; ++time) {
            SCOPED_TRACE(testing::Message() << "time " << time);
            ASSERT_EQ(game.keys({"alt+Return"}), 0);
            std::string why = "the window did not cover the screen";
            EXPECT_TRUE(eventually(
                [&] {
                    const auto g = game.geometry();
                    return g.x == 0 && g.y == 0 && g.width == 1920 && g.height == 1200 && fills(game.grab(), once, why);
                },
                5s))
                << why;
            ASSERT_EQ(game.keys({"alt+Return"}), 0);
            EXPECT_TRUE(eventually(
                [&] {
                    const auto g = game.geometry();
                    return g.x == before.x && g.y == before.y && g.width == before.width &&
                           g.height == before.height && game.grab() == once;
                },
                5s))
                << "the window did not come back as it was";
        }
        EXPECT_FALSE(game.process().wait_for(0ms).has_value()) << "the program ended";
    }
}

#ifdef MUB_VIRTUAL_PAD_PATH

// The virtual pad's commands (tools/virtual_pad), through a FIFO.
class Pad {
public:
    explicit Pad(const std::string &fifo) : path_(fifo) { ::mkfifo(fifo.c_str(), 0600); }
    ~Pad() {
        if (fd_ >= 0) ::close(fd_);
    }
    // Sends one command once the program reads the FIFO.
    bool send(const std::string &command) {
        if (fd_ < 0 && !eventually([&] { return (fd_ = ::open(path_.c_str(), O_WRONLY | O_NONBLOCK)) >= 0; }, 10s))
            return false;
        const std::string line = command + "\n";
        return ::write(fd_, line.data(), line.size()) == ssize_t(line.size());
    }
    bool click(const std::string &button) { return send("press " + button) && send("release " + button); }

private:
    std::string path_;
    int fd_ = -1;
};

// A part of a picture, and whether a picture shows it at a place.
Picture cut(const Picture &from, int x, int y, int width, int height) {
    Picture p{width, height, {}};
    for (int row = y; row < y + height; ++row)
        for (int col = x; col < x + width; ++col) p.pixels.push_back(from.at(col, row));
    return p;
}

bool shows_at(const Picture &p, const Picture &sprite, int x, int y) {
    if (x < 0 || y < 0 || x + sprite.width > p.width || y + sprite.height > p.height) return false;
    for (int row = 0; row < sprite.height; ++row)
        for (int col = 0; col < sprite.width; ++col)
            if (p.at(x + col, y + row) != sprite.at(col, row)) return false;
    return true;
}

// The shooting game's sprites as the simulator draws them on the black
// field: the player's face looking either way, on the bottom row (y 480),
// and a flying heart's two faces.
struct ShootingSprites {
    std::vector<Picture> faces, hearts;
    // to_play: a script after which play begins at tick 60; the presses
    // here come late enough after its last click not to make a double click.
    explicit ShootingSprites(const std::string &to_play) {
        faces.push_back(cut(sim_picture(to_play + "80 rclick\n", 84), 290, 480, 48, 48));
        faces.push_back(cut(sim_picture(to_play + "80 lclick\n", 84), 210, 480, 48, 48));
        for (int tick : {86, 87}) {
            mubtest::SimOptions o;
            o.script = to_play + "80 ldown\n81 rdown\n";
            o.screenshot = true;
            const auto run = mubtest::run_sim(tick, o);
            if (!run.screenshot) continue;
            const Picture shot{run.screenshot->width, run.screenshot->height, run.screenshot->pixels};
            hearts.push_back(cut(shot, run.state["bl_x"][0].get<int>(), run.state["bl_y"][0].get<int>(), 26, 26));
        }
    }
    bool complete() const {
        const auto drawn = [](const Picture &p) { return p.has_light(); };
        return faces.size() == 2 && hearts.size() == 2 && std::all_of(faces.begin(), faces.end(), drawn) &&
               std::all_of(hearts.begin(), hearts.end(), drawn);
    }
    // The left edge of the face, or -1.
    int player_x(const Picture &p) const {
        for (int x = 0; x + 48 <= p.width; ++x)
            for (const Picture &f : faces)
                if (shows_at(p, f, x, 480)) return x;
        return -1;
    }
    bool heart_above(const Picture &p, int x) const {
        for (int y = 40; y < 480; ++y)
            for (const Picture &h : hearts)
                if (shows_at(p, h, x, y)) return true;
        return false;
    }
};

// A box's face: a long run of its silver on one row (nothing in the shooting
// game has more than a few silver pixels side by side).
bool box_open(const Picture &p) {
    for (int y = 0; y < p.height; ++y)
        for (int x = 0, run = 0; x < p.width; ++x)
            if ((run = p.at(x, y) == 0xC0C0C0 ? run + 1 : 0) >= 100) return true;
    return false;
}

TEST_F(DesktopScreens, APadPluggedInChoosesAnswersStepsAndFiresInTheShootingGame) {
    VirtualDisplay screen;
    ASSERT_FALSE(screen.name().empty()) << "Xvfb did not start";
    mubtest::TempDir dir("mub-pad");
    const std::string fifo = (dir / "pad").string();
    Pad pad(fifo);
    DesktopGame game(kProgram, screen.name(), {"LD_PRELOAD=" MUB_VIRTUAL_PAD_PATH, "MUB_PAD_FIFO=" + fifo},
                     {"--scale", "integer"});
    ASSERT_TRUE(game.started());
    ASSERT_EQ(game.size(), (std::pair{kGame.width, kGame.height}));
    game.xdotool({"windowfocus", "--sync", "%w"});  // a pad, like the keyboard, plays the window in front
    ASSERT_TRUE(eventually([&] { return game.dialog_open(); }, 10s)) << "the dialog never opened";

    // Plugged in now; the d-pad moves the dialog's focus to the shooting
    // game and A chooses it.
    ASSERT_TRUE(pad.send("attach"));
    ASSERT_TRUE(pad.click("dpdown"));
    ASSERT_TRUE(pad.click("a"));
    ASSERT_TRUE(eventually([&] { return !game.dialog_open(); }, 5s)) << "the dialog did not take the pad";

    // The shoulders click through the title and both pages (each shown as
    // the simulator shows it, in any of its blinking states); A answers the
    // boxes until the round is on.
    const std::string lead = mubtest::lead_to_shooting().script;
    struct Page {
        const char *what;
        std::string script;
        std::vector<int> ticks;
        const char *then;  // the button that turns it
    };
    const Page pages[] = {
        {"the title", lead, {300, 500}, "leftshoulder"},
        {"the first page", lead + "56 lclick\n", {60, 61, 62, 63, 64, 65, 66, 67, 68}, "rightshoulder"},
        {"the second page", lead + "56 lclick\n58 rclick\n", {60}, "leftshoulder"},
    };
    for (const Page &page : pages) {
        std::vector<Picture> shown;
        for (int t : page.ticks) shown.push_back(sim_picture(page.script, t));
        ASSERT_TRUE(eventually(
            [&] { return std::find(shown.begin(), shown.end(), game.grab()) != shown.end(); }, 10s))
            << page.what << " is not shown";
        ASSERT_TRUE(pad.click(page.then));
    }
    const ShootingSprites sprites(lead + "56 lclick\n58 rclick\n59 lclick\n59 answer yes\n60 answer ok\n");
    ASSERT_TRUE(sprites.complete());
    int x0 = -1;
    ASSERT_TRUE(eventually(
        [&] {
            const Picture now = game.grab();
            if (box_open(now)) pad.click("a");
            return !box_open(now) && (x0 = sprites.player_x(now)) >= 0;
        },
        15s))
        << "the round did not start";

    // Each button steps once (the other was pressed last, so no press is a
    // double click); the second, pressed while the first is held, fires.
    ASSERT_TRUE(pad.click("rightshoulder"));
    EXPECT_TRUE(eventually([&] { return sprites.player_x(game.grab()) == x0 + 40; }, 5s)) << "no step right";
    ASSERT_TRUE(pad.send("axis lefttrigger 32767"));
    EXPECT_TRUE(eventually([&] { return sprites.player_x(game.grab()) == x0; }, 5s)) << "no step left";
    EXPECT_FALSE(sprites.heart_above(game.grab(), x0)) << "fired with one button";
    ASSERT_TRUE(pad.send("press rightshoulder"));
    EXPECT_TRUE(eventually(
        [&] {
            const Picture now = game.grab();
            return sprites.player_x(now) == x0 + 40 && sprites.heart_above(now, x0 + 40);
        },
        5s))
        << "holding one and pressing the other did not fire";
    ASSERT_TRUE(pad.send("release rightshoulder"));
    ASSERT_TRUE(pad.send("axis lefttrigger -32768"));
    ASSERT_TRUE(pad.send("detach"));
    EXPECT_EQ(game.keys({"Escape"}), 0);
    const auto status = game.process().wait_for(5s);
    ASSERT_TRUE(status.has_value()) << "Escape did not end the program";
    EXPECT_EQ(*status, 0);
}

#endif

}  // namespace
