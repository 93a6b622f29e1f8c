// The desktop program: the game on a real window.
#define SDL_MAIN_HANDLED
#include <cstdio>
#include <exception>

#include <windows.h>

#include "platform/core/core.h"
#include "platform/core/host.h"
#include "platform/host/sdl/sdl_host.h"
#include "res/program_resources.h"

int main() {
    try {
        const HINSTANCE instance = mub::core::load_module(mub::res::program_resource_bytes());
        mub::sdl::SdlHost host;
        mub::set_host(&host);
        const int code = WinMain(instance, NULL, const_cast<char *>(""), SW_SHOWNORMAL);
        mub::set_host(nullptr);
        return code;
    } catch (const std::exception &e) {
        std::fprintf(stderr, "mubmub: %s\n", e.what());
        return 1;
    }
}
