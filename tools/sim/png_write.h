// Saves an image as an 8-bit RGB PNG.
#pragma once

#include <cstdio>

#include "platform/core/host.h"

namespace mubsim {

bool write_png(std::FILE *out, const mub::Image &image);

}  // namespace mubsim
