// Japanese text for the core: code page 932 decoding and a 16-pixel bitmap
// font (GNU Unifont, Japanese glyph variant) drawn into an Image.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/base/image.h"

namespace mub::text {

// Decodes Shift-JIS (code page 932) bytes to Unicode code points. A byte
// sequence with no mapping, or a lead byte cut off at the end, becomes '?'.
std::u32string decode_cp932(std::string_view sjis);
std::string cp932_to_utf8(std::string_view sjis);
// The reverse, as Windows converts to code page 932: where a character has
// several codes, the JIS one, else the IBM extension's rather than NEC's
// copy of it. A character with no code becomes '?'.
std::string encode_cp932(std::u32string_view s);
// The bytes that begin a two-byte character.
bool is_cp932_lead(uint8_t byte);
std::u32string utf8_to_u32(std::string_view utf8);
std::string u32_to_utf8(std::u32string_view s);

// Every glyph is 16 pixels high; half-width glyphs are 8 wide, full-width 16.
constexpr int kLineHeight = 16;
// A character the font lacks is drawn, and measured, as '?'.
bool has_glyph(char32_t c);
int glyph_width(char32_t c);
int text_width(std::u32string_view s);

// Draws the set pixels of each glyph in colour (0x00RRGGBB) with the glyph
// cell's top-left at (x, y); unset pixels are left alone (transparent mode).
// Never writes outside the image or the clip rectangle.
void draw_text(Image &img, int x, int y, std::u32string_view s, uint32_t colour, const Rect &clip);

}  // namespace mub::text
