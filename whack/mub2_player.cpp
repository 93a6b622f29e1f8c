/*
 * The creature above the holes: ready (two frames alternating), striking
 * after a hit, striking after a miss (with the struck empty hole under it),
 * and hurt by a counterattack.
 */
#include "mubmub.h"

#define SPRITE 48

/* Frames of the "mub2_pl" sheet */
#define PL_READY_A 0
#define PL_READY_B 48
#define PL_STRIKE 96
#define PL_HURT 144

/* Frames of the "mub2_en" sheet used under the creature */
#define HOLE_EMPTY 0
#define HOLE_MISSED 192

static void draw_player(HDC hdc, int x, int y, int frame)
{
    dip_bitmap(hdc, mub2_hbmp[0], x, y, frame, 0, SPRITE, SPRITE, SPRITE);
}

static void draw_hole(HDC hdc, int x, int y, int frame)
{
    dip_bitmap(hdc, mub2_hbmp[1], x, y, frame, 0, SPRITE, SPRITE, SPRITE);
}

void mub2_player_ctrl(HDC hdc)
{
    const int x = mub2_pl_x[mub2_pl_no];
    const int y = mub2_pl_y[mub2_pl_no];

    pl_time += 1;
    mub2_back_bitmap(hdc, mub2_pl_before_x, mub2_pl_before_y, SPRITE, SPRITE);

    switch (mub2_task_no) {
    case 0: /* ready: 4 ticks of one frame, 5 of the other */
        if (pl_time >= 0 && pl_time < 5) {
            draw_player(hdc, x, y, PL_READY_A);
        } else {
            draw_player(hdc, x, y, PL_READY_B);
            if (pl_time >= 9)
                pl_time = 0;
        }
        break;
    case 1: /* struck an enemy */
        draw_player(hdc, x, y, PL_STRIKE);
        if (!(pl_time >= 0 && pl_time < 5)) {
            pl_time = 0;
            mub2_task_no = 0;
        }
        break;
    case 2: /* struck an empty hole: the hole under the creature flashes */
        mub2_back_bitmap(hdc, x, y + SPRITE, SPRITE, SPRITE);
        draw_player(hdc, x, y, PL_STRIKE);
        if (pl_time >= 0 && pl_time < 3) {
            draw_hole(hdc, x, y + SPRITE, HOLE_MISSED);
        } else {
            draw_hole(hdc, x, y + SPRITE, HOLE_EMPTY);
            pl_time = 0;
            mub2_task_no = 0;
        }
        break;
    case 3: /* hurt by a counterattack */
        draw_player(hdc, x, y, PL_HURT);
        if (!(pl_time >= 0 && pl_time < 5)) {
            pl_time = 0;
            mub2_task_no = 0;
        }
        break;
    default:
        break;
    }

    mub2_pl_before_x = x;
    mub2_pl_before_y = y;
}
