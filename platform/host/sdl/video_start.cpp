#include "platform/host/sdl/video_start.h"

#include <cstdlib>
#include <stdexcept>
#include <string>
#include <string_view>

#include <SDL.h>

#include "platform/text/shown.h"

namespace mub::sdl {

namespace {

bool draws_nowhere(std::string_view driver) { return driver == "offscreen" || driver == "dummy"; }

std::string env(const char *name) {
    const char *v = std::getenv(name);
    return v ? v : "";
}

std::string no_display(const std::string &why) {
    return "no display to show the window on (" + why +
           "); start it in a desktop session, or use mubmub-sim to run the game without a window";
}

std::string why_no_display() {
    // Shown escaped: the value may hold anything, terminal controls too.
    if (const std::string x = env("DISPLAY"); !x.empty()) return "cannot open DISPLAY " + mub::text::shown(x);
    if (const std::string w = env("WAYLAND_DISPLAY"); !w.empty())
        return "cannot open WAYLAND_DISPLAY " + mub::text::shown(w);
    return "DISPLAY is not set";
}

}  // namespace

void start_video() {
    const char *hint = SDL_GetHint(SDL_HINT_VIDEODRIVER);  // also reads SDL_VIDEODRIVER
    const bool asked = hint && *hint;
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        if (asked) throw std::runtime_error(std::string("SDL_Init: ") + SDL_GetError());
        const std::string sdl_says = SDL_GetError();
        throw std::runtime_error(no_display(why_no_display() + (sdl_says.empty() ? "" : ": " + sdl_says)));
    }
    const char *driver = SDL_GetCurrentVideoDriver();
    if (!asked && draws_nowhere(driver ? driver : "")) {
        SDL_Quit();
        throw std::runtime_error(no_display(why_no_display()));
    }
}

}  // namespace mub::sdl
