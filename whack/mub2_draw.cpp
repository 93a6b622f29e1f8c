/*
 * Counters of the whack game, drawn from the digit cells of its sheets.
 */
#include "mub2_draw.h"

void mub2_digit_draw(HDC hdc, HBITMAP sheet, int x, int y, int d)
{
    dip_bitmap(hdc, sheet, x, y, MUB2_DIGIT_X + MUB2_DIGIT_W * d, 0, MUB2_DIGIT_W, MUB2_DIGIT_H,
               MUB2_DIGIT_H);
}

void mub2_number_draw(HDC hdc, HBITMAP sheet, int n, int x0, int x1, int x2, int y)
{
    if (n >= 100) {
        mub2_digit_draw(hdc, sheet, x0, y, n / 100);
        mub2_digit_draw(hdc, sheet, x1, y, (n % 100) / 10);
        mub2_digit_draw(hdc, sheet, x2, y, n % 10);
    } else if (n >= 10) {
        mub2_digit_draw(hdc, sheet, x1, y, n / 10);
        mub2_digit_draw(hdc, sheet, x2, y, n % 10);
    } else {
        mub2_digit_draw(hdc, sheet, x2, y, n % 10);
    }
}
