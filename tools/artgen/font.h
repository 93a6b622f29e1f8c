// Lettering with GNU Unifont's Japanese glyphs (8x16 and 16x16 bitmaps read
// from a .hex file), scaled up smoothly for headings, with outline and shadow.
#pragma once
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "canvas.h"

namespace art {

struct TextStyle {
    Color fill = 0xFFFFFF;
    int scale = 1;             // 1, 2, 3, 4 or 6; smooth scaling (Scale2x/3x)
    int shrink = 1;            // then divided down: scale 3, shrink 2 gives 24-pixel letters
    bool bold = false;         // strokes one pixel wider to the right, as synthetic bold
    Color outline = kClear;    // drawn around the letters
    int outline_w = 1;
    Color shadow = kClear;     // drawn below right of the outline
    int shadow_d = 1;
    int spacing = 0;           // extra pixels between letters
    Color fill2 = kClear;      // optional lower-half colour (two-tone letters)
};

// Letters of one colour at a scale, outlined 1 pixel wide, 2 from scale 3 up.
inline TextStyle lettering(Color fill, int scale = 1, Color outline = kClear) {
    TextStyle st;
    st.fill = fill;
    st.scale = scale;
    st.outline = outline;
    st.outline_w = scale >= 3 ? 2 : 1;
    return st;
}

class Font {
public:
    // Loads every glyph of the .hex file at path.
    explicit Font(const std::string& path);
    // Width in pixels of the text at the style's scale.
    int width(const std::string& utf8, const TextStyle& st) const;
    int height(const TextStyle& st) const { return 16 * st.scale / st.shrink; }
    // Draws with the top-left of the glyph box at (x, y).
    void draw(Canvas& c, int x, int y, const std::string& utf8, const TextStyle& st) const;
    // Draws centred on column cx.
    void draw_centred(Canvas& c, int cx, int y, const std::string& utf8, const TextStyle& st) const;
    // Writes the glyphs used so far, sorted, in .hex format.
    void write_used(const std::string& path) const;

private:
    struct Glyph {
        int w = 8;
        std::vector<uint8_t> bits;  // w x 16
        std::string hex;
    };
    const Glyph& glyph(char32_t cp) const;
    std::vector<uint8_t> render(const std::string& utf8, const TextStyle& st, int& w) const;

    std::map<char32_t, Glyph> glyphs_;
    mutable std::set<char32_t> used_;
};

std::u32string utf8_decode(const std::string& s);
const Font& font();
void set_font(const std::string& path);

// The edition being drawn: a picture with words comes in Japanese and in
// English, the same picture but for its lettering.
enum class Edition { Japanese, English };
void set_edition(Edition e);
Edition edition();
inline bool english() { return edition() == Edition::English; }
// The words for the edition being drawn.
inline const char* tr(const char* ja, const char* en) { return english() ? en : ja; }

}  // namespace art
