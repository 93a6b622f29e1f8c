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

// The page: a white sheet in a double frame with a jewel in each corner,
// kept inside the 592 x 543 client area and left of the markers (x 10 on).
void page_frame(Canvas& c, Color outer, Color inner, bool hearts) {
    c.round_rect(2, 2, 588, 539, 14, outer);
    c.round_rect(5, 5, 582, 533, 11, inner);
    c.round_rect(8, 8, 576, 527, 8, White);
    const int cx[] = {14, 577}, cy[] = {14, 528};
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j) {
            if (hearts) draw_heart(c, cx[i], cy[j], 9, Red, Maroon);
            else draw_star(c, cx[i], cy[j], 9, Yellow, Black);
        }
}

// The heading, as large as the title lettering, with a symbol either side.
void heading(Canvas& c, const char* text, Color fill, Color outline, Color shadow, bool hearts) {
    TextStyle st = lettering(fill, 4, outline);
    st.shadow = shadow;
    st.shadow_d = 2;
    font().draw_centred(c, 296, 8, text, st);
    for (int s = -1; s <= 1; s += 2) {
        const double x = 296 + s * 120;
        if (hearts) draw_heart(c, x, 40, 12, Red, Maroon);
        else draw_star(c, x, 40, 12, Yellow, Black);
    }
}

// 24-pixel lettering for the prompt and the rating lines.
TextStyle medium(Color fill, bool bold = false) {
    TextStyle st = lettering(fill, 3);
    st.shrink = 2;
    st.bold = bold;
    return st;
}

// Six rating lines, 32 rows apart, each centred on the marker drawn at its
// left (marker cells are 26 high).
void rating_lines(Canvas& c, int x, int marker_top, const char* const lines[6]) {
    for (int k = 0; k < 6; ++k) font().draw(c, x, marker_top + 32 * k + 1, lines[k], medium(k == 0 ? Red : Black, true));
}

}  // namespace

Canvas pic_mub_hantei() {
    Canvas c(605, 749, White);
    page_frame(c, Navy, Fuchsia, true);
    heading(c, tr("判定", "Result"), Red, Maroon, Gray, true);
    font().draw_centred(c, 296, 74, tr("『OK』だったらマウスをクリック!", "All done? Click the mouse!"), medium(Blue, true));
    // The counters are drawn at x 200 and 390, the score from x 310 to 384.
    font().draw(c, english() ? 128 : 112, 108, tr("勝ち:", "Won:"), lettering(Black, 2));
    font().draw(c, english() ? 268 : 252, 108, tr("／ 負け:", "/ Lost:"), lettering(Black, 2));
    font().draw(c, english() ? 118 : 110, 168, tr("貴方の得点は", "Your score:"), lettering(Black, 2));
    font().draw(c, english() ? 400 : 392, 168, tr("点です!", "points!"), lettering(Black, 2));
    font().draw_centred(c, 296, 228, tr("成績!!", "Grades!!"), lettering(Purple, 3, Fuchsia));
    const char* ja[] = {"90点～100点 ・・・ 達人です。",        "70点～80点・・・・・かなりの猛者です。",
                        "50点～60点・・・・・普通の人です。",   "30点～40点・・・・・まだまだですな。",
                        "10点～20点・・・・・未熟者です。",     "0点 ・・・・・・・・・がんばれ!"};
    const char* en[] = {"90-100 pts ... A true master.",   "70-80 pts .... Quite the tough guy.",
                        "50-60 pts .... Just a regular Joe.", "30-40 pts .... Still a ways to go.",
                        "10-20 pts .... A mere greenhorn.",  "0 pts ........ Hang in there!"};
    rating_lines(c, 64, 290, english() ? en : ja);
    c.draw(layer(60, 60, [](Canvas& l) { draw_mub(l, 30, 30, 24, Look::Happy); }, Black), 500, 440);
    for (int k = 0; k < 3; ++k) draw_heart(c, 470 - 26 * k, 520 - 8 * k, 7, k == 1 ? Fuchsia : Red, Maroon);
    digit_bands(c);
    return c;
}

Canvas pic_mub2_hantei() {
    Canvas c(605, 749, White);
    page_frame(c, Navy, Aqua, false);
    heading(c, tr("判定", "Result"), Blue, Navy, Gray, false);
    font().draw_centred(c, 296, 74, tr("『OK』だったら 『Enter』キーを押して!", "All done? Press [Enter]!"),
                        medium(Red, true));
    font().draw(c, english() ? 118 : 100, 168, tr("貴方の得点は", "Your score:"), lettering(Black, 2));
    font().draw(c, english() ? 404 : 396, 168, tr("点です!", "points!"), lettering(Black, 2));
    font().draw_centred(c, 296, 228, tr("▽▼成績判定▽▼", "▽▼Your rank▽▼"), lettering(Teal, 3, Aqua));
    const char* ja[] = {"100点以上 ・・・ あんた、むぶや・・・・", "80点～99点 ・・・ すごい!!",
                        "60点～79点 ・・・ 頑張りましたな!",     "40点～59点 ・・・ まあまあですな!",
                        "20点～39点 ・・・ まだまだですな!",     "0点～19点 ・・・ がんばってね!"};
    const char* en[] = {"100+ pts .... You, sir, are a Mubu....", "80-99 pts ... Amazing!!",
                        "60-79 pts ... Good effort, eh!",          "40-59 pts ... Not bad, eh!",
                        "20-39 pts ... Still a ways to go, eh!",   "0-19 pts .... Keep trying!"};
    rating_lines(c, 48, 287, english() ? en : ja);
    for (int k = 0; k < 8; ++k) {
        CrabPose p;
        p.claws = 1 + (k & 1);
        if (k % 2 == 0)
            c.draw(layer(48, 48, [&](Canvas& l) { draw_crab(l, 24, 26, 12, cyan_crab(), p); }, Black), 40 + 66 * k, 484);
        else
            c.draw(layer(48, 48, [&](Canvas& l) { draw_mub(l, 24, 24, 16, Look::Happy); }, Black), 40 + 66 * k, 484);
    }
    digit_bands(c);
    return c;
}

}  // namespace art
