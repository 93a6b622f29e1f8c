/*
 * The two instruction pages. The first blinks its left 80 columns between
 * the plain picture and the alternative strip kept to the right of the page
 * (copied from column 599); the second is redrawn whole every tick.
 */
#include "mubmub.h"

void mub_setumei_ctrl(HDC hdc)
{
    moji += 1;
    if (setu == 0) {
        if (moji >= 0 && moji < 8) {
            dip_bitmap(hdc, mub_hbmp_se[0], 80, 0, 80, 0, 520, 570, 0);
            dip_bitmap(hdc, mub_hbmp_se[0], 0, 0, 599, 0, 80, 570, 0);
        } else if (moji >= 8 && moji < 16) {
            dip_bitmap(hdc, mub_hbmp_se[0], 0, 0, 0, 0, 600, 570, 0);
        } else {
            moji = 0;
        }
    } else if (setu == 1) {
        dip_bitmap(hdc, mub_hbmp_se[1], 0, 0, 0, 0, 600, 570, 0);
    }
}
