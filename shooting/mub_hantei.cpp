/*
 * The shooting game's result screen: wins and losses in yellow digits, the
 * score in red digits, and a spinning heart beside the score's rating line.
 */
#include "mubmub.h"

static void mub_score_calc(void)
{
    mub_score = (win / 5) * 100 - 3 * (hit - 3 * lose);
    if (mub_score < 0)
        mub_score = 0;
    mub_rank = (mub_score + 10) / 20;
}

static void draw_result(HDC hdc)
{
    int h = mub_score / 100;
    int t = (mub_score - 100 * h) / 10;
    int u = mub_score - 100 * h - 10 * t;

    bit_flg = 1;
    dip_bitmap(hdc, mub_hbmp_ha, 0, 0, 0, 0, 600, 550, 0);
    bit_flg = 0;

    dip_bitmap(hdc, mub_hbmp_ha, 200, 100, 35 * win, 650, 35, 50, 50);
    dip_bitmap(hdc, mub_hbmp_ha, 390, 100, 35 * lose, 650, 35, 50, 50);

    /* No leading zeros; the hundreds digit is only ever a 1, half a cell. */
    if (h != 0)
        dip_bitmap(hdc, mub_hbmp_ha, 310, 160, 30 * h, 550, 15, 50, 50);
    if (t != 0 || h != 0)
        dip_bitmap(hdc, mub_hbmp_ha, 325, 160, 30 * t, 550, 30, 50, 50);
    dip_bitmap(hdc, mub_hbmp_ha, 355, 160, 30 * u, 550, 30, 50, 50);
}

static void spin_marker(HDC hdc)
{
    moji += 1;
    int cell_x;
    if (moji >= 0 && moji < 5) {
        cell_x = 1;
    } else if (moji >= 5 && moji < 10) {
        cell_x = 27;
    } else {
        moji = 0;
        return;
    }
    dip_bitmap(hdc, mub_hbmp[1], 25, 450 - 32 * mub_rank, cell_x, 0, 26, 26, 0);
}

void mub_hantei_ctrl(HDC hdc)
{
    mub_score_calc();
    if (main_key == mub_GAME_END)
        draw_result(hdc);
    else if (main_key == mub_GAMEOVER_SCREEN)
        spin_marker(hdc);
}
