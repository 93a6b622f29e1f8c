#include "platform/text/shown.h"

#include <cstdint>

namespace mub::text {

namespace {

// Characters that change the order of the text around them or show nothing:
// in a message they could make a name read as another.
bool hides_or_reorders(uint32_t cp) {
    return cp == 0x00AD || cp == 0x061C || cp == 0x180E || (cp >= 0x200B && cp <= 0x200F) ||
           (cp >= 0x2028 && cp <= 0x202E) || (cp >= 0x2060 && cp <= 0x206F) || cp == 0xFEFF ||
           (cp >= 0xFFF9 && cp <= 0xFFFB) || (cp >= 0xE0000 && cp <= 0xE007F);
}

}  // namespace

std::string shown(std::string_view bytes, size_t max_chars) {
    std::string out;
    size_t chars = 0, i = 0;
    auto escape = [&](unsigned char b) {
        static const char hex[] = "0123456789abcdef";
        out += "\\x";
        out += hex[b >> 4];
        out += hex[b & 15];
    };
    while (i < bytes.size()) {
        if (chars == max_chars) return out + "…";
        const auto b = (unsigned char)bytes[i];
        // The length of a well-formed UTF-8 sequence starting here, or 0.
        size_t len = 0;
        uint32_t cp = 0;
        if (b < 0x80) {
            len = 1, cp = b;
        } else if (b >= 0xC2 && b < 0xE0) {
            len = 2, cp = b & 0x1F;
        } else if (b >= 0xE0 && b < 0xF0) {
            len = 3, cp = b & 0x0F;
        } else if (b >= 0xF0 && b < 0xF5) {
            len = 4, cp = b & 0x07;
        }
        for (size_t k = 1; k < len; ++k) {
            if (i + k >= bytes.size() || ((unsigned char)bytes[i + k] & 0xC0) != 0x80) {
                len = 0;
                break;
            }
            cp = (cp << 6) | ((unsigned char)bytes[i + k] & 0x3F);
        }
        const bool overlong = (len == 3 && cp < 0x800) || (len == 4 && cp < 0x10000);
        const bool bad = len == 0 || overlong || (cp >= 0xD800 && cp < 0xE000) || cp > 0x10FFFF;
        const bool control = cp < 0x20 || (cp >= 0x7F && cp < 0xA0);
        if (bad || control) {
            escape(b);
            ++i;
        } else if (hides_or_reorders(cp)) {
            static const char hex[] = "0123456789abcdef";
            out += "\\u{";
            for (int shift = cp > 0xFFFF ? 16 : 12; shift >= 0; shift -= 4) out += hex[(cp >> shift) & 15];
            out += "}";
            i += len;
        } else {
            out.append(bytes.substr(i, len));
            i += len;
        }
        ++chars;
    }
    return out;
}

}  // namespace mub::text
