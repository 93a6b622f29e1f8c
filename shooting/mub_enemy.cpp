/*
 * The three small crabs and the boss: they walk sideways, bounce at the
 * edges (without clamping), may turn at a few fixed points on the toss of a
 * coin (only when their walk lands exactly on one), and drop a shot at
 * fixed points of their walk when their previous shot is over.
 */
#include <stdlib.h>

#include "mubmub.h"

static int is_turn_point_small(int x)
{
    return x == 185 || x == 350;
}

static int is_turn_point_boss(int x)
{
    return x == 138 || x == 229 || x == 320;
}

static void small_enemy_ctrl(HDC hdc, int e)
{
    mub_en_before_x[e] = mub_en_x[e];
    mub_en_before_y[e] = mub_en_y[e];

    int s = 3 + sa;
    if (en_flg[e] == 0) {
        mub_en_x[e] -= s;
        if (is_turn_point_small(mub_en_x[e]) && rand() % 2 != 0)
            en_flg[e] = 1;
        if (mub_en_x[e] < 20)
            en_flg[e] = 1;
    } else {
        mub_en_x[e] += s;
        if (is_turn_point_small(mub_en_x[e]) && rand() % 2 != 0)
            en_flg[e] = 0;
        if (mub_en_x[e] > 520)
            en_flg[e] = 0;
    }

    erase_box(hdc, mub_en_before_x[e], mub_en_before_x[e] + 48, mub_en_before_y[e], mub_en_before_y[e] + 48);
    dip_bitmap(hdc, mub_hbmp[2], mub_en_x[e], mub_en_y[e], 48 * en_puu[e], 0, 48, 48, 48);

    int q = (mub_en_x[e] - 100 + 150 * e) / 3 + sa;
    en_puu[e] = q % 2 != 0 ? 1 : 0;
    if (q % 40 == 0 && enbl_key[e] == 0) {
        enbl_key[e] = 1;
        enbl_x[e] = mub_en_x[e];
        enbl_y[e] = mub_en_y[e] + 48;
    }
}

static void boss_ctrl(HDC hdc)
{
    mub_enb_before_x = mub_enb_x;
    mub_enb_before_y = mub_enb_y;

    int b = 4 + 2 * enb + sa;
    if (enb_flg == 0) {
        mub_enb_x -= b;
        if (is_turn_point_boss(mub_enb_x) && rand() % 2 != 0)
            enb_flg = 1;
        if (mub_enb_x < 26)
            enb_flg = 1;
    } else {
        mub_enb_x += b;
        if (is_turn_point_boss(mub_enb_x) && rand() % 2 != 0)
            enb_flg = 0;
        if (mub_enb_x > 516)
            enb_flg = 0;
    }

    erase_box(hdc, mub_enb_before_x, mub_enb_before_x + 70, mub_enb_before_y, mub_enb_before_y + 48);
    /* Each colour row shares the one mask band at y 173. */
    dip_bitmap(hdc, mub_hbmp[3], mub_enb_x, mub_enb_y, 70 * enb_puu + 3, 57 * enb, 70, 48, 173 - 57 * enb);

    int q = (mub_enb_x - 250) / b;
    enb_puu = q % 2 != 0 ? 1 : 0;
    if (q % 5 == 0 && enb_bl_key == 0) {
        enb_bl_key = 1;
        enb_bl_x = mub_enb_x;
        enb_bl_y = mub_enb_y + 48;
    }
}

void mub_enemy_ctrl(HDC hdc)
{
    for (int e = 0; e < 3; e++) {
        if (mub_task_no[e] == 0)
            small_enemy_ctrl(hdc, e);
    }
    if (mub_task_no[3] == 0 || mub_task_no[3] == 2 || mub_task_no[3] == 4)
        boss_ctrl(hdc);
}
