/*
 * The whack game's title (the shared title animation with this game's
 * pictures) and its two still instruction pages.
 */
#include "mubmub.h"

void mub2_title_ctrl(HDC hdc)
{
    title_anim_ctrl(hdc, mub2_hbmp_ti[0], mub2_hbmp_ti[1], mub2_hbmp_ti[2]);
}

void mub2_setumei_ctrl(HDC hdc)
{
    /* Redrawn in full every tick; Enter turns the page (input routing). */
    switch (setu) {
    case 0:
        dip_bitmap(hdc, mub2_hbmp_se[0], 0, 0, 0, 0, 600, 570, 0);
        break;
    case 1:
        dip_bitmap(hdc, mub2_hbmp_se[1], 0, 0, 0, 0, 600, 570, 0);
        break;
    default:
        break;
    }
}
