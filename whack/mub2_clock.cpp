/*
 * The whack game's clock step: counts down (one second a tick, 59 ticks a
 * minute), shows the clock and the counters, shows and grants the time
 * extensions, ends the game when time is up, and sways the top band.
 */
#include "mub2_draw.h"

#define BAND_HEIGHT 135
#define BAND_MAX 75 /* the band turns back once it has passed this offset */
#define BAND_STEP 5
#define BAND_TICKS 10

struct extension {
    int r_hit_after; /* 0: leave r_hit as it is */
    int minutes;
};

/* One row per extension, by the number granted before it. */
static const struct extension extensions[5] = {
    {15, 3}, {20, 4}, {25, 2}, {25, 2}, {0, 1},
};

static void draw_clock(HDC hdc)
{
    HBITMAP sheet = mub2_hbmp[2];

    mub2_back_bitmap(hdc, 275, 140, 38, 30);
    mub2_digit_draw(hdc, sheet, 275, 140, m / 10);
    mub2_digit_draw(hdc, sheet, 294, 140, m % 10);
    mub2_back_bitmap(hdc, 325, 140, 38, 30);
    mub2_digit_draw(hdc, sheet, 325, 140, s / 10);
    mub2_digit_draw(hdc, sheet, 344, 140, s % 10);
}

static void draw_counters(HDC hdc)
{
    mub2_back_bitmap(hdc, 215, 190, 60, 30);
    mub2_number_draw(hdc, mub2_hbmp[3], hit, 215, 234, 253, 190);
    mub2_back_bitmap(hdc, 455, 190, 60, 30);
    mub2_number_draw(hdc, mub2_hbmp[3], en_hit, 455, 474, 493, 190);
}

/* "Hits left until the next extension", while nine or fewer remain;
   blinks off whenever the seconds are a multiple of 8. */
static void draw_notice(HDC hdc)
{
    if (!(entyo <= 4 && r_hit <= 9))
        return;
    mub2_back_bitmap(hdc, 100, 240, 235, 30);
    if (s % 8 != 0) {
        dip_bitmap(hdc, mub2_hbmp[4], 100, 240, 0, 0, 200, 30, 30);
        mub2_digit_draw(hdc, mub2_hbmp[4], 313, 240, r_hit % 10);
    }
    if (r_hit <= 0)
        mub2_back_bitmap(hdc, 100, 240, 235, 30);
}

static void grant_extension(void)
{
    if (entyo < 0 || entyo > 4 || r_hit > 0)
        return;
    const struct extension *row = &extensions[entyo];
    if (row->r_hit_after != 0)
        r_hit = row->r_hit_after;
    entyo += 1;
    m += row->minutes;
}

static void sway_band(HDC hdc)
{
    back_t += 1;
    if (back_t < BAND_TICKS)
        return;
    if (back_flg == 0) {
        back += BAND_STEP;
        if (back > BAND_MAX)
            back_flg = 1;
    } else {
        back -= BAND_STEP;
        if (back <= 0)
            back_flg = 0;
    }
    bit_flg = 1;
    dip_bitmap(hdc, mub2_hbmp_back, 0, 0, back, 0, 600, BAND_HEIGHT, 0);
    bit_flg = 0;
    back_t = 0;
}

void mub2_time_ctrl(HDC hdc)
{
    s -= 1;
    draw_clock(hdc);

    if (s <= 0) {
        if (m <= 0) {
            /* time is up; the clock is left at 6:59 for the next game */
            m = 7;
            main_key = mub2_GAME_END;
        }
        m -= 1;
        s = 59;
    }

    draw_counters(hdc);
    draw_notice(hdc);
    grant_extension();
    sway_band(hdc);
}
