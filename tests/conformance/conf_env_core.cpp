// The conformance environment on our own core: a host with a virtual clock
// that the tests advance and fill with input.
#ifndef _WIN32

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <limits>

#include "platform/core/core.h"
#include "platform/core/host.h"
#include "res/program_resources.h"
#include "tests/conformance/conf_env.h"

namespace conftest {

namespace {

class VirtualHost : public mub::Host {
public:
    uint64_t now = 1000;
    std::deque<mub::HostEvent> events;

    uint64_t now_ms() override { return now; }
    bool wait_event(mub::HostEvent &ev, uint64_t deadline_ms) override {
        if (!events.empty()) {
            ev = events.front();
            events.pop_front();
            return true;
        }
        if (deadline_ms == std::numeric_limits<uint64_t>::max()) {
            // On Windows the test would hang here: nothing can ever arrive.
            std::fprintf(stderr, "conformance: waiting for a message that can never come\n");
            std::abort();
        }
        if (deadline_ms > now)
            now = deadline_ms;
        return false;
    }
    void present(const mub::Image &) override {}
    void set_title(const std::string &) override {}
    void set_icon(const mub::Image &) override {}
    void show_window(int, int) override {}
};

VirtualHost *current = nullptr;

void push(mub::HostEvent ev) {
    ev.time_ms = current->now;
    current->events.push_back(ev);
}

}  // namespace

struct Env::Impl {
    VirtualHost host;
    mub::Host *previous = nullptr;
};

Env::Env() : impl_(std::make_unique<Impl>()) {
    impl_->previous = mub::host();
    mub::core::reset();
    mub::set_host(&impl_->host);
    current = &impl_->host;
}

Env::~Env() {
    mub::core::reset();
    mub::set_host(impl_->previous);
    current = nullptr;
}

void sleep_ms(int ms) { current->now += uint64_t(ms); }

void mouse_down(HWND, int button, int x, int y) {
    mub::HostEvent ev;
    ev.type = mub::HostEvent::Type::MouseDown;
    ev.button = button;
    ev.x = x;
    ev.y = y;
    push(ev);
}

void mouse_up(HWND, int button, int x, int y) {
    mub::HostEvent ev;
    ev.type = mub::HostEvent::Type::MouseUp;
    ev.button = button;
    ev.x = x;
    ev.y = y;
    push(ev);
}

void resize_client(HWND, int width, int height) {
    mub::HostEvent ev;
    ev.type = mub::HostEvent::Type::Resize;
    ev.width = width;
    ev.height = height;
    push(ev);
}

std::vector<int> fresh_rand_sequence(int n) {
    mub::core::reset();  // a fresh program
    std::vector<int> values;
    for (int i = 0; i < n; ++i)
        values.push_back(rand());
    return values;
}

HINSTANCE program_instance() { return mub::core::load_module(mub::res::program_resource_bytes()); }

}  // namespace conftest

#endif
