// The host's input as Windows delivers it: mouse presses with their button
// flags and double clicks, keys as virtual-key messages, and the characters
// that TranslateMessage makes of them.
#pragma once

#include <windows.h>

#include "platform/core/host.h"

namespace mub::core::detail {

// Turns one input event into a message for the main window; false if it
// makes none. Keeps the mouse state that double clicks and button flags need,
// and remembers the character a key press typed for TranslateMessage.
bool input_to_message(const HostEvent &ev, MSG &m);

// Keeps the held buttons right for input that goes to an open box instead:
// the flags of the next mouse message tell what is held then, as Windows
// reads them from the mouse itself.
void note_buttons(const HostEvent &ev);

// Sets the buttons held (1 left, 2 right) without a message.
void hold_buttons(int buttons);

}  // namespace mub::core::detail
