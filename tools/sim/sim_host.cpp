#include "tools/sim/sim_host.h"

#include <limits>

namespace mubsim {

void SimHost::push(mub::HostEvent ev) {
    ev.time_ms = now_;
    queue_.push_back(ev);
}

bool SimHost::wait_event(mub::HostEvent &ev, uint64_t deadline_ms) {
    auto take = [&] {
        ev = queue_.front();
        queue_.pop_front();
        return true;
    };
    if (!queue_.empty()) return take();
    // A deadline already reached is a poll: the program still has work of
    // its own, so it is not idle yet.
    if (deadline_ms <= now_) return false;
    const bool waits_forever = deadline_ms == std::numeric_limits<uint64_t>::max();
    if (idle_ && !frozen_) idle_(waits_forever);
    if (!queue_.empty()) return take();
    if (frozen_ || waits_forever) return false;
    now_ = deadline_ms;
    return false;
}

int SimHost::modal_opened(const std::string &utf8_caption, const std::vector<int> &answers) {
    return modal_ ? modal_(utf8_caption, answers) : 0;
}

}  // namespace mubsim
