// Dialog templates: DLGTEMPLATE and DLGTEMPLATEEX with their items.
#include <cctype>
#include <string>

#include "platform/resource/byte_reader.h"
#include "platform/resource/resources.h"

namespace mub::res {
namespace {

constexpr uint32_t kDsSetFont = 0x40;
constexpr uint32_t kDsShellFont = 0x48;  // DS_SETFONT | DS_FIXEDSYS

// Items may name their class instead of giving its atom.
uint16_t class_atom(const ByteReader::NameOrOrdinal &cls) {
    if (cls.is_ordinal) return cls.ordinal;
    static const char *const kNames[] = {"BUTTON", "EDIT", "STATIC", "LISTBOX", "SCROLLBAR", "COMBOBOX"};
    for (size_t i = 0; i < std::size(kNames); ++i) {
        const std::string name = kNames[i];
        bool same = name.size() == cls.name.size();
        for (size_t j = 0; same && j < name.size(); ++j)
            same = cls.name[j] < 0x80 && std::toupper(int(cls.name[j])) == name[j];
        if (same) return uint16_t(0x80 + i);
    }
    return 0;
}

}  // namespace

std::optional<DialogTemplate> parse_dialog(std::span<const uint8_t> data) {
    ByteReader r(data);
    DialogTemplate d;
    const bool ex = data.size() >= 4 && data[0] == 1 && data[1] == 0 && data[2] == 0xFF && data[3] == 0xFF;
    uint16_t count;
    if (ex) {
        r.skip(4 + 4 + 4);  // version and signature, help id, extended style
        d.style = r.u32();
    } else {
        d.style = r.u32();
        r.skip(4);  // extended style
    }
    count = r.u16();
    d.x = r.i16(), d.y = r.i16(), d.cx = r.i16(), d.cy = r.i16();
    r.name_or_ordinal();  // menu
    r.name_or_ordinal();  // window class
    d.caption = r.sz();
    if ((d.style & kDsSetFont) || (ex && (d.style & kDsShellFont) == kDsShellFont)) {
        d.point_size = r.u16();
        if (ex) r.skip(4);  // weight, italic, character set
        d.font_name = r.sz();
    }
    if (!r.ok()) return std::nullopt;

    for (int i = 0; i < count; ++i) {
        DialogItem item;
        r.align(4);
        if (ex) {
            r.skip(4 + 4);  // help id, extended style
            item.style = r.u32();
        } else {
            item.style = r.u32();
            r.skip(4);  // extended style
        }
        item.x = r.i16(), item.y = r.i16(), item.cx = r.i16(), item.cy = r.i16();
        item.id = ex ? int(r.i32()) : int(r.u16());
        item.class_atom = class_atom(r.name_or_ordinal());
        const auto title = r.name_or_ordinal();
        if (!title.is_ordinal) item.text = title.name;
        // Creation data: a byte count, then the bytes (the classic form counts
        // its own count word, the extended form does not).
        const uint16_t extra = r.u16();
        if (extra) r.skip(ex ? extra : (extra >= 2 ? extra - 2u : 0u));
        if (!r.ok()) return std::nullopt;
        d.items.push_back(std::move(item));
    }
    return d;
}

std::optional<DialogTemplate> load_dialog(const ResFile &res, const Id &name, LangId language) {
    auto data = res.find(kRtDialog, name, language);
    if (!data) return std::nullopt;
    return parse_dialog(*data);
}

}  // namespace mub::res
