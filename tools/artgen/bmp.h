// Writing canvases as Windows BMP files (BITMAPFILEHEADER + BITMAPINFOHEADER,
// bottom-up rows padded to 4 bytes, with a palette) and as an .ico file.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "canvas.h"

namespace art {

// Maps every pixel to the palette index of the same colour; a colour that is
// not in the palette is an error for 1 and 4 bpp, and is dithered onto the
// palette for 8 bpp. Throws std::runtime_error on failure.
std::vector<uint8_t> encode_bmp(const Canvas& c, int bpp, const std::vector<Color>& palette);
// A 32 x 32 icon, 4 bpp with an AND mask; kClear pixels are transparent.
std::vector<uint8_t> encode_ico(const Canvas& c);
void write_file(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace art
