// In-process tests of the shooting game's step functions share the game's
// globals with every other test in the binary: this guard saves every int
// global of the game and puts back whatever a test changed.
#pragma once

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/core/core.h"
#include "mubmub.h"
#include "game_globals/game_globals.h"

namespace shootingtest {

class StateGuard {
public:
    StateGuard()
    {
        for (const mub::game::GameGlobal &g : mub::game::game_globals()) {
            // Constant tables never change, so they are never written back.
            if (g.kind != mub::game::GameGlobal::Kind::Ints || g.constant) continue;
            int *where = static_cast<int *>(const_cast<void *>(g.data));
            saved_.push_back({where, std::vector<int>(where, where + std::max<size_t>(g.count, 1))});
        }
    }
    ~StateGuard()
    {
        for (auto &s : saved_)
            if (std::memcmp(s.where, s.values.data(), s.values.size() * sizeof(int)) != 0)
                std::memcpy(s.where, s.values.data(), s.values.size() * sizeof(int));
    }
    StateGuard(const StateGuard &) = delete;
    StateGuard &operator=(const StateGuard &) = delete;

private:
    struct Saved {
        int *where;
        std::vector<int> values;
    };
    std::vector<Saved> saved_;
};

}  // namespace shootingtest
