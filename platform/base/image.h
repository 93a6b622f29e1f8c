// The two shapes every layer of the platform shares: a picture in memory and
// a rectangle. Text, resources, the core and the hosts all build on this
// header and on nothing above it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace mub {

// An XRGB8888 image, row-major, top row first, pixel = 0x00RRGGBB.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    Image() = default;
    Image(int w, int h, uint32_t fill = 0) : width(w), height(h), pixels(size_t(w) * size_t(h), fill) {}
    uint32_t *row(int y) { return pixels.data() + size_t(y) * size_t(width); }
    const uint32_t *row(int y) const { return pixels.data() + size_t(y) * size_t(width); }
};

// A rectangle, right and bottom exclusive, as GDI uses them.
struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool empty() const { return left >= right || top >= bottom; }
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const Rect &) const = default;
};

}  // namespace mub
