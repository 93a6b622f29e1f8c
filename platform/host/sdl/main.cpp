// The desktop program: the game on a real window.
#define SDL_MAIN_HANDLED
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>

#include <windows.h>

#include "platform/core/core.h"
#include "platform/core/host.h"
#include "platform/host/sdl/sdl_host.h"
#include "res/program_resources.h"

namespace {

// Measurement only (scripts/bench.sh): with MUB_TICK_LOG set, the monotonic
// time in nanoseconds of every WM_TIMER handled goes to that file, a line each.
void log_ticks_if_asked() {
    const char *path = std::getenv("MUB_TICK_LOG");
    if (!path || !*path) return;
    std::shared_ptr<std::FILE> out(std::fopen(path, "w"), [](std::FILE *f) { if (f) std::fclose(f); });
    if (!out) return;
    mub::core::set_after_dispatch([out](const MSG &msg) {
        if (msg.message != WM_TIMER) return;
        const auto t = std::chrono::steady_clock::now().time_since_epoch();
        std::fprintf(out.get(), "%lld\n", static_cast<long long>(std::chrono::nanoseconds(t).count()));
        std::fflush(out.get());
    });
}

}  // namespace

int main() {
    try {
        const HINSTANCE instance = mub::core::load_module(mub::res::program_resource_bytes());
        mub::sdl::SdlHost host;
        mub::set_host(&host);
        log_ticks_if_asked();
        const int code = WinMain(instance, NULL, const_cast<char *>(""), SW_SHOWNORMAL);
        mub::core::set_after_dispatch(nullptr);
        mub::set_host(nullptr);
        return code;
    } catch (const std::exception &e) {
        std::fprintf(stderr, "mubmub: %s\n", e.what());
        return 1;
    }
}
