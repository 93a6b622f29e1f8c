// The one message source behind GetMessageA and the modal boxes' loops.
#pragma once

#include <windows.h>

namespace mub::core::detail {

enum class Fetch {
    Message,  // a message to translate and dispatch
    Quit,     // WM_QUIT, or the end of the run
    Handled,  // input went to the open modal box; check it and fetch again
};

// Waits for the next message by Win32 priority: posted messages, the quit
// request, input, WM_PAINT, WM_TIMER. The top-level loop consumes the quit
// request; a nested loop leaves it for the loop outside.
Fetch fetch_message(MSG &msg, bool top_level);

}  // namespace mub::core::detail
