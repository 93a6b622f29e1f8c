// The desktop host's clock: the time the game has been playing. It stands
// still while play is paused (the window minimised or hidden), so the core's
// timers keep their distance to the next tick, none falls due while nobody
// can see the game, and none is caught up afterwards: the game goes on where
// it stopped. The core needs no notion of pausing.
#pragma once

#include <cstdint>

namespace mub::sdl {

class PlayClock {
public:
    explicit PlayClock(uint64_t wall_ms) : origin_(wall_ms) {}

    // Play time at wall time `wall_ms` (any clock that never goes backwards).
    uint64_t now(uint64_t wall_ms) const { return (paused_ ? paused_at_ : wall_ms) - origin_; }

    bool paused() const { return paused_; }

    void pause(uint64_t wall_ms) {
        if (paused_) return;
        paused_ = true;
        paused_at_ = wall_ms;
    }

    void resume(uint64_t wall_ms) {
        if (!paused_) return;
        paused_ = false;
        origin_ += wall_ms - paused_at_;
    }

private:
    uint64_t origin_;
    uint64_t paused_at_ = 0;
    bool paused_ = false;
};

}  // namespace mub::sdl
