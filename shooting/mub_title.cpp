/*
 * The title screen of both games: three lines rise one after the other,
 * the title picture is wiped in by narrow strips, shown whole, and then a
 * prompt blinks until a press (or Enter, for the whack game) leaves it.
 * The scene machine runs these steps with bit_flg set, so every copy is
 * opaque and the mask offsets passed here do not matter.
 */
#include "mubmub.h"

static void rising_lines(HDC hdc, HBITMAP lines)
{
    int i = moji;
    ti_y[i] -= 5;
    ti_before_y[i] = ti_y[i];
    if (ti_y[i] < ti_moji_y[i])
        moji = i + 1;

    if (moji == 3) {
        moji = 0;
        ti_key = 1;
        clear_screen(hdc);
        return;
    }

    /* The line that is current now; on the tick a line arrives that is the
       next one, drawn at its start. Line j sits in rows 45j-5 .. 45j+39. */
    int j = moji;
    erase_box(hdc, 100, 500, ti_before_y[j], ti_before_y[j] + 55);
    dip_bitmap(hdc, lines, 100, ti_y[j], 0, 45 * j - 5, 300, 45, 0);
}

/* One 10 x 80 strip of the picture, copied to its place on screen. */
static void wipe_strip(HDC hdc, HBITMAP picture, int sx, int sy)
{
    dip_bitmap(hdc, picture, 30 + sx, 50 + sy, sx, sy, 10, 80, 0);
}

static void wipe(HDC hdc, HBITMAP picture)
{
    if (moji >= 0 && moji < 25) {
        int d = 20 * moji;
        wipe_strip(hdc, picture, ti_x2[0] + d, 75);
        wipe_strip(hdc, picture, ti_x2[1] - d + 10, 140);
        wipe_strip(hdc, picture, ti_x2[0] + d, 230);
    } else if (moji >= 25 && moji < 50) {
        int e = 20 * (moji - 25);
        wipe_strip(hdc, picture, ti_x2[1] - e, 75);
        wipe_strip(hdc, picture, ti_x2[0] + e + 10, 140);
        wipe_strip(hdc, picture, ti_x2[1] - e, 230);
    }
    if (moji > 55) {
        moji = 0;
        ti_key = 2;
        clear_screen(hdc);
    }
    moji += 1;
}

static void blink_prompt(HDC hdc, HBITMAP prompt)
{
    moji += 1;
    if (moji >= 0 && moji < 8)
        dip_bitmap(hdc, prompt, 350, 480, 0, 0, 250, 27, 0);
    else if (moji >= 8 && moji < 16)
        erase_box(hdc, 350, 600, 480, 507);
    else
        moji = 0;
}

void title_anim_ctrl(HDC hdc, HBITMAP lines, HBITMAP picture, HBITMAP prompt)
{
    switch (ti_key) {
    case 0:
        rising_lines(hdc, lines);
        break;
    case 1:
        wipe(hdc, picture);
        break;
    case 2:
        dip_bitmap(hdc, picture, 30, 50, 0, 0, 500, 422, 0);
        ti_key = 3;
        break;
    case 3:
        blink_prompt(hdc, prompt);
        break;
    default:
        break;
    }
}

void mub_title_ctrl(HDC hdc)
{
    title_anim_ctrl(hdc, mub_hbmp_ti[0], mub_hbmp_ti[1], mub_hbmp_ti[2]);
}
