#include "sim/replay_host.h"

#include <algorithm>
#include <limits>

#include "platform/core/core.h"

namespace mub::sim {

namespace {

// The last tick a script reaches: its end, else its last event's.
int64_t end_of(const Script &s) {
    if (s.end) return *s.end;
    return s.events.empty() ? 0 : s.events.back().tick;
}

}  // namespace

ReplayHost::ReplayHost(Host &shown, Script script, AtEnd at_end)
    : shown_(shown), player_(std::move(script.events)), end_(end_of(script)), at_end_mode_(at_end) {}

void ReplayHost::after_dispatch(const MSG &msg) {
    if (msg.message != WM_TIMER) return;
    ++ticks_;
    if (playing()) player_.tick_handled(ticks_);
}

uint64_t ReplayHost::now_ms() {
    return at_end_ && at_end_mode_ == AtEnd::Hold ? held_clock_ : shown_.now_ms();
}

void ReplayHost::show_window(int client_width, int client_height) {
    client_w_ = client_width;
    client_h_ = client_height;
    shown_.show_window(client_width, client_height);
}

int ReplayHost::modal_opened(const std::string &utf8_caption, const std::vector<int> &answers) {
    if (answers_.empty()) return shown_.modal_opened(utf8_caption, answers);
    const int a = answers_.front();
    answers_.pop_front();
    return a;
}

bool ReplayHost::from_player(const HostEvent &ev) {
    const bool ends = ev.type == HostEvent::Type::Close ||
                      (ev.type == HostEvent::Type::KeyDown && ev.vk == VK_ESCAPE && !ev.alt);
    if (!ends || stopped_ || (at_end_ && at_end_mode_ == AtEnd::HandOver)) return false;
    stopped_ = true;
    mub::core::request_end_of_run(0);
    return true;
}

bool ReplayHost::wait_event(HostEvent &ev, uint64_t deadline_ms) {
    for (;;) {
        if (!queue_.empty()) {
            ev = queue_.front();
            queue_.pop_front();
            ev.time_ms = now_ms();
            return true;
        }
        ScriptEvent next;
        if (playing() && player_.next(next)) {
            scratch_.clear();
            to_host_events(next, client_w_, client_h_, scratch_);
            queue_.insert(queue_.end(), scratch_.begin(), scratch_.end());
            continue;
        }
        if (at_end_ && at_end_mode_ == AtEnd::HandOver) return shown_.wait_event(ev, deadline_ms);
        HostEvent own;
        if (deadline_ms <= now_ms()) {
            // Once the tick's paint is done, what the recording took after
            // the tick is due, at a poll as at a wait, even when the next
            // tick fell due on the way here (a slow paint, a busy machine):
            // the program may take that tick without waiting again.
            if (playing() && !mub::core::before_tick_paint()) {
                player_.idle(ticks_, [this](int answer) { answers_.push_back(answer); });
                if (player_.has_due()) continue;
            }
            // The program has work of its own: only look for Escape.
            for (int i = 0; i < 64 && shown_.wait_event(own, 0); ++i)
                if (from_player(own)) break;
            return false;
        }
        // The program waits: the rest of the tick's input is due now.
        if (playing()) {
            player_.idle(ticks_, [this](int answer) { answers_.push_back(answer); });
            if (player_.has_due()) continue;
            if (ticks_ >= end_ && player_.done()) {
                at_end_ = true;
                held_clock_ = shown_.now_ms();
                if (on_end) on_end();
                continue;
            }
        }
        if (stopped_) return false;
        if (!shown_.wait_event(own, at_end_ ? std::numeric_limits<uint64_t>::max() : deadline_ms)) return false;
        if (from_player(own)) return false;
    }
}

}  // namespace mub::sim
