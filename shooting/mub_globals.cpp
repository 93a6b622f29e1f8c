/*
 * The shooting game's state: player, shots, enemies, boss, enemy shots,
 * hit-check counters and the result. Initial values are those of a fresh
 * round; mub_work_clear() puts most of them back between rounds.
 */
#include "mubmub.h"

/* Title screens (shared with the whack game's title). */
int ti_before_y[3] = {0, 0, 0};
const int ti_moji_y[3] = {100, 200, 300};

/* Player. */
int mub_pl_x = 250;
int mub_pl_y = 480;
int mub_pl_before_x = 0;
int mub_pl_before_y = 480;
int mub_pl_no = 0;
int mub_entask_no = 0;

/* The player's four shot slots. */
int bl_key[4] = {0, 0, 0, 0};
int bl_x[4] = {-30, -30, -30, -30};
int bl_y[4] = {-30, -30, -30, -30};
int bl_before_x[4] = {0, 0, 0, 0};
int bl_before_y[4] = {0, 0, 0, 0};
int bl_puu[4] = {0, 0, 0, 0};

/* Small crabs 0 to 2 and (index 3 of mub_task_no) the boss. */
int mub_task_no[4] = {0, 0, 0, 0};
int mub_en_x[3] = {100, 250, 400};
int mub_en_y[3] = {120, 180, 240};
int mub_en_before_x[3] = {0, 0, 0};
int mub_en_before_y[3] = {0, 0, 0};
int en_flg[3] = {0, 1, 0};
int en_puu[3] = {0, 0, 0};

int mub_enb_x = 250;
int mub_enb_y = 60;
int mub_enb_before_x = 0;
int mub_enb_before_y = 0;
int enb_flg = 1;
int enb_puu = 0;
int enb = 0;

/* One falling shot per enemy. */
int enbl_key[3] = {0, 0, 0};
int enbl_x[3] = {-30, -30, -30};
int enbl_y[3] = {-30, -30, -30};
int enbl_before_x[3] = {0, 0, 0};
int enbl_before_y[3] = {0, 0, 0};
int enbl_xn[3] = {0, 0, 0};
int enbl_yn[3] = {0, 0, 0};
int enbl_puu[3] = {0, 0, 0};
int b_wait[3] = {0, 0, 0};

int enb_bl_key = 0;
int enb_bl_x = -30;
int enb_bl_y = -30;
int enb_bl_before_x = 0;
int enb_bl_before_y = 0;
int enb_bl_xn = 0;
int enb_bl_yn = 0;
int enb_bl_puu = 0;
int b_b_wait = 0;

/* Animation counters of the hit checks and the won pause. */
int en_wait[3] = {0, 0, 0};
int enb_wait = 0;
int wait_t = 0;

/* Result screen. */
int mub_score = 0;
int mub_rank = 0;
