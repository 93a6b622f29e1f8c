// Code page 932 (Shift-JIS as Windows has it) to Unicode and back.
#include <unordered_map>

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

bool is_cp932_lead(uint8_t byte) { return lead_index(byte) >= 0; }

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

namespace {

// Unicode -> code, built once from the decoding table. Codes are taken in
// ascending order, so the JIS code of a character wins over its NEC and IBM
// copies, except that NEC's copies of IBM extensions (lead bytes ED, EE)
// are taken last, after the IBM codes (FA to FC).
const std::unordered_map<char32_t, uint16_t> &encoder() {
    static const std::unordered_map<char32_t, uint16_t> map = [] {
        std::unordered_map<char32_t, uint16_t> m;
        for (int b = 0; b < 256; ++b)
            if (data::kCp932Single[b] != data::kUnmapped) m.emplace(data::kCp932Single[b], uint16_t(b));
        auto add_lead = [&](int lead) {
            for (int t = 0x40; t <= 0xFC; ++t) {
                const uint16_t c = data::kCp932Double[size_t(lead_index(uint8_t(lead))) * data::kTrailCount + (t - 0x40)];
                if (c != data::kUnmapped) m.emplace(c, uint16_t(lead << 8 | t));
            }
        };
        for (int lead = 0x81; lead <= 0xFC; ++lead)
            if (lead_index(uint8_t(lead)) >= 0 && lead != 0xED && lead != 0xEE) add_lead(lead);
        add_lead(0xED);
        add_lead(0xEE);
        return m;
    }();
    return map;
}

}  // namespace

std::string encode_cp932(std::u32string_view s) {
    std::string out;
    out.reserve(s.size() * 2);
    for (char32_t c : s) {
        const auto it = encoder().find(c);
        if (it == encoder().end()) {
            out += '?';
        } else if (it->second > 0xFF) {
            out += char(it->second >> 8);
            out += char(it->second & 0xFF);
        } else {
            out += char(it->second);
        }
    }
    return out;
}

}  // namespace mub::text
