// What hosts, the simulator and the tests see of the core.
#include "platform/core/core.h"

#include "platform/core/modal/modal_box.h"
#include "platform/core/state.h"

namespace mub::core {

using namespace detail;

void set_after_dispatch(std::function<void(const MSG &)> hook) { state().after_dispatch = std::move(hook); }

void set_every_press_counts(bool on) { state().every_press_counts = on; }

void set_on_taken(std::function<void(const Taken &)> hook) { state().on_taken = std::move(hook); }

uint64_t ticks_handled() { return state().ticks; }

bool before_tick_paint() { return state().before_paint; }

void request_end_of_run(int code) { state().end_of_run = code; }

size_t live_gdi_objects() {
    size_t n = 0;
    for (const auto &[h, obj] : state().gdi) n += is_stock(obj) ? 0 : 1;
    return n;
}

const Image &framebuffer() {
    static const Image empty;
    const Window *w = main_window();
    return w ? w->frame : empty;
}

Image composed_frame() {
    Image out = framebuffer();
    for (const ModalBox *box : state().modals) box->draw(out);
    return out;
}

std::string open_modal_caption() {
    const auto &modals = state().modals;
    return modals.empty() ? std::string() : modals.back()->caption_utf8();
}

std::vector<OpenBoxButton> open_modal_buttons() {
    const auto &modals = state().modals;
    const Window *w = main_window();
    if (modals.empty() || !w) return {};
    return modals.back()->button_places(w->frame.width, w->frame.height);
}

bool main_window_destroyed() { return state().main_destroyed; }

void reset() {
    rebuild_state();
    reset_rand();
}

}  // namespace mub::core
