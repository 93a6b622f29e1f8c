// Reading the game's globals from the page, by their names in the code, for
// the browser tests and for bug reports (the same table as the simulator's
// state dump; nothing can be written); and what the page's touch controls
// need to know: the scene and the open box's buttons.
#include <cmath>
#include <cstring>
#include <string>

#include <emscripten/emscripten.h>

#include "game_globals/game_globals.h"
#include "platform/core/core.h"

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

// The scene the player sees, for the page's touch controls: -1 while a
// message box or dialog is open (the game waits on it), else main_key.
extern "C" EMSCRIPTEN_KEEPALIVE int mub_web_scene() {
    if (!mub::core::open_modal_caption().empty()) return -1;
    const double key = mub_web_global("main_key", 0);
    return std::isnan(key) ? 0 : int(key);
}

// The open box's buttons, in order: how many, and each one's centre in
// client pixels (x | y << 15, -1 past the last) and label (UTF-8; valid
// until the next call).
extern "C" EMSCRIPTEN_KEEPALIVE int mub_web_box_button_count() {
    return int(mub::core::open_modal_buttons().size());
}
extern "C" EMSCRIPTEN_KEEPALIVE int mub_web_box_button_at(int index) {
    const auto buttons = mub::core::open_modal_buttons();
    if (index < 0 || size_t(index) >= buttons.size()) return -1;
    return buttons[size_t(index)].x | buttons[size_t(index)].y << 15;
}
extern "C" EMSCRIPTEN_KEEPALIVE const char *mub_web_box_button_label(int index) {
    static std::string label;
    const auto buttons = mub::core::open_modal_buttons();
    label = index >= 0 && size_t(index) < buttons.size() ? buttons[size_t(index)].label : std::string();
    return label.c_str();
}
