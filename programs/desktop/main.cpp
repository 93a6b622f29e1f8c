// The desktop program: the game on a real window.
//
//   mubmub [--lang ja|en]     (else the edition of LANGUAGE, LC_ALL, LC_MESSAGES, LANG)
#define SDL_MAIN_HANDLED
#include <cstdio>
#include <exception>
#include <string>

#include <windows.h>

#include "platform/core/start.h"
#include "platform/host/sdl/sdl_host.h"
#include "programs/desktop/options.h"
#include "res/program_resources.h"

int main(int argc, char **argv) {
    using namespace mub::desktop;
    Options options;
    try {
        options = parse_options(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const UsageError &e) {
        std::fprintf(stderr, "mubmub: %s\n%s", e.what(), kUsage);
        return 2;
    }
    if (options.help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    try {
        mub::sdl::SdlHost host(options.window);
        return mub::core::run_program(mub::res::program_resource_bytes(), host, WinMain, options.start);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "mubmub: %s\n", e.what());
        return 1;
    }
}
