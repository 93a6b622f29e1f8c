// Game controllers as the game knows them: a mouse and a keyboard. One table
// for every host of what each button gives, and the bookkeeping that turns
// presses on any number of pads into the mouse and key events a player's
// hands would make.
//
//   Left shoulder, left trigger    the left mouse button
//   Right shoulder, right trigger  the right mouse button (hold one, press the other: fire)
//   A, Start                       Enter
//   Back                           Escape
//   D-pad while a box is open      the arrow keys (the box's focus); A presses
//   Otherwise the whack game's holes, laid out as in the field:
//        hole 0      hole 2      hole 4            d-pad left   d-pad right   Y
//              hole 1      hole 3                        d-pad down     X
//   (z x c v b), and d-pad up is the up arrow.
#pragma once

#include <map>
#include <utility>
#include <vector>

#include "platform/core/host.h"

namespace mub::pad {

// Buttons by their place on the pad, numbered as the Gamepad API's standard
// layout numbers them; SDL's GameController names the same places.
enum class Button {
    A = 0,  // the bottom face button
    B,      // right
    X,      // left
    Y,      // top
    LeftShoulder,
    RightShoulder,
    LeftTrigger,
    RightTrigger,
    Back,
    Start,
    LeftStick,
    RightStick,
    Up,
    Down,
    Left,
    Right,
    Guide,
    Count,
};

// What a button gives: nothing, a mouse button (0 left, 1 right) or a key,
// named as a keyboard names it (hostkeys::keystroke's terms).
struct Output {
    enum class Kind { None, Mouse, Key } kind = Kind::None;
    int mouse_button = 0;
    int usb_usage = 0;
    char32_t shown = 0;
    char typed = 0;
    bool operator==(const Output &) const = default;
};

// box_open: a message box or the selection dialog is up.
Output output_of(Button button, bool box_open);

// Presses of several buttons, on one pad or several, that give the same
// output are one press of it: down with the first, up with the last, as one
// mouse button or key can only be down once.
class PadInput {
public:
    // Where the pad's mouse buttons press: the pointer's last place, in
    // client pixels.
    void set_pointer(int x, int y) { pointer_ = {x, y}; }
    void set_box_open(bool open) { box_open_ = open; }

    // The events a press or release of `button` on pad `pad` makes (times
    // left for the host to set). A release gives up what the press gave,
    // even if a box opened or closed in between.
    std::vector<HostEvent> press(int pad, Button button, bool down);
    // An analogue trigger pressed to `depth` (0 at rest, 1 all the way): a
    // press past half way, a release below a quarter, so that a trigger
    // resting near the middle does not chatter.
    std::vector<HostEvent> trigger(int pad, Button button, double depth);
    // A pad that went away lets go of everything it held.
    std::vector<HostEvent> unplugged(int pad);

private:
    using Held = std::pair<int, Button>;
    void release(const Output &out, std::vector<HostEvent> &events);
    HostEvent event_of(const Output &out, bool down) const;

    std::map<Held, Output> held_;         // what each held button gave when pressed
    std::map<std::pair<int, int>, int> down_;  // presses holding each output (its kind and number)
    std::pair<int, int> pointer_{0, 0};
    bool box_open_ = false;
};

}  // namespace mub::pad
