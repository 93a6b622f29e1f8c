// The whack game's play field: a swaying band of sea at the top (680 columns
// wide, shown 600 at a time), the seabed with five holes and their keys, and
// a slate for the clock and the counters.
#include "actors.h"
#include "font.h"
#include "palette.h"
#include "pictures.h"

namespace art {
using namespace pal;

Canvas pic_back() {
    Canvas c(679, 554, Olive);
    // The band: water with light waves, fish and weed, repeating every 340.
    c.vgradient(0, 0, 679, 135, Aqua, Blue);
    for (int y = 8; y < 120; y += 18)
        for (int x = 0; x < 679; ++x) {
            int yy = y + int(dsin((x + y * 3) * kPi / 40) * 3);
            c.set(x, yy, White);
        }
    for (int k = 0; k < 8; ++k) draw_fish(c, 40 + 85 * k, 40 + (k * 37) % 60, 9, (k & 1) ? 1 : -1, k % 3 ? Yellow : Fuchsia, Red);
    for (int k = 0; k < 12; ++k) draw_bubble(c, 20 + 57 * k, 20 + (k * 41) % 90, 2 + k % 3);
    for (int k = 0; k < 14; ++k) draw_seaweed(c, 10 + 49 * k, 136, 40 + (k * 13) % 30, k, Lime, Green);
    // The seabed.
    c.dither_rect(0, 135, 679, 419, Olive, Yellow, 3);
    for (int k = 0; k < 90; ++k) c.set((k * 151) % 679, 140 + (k * 67) % 410, Yellow);
    // The slate for the labels.
    c.round_rect(88, 136, 440, 140, 14, Black);
    c.round_rect(91, 139, 434, 134, 12, Navy);
    // The five holes, pixel for pixel as the empty-hole frame draws them, on
    // soft shadows: restoring the field where an enemy was leaves its hole.
    const int hx[] = {35, 155, 275, 395, 515}, hy[] = {330, 430, 330, 430, 330};
    for (int k = 0; k < 5; ++k) c.ellipse(hx[k] + 24, hy[k] + 41, 26, 9, Olive);
    for (int k = 0; k < 6; ++k) draw_seaweed(c, 10 + 115 * k, 552, 50, k, Lime, Green);
    for (int k = 0; k < 5; ++k) c.draw(empty_hole(), hx[k], hy[k]);
    // Each hole's key on a small key cap right of it, level with the hole,
    // where no sprite is drawn: the hole's 48 x 48 frame, the creature above
    // it and the shadow end at column 50 of the hole; the fifth cap ends at
    // x 583, inside the 592 columns the window shows.
    const char* keys[] = {"z", "x", "c", "v", "b"};
    for (int k = 0; k < 5; ++k) {
        const int x = hx[k] + 52, y = hy[k] + 27;
        c.round_rect(x, y, 17, 20, 4, Gray);
        c.round_rect(x + 1, y + 1, 15, 17, 3, White);
        font().draw_centred(c, x + 8, y + 2, keys[k], lettering(Black));
    }
    return c;
}

}  // namespace art
