// Build step: the program's icon as a PNG for the desktop's icon theme, with
// its transparency, enlarged by a whole factor with nearest neighbour so the
// pixel drawing stays crisp.
//
//   icon_png ICON.ico SIZE OUT.png
//
// SIZE must be a whole multiple of the icon's own size.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include <png.h>

#include "platform/resource/byte_reader.h"
#include "platform/resource/dib.h"

namespace {

struct Rgba {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;  // as bytes R, G, B, A in memory order
};

// The first image of an .ico file: a directory entry pointing at a DIB that
// holds the picture and its transparency mask.
std::optional<Rgba> read_icon(const std::vector<uint8_t> &file) {
    using namespace mub::res;
    ByteReader r(file);
    r.u16();  // reserved
    const uint16_t type = r.u16();
    const uint16_t count = r.u16();
    r.skip(8);  // width, height, colours, reserved, planes, bit count
    const uint32_t size = r.u32();
    const uint32_t offset = r.u32();
    if (!r.ok() || type != 1 || count == 0 || offset > file.size() || size > file.size() - offset) return std::nullopt;
    const auto layout = dib::parse(std::span(file).subspan(offset, size), true);
    if (!layout) return std::nullopt;
    const mub::Image picture = dib::to_image(*layout);
    Rgba out{picture.width, picture.height, {}};
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) {
            const uint32_t p = picture.row(y)[x];
            const uint8_t alpha = dib::mask_bit(*layout, x, y) ? 0 : 0xFF;
            const uint8_t bytes[4] = {uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p), alpha};
            uint32_t packed;
            std::memcpy(&packed, bytes, 4);
            out.pixels.push_back(alpha ? packed : 0);
        }
    return out;
}

Rgba enlarged(const Rgba &src, int factor) {
    Rgba out{src.width * factor, src.height * factor, {}};
    out.pixels.reserve(size_t(out.width) * size_t(out.height));
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x)
            out.pixels.push_back(src.pixels[size_t(y / factor) * size_t(src.width) + size_t(x / factor)]);
    return out;
}

bool write_png(const Rgba &img, const char *path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(img.width);
    image.height = png_uint_32(img.height);
    image.format = PNG_FORMAT_RGBA;
    return png_image_write_to_file(&image, path, 0, img.pixels.data(), 0, nullptr) != 0;
}

}  // namespace

int main(int argc, char **argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: icon_png ICON.ico SIZE OUT.png\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto icon = read_icon(file);
    if (!icon || icon->width <= 0 || icon->width != icon->height) {
        std::fprintf(stderr, "icon_png: %s is not an icon this tool reads\n", argv[1]);
        return 1;
    }
    const int size = std::atoi(argv[2]);
    if (size < icon->width || size % icon->width != 0) {
        std::fprintf(stderr, "icon_png: %s is not a whole multiple of the icon's %d pixels\n", argv[2], icon->width);
        return 2;
    }
    if (!write_png(enlarged(*icon, size / icon->width), argv[3])) {
        std::fprintf(stderr, "icon_png: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
