// In-process tests of the shooting game's step functions share the game's
// globals with every other test in the binary: this guard saves every global
// of the shooting game and of the shell, and puts back whatever a test changed.
#pragma once

#include <cstring>
#include <vector>

#include "platform/core/core.h"
#include "shell/mubmub.h"
#include "shell/state_vars.h"

namespace shootingtest {

class StateGuard {
public:
    StateGuard()
    {
        save(mub_state_vars);
        save(shell_state_vars);
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
    void save(const mub_state_var *vars)
    {
        for (; vars->name; vars++) {
            // Constant tables never change, so they are never written back.
            int *where = const_cast<int *>(vars->value);
            saved_.push_back({where, std::vector<int>(where, where + vars->count)});
        }
    }
    std::vector<Saved> saved_;
};

}  // namespace shootingtest
