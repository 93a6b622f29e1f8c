// The desktop program on an X server of the test's own: the server, the
// program's window found by its class, pictures of that window, and the
// resizing, mapping and input that xdotool gives.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/child_process.h"

namespace e2etest {

// An Xvfb server on the first free display number, by default 1600 x 1200:
// room for the game's window at twice its size.
class VirtualDisplay {
public:
    explicit VirtualDisplay(int width = kWidth, int height = kHeight);
    const std::string &name() const { return name_; }  // empty if the server did not start
    static constexpr int kWidth = 1600, kHeight = 1200;

private:
    std::unique_ptr<ChildProcess> server_;
    std::string name_;
};

// Openbox looking after the windows of a display, once it has said so on the
// root window (started() is false if it did not within a few seconds).
class WindowManager {
public:
    explicit WindowManager(const std::string &display);
    bool started() const { return started_; }

private:
    std::unique_ptr<ChildProcess> process_;
    bool started_ = false;
};

// A window's pixels as 0x00RRGGBB, top row first.
struct Picture {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
    uint32_t at(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
    bool operator==(const Picture &) const = default;
    double share(uint32_t colour) const;  // of all pixels
    bool has_light() const;  // anything but black
};

// What the simulator shows after `ticks` ticks of the given script: the same
// program on a virtual clock, pixel for pixel what the window must show.
Picture sim_picture(const std::string &script, int ticks);

// The bars around the picture.
inline bool dark_grey(uint32_t p) {
    const uint32_t r = p >> 16 & 0xFF, g = p >> 8 & 0xFF, b = p & 0xFF;
    return r == g && g == b && r > 0 && r < 0x80;
}

// Polls `done` every 100 ms until it holds or `limit` has passed.
bool eventually(const std::function<bool()> &done, std::chrono::milliseconds limit);

// The desktop program started on `display` (extra environment entries in
// `env`, arguments in `args`), with its window found.
class DesktopGame {
public:
    DesktopGame(const std::string &program, const std::string &display, std::vector<std::string> env = {},
                std::vector<std::string> args = {});
    bool started() const { return !window_.empty(); }
    const std::string &window() const { return window_; }
    ChildProcess &process() { return *process_; }

    // Runs an xdotool command on the game's display; "%w" stands for the window.
    int xdotool(std::vector<std::string> args);
    Picture grab();  // what the screen shows where the window is
    // Resizes the window (it keeps its top-left corner) and waits until it
    // has that size.
    bool resize(int width, int height);
    struct Geometry {
        int x = 0, y = 0, width = 0, height = 0;
    };
    Geometry geometry();
    std::pair<int, int> size();
    // The selection dialog is up, at any scale.
    bool dialog_open();
    // Focuses the window and types keys by xdotool's names ("alt+Return").
    int keys(const std::vector<std::string> &names);

private:
    std::vector<std::string> env_;
    std::unique_ptr<ChildProcess> process_;
    std::string window_;
};

}  // namespace e2etest
