// The two result screens. Both are white where the game draws the spinning
// heart as an opaque copy, and carry their digit bands below the screen.
#include "actors.h"
#include "digits.h"
#include "font.h"
#include "palette.h"
#include "pictures.h"
#include "sheet.h"

namespace art {
using namespace pal;

namespace {

// Rows 550..599 red digits in 30-pixel cells (the 1 in the left half),
// rows 600..649 their mask; rows 650..698 yellow digits 0..6 in 35-pixel
// cells, rows 700..748 their mask (row 699 stays clear: it has no mask row).
void digit_bands(Canvas& c) {
    c.rect(0, 550, c.width(), 50, White);
    c.rect(0, 600, c.width(), 50, Black);
    c.rect(0, 650, c.width(), 50, White);
    c.rect(0, 700, c.width(), 49, Black);
    for (int d = 0; d <= 9; ++d) {
        Canvas s = d == 1 ? digit_sprite(1, 13, 46, 5, Red, Maroon) : digit_sprite(d, 26, 46, 5, Red, Maroon);
        put_sprite(c, s, 30 * d + (d == 1 ? 1 : 2), 552, 50);
    }
    for (int n = 0; n <= 6; ++n) put_sprite(c, digit_sprite(n, 29, 45, 5, Yellow, Olive), 35 * n + 3, 652, 50);
}

}  // namespace

Canvas pic_mub_hantei() {
    Canvas c(605, 749, White);
    c.rect(0, 0, 600, 550, White);
    font().draw_centred(c, 300, 8, "判定", lettering(Red, 3, Maroon));
    font().draw_centred(c, 300, 64, "『OK』だったらマウスをクリック!", lettering(Blue));
    font().draw(c, 112, 108, "勝ち:", lettering(Black, 2));
    font().draw(c, 252, 108, "／ 負け:", lettering(Black, 2));
    font().draw(c, 110, 168, "貴方の得点は", lettering(Black, 2));
    font().draw(c, 392, 168, "点です!", lettering(Black, 2));
    font().draw_centred(c, 300, 232, "成績!!", lettering(Purple, 2));
    const char* lines[] = {"90点～100点 ・・・ 達人です。",        "70点～80点・・・・・かなりの猛者です。",
                           "50点～60点・・・・・普通の人です。",   "30点～40点・・・・・まだまだですな。",
                           "10点～20点・・・・・未熟者です。",     "0点 ・・・・・・・・・がんばれ!"};
    for (int k = 0; k < 6; ++k) font().draw(c, 64, 290 + 32 * k + 5, lines[k], lettering(k == 0 ? Red : Black));
    c.draw(layer(60, 60, [](Canvas& l) { draw_mub(l, 30, 30, 24, Look::Happy); }, Black), 500, 440);
    digit_bands(c);
    return c;
}

Canvas pic_mub2_hantei() {
    Canvas c(605, 749, White);
    font().draw_centred(c, 300, 8, "判定", lettering(Blue, 3, Navy));
    font().draw_centred(c, 300, 64, "『OK』だったら 『Enter』キーを押して!", lettering(Red));
    font().draw(c, 100, 168, "貴方の得点は", lettering(Black, 2));
    font().draw(c, 396, 168, "点です!", lettering(Black, 2));
    font().draw_centred(c, 300, 232, "▽▼成績判定▽▼", lettering(Teal, 2));
    const char* lines[] = {"100点以上 ・・・ あんた、むぶや・・・・", "80点～99点 ・・・ すごい!!",
                           "60点～79点 ・・・ 頑張りましたな!",     "40点～59点 ・・・ まあまあですな!",
                           "20点～39点 ・・・ まだまだですな!",     "0点～19点 ・・・ がんばってね!"};
    for (int k = 0; k < 6; ++k) font().draw(c, 48, 287 + 32 * k + 5, lines[k], lettering(k == 0 ? Red : Black));
    for (int k = 0; k < 8; ++k) {
        CrabPose p;
        p.claws = 1 + (k & 1);
        if (k % 2 == 0)
            c.draw(layer(48, 48, [&](Canvas& l) { draw_crab(l, 24, 26, 12, cyan_crab(), p); }, Black), 40 + 66 * k, 488);
        else
            c.draw(layer(48, 48, [&](Canvas& l) { draw_mub(l, 24, 24, 16, Look::Happy); }, Black), 40 + 66 * k, 488);
    }
    digit_bands(c);
    return c;
}

}  // namespace art
