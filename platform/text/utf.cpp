// UTF-8 <-> UTF-32. Malformed input becomes U+FFFD, one per bad sequence.
#include "platform/text/text.h"

namespace mub::text {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool valid_scalar(char32_t c) { return c < 0x110000 && (c < 0xD800 || c > 0xDFFF); }

}  // namespace

std::u32string utf8_to_u32(std::string_view s) {
    std::u32string out;
    out.reserve(s.size());
    size_t i = 0;
    while (i < s.size()) {
        const uint8_t b = uint8_t(s[i]);
        int extra;
        char32_t c;
        char32_t min;
        if (b < 0x80) {
            out += char32_t(b);
            ++i;
            continue;
        } else if ((b & 0xE0) == 0xC0) {
            extra = 1, c = b & 0x1F, min = 0x80;
        } else if ((b & 0xF0) == 0xE0) {
            extra = 2, c = b & 0x0F, min = 0x800;
        } else if ((b & 0xF8) == 0xF0) {
            extra = 3, c = b & 0x07, min = 0x10000;
        } else {
            out += kReplacement;
            ++i;
            continue;
        }
        size_t j = i + 1;
        for (; j < s.size() && j <= i + size_t(extra); ++j) {
            const uint8_t cont = uint8_t(s[j]);
            if ((cont & 0xC0) != 0x80) break;
            c = (c << 6) | (cont & 0x3F);
        }
        if (j != i + 1 + size_t(extra) || c < min || !valid_scalar(c)) {
            out += kReplacement;
            i = j > i + 1 ? j : i + 1;
            continue;
        }
        out += c;
        i = j;
    }
    return out;
}

std::string u32_to_utf8(std::u32string_view s) {
    std::string out;
    out.reserve(s.size() * 3);
    for (char32_t c : s) {
        if (!valid_scalar(c)) c = kReplacement;
        if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += char(0xE0 | (c >> 12));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        } else {
            out += char(0xF0 | (c >> 18));
            out += char(0x80 | ((c >> 12) & 0x3F));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

}  // namespace mub::text
