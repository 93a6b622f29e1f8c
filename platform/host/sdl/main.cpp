// The desktop program: the game on a real window.
#define SDL_MAIN_HANDLED
#include <cstdio>
#include <exception>

#include "mubmub.h"
#include "platform/core/host.h"
#include "platform/host/sdl/sdl_host.h"

int main() {
    static HINSTANCE__ program_instance{};
    try {
        mub::sdl::SdlHost host;
        mub::set_host(&host);
        const int code = WinMain(&program_instance, NULL, const_cast<char *>(""), SW_SHOWNORMAL);
        mub::set_host(nullptr);
        return code;
    } catch (const std::exception &e) {
        std::fprintf(stderr, "mubmub: %s\n", e.what());
        return 1;
    }
}
