// Keys in the hosts' terms to the core's: a virtual key and the character
// typed. One rule for the desktop and the browser: a key that shows a Latin
// letter on the player's layout is that letter's virtual key (a French
// keyboard's A is 'A' wherever it sits, as on Windows); every other key is
// named by its position (the digit row is '1'...'0' on every layout); a key
// with no name of its own that shows or types a character is VK_PACKET.
#pragma once

#include <string_view>

namespace mub::hostkeys {

struct Keystroke {
    int vk = 0;   // 0: a key the program never sees
    char ch = 0;  // the printable character typed; 0: none
};

// usb_usage: the key's position as a USB HID usage id (SDL's scancodes are
// these ids). shown: the character the layout puts on the key (SDL's
// keycode, the page's KeyboardEvent.key when it is one character), 0 when
// none. typed: the text the press typed (SDL's text input, the page's
// KeyboardEvent.key), empty for a key that types nothing.
Keystroke keystroke(int usb_usage, char32_t shown, std::string_view typed);

// The position of a key named by the page's KeyboardEvent.code ("KeyZ",
// "Enter", "Digit1"...), as a USB usage id; 0 for a name not known here.
int usb_usage_of_code(std::string_view code);

}  // namespace mub::hostkeys
