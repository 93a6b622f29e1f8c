// Palettes of the bitmaps and the mapping of canvas colours onto them.
#pragma once
#include <vector>

#include "canvas.h"

namespace art {

// The classic 16-colour Windows palette, in its usual order.
namespace pal {
constexpr Color Black = 0x000000, Maroon = 0x800000, Green = 0x008000, Olive = 0x808000, Navy = 0x000080,
                Purple = 0x800080, Teal = 0x008080, Silver = 0xC0C0C0, Gray = 0x808080, Red = 0xFF0000,
                Lime = 0x00FF00, Yellow = 0xFFFF00, Blue = 0x0000FF, Fuchsia = 0xFF00FF, Aqua = 0x00FFFF,
                White = 0xFFFFFF;
}

const std::vector<Color>& classic16();
// 256 colours: the 6x6x6 cube, then 40 greys and warm tones.
const std::vector<Color>& rich256();
const std::vector<Color>& mono2();

}  // namespace art
