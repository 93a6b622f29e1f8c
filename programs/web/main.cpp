// The game in the browser: the program's module from the resources the page
// unpacked, then WinMain on the web host, as on the desktop. The page names
// the edition it chose, --lang ja|en (Japanese when it names none), and the
// game settings the player turned on, by their names (--every-press-counts).
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

#include <windows.h>

#include "platform/core/language.h"
#include "platform/core/start.h"
#include "platform/host/web/page_bridge.h"
#include "platform/host/web/web_host.h"

namespace {

// The module reads its resources for as long as the program runs. The
// buffer is not cleared first: the copy fills all of it.
std::span<const uint8_t> resources() {
    static const size_t size = static_cast<size_t>(mub_page_resources_size());
    static const std::unique_ptr<uint8_t[]> bytes = [] {
        std::unique_ptr<uint8_t[]> b(new uint8_t[size]);
        mub_page_resources_copy(b.get());
        return b;
    }();
    return {bytes.get(), size};
}

}  // namespace

int main(int argc, char **argv) {
    // The resources came over the network: a captive portal's page or a cut
    // download must not start a program that shows nothing.
    if (!mub::core::module_readable(resources())) {
        mub_page_start_failed("mubmub.res.gz is not the program's resources");
        return 1;
    }
    mub::core::StartOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--lang" && i + 1 < argc) options.language = mub::core::language_from_name(argv[++i]);
        else if (arg.starts_with("--"))
            if (const mub::core::GameSetting *s = mub::core::game_setting(arg.substr(2))) options.*(s->on) = true;
    }
    mub::web::WebHost host;
    // The page counts ticks (its tests and benchmarks read them).
    options.after_dispatch = [](const MSG &msg) {
        if (msg.message == WM_TIMER) mub_page_tick();
    };
    const int code = mub::core::run_program(resources(), host, WinMain, options);
    mub_page_quit(code);
    return code;
}
