// What changed between two frames of one size, so the page redraws only that.
#pragma once

#include "platform/base/image.h"

namespace mub::web {

// The smallest rectangle holding every pixel where next differs from last;
// empty when the frames are equal. Both must have the same size.
Rect changed_rect(const Image &last, const Image &next);

}  // namespace mub::web
