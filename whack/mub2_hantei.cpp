/*
 * The whack game's result: the two counters, the score in red digits and a
 * spinning heart at the score's line of the rating scale.
 */
#include "mub2_draw.h"

/* Red digits of the result picture: 30-pixel cells below the screen. */
#define RED_Y 550
#define RED_W 30
#define RED_H 50
#define SCORE_Y 160

/* The marker: a 26 x 26 heart of the shot sheet, face and edge. */
#define MARKER_X 10
#define MARKER_SIZE 26
#define MARKER_FACE 1
#define MARKER_EDGE 27

static void red_digit(HDC hdc, int x, int d, int width)
{
    dip_bitmap(hdc, mub2_hbmp_ha, x, SCORE_Y, RED_W * d, RED_Y, width, RED_H, RED_H);
}

static void draw_score(HDC hdc, int score)
{
    if (score >= 100) {
        const int hundreds = score / 100;
        /* The 1 fills only the left half of its cell, so a half cell does
           for it; any other hundreds digit gets a whole cell of its own. */
        if (hundreds == 1)
            red_digit(hdc, 310, hundreds, RED_W / 2);
        else
            red_digit(hdc, 325 - RED_W, hundreds, RED_W);
        red_digit(hdc, 325, (score % 100) / 10, RED_W);
        red_digit(hdc, 355, score % 10, RED_W);
    } else if (score >= 10) {
        red_digit(hdc, 325, score / 10, RED_W);
        red_digit(hdc, 355, score % 10, RED_W);
    } else {
        red_digit(hdc, 355, score % 10, RED_W);
    }
}

static void draw_result(HDC hdc)
{
    bit_flg = 1;
    dip_bitmap(hdc, mub2_hbmp_ha, 0, 0, 0, 0, 600, 550, 0);
    bit_flg = 0;

    clear_rect(50, 465, 100, 130);
    clear_bitmap(hdc, cl_rect);
    dip_bitmap(hdc, mub2_hbmp[3], 50, 100, 0, 0, 110, 30, 30);
    mub2_number_draw(hdc, mub2_hbmp[3], hit, 165, 184, 203, 100);
    dip_bitmap(hdc, mub2_hbmp[5], 225, 100, 0, 0, 175, 30, 30);
    mub2_number_draw(hdc, mub2_hbmp[3], en_hit, 405, 424, 443, 100);

    mub2_score = hit - en_hit;
    if (mub2_score <= 0)
        mub2_score = 0;
    draw_score(hdc, mub2_score);
}

/* One face for 4 ticks, the other for 5, then a tick without drawing. */
static void spin_marker(HDC hdc)
{
    int cell;

    moji += 1;
    if (moji >= 0 && moji < 5) {
        cell = MARKER_FACE;
    } else if (moji >= 5 && moji < 10) {
        cell = MARKER_EDGE;
    } else {
        moji = 0;
        return;
    }
    const int y = mub2_score < 100 ? 447 - 32 * (mub2_score / 20) : 287;
    dip_bitmap(hdc, mub_hbmp[1], MARKER_X, y, cell, 0, MARKER_SIZE, MARKER_SIZE, 0);
}

void mub2_hantei_ctrl(HDC hdc)
{
    if (main_key == mub2_GAME_END)
        draw_result(hdc);
    else if (main_key == mub2_GAMEOVER_SCREEN)
        spin_marker(hdc);
}
