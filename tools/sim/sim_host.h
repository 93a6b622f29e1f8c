// The host the simulator runs the program on: a virtual clock that jumps to
// each deadline instead of waiting, a queue of input events, and a callback
// for the moments when the program has nothing left to do (the simulator
// feeds its script there) and for modal boxes (the simulator answers them).
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/core/host.h"

namespace mubsim {

class SimHost final : public mub::Host {
public:
    // waits_forever: no timer is due, so only input can wake the program.
    using IdleHandler = std::function<void(bool waits_forever)>;
    using ModalHandler = std::function<int(const std::string &caption, const std::vector<int> &answers)>;

    void on_idle(IdleHandler h) { idle_ = std::move(h); }
    void on_modal(ModalHandler h) { modal_ = std::move(h); }

    // Queues an event for the program; it carries the current virtual time.
    void push(mub::HostEvent ev);
    bool has_events() const { return !queue_.empty(); }

    // After this the clock stands still: the program can only drain what it
    // already has, so the run ends without another tick.
    void freeze() { frozen_ = true; }

    int client_width() const { return client_w_; }
    int client_height() const { return client_h_; }
    void set_client_size(int w, int h) { client_w_ = w, client_h_ = h; }

    uint64_t now_ms() override { return now_; }
    bool wait_event(mub::HostEvent &ev, uint64_t deadline_ms) override;
    void present(const mub::Image &) override {}
    void set_title(const std::string &) override {}
    void set_icon(const mub::Image &) override {}
    void show_window(int client_width, int client_height) override { set_client_size(client_width, client_height); }
    int modal_opened(const std::string &utf8_caption, const std::vector<int> &answers) override;

private:
    uint64_t now_ = 0;
    std::deque<mub::HostEvent> queue_;
    IdleHandler idle_;
    ModalHandler modal_;
    bool frozen_ = false;
    int client_w_ = 592, client_h_ = 543;
};

}  // namespace mubsim
