// The story background and the seven story pictures. The game shows the
// top-left 430 x 290 of each picture at (70, 20) of the background.
#include "actors.h"
#include "font.h"
#include "palette.h"
#include "pictures.h"

namespace art {
using namespace pal;

namespace {

constexpr int kW = 432;

// Deep water fading to the sand of the seabed at row `sand`.
void sea(Canvas& c, int sand, Color top = Blue, Color deep = Navy) {
    c.vgradient(0, 0, c.width(), sand, top, deep);
    c.rect(0, sand, c.width(), c.height() - sand, Olive);
    c.dither_rect(0, sand, c.width(), 6, Olive, Yellow, 4);
    for (int k = 0; k < 40; ++k) c.set((k * 131) % c.width(), sand + 8 + (k * 37) % (c.height() - sand - 8), Yellow);
}

void bubbles(Canvas& c, int n, int seed) {
    for (int k = 0; k < n; ++k) draw_bubble(c, (seed * 17 + k * 89) % 420 + 6, (seed * 29 + k * 61) % 200 + 8, 2 + (k + seed) % 4);
}

void weeds(Canvas& c, int sand, int seed) {
    for (int k = 0; k < 5; ++k)
        draw_seaweed(c, (seed * 41 + k * 97) % 420 + 6, sand + 4, 50 + (k * 23 + seed) % 40, k + seed, Lime, Green);
}

Canvas outlined(int w, int h, const std::function<void(Canvas&)>& fn) { return layer(w, h, fn, Black); }

void crab_at(Canvas& c, double cx, double cy, double r, CrabPose p = {}, CrabColors col = cyan_crab()) {
    int s = int(r * 4);
    c.draw(outlined(s, s, [&](Canvas& l) { draw_crab(l, s / 2.0, s / 2.0, r, col, p); }), int(cx - s / 2.0), int(cy - s / 2.0));
}

void mub_at(Canvas& c, double cx, double cy, double r, Look look) {
    int s = int(r * 3);
    c.draw(outlined(s, s, [&](Canvas& l) { draw_mub(l, s / 2.0, s / 2.0, r, look); }), int(cx - s / 2.0), int(cy - s / 2.0));
}

void pile_at(Canvas& c, double cx, double bottom, double r, int kind) {
    int s = int(r * 3);
    c.draw(outlined(s, s, [&](Canvas& l) { draw_pile(l, s / 2.0, s - 2, r, kind); }), int(cx - s / 2.0), int(bottom - s + 2));
}

}  // namespace

// Mid grey, the picture's frame, a black rounded text box and the prompt.
Canvas pic_story_back() {
    Canvas c(601, 550, Gray);
    c.round_rect(62, 12, 446, 306, 8, Black);
    c.round_rect(64, 14, 442, 302, 7, Silver);
    c.rect(68, 18, 434, 294, Black);
    c.round_rect(70, 330, 460, 194, 22, Black);
    c.round_rect(76, 336, 448, 182, 18, Navy);
    c.round_rect(78, 338, 444, 178, 17, Black);
    // The prompt keeps to x 311..508, y 487..507: 21-pixel bold letters.
    TextStyle st = lettering(Yellow);
    st.scale = 4;
    st.shrink = 3;
    st.bold = true;
    font().draw(c, 313, 487, tr("マウスをクリック", "Click the mouse"), st);
    c.polygon({{488, 491}, {506, 491}, {497, 503}}, Yellow);
    return c;
}

Canvas pic_story(int n) {
    static const int heights[8] = {0, 292, 301, 301, 300, 301, 301, 301};
    Canvas c(kW, heights[n], Black);
    switch (n) {
        case 1: {  // The seabed buried in piles by the crabs.
            sea(c, 200);
            weeds(c, 200, 1);
            bubbles(c, 10, 1);
            for (int k = 0; k < 14; ++k) pile_at(c, 20 + (k * 67) % 400, 215 + (k * 29) % 70, 9 + k % 4, k % 3 == 2 ? 1 : 0);
            CrabPose p;
            p.claws = 2;
            p.look = Look::Happy;
            crab_at(c, 110, 140, 22, p);
            p.legs = 1;
            crab_at(c, 250, 110, 18, p);
            crab_at(c, 350, 150, 20, p);
            pile_at(c, 250, 170, 7, 0);
            pile_at(c, 110, 200, 6, 0);
            break;
        }
        case 2: {  // A lone mub wanders the deep sea.
            sea(c, 230, Navy, Black);
            bubbles(c, 8, 2);
            for (int k = 0; k < 3; ++k) draw_fish(c, 80 + 130 * k, 60 + 35 * k, 8, k & 1 ? 1 : -1, Silver, Gray);
            mub_at(c, 215, 195, 30, Look::Right);
            c.line(186, 174, 150, 140, 3, Olive);
            c.circle(146, 136, 12, Fuchsia);
            c.circle(146, 136, 10, Purple);
            for (int k = 0; k < 5; ++k) c.ellipse(120 - 20 * k, 250, 5, 2, Gray);
            break;
        }
        case 3: {  // The tragedy: a pile lands on the wanderer's head.
            sea(c, 220);
            weeds(c, 220, 3);
            CrabPose p;
            p.claws = 2;
            p.look = Look::Happy;
            crab_at(c, 215, 55, 20, p);
            mub_at(c, 215, 200, 34, Look::Hurt);
            pile_at(c, 215, 172, 16, 0);
            for (int k = 0; k < 6; ++k) draw_flash(c, 150 + 26 * k, 130 + (k % 2) * 14, 6, Yellow, White);
            break;
        }
        case 4: {  // The battle begins.
            sea(c, 230);
            weeds(c, 230, 4);
            mub_at(c, 95, 210, 34, Look::Angry);
            CrabPose p;
            p.claws = 2;
            p.look = Look::Angry;
            crab_at(c, 330, 190, 28, p);
            TextStyle st;
            st.scale = 3;
            st.fill = Yellow;
            st.outline = Red;
            st.outline_w = 2;
            font().draw_centred(c, 215, 60, "VS", st);
            for (int k = 0; k < 3; ++k) draw_heart(c, 160 + 25 * k, 170 - 12 * k, 8, Red, Maroon);
            for (int k = 0; k < 2; ++k) pile_at(c, 250 - 25 * k, 150 + 14 * k, 7, k);
            break;
        }
        case 5: {  // Victory.
            sea(c, 225, Blue, Teal);
            bubbles(c, 12, 5);
            mub_at(c, 215, 160, 40, Look::Happy);
            for (int k = 0; k < 8; ++k) draw_heart(c, 215 + 150 * dcos(k * kPi / 4), 150 + 90 * dsin(k * kPi / 4), 9, Red, Maroon);
            CrabPose p;
            p.broken = 1;
            p.claws = 0;
            crab_at(c, 70, 255, 16, p);
            crab_at(c, 360, 255, 16, p);
            break;
        }
        case 6: {  // Behind a rock, a crab swears revenge on the far-off mub.
            sea(c, 240, Navy, Black);
            bubbles(c, 6, 6);
            CrabPose p;
            p.claws = 2;
            p.look = Look::Angry;
            crab_at(c, 130, 175, 30, p, boss_crab(2));
            // The rock hides the crab's lower half.
            c.ellipse(130, 262, 118, 62, Black);
            c.ellipse(130, 262, 115, 59, Gray);
            c.ellipse(100, 240, 60, 22, Silver);
            c.ellipse(160, 280, 50, 18, 0x808080);
            for (int k = 0; k < 5; ++k) draw_flash(c, 82 + 24 * k, 92 - (k % 2) * 12, 7, Red, Yellow);
            mub_at(c, 360, 215, 13, Look::Happy);
            for (int k = 0; k < 3; ++k) c.rect(330 - 14 * k, 232, 6, 2, Gray);
            break;
        }
        default: {  // The battle goes round and round for ever.
            sea(c, 240);
            c.ring(215, 140, 150, 90, 8, Yellow);
            c.ring(215, 140, 150, 90, 3, Olive);
            c.polygon({{355, 130}, {375, 150}, {345, 160}}, Yellow);
            c.polygon({{75, 150}, {55, 130}, {85, 120}}, Yellow);
            mub_at(c, 215, 50, 24, Look::Angry);
            CrabPose p;
            p.claws = 2;
            p.look = Look::Angry;
            crab_at(c, 215, 230, 22, p);
            TextStyle st;
            st.scale = 4;
            st.fill = White;
            st.outline = Blue;
            st.outline_w = 2;
            font().draw_centred(c, 215, 108, "∞", st);
            break;
        }
    }
    return c;
}

}  // namespace art
