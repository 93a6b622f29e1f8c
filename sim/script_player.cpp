#include "sim/script_player.h"

#include <algorithm>

#include <windows.h>

namespace mub::sim {

void ScriptPlayer::tick_handled(int64_t ticks) {
    for (; due_ < events_.size() && events_[due_].tick == ticks && events_[due_].before_paint; ++due_) {
    }
}

void ScriptPlayer::idle(int64_t ticks, const std::function<void(int)> &answer) {
    for (; due_ < events_.size() && events_[due_].tick <= ticks; ++due_)
        if (events_[due_].kind == ScriptEvent::Kind::Answer) answer(events_[due_].arg.answer);
}

bool ScriptPlayer::next(ScriptEvent &ev) {
    while (due_ > 0) {
        ev = events_.front();
        events_.pop_front();
        --due_;
        if (ev.kind != ScriptEvent::Kind::Answer) return true;
    }
    return false;
}

namespace {

// Where scripted mouse presses land (any point of the client area would do;
// the game never reads the position).
constexpr int kClickX = 300, kClickY = 300;

}  // namespace

void to_host_events(const ScriptEvent &ev, int client_width, int client_height, std::vector<HostEvent> &out) {
    using K = ScriptEvent::Kind;
    using T = HostEvent::Type;
    auto mouse = [&](int button, bool down, ScriptEvent::Press press = ScriptEvent::Press::ByRule) {
        HostEvent e;
        e.type = down ? T::MouseDown : T::MouseUp;
        e.button = button;
        e.x = std::clamp(kClickX, 0, std::max(0, client_width - 1));
        e.y = std::clamp(kClickY, 0, std::max(0, client_height - 1));
        e.press = press == ScriptEvent::Press::Plain    ? HostEvent::Press::Plain
                  : press == ScriptEvent::Press::Double ? HostEvent::Press::Double
                                                        : HostEvent::Press::ByRule;
        out.push_back(e);
    };
    HostEvent e;
    switch (ev.kind) {
    case K::LClick: mouse(0, true), mouse(0, false); break;
    case K::RClick: mouse(1, true), mouse(1, false); break;
    case K::LDown: mouse(0, true, ev.press); break;
    case K::LUp: mouse(0, false); break;
    case K::RDown: mouse(1, true, ev.press); break;
    case K::RUp: mouse(1, false); break;
    case K::LDblClk:
        for (int i = 0; i < 2; ++i) mouse(0, true), mouse(0, false);
        break;
    case K::RDblClk:
        for (int i = 0; i < 2; ++i) mouse(1, true), mouse(1, false);
        break;
    case K::Key:
        e.type = T::KeyDown;
        e.vk = ev.arg.key.vk;
        e.ch = ev.arg.key.ch;
        e.alt = ev.arg.key.alt;
        out.push_back(e);
        e.type = T::KeyUp;
        e.ch = 0;
        out.push_back(e);
        break;
    case K::Expose:
        e.type = T::Expose;
        if (ev.has_rect) {
            const auto &r = ev.arg.rect;
            e.x = r.left, e.y = r.top, e.width = r.right - r.left, e.height = r.bottom - r.top;
        } else {
            e.width = client_width, e.height = client_height;
        }
        out.push_back(e);
        break;
    case K::Resize:
        e.type = T::Resize;
        e.width = ev.arg.size.width;
        e.height = ev.arg.size.height;
        out.push_back(e);
        break;
    case K::Close:
        e.type = T::Close;
        out.push_back(e);
        break;
    case K::Held:
        e.type = T::Held;
        e.button = ev.arg.held;
        out.push_back(e);
        break;
    case K::Answer: break;
    }
}

}  // namespace mub::sim
