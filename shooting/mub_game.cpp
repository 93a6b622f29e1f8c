/*
 * One tick of the shooting game's play screen: difficulty from the rounds
 * won, the six play steps, and the end of a round (won after a short pause
 * once every enemy is beaten, lost at five units of damage) with its box.
 * Five rounds make a series; then the result scene takes over.
 */
#include "mubmub.h"

/* Enemy and enemy-shot speed bonuses by rounds won (0 to 4). */
static const int sa_by_win[5] = {0, 2, 4, 5, 6};
static const int b_sa_by_win[5] = {0, 2, 3, 4, 6};

static void set_difficulty(void)
{
    /* win never exceeds 4 here, since the fifth round's box ends the series;
       the clamp only keeps the table read inside its bounds. */
    int w = win < 0 ? 0 : (win > 4 ? 4 : win);
    sa = sa_by_win[w];
    b_sa = b_sa_by_win[w];
}

static int round_won(void)
{
    return mub_task_no[0] >= 2 && mub_task_no[1] >= 2 && mub_task_no[2] >= 2 && mub_task_no[3] >= 6;
}

/* The box at the end of a round, then the next round's board. The box has
   only OK; should it fail to show, the game carries on all the same rather
   than stopping with its timer killed. */
static void end_round(HDC hdc, const char *caption)
{
    char text[100];
    wsprintfA(text, STR_ROUND_FORMAT, win, lose);
    MessageBoxA(hwnd, text, caption, MB_OK);

    mub_work_clear();
    clear_screen(hdc);
    SetTimer(hwnd, 1, 32, NULL);
    if (win + lose >= 5)
        main_key = mub_GAME_END;
}

void mub_game_ctrl(HDC hdc)
{
    set_difficulty();

    if (!round_won()) {
        mub_player_ctrl(hdc);
        mub_bullet_ctrl(hdc);
        mub_enemy_ctrl(hdc);
        mub_enbullet_ctrl(hdc);
        mub_hit_check(hwnd, hdc);
        mub_enhit_check(hdc);
    } else {
        /* Nothing moves during the pause; it shares wait_t with the hurt
           animation, so it counts on from wherever that stood. */
        wait_t += 1;
        if (wait_t > 5) {
            KillTimer(hwnd, 1);
            win += 1;
            end_round(hdc, STR_ROUND_WON_CAPTION);
        }
    }

    if (mub_entask_no >= 5) {
        erase_box(hdc, 10, 190, 10, 40);
        dip_bitmap(hdc, mub_hbmp[5], 10, 10, 0, 0, 80, 30, 30);
        dip_bitmap(hdc, mub_hbmp[0], mub_pl_x, mub_pl_y, 94, 0, 48, 48, 48);
        KillTimer(hwnd, 1);
        lose += 1;
        end_round(hdc, STR_ROUND_LOST_CAPTION);
    }
}

void mub_work_clear(void)
{
    mub_pl_x = 250;
    mub_pl_y = 480;
    for (int e = 0; e < 3; e++) {
        en_puu[e] = 0;
        mub_en_x[e] = 100 + 150 * e;
        mub_en_y[e] = 120 + 60 * e;
    }
    en_flg[0] = 0;
    en_flg[1] = 1;
    en_flg[2] = 0;
    enb_puu = 0;
    enb_flg = 1;
    enb = 0;
    mub_enb_x = 250;
    mub_enb_y = 60;
    for (int i = 0; i < 4; i++) {
        bl_x[i] = -30;
        bl_y[i] = -30;
        bl_puu[i] = 0;
        bl_key[i] = 0;
    }
    for (int i = 0; i < 3; i++) {
        enbl_x[i] = -30;
        enbl_y[i] = -30;
        enbl_puu[i] = 0;
        enbl_key[i] = 0;
    }
    enb_bl_x = -30;
    enb_bl_y = -30;
    enb_bl_puu = 0;
    enb_bl_key = 0;
    for (int i = 0; i < 4; i++)
        mub_task_no[i] = 0;
    mub_entask_no = 0;
    wait_t = 0;
}
