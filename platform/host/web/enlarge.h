// The picture enlarged by a whole number pixel for pixel, which the page's
// fitted canvas holds and the compositor smooths down to the shown size.
#pragma once

#include "platform/base/image.h"

namespace mub::web {

// The pixels of `area` of a width x height picture `in`, each as a k x k
// block of `out`, which is the whole picture enlarged (width * k pixels a
// row). Nothing outside the area's blocks is written.
void enlarge_area(const uint32_t *in, int width, int height, const Rect &area, int k, uint32_t *out);

}  // namespace mub::web
