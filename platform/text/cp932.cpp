// Code page 932 (Shift-JIS as Windows has it) to Unicode.
#include "platform/text/font_data.h"
#include "platform/text/text.h"

namespace mub::text {
namespace {

int lead_index(uint8_t b) {
    if (b >= 0x81 && b <= 0x9F) return b - 0x81;
    if (b >= 0xE0 && b <= 0xFC) return b - 0xE0 + (0x9F - 0x81 + 1);
    return -1;
}

bool is_trail(uint8_t b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }

}  // namespace

std::u32string decode_cp932(std::string_view sjis) {
    std::u32string out;
    out.reserve(sjis.size());
    for (size_t i = 0; i < sjis.size(); ++i) {
        const uint8_t b = uint8_t(sjis[i]);
        const int lead = lead_index(b);
        if (lead < 0) {
            const uint16_t c = data::kCp932Single[b];
            out += c == data::kUnmapped ? U'?' : char32_t(c);
            continue;
        }
        // A lead byte cut off at the end, or followed by a byte that cannot
        // trail, stands alone; the next byte is read again on its own.
        if (i + 1 >= sjis.size() || !is_trail(uint8_t(sjis[i + 1]))) {
            out += U'?';
            continue;
        }
        const uint8_t t = uint8_t(sjis[++i]);
        const uint16_t c = data::kCp932Double[size_t(lead) * data::kTrailCount + (t - 0x40)];
        out += c == data::kUnmapped ? U'?' : char32_t(c);
    }
    return out;
}

std::string cp932_to_utf8(std::string_view sjis) { return u32_to_utf8(decode_cp932(sjis)); }

}  // namespace mub::text
