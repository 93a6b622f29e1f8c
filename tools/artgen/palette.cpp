#include "palette.h"

namespace art {

const std::vector<Color>& classic16() {
    static const std::vector<Color> p = {pal::Black, pal::Maroon, pal::Green, pal::Olive, pal::Navy,  pal::Purple,
                                         pal::Teal,  pal::Silver, pal::Gray,  pal::Red,   pal::Lime,  pal::Yellow,
                                         pal::Blue,  pal::Fuchsia, pal::Aqua, pal::White};
    return p;
}

const std::vector<Color>& rich256() {
    static const std::vector<Color> p = [] {
        std::vector<Color> v;
        for (int r = 0; r < 6; ++r)
            for (int g = 0; g < 6; ++g)
                for (int b = 0; b < 6; ++b) v.push_back(Color(r * 51) << 16 | Color(g * 51) << 8 | Color(b * 51));
        // Greys between the cube's steps.
        for (int i = 1; i <= 24; ++i) {
            int k = i * 255 / 25;
            if (k % 51 == 0) k += 4;
            v.push_back(Color(k) << 16 | Color(k) << 8 | Color(k));
        }
        // The classic colours missing from the cube, and a few warm tones.
        const Color extra[] = {0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0, 0x808080,
                               0xFFE0C0, 0xFFC0A0, 0xFFA080, 0xE06040, 0xA0E0FF, 0x60C0E0, 0x2080C0, 0x104080};
        for (Color c : extra) v.push_back(c);
        return v;
    }();
    return p;
}

const std::vector<Color>& mono2() {
    static const std::vector<Color> p = {pal::Black, pal::White};
    return p;
}

}  // namespace art
