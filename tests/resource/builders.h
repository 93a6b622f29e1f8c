// Byte builders for synthetic .res images, DIBs and dialog templates.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace restest {

struct Bytes {
    std::vector<uint8_t> v;
    Bytes &u8(uint32_t x) {
        v.push_back(uint8_t(x));
        return *this;
    }
    Bytes &u16(uint32_t x) { return u8(x).u8(x >> 8); }
    Bytes &u32(uint32_t x) { return u16(x & 0xFFFF).u16(x >> 16); }
    Bytes &sz(std::u16string_view s) {
        for (char16_t c : s) u16(c);
        return u16(0);
    }
    Bytes &ordinal(uint16_t id) { return u16(0xFFFF).u16(id); }
    Bytes &align4() {
        while (v.size() % 4) u8(0);
        return *this;
    }
    Bytes &append(const std::vector<uint8_t> &b) {
        v.insert(v.end(), b.begin(), b.end());
        return *this;
    }
};

// One RESOURCEHEADER and its data; name is an ordinal when name_str is empty.
inline void add_resource(Bytes &res, uint16_t type, uint16_t id, std::u16string_view name_str,
                         const std::vector<uint8_t> &data, uint16_t language = 0x0409) {
    Bytes h;
    h.ordinal(type);
    if (name_str.empty())
        h.ordinal(id);
    else
        h.sz(name_str);
    h.align4().u32(0).u16(0x1030).u16(language).u32(0).u32(0);
    res.u32(uint32_t(data.size())).u32(uint32_t(8 + h.v.size())).append(h.v).append(data).align4();
}

inline Bytes empty_res() {
    Bytes res;
    res.u32(0).u32(32).ordinal(0).ordinal(0).u32(0).u16(0).u16(0).u32(0).u32(0);
    return res;
}

// BITMAPINFOHEADER, palette, then rows as given (already padded, in file order).
inline std::vector<uint8_t> dib(int w, int h, int bpp, const std::vector<uint32_t> &palette,
                                const std::vector<uint8_t> &bits, uint32_t colours_used = 0) {
    Bytes b;
    b.u32(40).u32(uint32_t(w)).u32(uint32_t(h)).u16(1).u16(uint32_t(bpp)).u32(0).u32(uint32_t(bits.size()));
    b.u32(0).u32(0).u32(colours_used).u32(0);
    for (uint32_t c : palette) b.u32(c);
    return b.append(bits).v;
}

}  // namespace restest
