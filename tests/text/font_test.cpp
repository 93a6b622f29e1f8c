// The 16-pixel font: coverage of the game's texts, widths and drawing.
#include <climits>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "platform/text/text.h"
#include "tests/support/program_res.h"

using namespace mub::text;

namespace {

constexpr uint32_t kBack = 0x123456, kInk = 0xFFFFFF;

mub::Image draw(int w, int h, int x, int y, std::u32string_view s, mub::Rect clip) {
    mub::Image img(w, h, kBack);
    draw_text(img, x, y, s, kInk, clip);
    return img;
}

}  // namespace

TEST(Font, HasAGlyphForEveryCharacterTheGameShows) {
    std::u32string all = U"0123456789 OKはいいいえキャンセルYesNoCancel";  // message box buttons
    for (const mub::res::LangId lang : {mub::res::kLangJapanese, mub::res::kLangEnglish}) {
        for (uint16_t id = 0; id < 200; ++id)
            if (auto s = mub::res::load_string(mubtest::program_res(), id, lang)) all += *s;
        auto dialog = mub::res::load_dialog(mubtest::program_res(), mub::res::Id{true, 101, {}}, lang);
        ASSERT_TRUE(dialog);
        all += dialog->caption + dialog->font_name;
        for (const auto &item : dialog->items) all += item.text;
    }
    for (char32_t c : all) EXPECT_TRUE(has_glyph(c)) << "U+" << std::hex << uint32_t(c);
}

TEST(Font, WidthsAreHalfAndFull) {
    EXPECT_EQ(glyph_width(U'A'), 8);
    EXPECT_EQ(glyph_width(U'む'), 16);
    EXPECT_EQ(glyph_width(U'ｱ'), 8);
    EXPECT_EQ(glyph_width(U'！'), 16);
    EXPECT_EQ(text_width(U"%d むぶ"), 3 * 8 + 2 * 16);
    EXPECT_EQ(text_width(U""), 0);
    // A character outside the font takes the place of '?'.
    EXPECT_FALSE(has_glyph(U'\U0001F600'));
    EXPECT_EQ(glyph_width(U'\U0001F600'), glyph_width(U'?'));
    EXPECT_EQ(draw(16, 16, 0, 0, U"\U0001F600", {0, 0, 16, 16}).pixels,
              draw(16, 16, 0, 0, U"?", {0, 0, 16, 16}).pixels);
}

TEST(Font, DrawsSetPixelsOnlyInTheTextColour) {
    // Unifont's 'A': rows 00 00 00 00 18 24 24 42 42 7E 42 42 42 42 00 00.
    const mub::Image img = draw(10, 18, 1, 2, U"A", {0, 0, 10, 18});
    const int rows[16] = {0, 0, 0, 0, 0x18, 0x24, 0x24, 0x42, 0x42, 0x7E, 0x42, 0x42, 0x42, 0x42, 0, 0};
    for (int y = 0; y < 18; ++y)
        for (int x = 0; x < 10; ++x) {
            const int gy = y - 2, gx = x - 1;
            const bool set = gy >= 0 && gy < 16 && gx >= 0 && gx < 8 && (rows[gy] & (0x80 >> gx));
            EXPECT_EQ(img.row(y)[x], set ? kInk : kBack) << x << "," << y;
        }
    // Glyphs follow each other by their widths.
    const mub::Image two = draw(40, 16, 0, 0, U"Aむ", {0, 0, 40, 16});
    const mub::Image one = draw(40, 16, 8, 0, U"む", {0, 0, 40, 16});
    for (int y = 0; y < 16; ++y)
        for (int x = 8; x < 40; ++x) EXPECT_EQ(two.row(y)[x], one.row(y)[x]);
}

TEST(Font, ClipsToTheClipRectangleAndTheImage) {
    const std::u32string s = U"むぶAB叩";
    const mub::Image full = draw(64, 24, 3, 4, s, {0, 0, 64, 24});
    // Any clip, including ones past the image's edges, shows exactly the
    // full drawing inside it and nothing outside.
    const mub::Rect clips[] = {{10, 6, 30, 15}, {-50, -50, 5, 100}, {40, 10, 1000, 1000}, {20, 20, 10, 10}, {0, 0, 0, 0}};
    for (const mub::Rect &c : clips) {
        const mub::Image img = draw(64, 24, 3, 4, s, c);
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 64; ++x) {
                const bool inside = x >= c.left && x < c.right && y >= c.top && y < c.bottom;
                EXPECT_EQ(img.row(y)[x], inside ? full.row(y)[x] : kBack);
            }
    }
    // Text hanging over every edge, or far away, writes nothing outside the image.
    for (auto [x, y] : {std::pair{-5, -9}, {60, 20}, {-100, 10}, {INT_MAX - 4, 0}, {INT_MIN, INT_MIN}, {0, INT_MAX}}) {
        const mub::Image img = draw(64, 24, x, y, s, {INT_MIN, INT_MIN, INT_MAX, INT_MAX});
        EXPECT_EQ(img.pixels.size(), 64u * 24u);
    }
    mub::Image empty;
    draw_text(empty, 0, 0, s, kInk, {0, 0, 100, 100});
    EXPECT_TRUE(empty.pixels.empty());
}
