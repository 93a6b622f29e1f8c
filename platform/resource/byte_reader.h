// Little-endian reads from a byte span that fail instead of running past the end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace mub::res {

class ByteReader {
public:
    explicit ByteReader(std::span<const uint8_t> bytes, size_t pos = 0) : bytes_(bytes), pos_(pos) {}

    size_t pos() const { return pos_; }
    size_t remaining() const { return pos_ <= bytes_.size() ? bytes_.size() - pos_ : 0; }
    bool ok() const { return ok_; }  // false once any read failed

    bool skip(size_t n) {
        if (!ok_ || n > remaining()) return ok_ = false;
        pos_ += n;
        return true;
    }
    // Moves to the next multiple of `unit` counted from the start of the span.
    bool align(size_t unit) { return skip((unit - pos_ % unit) % unit); }

    uint8_t u8() { return uint8_t(read(1)); }
    uint16_t u16() { return uint16_t(read(2)); }
    uint32_t u32() { return read(4); }
    int16_t i16() { return int16_t(u16()); }
    int32_t i32() { return int32_t(u32()); }

    // A zero-terminated UTF-16 string (surrogate pairs joined).
    std::u32string sz() {
        std::u32string s;
        while (ok_) {
            char32_t c = u16();
            if (!ok_ || c == 0) break;
            if (c >= 0xD800 && c <= 0xDBFF && remaining() >= 2) {
                const char32_t lo = uint16_t(bytes_[pos_] | bytes_[pos_ + 1] << 8);
                if (lo >= 0xDC00 && lo <= 0xDFFF) {
                    u16();
                    c = 0x10000 + ((c - 0xD800) << 10) + (lo - 0xDC00);
                }
            }
            s += c;
        }
        return s;
    }

    // A name or an ordinal: 0xFFFF then a 16-bit number, or a string.
    struct NameOrOrdinal {
        bool is_ordinal = false;
        uint16_t ordinal = 0;
        std::u32string name;
    };
    NameOrOrdinal name_or_ordinal() {
        NameOrOrdinal r;
        if (remaining() >= 2 && bytes_[pos_] == 0xFF && bytes_[pos_ + 1] == 0xFF) {
            u16();
            r.is_ordinal = true;
            r.ordinal = u16();
        } else {
            r.name = sz();
        }
        return r;
    }

private:
    uint32_t read(size_t n) {
        if (!ok_ || n > remaining()) {
            ok_ = false;
            return 0;
        }
        uint32_t v = 0;
        for (size_t i = 0; i < n; ++i) v |= uint32_t(bytes_[pos_ + i]) << (8 * i);
        pos_ += n;
        return v;
    }

    std::span<const uint8_t> bytes_;
    size_t pos_;
    bool ok_ = true;
};

}  // namespace mub::res
