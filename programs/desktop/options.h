// The desktop program's command line.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/core/start.h"
#include "platform/host/sdl/sdl_host.h"

namespace mub::desktop {

class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct Options {
    sdl::WindowSettings window;  // how the window shows the game
    core::StartOptions start;    // the edition (when --lang names it) and the game's settings
    std::optional<std::string> record, replay, state;
    bool help = false;
};

Options parse_options(const std::vector<std::string> &args);  // args without the program name
extern const char kUsage[];

}  // namespace mub::desktop
