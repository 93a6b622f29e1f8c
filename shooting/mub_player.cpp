/*
 * The player: a face at the bottom of the window, stepped 40 pixels by the
 * mouse buttons (left button left, right button right), firing when the
 * other button is held. Presses only change the state; the next tick draws.
 */
#include "mubmub.h"

/* A slot fires only when every lower slot is flying and every higher one
   is idle; any other pattern (a slot being erased, a gap) fires nothing. */
static void mub_fire(void)
{
    static const int patterns[4][4] = {
        {0, 0, 0, 0},
        {1, 0, 0, 0},
        {1, 1, 0, 0},
        {1, 1, 1, 0},
    };
    for (int slot = 0; slot < 4; slot++) {
        const int *p = patterns[slot];
        if (bl_key[0] == p[0] && bl_key[1] == p[1] && bl_key[2] == p[2] && bl_key[3] == p[3]) {
            bl_key[slot] = 1;
            bl_x[slot] = mub_pl_x;
            bl_y[slot] = mub_pl_y - 40;
            return;
        }
    }
}

void mub_pl_left(WPARAM keys)
{
    mub_pl_before_x = mub_pl_x;
    mub_pl_x -= 40;
    mub_pl_no = 0;
    if (mub_pl_x < 18)
        mub_pl_x = 18;
    if (keys & MK_RBUTTON)
        mub_fire();
}

void mub_pl_right(WPARAM keys)
{
    mub_pl_before_x = mub_pl_x;
    mub_pl_x += 40;
    mub_pl_no = 1;
    if (mub_pl_x > 520)
        mub_pl_x = 520;
    if (keys & MK_LBUTTON)
        mub_fire();
}

void mub_player_ctrl(HDC hdc)
{
    /* Only the place before the last step is erased, 44 wide. */
    erase_box(hdc, mub_pl_before_x, mub_pl_before_x + 44, mub_pl_before_y, mub_pl_before_y + 48);
    dip_bitmap(hdc, mub_hbmp[0], mub_pl_x, mub_pl_y, 47 * mub_pl_no, 0, 48, 48, 48);

    /* Life bar: three candles, half a candle less per unit of damage. */
    erase_box(hdc, 90, 180 - 15 * mub_entask_no, 10, 40);
    dip_bitmap(hdc, mub_hbmp[5], 90, 10, 80, 0, 90 - 15 * mub_entask_no, 30, 30);
}
