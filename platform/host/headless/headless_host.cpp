#include "platform/host/headless/headless_host.h"

#include <algorithm>
#include <limits>

namespace mub::headless {

bool HeadlessHost::take(HostEvent &ev) {
    if (events_.empty() && on_drained_ && !frozen_) on_drained_();
    if (events_.empty()) return false;
    ev = events_.front();
    events_.pop_front();
    return true;
}

bool HeadlessHost::wait_event(HostEvent &ev, uint64_t deadline_ms) {
    if (take(ev)) return true;
    // A deadline already reached is a poll: the program still has work of
    // its own, so it is not idle yet.
    if (deadline_ms <= now_) return false;
    const bool waits_forever = deadline_ms == std::numeric_limits<uint64_t>::max();
    if (on_idle_ && !frozen_) on_idle_(waits_forever);
    if (take(ev)) return true;
    if (frozen_) return false;
    if (waits_forever) throw Starved("the program waits for input and none will come");
    now_ = deadline_ms;
    return false;
}

void HeadlessHost::present(const Image &frame) {
    if (keep_frames_) last_frame_ = frame;
    ++frames_;
}

void HeadlessHost::show_window(int client_width, int client_height) {
    shown_ = true;
    client_w_ = client_width;
    client_h_ = client_height;
}

int HeadlessHost::modal_opened(const std::string &utf8_caption, const std::vector<int> &answers) {
    modal_log_.push_back(utf8_caption);
    if (!answers_.empty()) {
        const int a = answers_.front();
        answers_.pop_front();
        if (!wrong_answer_ || a == kAnswerCloseBox || std::find(answers.begin(), answers.end(), a) != answers.end())
            return a;
        return wrong_answer_(utf8_caption, answers, a);
    }
    return decider_ ? decider_(utf8_caption, answers) : 0;
}

void HeadlessHost::push_event(HostEvent ev) {
    ev.time_ms = now_;
    if (ev.type == HostEvent::Type::Resize) {
        client_w_ = ev.width;
        client_h_ = ev.height;
    }
    events_.push_back(ev);
}

void HeadlessHost::push_mouse_down(int button, int x, int y) {
    HostEvent ev;
    ev.type = HostEvent::Type::MouseDown;
    ev.button = button;
    ev.x = x;
    ev.y = y;
    push_event(ev);
}

void HeadlessHost::push_mouse_up(int button, int x, int y) {
    HostEvent ev;
    ev.type = HostEvent::Type::MouseUp;
    ev.button = button;
    ev.x = x;
    ev.y = y;
    push_event(ev);
}

void HeadlessHost::push_click(int button, int x, int y) {
    push_mouse_down(button, x, y);
    push_mouse_up(button, x, y);
}

void HeadlessHost::push_key(int vk, char ch, bool repeat) {
    HostEvent ev;
    ev.type = HostEvent::Type::KeyDown;
    ev.vk = vk;
    ev.ch = ch;
    ev.repeat = repeat;
    push_event(ev);
}

void HeadlessHost::push_key_up(int vk) {
    HostEvent ev;
    ev.type = HostEvent::Type::KeyUp;
    ev.vk = vk;
    push_event(ev);
}

void HeadlessHost::push_close() {
    HostEvent ev;
    ev.type = HostEvent::Type::Close;
    push_event(ev);
}

void HeadlessHost::push_resize(int client_width, int client_height) {
    HostEvent ev;
    ev.type = HostEvent::Type::Resize;
    ev.width = client_width;
    ev.height = client_height;
    push_event(ev);
}

void HeadlessHost::push_expose(int x, int y, int width, int height) {
    HostEvent ev;
    ev.type = HostEvent::Type::Expose;
    ev.x = x;
    ev.y = y;
    ev.width = width;
    ev.height = height;
    push_event(ev);
}

}  // namespace mub::headless
