// The title logo and the two games' title pictures, rising lines and prompts.
#include "actors.h"
#include "font.h"
#include "palette.h"
#include "pictures.h"

namespace art {
using namespace pal;

namespace {

TextStyle big(int scale, Color fill, Color outline, Color shadow = kClear) {
    TextStyle st;
    st.scale = scale;
    st.fill = fill;
    st.outline = outline;
    st.outline_w = scale >= 3 ? 2 : 1;
    st.shadow = shadow;
    st.shadow_d = scale >= 3 ? 3 : 1;
    return st;
}

// Three lines of white text on black, one per 45-row band; each line keeps
// to rows 4..38 of its band and to columns 0..299 (the game shows 300).
Canvas rising_lines(const char* a, const char* b, const char* c) {
    Canvas s(330, 135, Black);
    TextStyle st;
    st.scale = 2;
    st.fill = White;
    const char* lines[] = {a, b, c};
    for (int j = 0; j < 3; ++j) font().draw_centred(s, 150, 45 * j + 5, lines[j], st);
    return s;
}

// Rows of little symbols above and below the title (outside the wiped bands).
void symbol_rows(Canvas& c, int y, bool hearts) {
    for (int k = 0; k < 11; ++k) {
        double cx = 25 + 45 * k;
        if ((k & 1) == hearts) draw_heart(c, cx, y, 10, k % 4 == 1 ? Fuchsia : Red, Maroon);
        else draw_flash(c, cx, y, 11, k % 4 == 0 ? Yellow : Aqua, White);
    }
}

}  // namespace

// Rows 0..169: the logo; rows 170..245: the prompt to choose with the mouse.
Canvas pic_title() {
    Canvas c(507, 246, Black);
    // A night-sea glow behind the logo.
    for (int y = 0; y < 170; ++y)
        for (int x = 0; x < 505; ++x) {
            int d = (x - 252) * (x - 252) / 40 + (y - 85) * (y - 85) / 6;
            if (d < 1600) c.set(x, y, Color(0x00001E + (1600 - d) / 40));
        }
    TextStyle sub = big(1, White, Blue);
    const char* subtitle = tr("～ むぶとカニの 海底大決戦 ～", "~ Mubu vs. the Crabs: Showdown on the Seabed ~");
    const int sub_w = font().width(subtitle, sub);
    for (int k = 0; k < 18; ++k) {
        const int x = 20 + (k * 97) % 470, y = 10 + (k * 53) % 150, r = 2 + k % 4;
        // The English subtitle is longer: no bubble behind its letters.
        if (english() && y + r >= 116 && y - r <= 136 && x + r >= 252 - sub_w / 2 && x - r <= 252 + sub_w / 2) continue;
        draw_bubble(c, x, y, r);
    }
    TextStyle st = big(4, Yellow, Red, Maroon);
    st.fill2 = 0xFFA040;
    font().draw_centred(c, 252, 28, tr("むぶむぶゲーム", "Mubmub Games"), st);
    font().draw_centred(c, 252, 118, subtitle, sub);
    draw_mub(c, 38, 140, 20, Look::Happy);
    CrabPose p;
    p.claws = 2;
    draw_crab(c, 466, 142, 16, cyan_crab(), p);
    for (int k = 0; k < 4; ++k) draw_heart(c, 90 + 30 * k, 150, 7, Red, Maroon);
    for (int k = 0; k < 4; ++k) draw_pile(c, 330 + 30 * k, 160, 7, k & 1);
    TextStyle pr = big(2, Aqua, Blue);
    font().draw_centred(c, 252, 178, tr("マウスで ゲームを 選んでね！", "Pick a game with the mouse!"), pr);
    return c;
}

Canvas pic_mub_ti_1() {
    return english() ? rising_lines("This game is", "played with", "the mouse!")
                     : rising_lines("このゲームは", "マウスで", "遊ぶゲームです！");
}
Canvas pic_mub2_ti_1() {
    return english() ? rising_lines("This game is", "played with", "the keyboard!")
                     : rising_lines("このゲームは", "キーボードで", "遊ぶゲームです！");
}

// Title text in the bands the wipe reveals: rows 75..154, 140..219 and
// 230..309; the symbol rows lie outside them and appear with the whole picture.
Canvas pic_mub_ti_2() {
    Canvas c(550, 421, Black);
    symbol_rows(c, 36, true);
    symbol_rows(c, 380, false);
    font().draw_centred(c, 250, 84, tr("むぶな", "Mubu's"), big(3, Fuchsia, White, Purple));
    font().draw_centred(c, 250, 160, tr("シューティング", "Shooting"), big(3, Yellow, Red, Maroon));
    font().draw_centred(c, 250, 240, tr("ゲーム", "Game"), big(4, Aqua, Blue, Navy));
    draw_mub(c, 75, 272, 28, Look::Right);
    CrabPose p;
    p.claws = 2;
    p.look = Look::Left;
    draw_crab(c, 425, 275, 24, cyan_crab(), p);
    draw_heart(c, 120, 250, 9, Red, Maroon);
    draw_pile(c, 380, 262, 8, 0);
    return c;
}

Canvas pic_mub2_ti_2() {
    Canvas c(550, 421, Black);
    symbol_rows(c, 36, false);
    symbol_rows(c, 380, true);
    font().draw_centred(c, 250, 84, tr("むぶ", "Whack"), big(3, Aqua, White, Teal));
    font().draw_centred(c, 250, 150, tr("叩き", "-a-"), big(4, Red, Yellow, Maroon));
    font().draw_centred(c, 250, 240, tr("ゲーム", "Mubu"), big(4, Lime, Green, Teal));
    CrabPose p;
    p.claws = 2;
    draw_crab(c, 80, 272, 24, cyan_crab(), p);
    draw_mub(c, 425, 275, 26, Look::Happy);
    draw_flash(c, 120, 245, 12, Yellow, White);
    return c;
}

namespace {

// Prompt lettering: 24-pixel bold letters, outlined, filling the 26 rows.
TextStyle prompt_style() {
    TextStyle st = big(3, Yellow, Red);
    st.outline_w = 1;
    st.shrink = 2;
    st.bold = true;
    return st;
}

// A mouse, 18 x 25, its left button lit.
void small_mouse(Canvas& c, int x, int y) {
    c.round_rect(x, y + 1, 18, 24, 8, Silver);
    c.round_rect(x + 1, y + 2, 16, 22, 7, White);
    c.round_rect(x + 2, y + 3, 7, 9, 3, Yellow);
    c.rect(x + 9, y + 2, 1, 10, Gray);
    c.rect(x + 1, y + 12, 16, 1, Gray);
    draw_flash(c, x + 4, y + 3, 4, Red, Yellow);
}

}  // namespace

// The whole prompt is shown, at (350, 480).
Canvas pic_mub_push() {
    Canvas c(208, 26, Black);
    const TextStyle st = prompt_style();
    const char* text = tr("クリックしてね!", "Click to play!");
    const int w = 18 + 6 + font().width(text, st), x = (208 - w) / 2;
    small_mouse(c, x, 0);
    font().draw(c, x + 24, 1, text, st);
    return c;
}

// The game copies the left 250 columns to (350, 480), so the client area
// (592 wide) shows only columns 0..241.
Canvas pic_mub2_push() {
    Canvas c(264, 26, Black);
    const TextStyle st = prompt_style();
    // [Enter] キーを押してね! / Press [Enter] to play!
    const char* before = tr("", "Press");
    const char* after = tr("キーを押してね!", "to play!");
    const int lead = *before ? font().width(before, st) + 5 : 0;
    const int w = lead + 48 + 5 + font().width(after, st), x = (242 - w) / 2;
    if (*before) font().draw(c, x, 1, before, st);
    const int k = x + lead;
    c.round_rect(k, 0, 48, 26, 5, Gray);
    c.round_rect(k + 1, 1, 46, 22, 4, Silver);
    c.round_rect(k + 2, 2, 43, 19, 3, White);
    TextStyle key = lettering(Black);
    key.bold = true;
    font().draw_centred(c, k + 24, 3, "Enter", key);
    font().draw(c, k + 53, 1, after, st);
    return c;
}

}  // namespace art
