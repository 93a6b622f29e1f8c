/*
 * The whack game's own globals: the creature's places above the holes,
 * the enemies' struck flags, the pace tables, the clock and the score.
 * (The play state shared with the scene machine lives in shell/.)
 */
#include "mubmub.h"

/* Where the creature stands above each hole, keys z x c v b from left to right. */
const int mub2_pl_x[5] = {35, 155, 275, 395, 515};
const int mub2_pl_y[5] = {282, 382, 282, 382, 282};

/* 1 once an enemy has been struck in its current appearance. */
int hit_flg[2] = {0, 0};

/* Ticks an enemy stays up per picture, by pace (the clock's minutes). */
const int en_up_time[3] = {15, 10, 8};
/* Ticks an enemy stays hidden, by the number of extensions granted. */
const int en_hide_time[5] = {0, 15, 10, 5, 0};

/* The clock: minutes and seconds, one second a tick. */
int m = 6;
int s = 59;

/* hit - en_hit, at least 0; kept for the result screen's marker. */
int mub2_score = 0;
