// The screenshot: an image as an 8-bit RGB PNG. The encoder is our own (a
// few LZ77 matches and deflate's fixed codes), so that every build of the
// simulator, native or WebAssembly, writes the same bytes for the same image.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/base/image.h"

namespace mub::sim {

// The PNG file's bytes; empty for an image without pixels.
std::vector<uint8_t> encode_png(const mub::Image &image);

}  // namespace mub::sim
