/* The shell's globals: the window, every bitmap, and the state of the scene
   machine that several screens share. */
#include "mubmub.h"

char szAppName[] = "appri_name";
HWND hwnd;

HBITMAP hbmp_ti;
HBITMAP story_hbmp[8];
HBITMAP mub_hbmp_ti[3];
HBITMAP mub_hbmp_se[2];
HBITMAP mub_hbmp[7];
HBITMAP mub_hbmp_ha;
HBITMAP mub2_hbmp_ti[3];
HBITMAP mub2_hbmp_back;
HBITMAP mub2_hbmp_se[2];
HBITMAP mub2_hbmp[6];
HBITMAP mub2_hbmp_ha;

int main_key = TITLE_SCREEN;
int sel_key;
int story_page;
int bit_flg;
RECT cl_rect;

int ti_key, moji, setu;
int pl_x = 150, pl_y = 300, en_x = 400, en_y = 300;
int ti_y[3] = {200, 275, 350};
int ti_x2[2] = {30, 460};

int so_flg;
int win, lose, sa, b_sa;
int hit;

int r_hit = 25, en_hit, entyo;
int back, back_t, back_flg, time_ptype;
int mub2_pl_no = 2, mub2_pl_before_x = 275, mub2_pl_before_y = 282, mub2_task_no, pl_time;
int mub2_en_no[2];
int mub2_entask_no[2] = {3, 3};
int en_time[2];
const int mub2_en_x[5] = {35, 155, 275, 395, 515};
const int mub2_en_y[5] = {330, 430, 330, 430, 330};
