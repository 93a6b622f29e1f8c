// Reading the game's globals from the page, by their names in the code, for
// the browser tests and for bug reports (the same table as the simulator's
// state dump; nothing can be written).
#include <cmath>
#include <cstring>

#include <emscripten/emscripten.h>

#include "game_globals/game_globals.h"

// Element `index` of an int or handle global (a handle reads as 0 or 1), or
// NaN for an unknown name, a text global or an index out of range.
extern "C" EMSCRIPTEN_KEEPALIVE double mub_web_global(const char *name, int index) {
    if (!name || index < 0) return NAN;
    using K = mub::game::GameGlobal::Kind;
    for (const mub::game::GameGlobal &g : mub::game::game_globals()) {
        if (std::strcmp(g.name, name) != 0) continue;
        if (size_t(index) >= (g.count ? g.count : 1)) return NAN;
        if (g.kind == K::Ints) return static_cast<const int *>(g.data)[index];
        if (g.kind == K::Handles) return static_cast<void *const *>(g.data)[index] ? 1 : 0;
        return NAN;
    }
    return NAN;
}
