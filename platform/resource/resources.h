// Readers for a compiled resource script (.res) and for what the core needs
// out of it: bitmaps, icons, dialog templates and strings. Lookups by name
// ignore case, as Windows does, and prefer a language as Windows does. Which script is the program's own is the core's
// business (a module per HINSTANCE); nothing here knows it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/base/image.h"

namespace mub::res {

// A resource identifier: an integer id or a name.
struct Id {
    bool is_int = false;
    uint16_t number = 0;
    std::string name;  // as given; compared without regard to case
    static Id from_win32(const char *name_or_intresource);
};

// Win32 language identifiers (LANGID: primary language in the low 10 bits,
// sublanguage above). A script's LANGUAGE statement stamps its resources.
using LangId = uint16_t;
constexpr LangId kLangNeutral = 0x0000;
constexpr LangId kLangJapanese = 0x0411;  // LANG_JAPANESE, SUBLANG_JAPANESE_JAPAN
constexpr LangId kLangEnglish = 0x0409;   // LANG_ENGLISH, SUBLANG_ENGLISH_US
constexpr LangId primary_language(LangId id) { return id & 0x3FF; }

// Raw access to a .res image. Holds a view; the bytes must outlive it.
class ResFile {
public:
    explicit ResFile(std::span<const uint8_t> bytes);  // malformed entries are skipped, never read past the end
    // A resource in the language asked for, else in a language of the same
    // primary language, else a language-neutral one, else the first in the
    // script: the order in which Windows falls back from the UI language.
    std::optional<std::span<const uint8_t>> find(uint16_t type, const Id &name,
                                                 LangId language = kLangNeutral) const;
    size_t count(uint16_t type) const;
    // The languages that type/name exists in, in the script's order.
    std::vector<LangId> languages(uint16_t type, const Id &name) const;

    // Whether the file was read to its end and holds at least one entry, with
    // every bitmap, icon and dialog in it whole: bytes that arrived cut, or as
    // something else, are not.
    bool readable() const;

private:
    struct Entry {
        uint16_t type;
        Id name;
        LangId language;
        std::span<const uint8_t> data;
    };
    std::vector<Entry> entries_;
    bool to_the_end_ = false;  // every byte belongs to an entry (or to the padding after one)
};

constexpr uint16_t kRtIcon = 3, kRtBitmap = 2, kRtDialog = 5, kRtString = 6, kRtGroupIcon = 14;

// A bitmap as a device-dependent bitmap on a 32-bit screen: 1-bpp images
// become black (0) and white (1), whatever their palette says; 4- and 8-bpp
// images take their palette colours.
struct Bitmap {
    int bpp = 0;  // bits per pixel of the resource
    Image image;
};
std::optional<Bitmap> decode_dib(std::span<const uint8_t> dib);  // BITMAPINFOHEADER + palette + bits
std::optional<Bitmap> load_bitmap(const ResFile &res, const Id &name, LangId language = kLangNeutral);

// The first image of an icon group, 32 x 32. Unlike other images, an icon
// carries alpha in the top byte: kIconOpaque on the pixels its mask keeps,
// 0 (transparent black) on those it leaves out.
constexpr uint32_t kIconOpaque = 0xFF000000u;
std::optional<Image> load_icon(const ResFile &res, const Id &group_name, LangId language = kLangNeutral);

struct DialogItem {
    uint32_t style = 0;
    int x = 0, y = 0, cx = 0, cy = 0;  // dialog units
    int id = 0;
    uint16_t class_atom = 0;  // 0x80 button, 0x81 edit, 0x82 static...
    std::u32string text;
};
struct DialogTemplate {
    uint32_t style = 0;
    int x = 0, y = 0, cx = 0, cy = 0;  // dialog units
    std::u32string caption;
    int point_size = 0;
    std::u32string font_name;
    std::vector<DialogItem> items;
};
std::optional<DialogTemplate> parse_dialog(std::span<const uint8_t> data);
std::optional<DialogTemplate> load_dialog(const ResFile &res, const Id &name, LangId language = kLangNeutral);

// String id's text from the string table (RT_STRING blocks of 16 counted
// UTF-16 strings); nullopt when the id has no string.
std::optional<std::u32string> load_string(const ResFile &res, uint16_t id, LangId language = kLangNeutral);

}  // namespace mub::res
