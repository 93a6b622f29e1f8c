/*
 * The title screen: two figures walk towards each other, meet, the logo
 * appears, and the selection dialog asks which entry to run.
 */
#include "mubmub.h"

int ti_time = 0;          /* ticks spent in the current state */
int ti_flg = 0;           /* walking frame, 0 or 1 */
int pl_before_x = 150;    /* where the player figure was drawn last */
int en_before_x = 400;    /* where the enemy figure was drawn last */

/* Frames of the two figures' sheets (48 x 48, mask band 48 rows below). */
#define FIGURE_SIZE 48
#define FRAME_MEET 96
#define FRAME_ENEMY_LAST 144

/* The "title" picture: the logo band on top, the prompt band below it. */
#define LOGO_WIDTH 505
#define LOGO_HEIGHT 170
#define PROMPT_TOP 170
/* The copy asks for 245 rows; the picture has only 76 of them (170 to 245),
   and a blit takes nothing from below a bitmap's bottom. */
#define PROMPT_HEIGHT 245

static void erase_walkers(HDC hdc)
{
    clear_rect(pl_before_x, pl_before_x + FIGURE_SIZE, pl_y, pl_y + FIGURE_SIZE);
    clear_bitmap(hdc, cl_rect);
    /* the enemy walks left: its old box is widened by its step */
    clear_rect(en_before_x - 10, en_before_x + FIGURE_SIZE, en_y, en_y + FIGURE_SIZE);
    clear_bitmap(hdc, cl_rect);
}

static void draw_figures(HDC hdc, int pl_frame, int en_frame)
{
    dip_bitmap(hdc, mub_hbmp[0], pl_x, pl_y, pl_frame, 0, FIGURE_SIZE, FIGURE_SIZE, FIGURE_SIZE);
    dip_bitmap(hdc, mub_hbmp[2], en_x, en_y, en_frame, 0, FIGURE_SIZE, FIGURE_SIZE, FIGURE_SIZE);
}

static void title_walk(HDC hdc)
{
    erase_walkers(hdc);
    ti_time++;
    if (ti_time > 1) {
        pl_before_x = pl_x;
        en_before_x = en_x;
        pl_x += 8;
        en_x -= 8;
        ti_flg = 1 - ti_flg;
        ti_time = 0;
        if (pl_x >= 245 || en_x <= 305)
            ti_key = 1;
    }
    draw_figures(hdc, FIGURE_SIZE * ti_flg, FIGURE_SIZE * ti_flg);
}

static void title_meet(HDC hdc)
{
    erase_walkers(hdc);
    ti_time++;
    draw_figures(hdc, FRAME_MEET, FRAME_MEET);
    if (ti_time > 5) {
        ti_key = 2;
        ti_time = 0;
        clear_rect(pl_x, pl_x + FIGURE_SIZE, pl_y, pl_y + FIGURE_SIZE);
        clear_bitmap(hdc, cl_rect);
        clear_rect(en_x, en_x + FIGURE_SIZE, en_y, en_y + FIGURE_SIZE);
        clear_bitmap(hdc, cl_rect);
    }
}

static void title_last_frame(HDC hdc)
{
    ti_time++;
    draw_figures(hdc, FRAME_MEET, FRAME_ENEMY_LAST);
    if (ti_time > 5) {
        ti_time = 0;
        ti_key = 3;
    }
}

static void title_logo(HDC hdc)
{
    bit_flg = 1;
    dip_bitmap(hdc, hbmp_ti, 50, 100, 0, 0, LOGO_WIDTH, LOGO_HEIGHT, 0);
    bit_flg = 0;
    ti_time++;
    if (ti_time > 15) {
        ti_time = 0;
        clear_screen(hdc);
        ti_key = 4;
    }
}

static void title_select(HDC hdc)
{
    bit_flg = 1;
    dip_bitmap(hdc, hbmp_ti, 50, 50, 0, PROMPT_TOP, LOGO_WIDTH, PROMPT_HEIGHT, 0);
    bit_flg = 0;
    /* no tick may run while the dialog's own message loop is going */
    KillTimer(hwnd, 1);
    HINSTANCE instance = (HINSTANCE)GetWindowLongPtrA(hwnd, GWLP_HINSTANCE);
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_SELECT), hwnd, DlgWindProc, 0);
    SetTimer(hwnd, 1, 32, NULL);
}

static void title_leave(HDC hdc)
{
    ti_key = 0;
    ti_time = 0;
    ti_flg = 0;
    main_key = TITLE_END;
    clear_screen(hdc);
}

void title_ctrl(HDC hdc)
{
    switch (ti_key) {
    case 0: title_walk(hdc); break;
    case 1: title_meet(hdc); break;
    case 2: title_last_frame(hdc); break;
    case 3: title_logo(hdc); break;
    case 4: title_select(hdc); break;
    case 5: title_leave(hdc); break;
    default: break;
    }
}
