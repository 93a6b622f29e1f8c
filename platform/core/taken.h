// What the core takes from its host, told as it takes it, so that a run can
// be recorded and replayed: input in the order it becomes messages (or goes
// to an open box), each answer a box is given, and each tick.
#pragma once

#include <cstdint>

#include "platform/core/host.h"

namespace mub::core {

struct Taken {
    enum class What : uint8_t {
        Input,   // event: input, a resize or an expose, as the host gave it
        Answer,  // answer: a box was answered
        Tick,    // a WM_TIMER message has been handled
    };
    What what = What::Input;
    HostEvent event;
    // A MouseDown that became WM_LBUTTONDBLCLK or WM_RBUTTONDBLCLK.
    bool double_click = false;
    // An open box took it; the program itself saw nothing but, for a press
    // or release, the buttons held change.
    bool to_box = false;
    // Taken after a tick was handled and before the paint that tick left
    // pending: a replay must hand it over before that paint too.
    bool before_paint = false;
    // The button the user chose (IDOK, IDYES, IDNO, IDCANCEL or a dialog
    // button's id), or kAnswerCloseBox for the window's close box.
    int answer = 0;
    // WM_TIMER messages handled so far (this one too, for a Tick).
    uint64_t ticks = 0;
};

}  // namespace mub::core
