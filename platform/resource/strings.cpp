// String tables: string id n lives in RT_STRING block n / 16 + 1, which holds
// sixteen strings, each a 16-bit length and that many UTF-16 units.
#include "platform/resource/byte_reader.h"
#include "platform/resource/resources.h"

namespace mub::res {

std::optional<std::u32string> load_string(const ResFile &res, uint16_t id, LangId language) {
    Id block;
    block.is_int = true;
    block.number = uint16_t(id / 16 + 1);
    auto data = res.find(kRtString, block, language);
    if (!data) return std::nullopt;
    ByteReader r(*data);
    for (int k = 0; k < id % 16; ++k) r.skip(size_t(r.u16()) * 2);
    const uint16_t length = r.u16();
    if (!r.ok() || length == 0) return std::nullopt;
    std::u32string s;
    for (uint16_t i = 0; i < length && r.ok(); ++i) {
        char32_t c = r.u16();
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < length) {
            const char32_t lo = r.u16();
            ++i;
            c = lo >= 0xDC00 && lo <= 0xDFFF ? 0x10000 + ((c - 0xD800) << 10) + (lo - 0xDC00) : U'\uFFFD';
        }
        if (r.ok()) s += c;
    }
    if (!r.ok()) return std::nullopt;
    return s;
}

}  // namespace mub::res
