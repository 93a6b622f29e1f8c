#include "tests/e2e/desktop_session.h"

#include <cstdlib>
#include <sstream>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace e2etest {

using namespace std::chrono_literals;

VirtualDisplay::VirtualDisplay(int width, int height) {
    int fds[2];
    if (::pipe(fds) != 0) return;
    ::fcntl(fds[0], F_SETFD, FD_CLOEXEC);  // only the write end goes to the server
    const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    server_ = std::make_unique<ChildProcess>(std::vector<std::string>{
        "Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", screen, "-nolisten", "tcp", "-noreset"});
    ::close(fds[1]);
    // The server writes its number once it listens; one that never does
    // leaves the name empty, which the tests report. Without -noreset it
    // starts over whenever its last client leaves (a test's game, xdotool),
    // and a program connecting just then finds no display.
    std::string number;
    const auto end = std::chrono::steady_clock::now() + 20s;
    for (char c = 0; c != '\n';) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
        pollfd pfd{fds[0], POLLIN, 0};
        if (left.count() <= 0 || ::poll(&pfd, 1, int(left.count())) <= 0 || ::read(fds[0], &c, 1) != 1) {
            number.clear();
            break;
        }
        if (c != '\n') number += c;
    }
    ::close(fds[0]);
    if (!number.empty()) name_ = ":" + number;
}

double Picture::share(uint32_t colour) const {
    size_t n = 0;
    for (uint32_t p : pixels) n += p == colour;
    return pixels.empty() ? 0.0 : double(n) / double(pixels.size());
}

bool Picture::has_light() const {
    for (uint32_t p : pixels)
        if (p != 0) return true;
    return false;
}

bool eventually(const std::function<bool()> &done, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    for (;;) {
        if (done()) return true;
        if (std::chrono::steady_clock::now() >= end) return false;
        std::this_thread::sleep_for(100ms);
    }
}

DesktopGame::DesktopGame(const std::string &program, const std::string &display, std::vector<std::string> env,
                         std::vector<std::string> args)
    : env_(std::move(env)) {
    env_.push_back("DISPLAY=" + display);
    env_.push_back("SDL_AUDIODRIVER=dummy");
    args.insert(args.begin(), program);
    process_ = std::make_unique<ChildProcess>(args, env_);
    if (!process_->started()) return;
    // Looked for often, so that a test can act within the first ticks; only
    // once shown, since the program makes its window before it shows it.
    const auto end = std::chrono::steady_clock::now() + 10s;
    while (window_.empty() && std::chrono::steady_clock::now() < end) {
        std::string found;
        if (run_command({"xdotool", "search", "--onlyvisible", "--class", "mubmub"}, env_, &found) == 0)
            window_ = found.substr(0, found.find('\n'));
        else
            std::this_thread::sleep_for(30ms);
    }
}

int DesktopGame::xdotool(std::vector<std::string> args) {
    for (auto &a : args)
        if (a == "%w") a = window_;
    args.insert(args.begin(), "xdotool");
    return run_command(args, env_);
}

// The screen's pixels where the window is, other windows over it included,
// through ImageMagick as a binary PPM (a short text header with the size,
// then RGB bytes).
Picture DesktopGame::grab() {
    const Geometry g = geometry();
    std::string ppm;
    const std::string crop = std::to_string(g.width) + "x" + std::to_string(g.height) + "+" + std::to_string(g.x) +
                             "+" + std::to_string(g.y);
    run_command({"import", "-window", "root", "-crop", crop, "-depth", "8", "ppm:-"}, env_, &ppm);
    std::istringstream in(ppm);
    std::string magic;
    int width = 0, height = 0, max = 0;
    in >> magic >> width >> height >> max;
    in.get();  // the one whitespace byte before the pixels
    Picture p;
    const size_t start = size_t(in.tellg());
    if (magic != "P6" || max != 255 || width <= 0 || height <= 0 || !in ||
        ppm.size() - start < size_t(width) * size_t(height) * 3)
        return p;
    p.width = width;
    p.height = height;
    p.pixels.resize(size_t(width) * size_t(height));
    const auto *rgb = reinterpret_cast<const unsigned char *>(ppm.data() + start);
    for (size_t i = 0; i < p.pixels.size(); ++i)
        p.pixels[i] = uint32_t(rgb[3 * i]) << 16 | uint32_t(rgb[3 * i + 1]) << 8 | rgb[3 * i + 2];
    return p;
}

DesktopGame::Geometry DesktopGame::geometry() {
    std::string shell;
    run_command({"xdotool", "getwindowgeometry", "--shell", window_}, env_, &shell);
    Geometry g;
    std::istringstream lines(shell);
    for (std::string line; std::getline(lines, line);) {
        const auto eq = line.find('=');
        if (eq == std::string::npos) continue;
        const std::string key = line.substr(0, eq);
        const int value = std::atoi(line.c_str() + eq + 1);
        if (key == "X") g.x = value;
        if (key == "Y") g.y = value;
        if (key == "WIDTH") g.width = value;
        if (key == "HEIGHT") g.height = value;
    }
    return g;
}

std::pair<int, int> DesktopGame::size() {
    const Geometry g = geometry();
    return {g.width, g.height};
}

bool DesktopGame::resize(int width, int height) {
    if (xdotool({"windowsize", "%w", std::to_string(width), std::to_string(height)}) != 0) return false;
    return eventually([&] { return size() == std::pair{width, height}; }, 5s);
}

bool DesktopGame::dialog_open() {
    // The dialog's silver face covers two fifths of the game's picture; no
    // screen of the game has more than a few percent of this colour.
    return grab().share(0xC0C0C0) > 0.2;
}

}  // namespace e2etest
