#include "platform/core/start.h"

#include "platform/core/core.h"
#include "platform/resource/resources.h"

namespace mub::core {

std::span<const GameSetting> game_settings() {
    static constexpr GameSetting settings[] = {
        {kEveryPressCounts, &StartOptions::every_press_counts},
    };
    return settings;
}

const GameSetting *game_setting(std::string_view name) {
    for (const GameSetting &s : game_settings())
        if (name == s.name) return &s;
    return nullptr;
}

bool module_readable(std::span<const uint8_t> compiled_resources) {
    return mub::res::ResFile(compiled_resources).readable();
}

int run_program(std::span<const uint8_t> compiled_resources, Host &host, EntryPoint entry,
                const StartOptions &options) {
    if (options.language) set_ui_language(*options.language);
    const HINSTANCE instance = load_module(compiled_resources);
    set_host(&host);
    set_after_dispatch(options.after_dispatch);
    set_every_press_counts(options.every_press_counts);
    set_on_taken(options.on_taken);
    // Unset however the program ends, so nothing points at a host that is gone.
    struct Unset {
        ~Unset() {
            set_every_press_counts(false);
            set_on_taken(nullptr);
            set_after_dispatch(nullptr);
            set_host(nullptr);
        }
    } unset;
    return entry(instance, NULL, const_cast<char *>(""), SW_SHOWNORMAL);
}

}  // namespace mub::core
