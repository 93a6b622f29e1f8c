/* The shell's globals: the window, every bitmap, and the state of the scene
   machine that several screens share. */
#include "mubmub.h"
#include "state_vars.h"

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

const struct mub_state_var shell_state_vars[] = {
    MUB_VAR(main_key), MUB_VAR(sel_key), MUB_VAR(story_page), MUB_VAR(bit_flg),
    {"cl_rect", (const int *)&cl_rect, 4, 1},
    MUB_VAR(ti_key), MUB_VAR(moji), MUB_VAR(setu),
    MUB_VAR(pl_x), MUB_VAR(pl_y), MUB_VAR(en_x), MUB_VAR(en_y),
    MUB_ARRAY(ti_y), MUB_ARRAY(ti_x2),
    MUB_VAR(so_flg), MUB_VAR(win), MUB_VAR(lose), MUB_VAR(sa), MUB_VAR(b_sa), MUB_VAR(hit),
    MUB_VAR(r_hit), MUB_VAR(en_hit), MUB_VAR(entyo),
    MUB_VAR(back), MUB_VAR(back_t), MUB_VAR(back_flg), MUB_VAR(time_ptype),
    MUB_VAR(mub2_pl_no), MUB_VAR(mub2_pl_before_x), MUB_VAR(mub2_pl_before_y), MUB_VAR(mub2_task_no),
    MUB_VAR(pl_time),
    MUB_ARRAY(mub2_en_no), MUB_ARRAY(mub2_entask_no), MUB_ARRAY(en_time),
    MUB_ARRAY(mub2_en_x), MUB_ARRAY(mub2_en_y),
    {0, 0, 0, 0},
};

const struct mub_state_handle shell_state_handles[] = {
    MUB_HANDLE(hwnd),
    MUB_HANDLE(hbmp_ti), MUB_HANDLES(story_hbmp),
    MUB_HANDLES(mub_hbmp_ti), MUB_HANDLES(mub_hbmp_se), MUB_HANDLES(mub_hbmp), MUB_HANDLE(mub_hbmp_ha),
    MUB_HANDLES(mub2_hbmp_ti), MUB_HANDLE(mub2_hbmp_back), MUB_HANDLES(mub2_hbmp_se), MUB_HANDLES(mub2_hbmp),
    MUB_HANDLE(mub2_hbmp_ha),
    {0, 0, 0, 0},
};
