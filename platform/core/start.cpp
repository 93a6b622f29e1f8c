#include "platform/core/start.h"

#include "platform/core/core.h"
#include "platform/resource/resources.h"

namespace mub::core {

bool module_readable(std::span<const uint8_t> compiled_resources) {
    return mub::res::ResFile(compiled_resources).readable();
}

int run_program(std::span<const uint8_t> compiled_resources, Host &host, EntryPoint entry,
                const StartOptions &options) {
    const HINSTANCE instance = load_module(compiled_resources);
    set_host(&host);
    set_after_dispatch(options.after_dispatch);
    // Unset however the program ends, so nothing points at a host that is gone.
    struct Unset {
        ~Unset() {
            set_after_dispatch(nullptr);
            set_host(nullptr);
        }
    } unset;
    return entry(instance, NULL, const_cast<char *>(""), SW_SHOWNORMAL);
}

}  // namespace mub::core
