// The .res format: a run of entries, each a RESOURCEHEADER (sizes, type and
// name as ordinal or UTF-16 string, then on a 4-byte boundary the version,
// memory flags and language fields) and its data, every header starting on a
// 4-byte boundary.
#include <cctype>
#include <cstdint>
#include <cstdlib>

#include "platform/resource/byte_reader.h"
#include "platform/resource/resources.h"
#include "platform/text/text.h"

namespace mub::res {
namespace {

bool same_name(const std::string &a, const std::string &b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

bool same_id(const Id &a, const Id &b) {
    if (a.is_int != b.is_int) return false;
    return a.is_int ? a.number == b.number : same_name(a.name, b.name);
}

}  // namespace

Id Id::from_win32(const char *name_or_intresource) {
    Id id;
    const auto value = reinterpret_cast<uintptr_t>(name_or_intresource);
    if (value <= 0xFFFF) {  // MAKEINTRESOURCE
        id.is_int = true;
        id.number = uint16_t(value);
        return id;
    }
    std::string s = name_or_intresource;
    // "#101" names resource 101, as Windows reads it.
    if (s.size() > 1 && s[0] == '#') {
        char *end = nullptr;
        const unsigned long n = std::strtoul(s.c_str() + 1, &end, 10);
        if (*end == '\0' && n <= 0xFFFF) {
            id.is_int = true;
            id.number = uint16_t(n);
            return id;
        }
    }
    id.name = std::move(s);
    return id;
}

ResFile::ResFile(std::span<const uint8_t> bytes) {
    size_t pos = 0;
    size_t end = 0;        // where the last entry read ends
    bool damaged = false;  // an entry whose type or name runs past its header
    while (bytes.size() - pos >= 8) {
        ByteReader r(bytes, pos);
        const uint32_t data_size = r.u32();
        const uint32_t header_size = r.u32();
        // A header that cannot hold its own fields, or sizes that run past the
        // end, leave no way to find the next entry: stop there.
        if (header_size < 8 + 4 + 4 + 16 || header_size > bytes.size() - pos ||
            data_size > bytes.size() - pos - header_size)
            break;
        const size_t data_pos = pos + header_size;
        const size_t next = data_pos + data_size;

        ByteReader h(bytes.first(data_pos), pos + 8);
        const auto type = h.name_or_ordinal();
        const auto name = h.name_or_ordinal();
        h.align(4);
        h.skip(4 + 2);  // data version, memory flags
        const LangId language = h.u16();
        if (h.ok() && type.is_ordinal && type.ordinal != 0) {
            Entry e;
            e.type = type.ordinal;
            e.language = language;
            e.name.is_int = name.is_ordinal;
            e.name.number = name.ordinal;
            if (!name.is_ordinal) e.name.name = text::u32_to_utf8(name.name);
            e.data = bytes.subspan(data_pos, data_size);
            entries_.push_back(std::move(e));
        }
        damaged |= !h.ok();
        end = next;
        pos = (next + 3) & ~size_t(3);
        if (pos > bytes.size()) break;
    }
    to_the_end_ = !damaged && (pos == bytes.size() || end == bytes.size());
}

std::optional<std::span<const uint8_t>> ResFile::find(uint16_t type, const Id &name, LangId language) const {
    const Entry *first = nullptr, *same_primary = nullptr, *neutral = nullptr;
    for (const Entry &e : entries_) {
        if (e.type != type || !same_id(e.name, name)) continue;
        if (e.language == language) return e.data;
        if (!first) first = &e;
        if (!same_primary && primary_language(e.language) == primary_language(language)) same_primary = &e;
        if (!neutral && e.language == kLangNeutral) neutral = &e;
    }
    for (const Entry *e : {same_primary, neutral, first})
        if (e) return e->data;
    return std::nullopt;
}

std::vector<LangId> ResFile::languages(uint16_t type, const Id &name) const {
    std::vector<LangId> out;
    for (const Entry &e : entries_)
        if (e.type == type && same_id(e.name, name)) out.push_back(e.language);
    return out;
}

size_t ResFile::count(uint16_t type) const {
    size_t n = 0;
    for (const Entry &e : entries_) n += e.type == type;
    return n;
}

}  // namespace mub::res
