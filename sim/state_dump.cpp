#include "sim/state_dump.h"

#include <cstring>
#include <string_view>

#include "platform/core/core.h"
#include "platform/text/text.h"
#include "game_globals/game_globals.h"

namespace mub::sim {

namespace {

using mub::game::GameGlobal;
using mub::game::game_globals;

// The game's text is Shift-JIS; the dump shows it as UTF-8.
nlohmann::json text(const char *chars, size_t size) {
    const size_t n = size ? strnlen(chars, size) : std::strlen(chars);
    return mub::text::cp932_to_utf8(std::string_view(chars, n));
}

nlohmann::json value_of(const GameGlobal &g) {
    using K = GameGlobal::Kind;
    auto list = nlohmann::json::array();
    switch (g.kind) {
    case K::Ints: {
        const int *v = static_cast<const int *>(g.data);
        if (!g.count) return *v;
        for (size_t i = 0; i < g.count; ++i) list.push_back(v[i]);
        return list;
    }
    case K::Handles: {
        void *const *h = static_cast<void *const *>(g.data);
        if (!g.count) return *h ? 1 : 0;
        for (size_t i = 0; i < g.count; ++i) list.push_back(h[i] ? 1 : 0);
        return list;
    }
    case K::Text: return text(static_cast<const char *>(g.data), g.size);
    case K::Texts:
        for (size_t i = 0; i < g.count; ++i) list.push_back(text(static_cast<const char *>(g.data) + i * g.size, g.size));
        return list;
    }
    return nullptr;
}

}  // namespace

nlohmann::json game_state(const RunFacts &facts) {
    nlohmann::json s = nlohmann::json::object();
    for (const GameGlobal &g : game_globals()) s[g.name] = value_of(g);
    s["tick"] = facts.ticks;
    s["quit"] = facts.quit;
    s["exit_code"] = facts.exit_code;
    s["gdi_objects"] = mub::core::live_gdi_objects();
    const std::string modal = mub::core::open_modal_caption();
    s["modal"] = modal.empty() ? nlohmann::json(nullptr) : nlohmann::json(modal);
    return s;
}

}  // namespace mub::sim
