// Any text given to the simulator's script reader either parses or is
// refused with a ScriptError naming the line; nothing else may happen. What
// parses is written back line by line and reads again as the same events.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "sim/script.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    using namespace mub::sim;
    const std::string text(reinterpret_cast<const char *>(data), size);
    try {
        const Script script = parse_script(text);
        const auto &events = script.events;
        // Events come back in tick order.
        for (size_t i = 1; i < events.size(); ++i)
            if (events[i].tick < events[i - 1].tick) __builtin_trap();
        std::string written = script.language ? format_header(*script.language, script.settings) : "";
        for (const ScriptEvent &ev : events) written += format_event(ev);
        if (script.end) written += format_end(*script.end);
        const Script again = parse_script(written);
        if (again.events.size() != events.size() || again.end != script.end) __builtin_trap();
        for (size_t i = 0; i < events.size(); ++i)
            if (std::memcmp(&again.events[i], &events[i], sizeof(ScriptEvent)) != 0) __builtin_trap();
    } catch (const ScriptError &e) {
        if (std::string(e.what()).empty()) __builtin_trap();
    }
    parse_answer(text);
    return 0;
}
