// Modules: what an HINSTANCE stands for. A module owns a compiled resource
// script, and LoadBitmapA, LoadIconA, LoadStringA and DialogBoxParamA look
// resources up in the module they are given, in the user's UI language, as
// Windows does with an executable's resources.
#include <algorithm>
#include <memory>
#include <vector>

#include "platform/core/core.h"
#include "platform/core/state.h"
#include "platform/text/text.h"

namespace mub::core {

namespace {

// A setting of the user's, like the modules a property of the process:
// core::reset() keeps it.
LANGID g_ui_language = mub::res::kLangJapanese;

struct Module {
    std::span<const uint8_t> bytes;
    mub::res::ResFile resources;
};

// Modules stay loaded for the life of the process, like the executable's
// image: core::reset() starts a new program, not a new process.
std::vector<std::unique_ptr<Module>> &modules() {
    static std::vector<std::unique_ptr<Module>> list;
    return list;
}

}  // namespace

HINSTANCE load_module(std::span<const uint8_t> compiled_resources) {
    for (const auto &m : modules())
        if (m->bytes.data() == compiled_resources.data() && m->bytes.size() == compiled_resources.size())
            return reinterpret_cast<HINSTANCE>(m.get());
    modules().push_back(std::make_unique<Module>(Module{compiled_resources, mub::res::ResFile(compiled_resources)}));
    return reinterpret_cast<HINSTANCE>(modules().back().get());
}

void set_ui_language(LANGID language) { g_ui_language = language; }
LANGID ui_language() { return g_ui_language; }

namespace detail {

const mub::res::ResFile *module_resources(HINSTANCE instance) {
    // A handle is only followed once it is known to be one of ours.
    for (const auto &m : modules())
        if (reinterpret_cast<HINSTANCE>(m.get()) == instance) return &m->resources;
    return nullptr;
}

}  // namespace detail

}  // namespace mub::core

extern "C" LANGID WINAPI GetUserDefaultUILanguage(void) { return mub::core::ui_language(); }

// The text converted to the program's code page (932). As on Windows, at
// most cchBufferMax - 1 bytes are copied, never half a character, and the
// result is the number of bytes copied; 0 when there is no such string.
extern "C" int WINAPI LoadStringA(HINSTANCE instance, UINT id, LPSTR buffer, int cchBufferMax) {
    if (!buffer || cchBufferMax <= 0) return 0;
    buffer[0] = '\0';
    const mub::res::ResFile *res = mub::core::detail::module_resources(instance);
    if (!res || id > 0xFFFF) return 0;
    const auto text = mub::res::load_string(*res, uint16_t(id), mub::core::ui_language());
    if (!text) return 0;
    const std::string bytes = mub::text::encode_cp932(*text);
    size_t n = 0;
    while (n < bytes.size()) {
        const size_t step = mub::text::is_cp932_lead(uint8_t(bytes[n])) ? 2 : 1;
        if (n + step > size_t(cchBufferMax - 1)) break;
        n += step;
    }
    std::copy_n(bytes.data(), n, buffer);
    buffer[n] = '\0';
    return int(n);
}
