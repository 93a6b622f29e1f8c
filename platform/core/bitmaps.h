// Bitmaps made in memory rather than loaded from the program's resources,
// for tools and tests that need known pixels behind an HBITMAP.
#pragma once

#include <windows.h>

#include "platform/core/host.h"

namespace mub::core {

// A bitmap handle owning a copy of image; bpp says how it blits (1: black
// and white, taking the destination DC's colours). Free it with DeleteObject.
HBITMAP make_bitmap(const Image &image, int bpp = 32);

}  // namespace mub::core
