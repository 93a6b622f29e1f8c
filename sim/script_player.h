// Hands a script's events over as a run reaches them, the same way in the
// simulator and in a replay shown in a window: after tick T has been handled,
// the events marked before-paint; once the program waits with nothing left
// to do, every other event up to tick T, the answers at once.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

#include "platform/core/host.h"
#include "sim/script.h"

namespace mub::sim {

class ScriptPlayer {
public:
    explicit ScriptPlayer(std::deque<ScriptEvent> events) : events_(std::move(events)) {}

    // The program has handled `ticks` ticks and not yet painted after the last.
    void tick_handled(int64_t ticks);
    // The program waits after `ticks` ticks: the rest up to there is due, and
    // each answer among it goes to `answer` now, for the boxes to come.
    void idle(int64_t ticks, const std::function<void(int)> &answer);
    // Takes the next due event that is not an answer; false when none is due.
    bool next(ScriptEvent &ev);
    bool has_due() const { return due_ > 0; }
    bool done() const { return events_.empty(); }

private:
    std::deque<ScriptEvent> events_;  // what is left, oldest first
    size_t due_ = 0;                  // events at its front that are due
};

// The host events that a script event stands for, in order (none for an
// answer), for a client of the given size: the mouse at (300, 300), or
// within a smaller client; an expose without a rectangle covers the client.
void to_host_events(const ScriptEvent &ev, int client_width, int client_height, std::vector<HostEvent> &out);

}  // namespace mub::sim
