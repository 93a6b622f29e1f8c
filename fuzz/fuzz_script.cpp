// Any text given to the simulator's script reader either parses or is
// refused with a ScriptError naming the line; nothing else may happen.
#include <cstddef>
#include <cstdint>
#include <string>

#include "sim/script.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const std::string text(reinterpret_cast<const char *>(data), size);
    try {
        auto events = mub::sim::parse_script(text);
        // Events come back in tick order.
        for (size_t i = 1; i < events.size(); ++i)
            if (events[i].tick < events[i - 1].tick) __builtin_trap();
    } catch (const mub::sim::ScriptError &e) {
        if (std::string(e.what()).empty()) __builtin_trap();
    }
    mub::sim::parse_answer(text);
    return 0;
}
