/*
 * The player's shots: up to four spinning hearts flying 8 pixels a tick,
 * stopped at y 50 and erased on the tick after.
 */
#include "mubmub.h"

void mub_bullet_ctrl(HDC hdc)
{
    for (int n = 0; n < 4; n++) {
        if (bl_key[n] == 1) {
            bl_before_x[n] = bl_x[n];
            bl_before_y[n] = bl_y[n];
            bl_y[n] -= 8;
            if (bl_y[n] < 50) {
                bl_y[n] = 50;
                bl_key[n] = 2;
            }
            erase_box(hdc, bl_before_x[n], bl_before_x[n] + 26, bl_before_y[n], bl_before_y[n] + 26);
            dip_bitmap(hdc, mub_hbmp[1], bl_x[n], bl_y[n], 27 * bl_puu[n], 0, 26, 27, 26);
            /* The frame for the next draw: the heart turns every tick. */
            bl_puu[n] = ((bl_y[n] - (mub_pl_y - 40)) / 8) % 2 != 0 ? 1 : 0;
        } else if (bl_key[n] == 2) {
            erase_box(hdc, bl_before_x[n], bl_before_x[n] + 26, bl_before_y[n] - 5, bl_before_y[n] + 26);
            bl_key[n] = 0;
        }
    }
}
