// The size a new desktop window opens at.
#pragma once

#include <algorithm>

#include "platform/host/common/viewport.h"

namespace mub::sdl {

// The largest whole scale whose window covers at most 80% of the usable
// screen in each direction, and never below 1.
inline int opening_scale(viewport::Size client, viewport::Size screen) {
    return std::max(1, viewport::whole_scale(client, viewport::Size{screen.width * 4 / 5, screen.height * 4 / 5}));
}

}  // namespace mub::sdl
