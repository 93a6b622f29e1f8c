// The desktop program: the game on a real window.
//
//   mubmub [--lang ja|en]     (else the edition of LANGUAGE, LC_ALL, LC_MESSAGES, LANG)
#define SDL_MAIN_HANDLED
#include <cstdio>
#include <exception>
#include <string>

#include <windows.h>

#include "platform/core/language.h"
#include "platform/core/start.h"
#include "platform/host/sdl/sdl_host.h"
#include "res/program_resources.h"

int main(int argc, char **argv) {
    LANGID language = mub::core::language_from_environment();
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const auto named = a == "--lang" && i + 1 < argc ? mub::core::language_from_name(argv[++i]) : std::nullopt;
        if (!named) {
            const std::string why = a == "--lang" ? "--lang wants ja or en" : "unknown argument '" + a + "'";
            std::fprintf(stderr, "mubmub: %s\nusage: mubmub [--lang ja|en]\n", why.c_str());
            return 2;
        }
        language = *named;
    }
    mub::core::StartOptions options;
    options.language = language;
    try {
        mub::sdl::SdlHost host;
        return mub::core::run_program(mub::res::program_resource_bytes(), host, WinMain, options);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "mubmub: %s\n", e.what());
        return 1;
    }
}
