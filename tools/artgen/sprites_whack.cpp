// Sprite sheets and labels of the whack game.
#include <algorithm>
#include <stdexcept>
#include <string>

#include "actors.h"
#include "digits.h"
#include "font.h"
#include "palette.h"
#include "pictures.h"
#include "sheet.h"

namespace art {
using namespace pal;

namespace {

constexpr double kHoleX = 24, kHoleY = 40, kHoleRx = 20, kHoleRy = 6.5;

// An enemy ball coming out of the hole: only the part above the hole's far
// edge, or inside its opening, can be seen.
Canvas ball_in_hole(double cy, Look look, const std::function<void(Canvas&)>& extra = {}) {
    return layer(48, 48, [&](Canvas& c) {
        draw_hole_back(c, kHoleX, kHoleY, kHoleRx, kHoleRy);
        Canvas ball = layer(48, 48, [&](Canvas& b) { draw_mub(b, kHoleX, cy, 14, look); });
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 48; ++x) {
                double dx = (x + 0.5 - kHoleX) / kHoleRx, dy = (y + 0.5 - kHoleY) / kHoleRy;
                if (ball.get(x, y) != kClear && (y + 0.5 < kHoleY || dx * dx + dy * dy <= 1)) c.set(x, y, ball.get(x, y));
            }
        draw_hole_front(c, kHoleX, kHoleY, kHoleRx, kHoleRy);
        if (extra) extra(c);
    });
}

Canvas hole_only(const std::function<void(Canvas&)>& extra = {}) {
    Canvas c = empty_hole();
    if (extra) extra(c);
    return c;
}

// A caption line over the field, ringed two pixels wide in black so that it
// reads on the sand. Centred on its ink rather than on its letter cells: the
// longest lines need every column of the 48-pixel frame.
void caption(Canvas& c, int y, const char* text, Color fill) {
    TextStyle st = lettering(fill, 1, Black);
    st.outline_w = 2;
    const int pad = 4;
    Canvas line(font().width(text, st) + 2 * pad, 16 + 2 * pad, kClear);
    font().draw(line, pad, pad, text, st);
    int x0 = line.width(), x1 = -1;
    for (int j = 0; j < line.height(); ++j)
        for (int i = 0; i < line.width(); ++i)
            if (line.get(i, j) != kClear) x0 = std::min(x0, i), x1 = std::max(x1, i);
    if (x1 - x0 + 1 > c.width()) throw std::runtime_error(std::string("caption wider than its frame: ") + text);
    c.draw(line, (c.width() - (x1 - x0 + 1)) / 2 - x0, y - pad);
}

// Stars that circle a bonked head.
void dizzy_stars(Canvas& c) {
    draw_star(c, 8, 12, 6, Yellow, Black);
    draw_star(c, 41, 18, 5.5, Yellow, Black);
    draw_star(c, 19, 4, 4, White, Black);
}

}  // namespace

Canvas empty_hole() {
    return layer(48, 48, [&](Canvas& c) {
        draw_hole_back(c, kHoleX, kHoleY, kHoleRx, kHoleRy);
        draw_hole_front(c, kHoleX, kHoleY, kHoleRx, kHoleRy);
    });
}

// The player's creature: ready (two claw poses), striking, and upside down
// under a pile.
Canvas pic_mub2_pl() {
    Canvas s = new_sheet(192, 96, 48);
    CrabPose p;
    p.claws = 1;
    put_sprite(s, layer(48, 48, [&](Canvas& c) { draw_crab(c, 24, 30, 13, cyan_crab(), p); }), 0, 0, 48);
    p.claws = 2;
    p.legs = 1;
    put_sprite(s, layer(48, 48, [&](Canvas& c) { draw_crab(c, 24, 30, 13, cyan_crab(), p); }), 48, 0, 48);
    // Striking: both claws slammed down into the hole below, a flash where
    // they land and speed lines behind them.
    Canvas strike = layer(48, 48, [&](Canvas& c) {
        CrabPose q;
        q.claws = 0;
        q.look = Look::Angry;
        draw_crab(c, 24, 20, 12, cyan_crab(), q);
        for (int s2 = -1; s2 <= 1; s2 += 2) {
            c.line(24 + s2 * 10, 24, 24 + s2 * 6, 38, 3, Teal);
            c.circle(24 + s2 * 6, 39, 4, Teal);
            c.circle(24 + s2 * 6, 39, 3, Aqua);
        }
        draw_flash(c, 24, 43, 9, Yellow, White);
        for (int k = -1; k <= 1; ++k) c.line(24 + 16 * k, 2, 24 + 18 * k, 8, 1, White);
    });
    keep_columns(strike, 0, 47);
    put_sprite(s, strike, 96, 0, 48);
    Canvas hurt = layer(48, 48, [&](Canvas& c) {
        CrabPose q;
        q.claws = 1;
        q.broken = 1;
        Canvas crab = layer(48, 48, [&](Canvas& l) { draw_crab(l, 24, 22, 12, cyan_crab(), q); }).flipped_y();
        c.draw(crab, 0, 6);
        draw_pile(c, 24, 26, 10, 0);
    });
    put_sprite(s, hurt, 144, 0, 48);
    return s;
}

// Holes and enemies at x 0, 48, ..., 240, then the two captions at x 290
// and 338 (not 288 and 336).
Canvas pic_mub2_en() {
    Canvas s = new_sheet(386, 96, 48);
    put_sprite(s, hole_only(), 0, 0, 48);
    put_sprite(s, ball_in_hole(43, Look::Front), 48, 0, 48);
    put_sprite(s, ball_in_hole(33, Look::Front), 96, 0, 48);
    put_sprite(s, ball_in_hole(24, Look::Happy), 144, 0, 48);
    put_sprite(s, hole_only([](Canvas& c) { draw_flash(c, kHoleX, kHoleY - 6, 13, Yellow, White); }), 192, 0, 48);
    // Struck: eyes squeezed shut, a bump where the blow landed, a flash on
    // it and stars around the head.
    put_sprite(s, ball_in_hole(31, Look::Bonked, [](Canvas& c) {
                   draw_flash(c, 33, 9, 6, Yellow, White);
                   dizzy_stars(c);
               }),
               240, 0, 48);
    put_sprite(s, ball_in_hole(37, Look::Angry, [](Canvas& c) { caption(c, 2, tr("反撃!", "Wham!"), Red); }), 290, 0,
               48);
    put_sprite(s, hole_only([](Canvas& c) {
                   caption(c, 2, tr("うんこ", "Poop"), Yellow);
                   caption(c, 18, tr("返し!!", "back!!"), Yellow);
               }),
               338, 0, 48);
    return s;
}

namespace {

// A 391 x 60 sheet: a label in x 0..199 and the digits 0..9 at 200 + 19 d.
Canvas label_sheet(int w, const std::function<void(Canvas&)>& label, bool digits) {
    Canvas s = new_sheet(w, 60, 30);
    put_sprite(s, layer(std::min(w, 200), 30, label), 0, 0, 30);
    if (digits)
        for (int d = 0; d <= 9; ++d) put_sprite(s, digit_sprite(d, 19, 28, 3, Yellow, Black), 200 + 19 * d, 1, 30);
    return s;
}

TextStyle label_style() {
    TextStyle st;
    st.fill = White;
    st.outline = Navy;
    st.shadow = Black;
    return st;
}

}  // namespace

// 残り時間 and, between the minutes (x 115..152 of the label) and the seconds
// (x 165..202), the colon of the clock.
Canvas pic_time() {
    return label_sheet(391, [](Canvas& c) {
        font().draw(c, 4, 7, tr("残り時間", "Time left"), label_style());
        c.rect(157, 9, 4, 4, Black);
        c.rect(158, 10, 2, 2, Yellow);
        c.rect(157, 19, 4, 4, Black);
        c.rect(158, 20, 2, 2, Yellow);
    }, true);
}

Canvas pic_hit() {
    return label_sheet(391, [](Canvas& c) { font().draw(c, 4, 7, tr("倒した数:", "Whacked:"), label_style()); }, true);
}

Canvas pic_entyo() {
    return label_sheet(391, [](Canvas& c) {
        TextStyle st = label_style();
        st.fill = Yellow;
        st.outline = Maroon;
        font().draw(c, 4, 7, tr("時間延長まで あと:", "Whacks to extra time:"), st);
    }, true);
}

Canvas pic_en_hit() {
    return label_sheet(189, [](Canvas& c) { font().draw(c, 4, 7, tr("／反撃された数:", "/ Struck back:"), label_style()); },
                       false);
}

}  // namespace art
