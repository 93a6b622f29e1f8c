// The program's state as one JSON object: every game global under its name
// in the code, plus what the simulator knows about the run.
#pragma once

#include <cstdint>
#include <string>

#include <nlohmann/json.hpp>

namespace mub::sim {

struct RunFacts {
    int64_t ticks = 0;
    bool quit = false;
    int exit_code = 0;
};

nlohmann::json game_state(const RunFacts &facts);

}  // namespace mub::sim
