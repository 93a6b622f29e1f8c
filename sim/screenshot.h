// Saves an image as an 8-bit RGB PNG.
#pragma once

#include <cstdio>

#include "platform/base/image.h"

namespace mub::sim {

bool write_png(std::FILE *out, const mub::Image &image);

}  // namespace mub::sim
