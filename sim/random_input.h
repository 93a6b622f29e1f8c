// Random input drawn from a seed: the same seed gives the same events on
// every machine (its own generator, no library distributions).
#pragma once

#include <cstdint>
#include <vector>

#include "sim/script.h"

namespace mub::sim {

class RandomInput {
public:
    explicit RandomInput(uint32_t seed);

    // The events to deliver after `tick` ticks have been handled, for a
    // client area of the given size.
    std::vector<ScriptEvent> events_after(int64_t tick, int client_width, int client_height);

    // One of a modal box's answers.
    int pick_answer(const std::vector<int> &answers);

private:
    uint32_t below(uint32_t n);  // uniform in [0, n)
    bool one_in(uint32_t n) { return below(n) == 0; }
    uint64_t next();

    uint64_t state_;
    bool left_held_ = false, right_held_ = false;
};

}  // namespace mub::sim
