/*
 * What the player's shots touch: the small crabs, the boss and (with
 * cancel-out on) the enemies' shots; and the dying and knock-out animations,
 * which advance once per shot slot, so four steps a tick.
 * Boxes are compared on positions only, whatever the objects' states.
 */
#include "mubmub.h"

static void erase_shot_slot(HDC hdc, int n)
{
    erase_box(hdc, bl_x[n], bl_x[n] + 26, bl_y[n] - 1, bl_y[n] + 26);
}

static void erase_enemy_shot(HDC hdc, int x, int y)
{
    erase_box(hdc, x, x + 26, y, y + 27);
}

static int boss_walking(void)
{
    return mub_task_no[3] == 0 || mub_task_no[3] == 2 || mub_task_no[3] == 4;
}

static void small_enemy_hit(HDC hdc, int n, int e)
{
    if (mub_en_x[e] - 26 <= bl_x[n] && bl_x[n] <= mub_en_x[e] + 48 &&
        mub_en_y[e] + 26 <= bl_y[n] && bl_y[n] <= mub_en_y[e] + 52) {
        erase_shot_slot(hdc, n);
        erase_enemy_shot(hdc, enbl_x[e], enbl_y[e]);
        bl_x[n] = bl_y[n] = -30;
        enbl_x[e] = enbl_y[e] = -30;
        mub_task_no[e] = 1;
        bl_key[n] = 0;
    }
}

static void small_enemy_dying(HDC hdc, int e)
{
    int w = ++en_wait[e];
    int x = mub_en_x[e], y = mub_en_y[e];
    if (w >= 0 && w < 10) {
        erase_box(hdc, x, x + 48, y, y + 48);
        dip_bitmap(hdc, mub_hbmp[2], x, y, 96, 0, 48, 48, 48);
    } else if (w >= 10 && w < 20) {
        erase_box(hdc, x, x + 48, y, y + 48);
        dip_bitmap(hdc, mub_hbmp[2], x, y, 144, 0, 48, 48, 48);
    } else if (w >= 20 && w < 50) {
        /* The caption from the boss sheet's red row, wider than the erase. */
        erase_box(hdc, x, x + 48, y, y + 48);
        dip_bitmap(hdc, mub_hbmp[3], x, y, 355, 114, 70, 48, 59);
    } else if (w >= 50) {
        erase_box(hdc, x, x + 70, y, y + 48);
        en_wait[e] = 0;
        mub_task_no[e] = 2;
    }
}

static void small_enemy_cancel_out(HDC hdc, int n, int e)
{
    if (enbl_x[e] - 20 <= bl_x[n] && bl_x[n] <= enbl_x[e] + 20 &&
        enbl_y[e] <= bl_y[n] && bl_y[n] <= enbl_y[e] + 27) {
        erase_shot_slot(hdc, n);
        erase_enemy_shot(hdc, enbl_x[e], enbl_y[e]);
        bl_x[n] = bl_y[n] = -30;
        enbl_x[e] = enbl_y[e] = -30;
        enbl_key[e] = 0;
        bl_key[n] = 0;
    }
}

static void boss_hit(HDC hdc, int n)
{
    if (mub_enb_x - 26 <= bl_x[n] && bl_x[n] <= mub_enb_x + 70 &&
        mub_enb_y + 26 <= bl_y[n] && bl_y[n] <= mub_enb_y + 52) {
        erase_shot_slot(hdc, n);
        erase_enemy_shot(hdc, enb_bl_x, enb_bl_y);
        bl_x[n] = bl_y[n] = -30;
        enb_bl_x = enb_bl_y = -30;
        mub_task_no[3] += 1;
        bl_key[n] = 0;
    }
}

static void boss_knocked_out(HDC hdc)
{
    int w = ++enb_wait;
    erase_box(hdc, mub_enb_x, mub_enb_x + 70, mub_enb_y, mub_enb_y + 48);
    int sx;
    if (w >= 0 && w < 10) {
        sx = 140;
    } else if (w >= 10 && w < 20) {
        sx = 210;
    } else if (w >= 20 && w < 50) {
        sx = mub_task_no[3] == 5 ? 355 : 285; /* dead, or revived */
    } else {
        enb_wait = 0;
        mub_task_no[3] += 1;
        enb += 1;
        return;
    }
    dip_bitmap(hdc, mub_hbmp[3], mub_enb_x, mub_enb_y, sx, 57 * enb, 70, 48, 173 - 57 * enb);
}

static void boss_cancel_out(HDC hdc, int n)
{
    if (enb_bl_x - 20 <= bl_x[n] && bl_x[n] <= enb_bl_x + 20 &&
        enb_bl_y <= bl_y[n] && bl_y[n] <= enb_bl_y + 27) {
        erase_shot_slot(hdc, n);
        erase_enemy_shot(hdc, enb_bl_x, enb_bl_y);
        bl_x[n] = bl_y[n] = -30;
        enb_bl_x = enb_bl_y = -30;
        enb_bl_key = 0;
        bl_key[n] = 0;
    }
}

void mub_hit_check(HWND window, HDC hdc)
{
    (void)window;
    for (int n = 0; n < 4; n++) {
        for (int e = 0; e < 3; e++) {
            if (mub_task_no[e] == 0)
                small_enemy_hit(hdc, n, e);
            else if (mub_task_no[e] == 1)
                small_enemy_dying(hdc, e);
            if (so_flg == 0)
                small_enemy_cancel_out(hdc, n, e);
        }

        if (boss_walking())
            boss_hit(hdc, n);
        else if (mub_task_no[3] == 1 || mub_task_no[3] == 3 || mub_task_no[3] == 5)
            boss_knocked_out(hdc);

        if (so_flg == 0)
            boss_cancel_out(hdc, n);
    }
}

/* The player's hit box for a falling enemy shot at (x, y). */
static int hits_player(int x, int y)
{
    return mub_pl_x - 20 <= x && x <= mub_pl_x + 40 && mub_pl_y <= y && y <= mub_pl_y + 20;
}

/* Damage also takes away the player's first shot slot, flying or not. */
static void take_damage(HDC hdc, int shot_x, int shot_y)
{
    erase_shot_slot(hdc, 0);
    erase_enemy_shot(hdc, shot_x, shot_y);
    bl_x[0] = -50;
    bl_y[0] = -30;
    bl_key[0] = 0;
    mub_entask_no += 1;
    hit += 1;
}

void mub_enhit_check(HDC hdc)
{
    for (int e = 0; e < 3; e++) {
        if (enbl_key[e] == 1 && mub_task_no[e] == 0 && hits_player(enbl_x[e], enbl_y[e])) {
            take_damage(hdc, enbl_x[e], enbl_y[e]);
            enbl_x[e] = enbl_y[e] = -30;
            enbl_key[e] = 0;
        }
    }
    if (enb_bl_key == 1 && boss_walking() && hits_player(enb_bl_x, enb_bl_y)) {
        take_damage(hdc, enb_bl_x, enb_bl_y);
        enb_bl_x = enb_bl_y = -30;
        enb_bl_key = 0;
    }

    /* Hurt animation while the damage counter is odd. */
    if (mub_entask_no == 1 || mub_entask_no == 3) {
        wait_t += 1;
        erase_box(hdc, mub_pl_x, mub_pl_x + 48, mub_pl_y, mub_pl_y + 48);
        erase_box(hdc, mub_pl_before_x, mub_pl_before_x + 48, mub_pl_before_y, mub_pl_before_y + 48);
        if (wait_t >= 0 && wait_t < 10) {
            dip_bitmap(hdc, mub_hbmp[0], mub_pl_x, mub_pl_y, 96, 0, 48, 48, 48);
        } else if (wait_t >= 10) {
            /* Last erase of the tick: the repaint restores the label. */
            erase_box(hdc, 10, 190, 10, 40);
            mub_entask_no += 1;
            wait_t = 0;
        }
    }
}
