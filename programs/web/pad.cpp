// Game controllers on the page (the Gamepad API's standard layout): the page
// polls the pads once a frame and tells of each button that changed; the
// desktop's table and bookkeeping (platform/host/common/pad) turn that into
// the mouse buttons and keys the game knows.
#include <vector>

#include <emscripten/emscripten.h>

#include "platform/host/common/pad.h"

namespace {

mub::pad::PadInput &pads() {
    static mub::pad::PadInput input;
    return input;
}

std::vector<mub::HostEvent> &made() {
    static std::vector<mub::HostEvent> events;
    return events;
}

bool valid(int button) { return button >= 0 && button < int(mub::pad::Button::Count); }

}  // namespace

extern "C" {

// Button `button` of pad `pad` is at `value` (0 up, 1 down; the triggers
// anywhere between). box_open: a box or dialog is up. Returns how many
// events it made; mub_web_pad_event reads them.
EMSCRIPTEN_KEEPALIVE int mub_web_pad_button(int pad, int button, double value, int box_open) {
    using mub::pad::Button;
    made().clear();
    if (!valid(button)) return 0;
    const Button b = Button(button);
    pads().set_box_open(box_open != 0);
    made() = b == Button::LeftTrigger || b == Button::RightTrigger ? pads().trigger(pad, b, value)
                                                                     : pads().press(pad, b, value >= 0.5);
    return int(made().size());
}

// A pad went away: everything it held is let go.
EMSCRIPTEN_KEEPALIVE int mub_web_pad_unplugged(int pad) {
    made() = pads().unplugged(pad);
    return int(made().size());
}

// Event i of the last call: type (0 mouse down, 1 mouse up, 2 key down, 3
// key up) | mouse button << 2 | virtual key << 3 | character << 11; -1 past
// the last.
EMSCRIPTEN_KEEPALIVE int mub_web_pad_event(int i) {
    using T = mub::HostEvent::Type;
    if (i < 0 || size_t(i) >= made().size()) return -1;
    const mub::HostEvent &ev = made()[size_t(i)];
    const int type = ev.type == T::MouseDown ? 0 : ev.type == T::MouseUp ? 1 : ev.type == T::KeyDown ? 2 : 3;
    return type | (ev.button & 1) << 2 | (ev.vk & 0xFF) << 3 | int(static_cast<unsigned char>(ev.ch)) << 11;
}

// What a button gives, for the page's help: 0 nothing, 1 | mouse button << 2
// for a mouse button, 2 | the character it shows << 2 for a key (13 Enter,
// 27 Escape, 0 an arrow).
EMSCRIPTEN_KEEPALIVE int mub_web_pad_output(int button, int box_open) {
    using K = mub::pad::Output::Kind;
    if (!valid(button)) return 0;
    const mub::pad::Output out = mub::pad::output_of(mub::pad::Button(button), box_open != 0);
    if (out.kind == K::Mouse) return 1 | out.mouse_button << 2;
    if (out.kind == K::Key) return 2 | int(out.shown) << 2;
    return 0;
}

}  // extern "C"
