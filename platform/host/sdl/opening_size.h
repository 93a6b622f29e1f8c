// The size a new desktop window opens at.
#pragma once

#include <algorithm>

#include "platform/host/common/viewport.h"

namespace mub::sdl {

// The picture as large as it is shown (viewport::place) in 80% of the usable
// screen in each direction. Never below the game's own size where the screen
// has room for that, so no pixel is lost at the start; whole multiples never
// go below 1.
inline viewport::Size opening_size(viewport::Size client, viewport::Size usable, viewport::Scaling scaling) {
    using viewport::Size;
    const Size most{usable.width * 4 / 5, usable.height * 4 / 5};
    if (scaling == viewport::Scaling::WholeMultiples) {
        const int scale = std::max(1, viewport::whole_scale(client, most));
        return Size{client.width * scale, client.height * scale};
    }
    const viewport::Rect r = viewport::place(client, most, scaling).shown;
    if (r.width >= client.width) return Size{r.width, r.height};
    if (client.width <= usable.width && client.height <= usable.height) return client;
    const viewport::Rect all = viewport::place(client, usable, scaling).shown;
    return Size{all.width, all.height};
}

}  // namespace mub::sdl
