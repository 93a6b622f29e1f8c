// Sprite sheets and labels of the shooting game.
#include "actors.h"
#include "digits.h"
#include "font.h"
#include "palette.h"
#include "pictures.h"
#include "sheet.h"

namespace art {
using namespace pal;

// Three 48 x 48 faces. The game reads them from x 0, 47, 48, 94 and 96 and
// erases only 44 columns, so every face keeps to columns 2..43 of its frame.
Canvas pic_mub_pl() {
    Canvas s = new_sheet(144, 96, 48);
    put_sprite(s, layer(48, 48, [](Canvas& c) { draw_mub(c, 22, 26, 19, Look::Left); }), 0, 0, 48);
    put_sprite(s, layer(48, 48, [](Canvas& c) { draw_mub(c, 21, 26, 19, Look::Right); }), 48, 0, 48);
    Canvas hurt = layer(48, 48, [](Canvas& c) { draw_mub(c, 21, 27, 18, Look::Hurt); });
    keep_columns(hurt, 2, 43);
    put_sprite(s, hurt, 96, 0, 48);
    return s;
}

// Hearts 26 wide (front at x 0, edge-on at x 27) above their masks, then the
// word for cancelling out. Row 0 and rows 24..25 stay clear: the shots are
// drawn 27 rows high and the result screen copies the cells opaquely.
Canvas pic_heart() {
    Canvas s = new_sheet(92, 52, 26);
    put_sprite(s, layer(26, 26, [](Canvas& c) { draw_heart(c, 13, 12, 11, Red, Maroon); }), 0, 0, 26);
    put_sprite(s, layer(26, 26, [](Canvas& c) { draw_heart_edge(c, 13, 12, 11, Red, Maroon); }), 27, 0, 26);
    Canvas word = layer(38, 26, [](Canvas& c) {
        TextStyle st;
        st.fill = Fuchsia;
        st.outline = Purple;
        font().draw(c, 3, 5, "相殺", st);
    });
    put_sprite(s, word, 53, 0, 26);
    return s;
}

static Canvas crab_frame(int legs, int broken) {
    Canvas c = layer(48, 48, [&](Canvas& l) {
        CrabPose p;
        p.legs = legs;
        p.claws = broken ? 0 : 1;
        p.broken = broken;
        draw_crab(l, 24, 27, 13, cyan_crab(), p);
    });
    if (broken) c = shatter(c, 24, 27, broken == 1 ? 1 : 4);
    keep_columns(c, 1, 46);
    return c;
}

Canvas pic_mub_en() {
    Canvas s = new_sheet(192, 96, 48);
    put_sprite(s, crab_frame(0, 0), 0, 0, 48);
    put_sprite(s, crab_frame(1, 0), 48, 0, 48);
    put_sprite(s, crab_frame(0, 1), 96, 0, 48);
    put_sprite(s, crab_frame(0, 2), 144, 0, 48);
    return s;
}

// A jagged speech burst with a caption, same shape whatever the colours.
static Canvas caption_burst(int w, const char* text, Color text_fill, Color edge) {
    return layer(w, 48, [&](Canvas& c) {
        std::vector<Pt> p;
        double cx = w / 2.0, cy = 24;
        for (int i = 0; i < 28; ++i) {
            double a = i * 2 * kPi / 28, k = (i & 1) ? 0.78 : 1.0;
            p.push_back({cx + (w / 2.0 - 3) * k * dcos(a), cy + 20 * k * dsin(a)});
        }
        c.polygon(p, edge);
        std::vector<Pt> q;
        for (auto& pt : p) q.push_back({cx + (pt.x - cx) * 0.9, cy + (pt.y - cy) * 0.86});
        c.polygon(q, White);
        TextStyle st;
        st.fill = text_fill;
        st.outline = Black;
        font().draw_centred(c, int(cx), 16, text, st);
    });
}

// Boss rows at y 0, 57, 114 (green, yellow, red) share one mask band at 173:
// every row is drawn with the same shapes, only the colours change.
Canvas pic_mub_en_b() {
    Canvas s = new_sheet(420, 229, 173);
    for (int row = 0; row < 3; ++row) {
        CrabColors col = boss_crab(row);
        int y = 57 * row;
        auto boss = [&](int legs, int broken) {
            Canvas c = layer(70, 48, [&](Canvas& l) {
                CrabPose p;
                p.legs = legs;
                p.claws = broken ? 0 : 2 - legs;
                p.broken = broken;
                p.look = Look::Angry;
                p.crown = true;
                draw_crab(l, 35, 28, 18, col, p);
            });
            if (broken) c = shatter(c, 35, 28, broken == 1 ? 1 : 4);
            keep_columns(c, 3, 66);
            return c;
        };
        put_sprite(s, boss(0, 0), 3, y, 173 - y);
        put_sprite(s, boss(1, 0), 73, y, 173 - y);
        put_sprite(s, boss(0, 1), 140, y, 173 - y);
        put_sprite(s, boss(0, 2), 210, y, 173 - y);
        Color text = row == 0 ? Green : row == 1 ? Olive : Red;
        put_sprite(s, caption_burst(70, tr("復活!", "Back!"), text, col.dark), 285, y, 173 - y);
        put_sprite(s, caption_burst(65, tr("死!!", "K.O.!"), Red, col.dark), 355, y, 173 - y);
    }
    return s;
}

// Falling piles at x 0 (yellow) and 26 (red), the steaming pile at x 53.
// Only rows 0..23 are drawn: the falling shot is erased 24 rows high.
Canvas pic_unko() {
    Canvas s = new_sheet(81, 51, 26);
    put_sprite(s, layer(26, 26, [](Canvas& c) { draw_pile(c, 12.5, 22.5, 10, 0); }), 0, 0, 26);
    put_sprite(s, layer(26, 26, [](Canvas& c) { draw_pile(c, 12.5, 22.5, 10, 1); }), 26, 0, 26);
    put_sprite(s, layer(26, 26, [](Canvas& c) {
                   draw_pile(c, 13, 23, 8, 2);
                   draw_steam(c, 13, 1, 8, Silver);
               }),
               53, 0, 26);
    return s;
}

// 命の灯火 in x 0..79, three candles of 30 columns from x 80.
Canvas pic_life() {
    Canvas s = new_sheet(170, 60, 30);
    put_sprite(s, layer(80, 30, [](Canvas& c) {
                   TextStyle st;
                   st.fill = Yellow;
                   st.outline = Maroon;
                   st.shadow = Red;
                   font().draw(c, 6, 6, tr("命の灯火", "Life"), st);
               }),
               0, 0, 30);
    for (int k = 0; k < 3; ++k)
        put_sprite(s, layer(30, 30, [&](Canvas& c) { draw_candle(c, 2, 1, 26, 28, k); }), 80 + 30 * k, 0, 30);
    return s;
}

// 勝ち：／負け： with gaps at x 55..64 and 140..149 for the counters, which the
// game draws there; digits 0..6 in 10 x 30 cells from x 160.
Canvas pic_win_lose() {
    Canvas s = new_sheet(230, 60, 30);
    TextStyle st;
    st.fill = White;
    st.outline = Blue;
    put_sprite(s, layer(150, 30, [&](Canvas& c) {
                   // Each word ends just before its counter's gap.
                   font().draw(c, english() ? 22 : 4, 7, tr("勝ち：", "Won:"), st);
                   font().draw(c, english() ? 82 : 72, 7, tr("／負け：", "/ Lost:"), st);
               }),
               0, 0, 30);
    for (int d = 0; d <= 6; ++d) put_sprite(s, digit_sprite(d, 10, 26, 2, Yellow, Red), 160 + 10 * d, 2, 30);
    return s;
}

}  // namespace art
