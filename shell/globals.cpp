/* The shell's globals: the window, every bitmap, and the state of the scene
   machine that several screens share. */
#include "mubmub.h"

char szAppName[] = "appri_name"; /* the window class's name */
HWND hwnd;                       /* the main window */

/* The 35 bitmaps, loaded at start-up and deleted when the window goes. */
HBITMAP hbmp_ti;         /* the title picture */
HBITMAP story_hbmp[8];   /* the story's pictures, one a page */
HBITMAP mub_hbmp_ti[3];  /* shooting title: the rising lines, the title picture, the prompt */
HBITMAP mub_hbmp_se[2];  /* shooting instructions, two pages */
HBITMAP mub_hbmp[7];     /* shooting sprites: player, heart, crab, boss, enemy shot, life and win/lose labels */
HBITMAP mub_hbmp_ha;     /* shooting result screen with its digit bands */
HBITMAP mub2_hbmp_ti[3]; /* whack title: the rising lines, the title picture, the prompt */
HBITMAP mub2_hbmp_back;  /* whack play field, whose top band sways */
HBITMAP mub2_hbmp_se[2]; /* whack instructions, two pages */
HBITMAP mub2_hbmp[6];    /* whack sprites: player, enemy, time, hit, extension and counterattack labels */
HBITMAP mub2_hbmp_ha;    /* whack result screen with its digit bands */

int main_key = TITLE_SCREEN; /* the scene the timer runs (0 to 20) */
int sel_key;                 /* the scene chosen in the selection dialog; 0 before a choice */
int story_page;              /* the story's progress; 0 while no story runs */
int bit_flg;                 /* 1: dip_bitmap copies opaquely; 0: through the mask */
RECT cl_rect;                /* the shared rectangle: last cleared, invalidated after each tick */

int ti_key; /* sub-state of the title and instruction screens */
int moji;   /* animation counter of the title, instruction and result screens */
int setu;   /* the instruction page shown, 0 or 1 */
int pl_x = 150, pl_y = 300; /* where the title animation's player figure stands */
int en_x = 400, en_y = 300; /* where the title animation's crab stands */
int ti_y[3] = {200, 275, 350}; /* y of each rising line of a game's title */
int ti_x2[2] = {30, 460};      /* start columns of a game title's wipe strips */

int so_flg; /* 0: the player's and the enemies' shots cancel out (Yes); 1: they pass (No) */
int win;    /* shooting rounds won in this series */
int lose;   /* shooting rounds lost in this series */
int sa;     /* the enemies' speed bonus, from the rounds won */
int b_sa;   /* the enemy shots' fall-speed bonus, from the rounds won */
int hit;    /* hits the player took in a shooting series, or enemies struck in a whack game */

int r_hit = 25;  /* whack: enemies still to strike before the next time extension */
int en_hit;      /* whack: counterattacks that landed */
int entyo;       /* whack: time extensions granted, 0 to 5 */
int back;        /* whack: the swaying band's source x, 0 to 80 */
int back_t;      /* whack: ticks since the band last moved */
int back_flg;    /* whack: 0 while back grows, 1 while it shrinks */
int time_ptype;  /* whack: the enemies' pace, 0 to 2, from the clock's minutes */
int mub2_pl_no = 2;          /* whack: the hole the player stands over, 0 to 4 */
int mub2_pl_before_x = 275;  /* whack: where the player was drawn last */
int mub2_pl_before_y = 282;
int mub2_task_no;            /* whack: the player's state: ready, striking a hit or a miss, hurt */
int pl_time;                 /* whack: ticks in the player's state */
int mub2_en_no[2];               /* whack: each enemy's hole, 0 to 4 */
int mub2_entask_no[2] = {3, 3};  /* whack: each enemy's state, 0 to 5 */
int en_time[2];                  /* whack: ticks in each enemy's state */
const int mub2_en_x[5] = {35, 155, 275, 395, 515}; /* the five holes' places */
const int mub2_en_y[5] = {330, 430, 330, 430, 330};
