#include "sim/screenshot.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstddef>
#include <string_view>

namespace mub::sim {

namespace {

uint32_t crc32(const uint8_t *data, size_t n, uint32_t crc = 0) {
    static const auto table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t c = i;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    crc = ~crc;
    for (size_t i = 0; i < n; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

uint32_t adler32(const std::vector<uint8_t> &data) {
    uint32_t a = 1, b = 0;
    for (uint8_t v : data) {
        a = (a + v) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

void put32(std::vector<uint8_t> &out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(uint8_t(v >> shift));
}

// Deflate's bit stream: values go in from the least significant bit,
// Huffman codes from their most significant bit.
class BitWriter {
public:
    explicit BitWriter(std::vector<uint8_t> &out) : out_(out) {}
    void bits(uint32_t value, int count) {
        for (int i = 0; i < count; ++i) put((value >> i) & 1);
    }
    void code(uint32_t code, int length) {
        for (int i = length - 1; i >= 0; --i) put((code >> i) & 1);
    }
    void flush() {
        if (used_) out_.push_back(acc_);
        acc_ = 0, used_ = 0;
    }

private:
    void put(uint32_t bit) {
        acc_ |= uint8_t(bit << used_);
        if (++used_ == 8) flush();
    }
    std::vector<uint8_t> &out_;
    uint8_t acc_ = 0;
    int used_ = 0;
};

// A literal or length symbol in the fixed code of deflate (RFC 1951, 3.2.6).
void fixed_symbol(BitWriter &w, int sym) {
    if (sym < 144) w.code(0x30 + sym, 8);
    else if (sym < 256) w.code(0x190 + sym - 144, 9);
    else if (sym < 280) w.code(sym - 256, 7);
    else w.code(0xC0 + sym - 280, 8);
}

constexpr int kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                 31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr int kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr int kDistBase[30] = {1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
                               193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr int kDistExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

void match(BitWriter &w, int length, int distance) {
    int l = 28;
    while (kLengthBase[l] > length) --l;
    fixed_symbol(w, 257 + l);
    w.bits(uint32_t(length - kLengthBase[l]), kLengthExtra[l]);
    int d = 29;
    while (kDistBase[d] > distance) --d;
    w.code(uint32_t(d), 5);
    w.bits(uint32_t(distance - kDistBase[d]), kDistExtra[d]);
}

// One fixed-code block. Screens are mostly runs of one colour and rows like
// the row above, so the pixel before and the pixel above are tried first;
// the last place the next three bytes were seen catches repeated pictures.
std::vector<uint8_t> deflate(const std::vector<uint8_t> &data, size_t stride) {
    std::vector<uint8_t> out;
    BitWriter w(out);
    w.bits(1, 1);  // the final block
    w.bits(1, 2);  // fixed Huffman codes
    const size_t n = data.size();
    constexpr size_t kWindow = 32768, kHashSize = 1 << 15;
    std::vector<size_t> last_seen(kHashSize, SIZE_MAX);
    auto hash = [&](size_t at) {
        return ((size_t(data[at]) << 10) ^ (size_t(data[at + 1]) << 5) ^ data[at + 2]) & (kHashSize - 1);
    };
    auto remember = [&](size_t at) {
        if (at + 2 < n) last_seen[hash(at)] = at;
    };
    size_t i = 0;
    while (i < n) {
        size_t best_len = 0, best_dist = 0;
        const size_t seen = i + 2 < n ? last_seen[hash(i)] : SIZE_MAX;
        for (size_t dist : {size_t(3), stride, seen == SIZE_MAX ? size_t(0) : i - seen}) {
            if (dist == 0 || dist > i || dist > kWindow) continue;
            const size_t limit = std::min<size_t>(258, n - i);
            size_t len = 0;
            while (len < limit && data[i + len] == data[i + len - dist]) ++len;
            if (len > best_len) best_len = len, best_dist = dist;
        }
        if (best_len >= 3) {
            match(w, int(best_len), int(best_dist));
            for (const size_t end = i + best_len; i < end; ++i) remember(i);
        } else {
            fixed_symbol(w, data[i]);
            remember(i++);
        }
    }
    fixed_symbol(w, 256);  // end of block
    w.flush();
    return out;
}

void chunk(std::vector<uint8_t> &png, std::string_view type, const std::vector<uint8_t> &body) {
    put32(png, uint32_t(body.size()));
    const size_t start = png.size();
    png.insert(png.end(), type.begin(), type.end());
    png.insert(png.end(), body.begin(), body.end());
    put32(png, crc32(png.data() + start, png.size() - start));
}

}  // namespace

std::vector<uint8_t> encode_png(const mub::Image &image) {
    if (image.width <= 0 || image.height <= 0) return {};
    // Scanlines: filter byte 0 (none), then R, G, B of each pixel.
    const size_t stride = 1 + size_t(image.width) * 3;
    std::vector<uint8_t> raw;
    raw.reserve(stride * size_t(image.height));
    for (int y = 0; y < image.height; ++y) {
        raw.push_back(0);
        const uint32_t *row = image.row(y);
        for (int x = 0; x < image.width; ++x) {
            raw.push_back(uint8_t(row[x] >> 16));
            raw.push_back(uint8_t(row[x] >> 8));
            raw.push_back(uint8_t(row[x]));
        }
    }
    std::vector<uint8_t> zlib = {0x78, 0x01};  // deflate, 32 KB window, no dictionary
    const std::vector<uint8_t> body = deflate(raw, stride);
    zlib.insert(zlib.end(), body.begin(), body.end());
    put32(zlib, adler32(raw));

    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    put32(header, uint32_t(image.width));
    put32(header, uint32_t(image.height));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, no filter choice, no interlace
    chunk(png, "IHDR", header);
    chunk(png, "IDAT", zlib);
    chunk(png, "IEND", {});
    return png;
}

}  // namespace mub::sim
