#include "platform/host/common/pad.h"

#include "platform/host/common/keys.h"

namespace mub::pad {

namespace {

// Keys by their USB usage on the keyboard page, with what they show and type.
Output key(int usage, char32_t shown, char typed = 0) { return {Output::Kind::Key, 0, usage, shown, typed}; }
Output mouse(int button) { return {Output::Kind::Mouse, button, 0, 0, 0}; }

const Output kEnter = key(0x28, U'\r'), kEscape = key(0x29, 0x1B);
const Output kRight = key(0x4F, 0), kLeft = key(0x50, 0), kDown = key(0x51, 0), kUp = key(0x52, 0);
// The whack game's holes, 0 to 4 from left to right.
const Output kHole[5] = {key(0x1D, U'z', 'z'), key(0x1B, U'x', 'x'), key(0x06, U'c', 'c'), key(0x19, U'v', 'v'),
                         key(0x05, U'b', 'b')};

// Which output a press holds, for counting presses of the same one.
std::pair<int, int> identity(const Output &out) {
    return {int(out.kind), out.kind == Output::Kind::Mouse ? out.mouse_button : out.usb_usage};
}

}  // namespace

Output output_of(Button button, bool box_open) {
    switch (button) {
    case Button::LeftShoulder:
    case Button::LeftTrigger: return mouse(0);
    case Button::RightShoulder:
    case Button::RightTrigger: return mouse(1);
    case Button::A:
    case Button::Start: return kEnter;
    case Button::Back: return kEscape;
    case Button::Up: return kUp;
    case Button::Left: return box_open ? kLeft : kHole[0];
    case Button::Down: return box_open ? kDown : kHole[1];
    case Button::Right: return box_open ? kRight : kHole[2];
    case Button::X: return kHole[3];
    case Button::Y: return kHole[4];
    default: return {};
    }
}

HostEvent PadInput::event_of(const Output &out, bool down) const {
    HostEvent ev;
    if (out.kind == Output::Kind::Mouse) {
        ev.type = down ? HostEvent::Type::MouseDown : HostEvent::Type::MouseUp;
        ev.button = out.mouse_button;
        ev.x = pointer_.first;
        ev.y = pointer_.second;
    } else {
        const char typed[2] = {out.typed, 0};
        const hostkeys::Keystroke k = hostkeys::keystroke(out.usb_usage, out.shown, down ? typed : "");
        ev.type = down ? HostEvent::Type::KeyDown : HostEvent::Type::KeyUp;
        ev.vk = k.vk;
        ev.ch = k.ch;
    }
    return ev;
}

std::vector<HostEvent> PadInput::press(int pad, Button button, bool down) {
    std::vector<HostEvent> events;
    const Held which{pad, button};
    const auto held = held_.find(which);
    if (!down) {
        if (held == held_.end()) return events;
        const Output out = held->second;
        held_.erase(held);
        release(out, events);
        return events;
    }
    if (held != held_.end()) return events;  // already down
    const Output out = output_of(button, box_open_);
    if (out.kind == Output::Kind::None) return events;
    held_[which] = out;
    if (down_[identity(out)]++ == 0) events.push_back(event_of(out, true));
    return events;
}

std::vector<HostEvent> PadInput::trigger(int pad, Button button, double depth) {
    const bool held = held_.count({pad, button}) > 0;
    if (!held && depth >= 0.5) return press(pad, button, true);
    if (held && depth < 0.25) return press(pad, button, false);
    return {};
}

void PadInput::release(const Output &out, std::vector<HostEvent> &events) {
    const auto it = down_.find(identity(out));
    if (it == down_.end()) return;
    if (--it->second == 0) {
        down_.erase(it);
        events.push_back(event_of(out, false));
    }
}

std::vector<HostEvent> PadInput::unplugged(int pad) {
    std::vector<HostEvent> events;
    for (auto it = held_.begin(); it != held_.end();) {
        if (it->first.first != pad) {
            ++it;
            continue;
        }
        release(it->second, events);
        it = held_.erase(it);
    }
    return events;
}

}  // namespace mub::pad
