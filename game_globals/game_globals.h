// Every global of the game, by its name in the code, for the simulator's
// state dump, the page's inspector and the tests. The list is generated from
// the declarations in shell/mubmub.h at build time (tools/stategen), so a
// global the game declares cannot be missing from it.
#pragma once

#include <cstddef>
#include <vector>

namespace mub::game {

struct GameGlobal {
    enum class Kind {
        Ints,     // int or array of ints (a RECT counts as four)
        Handles,  // handle or array of handles: shown as 0 (null) or 1
        Text,     // Shift-JIS characters, NUL-terminated within size bytes
        Texts,    // count strings of size bytes each
    };
    const char *name;
    const char *area;  // the folder that owns it: "shell", "title", "shooting" or "whack"
    bool constant;     // declared const: a table that never changes
    Kind kind;
    const void *data;
    size_t count;  // elements; 0 for a single value
    size_t size;   // Text and Texts: bytes per string (0: up to the NUL)
};

const std::vector<GameGlobal> &game_globals();

}  // namespace mub::game
