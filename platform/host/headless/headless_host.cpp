#include "platform/host/headless/headless_host.h"

#include <limits>

namespace mub::headless {

bool HeadlessHost::wait_event(HostEvent &ev, uint64_t deadline_ms) {
    if (events_.empty() && on_idle_) on_idle_();
    if (!events_.empty()) {
        idle_forever_ = 0;
        ev = events_.front();
        events_.pop_front();
        return true;
    }
    if (deadline_ms == std::numeric_limits<uint64_t>::max()) {
        // The caller may have ended the run from on_idle; give it one more
        // look before calling the wait hopeless.
        if (++idle_forever_ > 2) throw Starved("the program waits for input and none will come");
        return false;
    }
    if (deadline_ms > now_) {
        now_ = deadline_ms;
        idle_forever_ = 0;
    }
    return false;
}

void HeadlessHost::present(const Image &frame) {
    last_frame_ = frame;
    ++frames_;
}

void HeadlessHost::show_window(int client_width, int client_height) {
    shown_ = true;
    shown_w_ = client_width;
    shown_h_ = client_height;
}

int HeadlessHost::modal_opened(const std::string &utf8_caption, const std::vector<int> &answers) {
    modal_log_.push_back(utf8_caption);
    if (!answers_.empty()) {
        const int a = answers_.front();
        answers_.pop_front();
        return a;
    }
    return decider_ ? decider_(utf8_caption, answers) : 0;
}

void HeadlessHost::push_event(HostEvent ev) {
    ev.time_ms = now_;
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

void HeadlessHost::push_key(Key key, bool repeat) {
    HostEvent ev;
    ev.type = HostEvent::Type::KeyDown;
    ev.key = key;
    ev.repeat = repeat;
    push_event(ev);
}

void HeadlessHost::push_char(char ch, bool repeat) {
    HostEvent ev;
    ev.type = HostEvent::Type::KeyDown;
    ev.key = Key::Character;
    ev.ch = ch;
    ev.repeat = repeat;
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
