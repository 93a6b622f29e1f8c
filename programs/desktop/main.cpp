// The desktop program: the game on a real window.
#define SDL_MAIN_HANDLED
#include <cstdio>
#include <exception>

#include <windows.h>

#include "platform/core/start.h"
#include "platform/host/sdl/sdl_host.h"
#include "res/program_resources.h"

int main() {
    if (!mub::core::module_readable(mub::res::program_resource_bytes())) {
        std::fprintf(stderr, "mubmub: the program's resources are unreadable\n");
        return 1;
    }
    try {
        mub::sdl::SdlHost host;
        return mub::core::run_program(mub::res::program_resource_bytes(), host, WinMain);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "mubmub: %s\n", e.what());
        return 1;
    }
}
