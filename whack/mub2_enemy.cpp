/*
 * The enemies: up to two slots, each popping out of a hole in one of three
 * patterns, hiding, showing a struck picture, or counterattacking the
 * creature when left alone long enough.
 */
#include <stdlib.h>

#include "mubmub.h"

#define SPRITE 48

/* Frames of the "mub2_en" sheet (the captions start 2 pixels further on) */
#define EN_HOLE 0
#define EN_PEEK 48
#define EN_HALF 96
#define EN_OUT 144
#define EN_STRUCK 240
#define EN_CAPTION1 290
#define EN_CAPTION2 338

/* Enemy states */
#define EN_POP_SHORT 0
#define EN_POP_MEDIUM 1
#define EN_POP_LONG 2
#define EN_HIDDEN 3
#define EN_HIT 4
#define EN_COUNTER 5

#define STRUCK_TICKS 5
#define CAPTION2_TICKS 5

/* The enemies' pace from the clock's minutes: quicker as time runs out. */
static int pace_from_minutes(int minutes)
{
    if (minutes == 3 || minutes == 4)
        return 1;
    if (minutes >= 0 && minutes <= 2)
        return 2;
    return 0;
}

/* The hidden time for the extensions granted so far. After the fifth
   extension entyo is one past the table; the last entry holds from then on. */
static int hide_time(void)
{
    if (entyo < 0)
        return en_hide_time[0];
    if (entyo > 4)
        return en_hide_time[4];
    return en_hide_time[entyo];
}

static void draw_enemy(HDC hdc, int hole, int frame)
{
    dip_bitmap(hdc, mub2_hbmp[1], mub2_en_x[hole], mub2_en_y[hole], frame, 0, SPRITE, SPRITE, SPRITE);
}

/* Slot 1 never takes slot 0's hole; slot 0 may take slot 1's. */
static void choose_hole(int r)
{
    if (r == 0) {
        mub2_en_no[0] = rand() % 5;
        return;
    }
    do {
        mub2_en_no[r] = rand() % 5;
    } while (mub2_en_no[r] == mub2_en_no[0]);
}

static void to_hidden_after_counter(HDC hdc, int r)
{
    const int x = mub2_pl_x[mub2_pl_no];
    const int y = mub2_pl_y[mub2_pl_no];

    /* the miss picture under the creature goes with the blow */
    if (mub2_task_no == 2) {
        mub2_back_bitmap(hdc, x, y + SPRITE, SPRITE, SPRITE);
        dip_bitmap(hdc, mub2_hbmp[1], x, y + SPRITE, EN_HOLE, 0, SPRITE, SPRITE, SPRITE);
    }
    en_time[r] = 0;
    pl_time = 0;
    mub2_task_no = 3;
    en_hit += 1;
    mub2_entask_no[r] = EN_HIDDEN;
}

/* One pop: frames[k] is shown while t is in [kT, (k+1)T); after the last
   one the enemy counterattacks. */
static void pop_step(HDC hdc, int r, int hole, int t, int up, const int *frames, int count)
{
    for (int k = 0; k < count; k++) {
        if (t >= k * up && t < (k + 1) * up) {
            draw_enemy(hdc, hole, frames[k]);
            return;
        }
    }
    en_time[r] = 0;
    mub2_entask_no[r] = EN_COUNTER;
}

static void enemy_step(HDC hdc, int r, int up, int hide)
{
    static const int pop_frames[3] = {EN_PEEK, EN_HALF, EN_OUT};
    const int hole = mub2_en_no[r];

    en_time[r] += 1;
    mub2_back_bitmap(hdc, mub2_en_x[hole], mub2_en_y[hole], SPRITE, SPRITE);
    const int t = en_time[r];

    switch (mub2_entask_no[r]) {
    case EN_POP_SHORT:
    case EN_POP_MEDIUM:
    case EN_POP_LONG:
        pop_step(hdc, r, hole, t, up, pop_frames, mub2_entask_no[r] + 1);
        break;
    case EN_HIDDEN:
        draw_enemy(hdc, hole, EN_HOLE);
        if (!(t >= 0 && t < hide)) {
            choose_hole(r);
            mub2_entask_no[r] = rand() % 3;
            en_time[r] = 0;
            hit_flg[r] = 0;
        }
        break;
    case EN_HIT:
        if (t >= 0 && t < STRUCK_TICKS) {
            draw_enemy(hdc, hole, EN_STRUCK);
        } else {
            en_time[r] = 0;
            mub2_entask_no[r] = EN_HIDDEN;
        }
        break;
    case EN_COUNTER:
        if (t >= 0 && t < up)
            draw_enemy(hdc, hole, EN_CAPTION1);
        else if (t >= up && t < up + CAPTION2_TICKS)
            draw_enemy(hdc, hole, EN_CAPTION2);
        else
            to_hidden_after_counter(hdc, r);
        break;
    default:
        break;
    }
}

void mub2_enemy_ctrl(HDC hdc)
{
    time_ptype = pace_from_minutes(m);
    const int up = en_up_time[time_ptype];
    const int slots = entyo >= 1 ? 2 : 1;
    const int hide = hide_time();

    for (int r = 0; r < slots; r++)
        enemy_step(hdc, r, up, hide);
}
