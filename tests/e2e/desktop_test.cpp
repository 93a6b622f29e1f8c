// The real desktop program on a virtual X display: it opens its window and
// draws, takes a click, and Escape ends it with exit code 0.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include <fcntl.h>
#include <unistd.h>

#include "tests/e2e/child_process.h"

namespace {

using namespace std::chrono_literals;
using e2etest::ChildProcess;
using e2etest::on_path;
using e2etest::run_command;

// An X server of our own, on the first free display number.
class VirtualDisplay {
public:
    VirtualDisplay() {
        int fds[2];
        if (::pipe(fds) != 0) return;
        ::fcntl(fds[0], F_SETFD, FD_CLOEXEC);  // only the write end goes to the server
        server_ = std::make_unique<ChildProcess>(std::vector<std::string>{
            "Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
        ::close(fds[1]);
        std::string number;
        char c;
        while (::read(fds[0], &c, 1) == 1 && c != '\n') number += c;
        ::close(fds[0]);
        if (!number.empty()) name_ = ":" + number;
    }
    const std::string &name() const { return name_; }  // empty if the server did not start

private:
    std::unique_ptr<ChildProcess> server_;
    std::string name_;
};

// The whole screen as raw RGB bytes.
std::string grab_screen(const std::string &display) {
    std::string rgb;
    run_command({"import", "-window", "root", "-depth", "8", "rgb:-"}, {"DISPLAY=" + display}, &rgb);
    return rgb;
}

bool has_light(const std::string &rgb) {
    for (char c : rgb)
        if (c != 0) return true;
    return false;
}

class Desktop : public testing::Test {
protected:
    void SetUp() override {
#ifndef MUB_DESKTOP_PATH
        GTEST_SKIP() << "the desktop program is not built";
#else
        if (!on_path("Xvfb") || !on_path("xdotool") || !on_path("import"))
            GTEST_SKIP() << "needs Xvfb, xdotool and ImageMagick's import";
        display_ = std::make_unique<VirtualDisplay>();
        ASSERT_FALSE(display_->name().empty()) << "Xvfb did not start";
        env_ = {"DISPLAY=" + display_->name(), "SDL_AUDIODRIVER=dummy"};
#endif
    }
    std::unique_ptr<VirtualDisplay> display_;
    std::vector<std::string> env_;
};

TEST_F(Desktop, StartsDrawsTakesAClickAndQuitsOnEscape) {
#ifdef MUB_DESKTOP_PATH
    ChildProcess game({MUB_DESKTOP_PATH}, env_);
    ASSERT_TRUE(game.started());

    // The window appears (found by its class: xdotool cannot match a UTF-8 title).
    std::string window;
    ASSERT_EQ(run_command({"xdotool", "search", "--sync", "--class", "mubmub"}, env_, &window), 0);
    window = window.substr(0, window.find('\n'));
    ASSERT_FALSE(window.empty());

    // Its title, and a client area of 592 x 543 at scale 1 on this display.
    std::string geometry;
    ASSERT_EQ(run_command({"xdotool", "getwindowgeometry", window}, env_, &geometry), 0);
    EXPECT_NE(geometry.find("Geometry: 592x543"), std::string::npos) << geometry;
    if (on_path("xprop")) {
        std::string name;
        ASSERT_EQ(run_command({"xprop", "-id", window, "_NET_WM_NAME"}, env_, &name), 0);
        EXPECT_NE(name.find("\"むぶむぶゲーム\""), std::string::npos) << name;
    }

    // A second into the title animation, the figures are on screen.
    std::this_thread::sleep_for(1000ms);
    EXPECT_FALSE(game.wait_for(0ms).has_value()) << "the program ended by itself";
    EXPECT_TRUE(has_light(grab_screen(display_->name()))) << "the screen is all black";

    // No window manager runs, so give the window the focus directly.
    EXPECT_EQ(run_command({"xdotool", "windowfocus", "--sync", window}, env_), 0);
    EXPECT_EQ(run_command({"xdotool", "mousemove", "--window", window, "200", "200", "click", "1"}, env_), 0);
    std::this_thread::sleep_for(100ms);
    EXPECT_FALSE(game.wait_for(0ms).has_value()) << "a click ended the program";

    // Escape quits from every scene, but the selection dialog (open from
    // 1.7 s on) ignores it: Return picks its first entry, and Escape then
    // quits from the story.
    std::optional<int> status;
    for (int attempt = 0; attempt < 5 && !status; ++attempt) {
        EXPECT_EQ(run_command({"xdotool", "key", "Escape"}, env_), 0);
        status = game.wait_for(700ms);
        if (!status) {
            EXPECT_EQ(run_command({"xdotool", "key", "Return"}, env_), 0);
        }
    }
    ASSERT_TRUE(status.has_value()) << "Escape did not end the program";
    EXPECT_EQ(*status, 0);
#endif
}

}  // namespace
