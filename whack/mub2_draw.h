/*
 * Drawing helpers of the whack game's counters.
 */
#ifndef MUB2_DRAW_H
#define MUB2_DRAW_H

#include "mubmub.h"

/* The digit sheets ("time", "hit", "entyo"): digit d is the 19 x 30 cell at
   x 200 + 19 d, its mask 30 rows below. */
#define MUB2_DIGIT_X 200
#define MUB2_DIGIT_W 19
#define MUB2_DIGIT_H 30

/* One digit of a digit sheet at (x, y), masked. */
void mub2_digit_draw(HDC hdc, HBITMAP sheet, int x, int y, int d);

/* A counter without leading zeros: hundreds at x0, tens at x1, units at x2.
   The caller has already restored the place of the digits it leaves out. */
void mub2_number_draw(HDC hdc, HBITMAP sheet, int n, int x0, int x1, int x2, int y);

#endif
