/*
 * mubmub: every global and every function of the game, in one module.
 *
 * The game is plain C-style code over the Win32 API: global ints and arrays,
 * step functions that end in _ctrl and draw straight onto the window. The
 * prefix says which part a name belongs to: mub_ the shooting game, mub2_
 * the whack game, none the shell, the title and the story.
 *
 * Each global is defined once, in the folder that owns it (see the comments
 * above each group); this header only declares them.
 */
#ifndef MUBMUB_H
#define MUBMUB_H

#include <windows.h>

#include "resource.h"

/* The texts the game hands to the window system, in Shift-JIS: the string
   table's, in the user's language, read once by load_texts. */
#define STR_WINDOW_TITLE mub_text(IDS_WINDOW_TITLE)
#define STR_SOUSAI_TEXT mub_text(IDS_SOUSAI_TEXT)
#define STR_SOUSAI_CAPTION mub_text(IDS_SOUSAI_CAPTION)
#define STR_START_TEXT mub_text(IDS_START_TEXT)
#define STR_START_CAPTION mub_text(IDS_START_CAPTION)
#define STR_ROUND_FORMAT mub_text(IDS_ROUND_FORMAT)
#define STR_ROUND_WON_CAPTION mub_text(IDS_ROUND_WON_CAPTION)
#define STR_ROUND_LOST_CAPTION mub_text(IDS_ROUND_LOST_CAPTION)

/* Scenes (main_key) */
#define TITLE_SCREEN 0
#define TITLE_END 1
#define STORY_SCREEN 2
#define STORY2_SCREEN 3
#define STORY3_SCREEN 4
#define mub_TITLE_SCREEN 5
#define mub_TITLE_END 6
#define mub_SETUMEI_SCREEN 7
#define mub_SETUMEI_END 8
#define mub_GAME_SCREEN 9
#define mub_GAME_END 10
#define mub_GAMEOVER_SCREEN 11
#define mub_GAMEOVER_END 12
#define mub2_TITLE_SCREEN 13
#define mub2_TITLE_END 14
#define mub2_SETUMEI_SCREEN 15
#define mub2_SETUMEI_END 16
#define mub2_GAME_SCREEN 17
#define mub2_GAME_END 18
#define mub2_GAMEOVER_SCREEN 19
#define mub2_GAMEOVER_END 20

/* ---- shell/: window, bitmaps, scene machine, drawing ---- */
extern char szAppName[];
extern HWND hwnd;
extern HBITMAP hbmp_ti;
extern HBITMAP story_hbmp[8];
extern HBITMAP mub_hbmp_ti[3];
extern HBITMAP mub_hbmp_se[2];
extern HBITMAP mub_hbmp[7];
extern HBITMAP mub_hbmp_ha;
extern HBITMAP mub2_hbmp_ti[3];
extern HBITMAP mub2_hbmp_back;
extern HBITMAP mub2_hbmp_se[2];
extern HBITMAP mub2_hbmp[6];
extern HBITMAP mub2_hbmp_ha;

extern int main_key;
extern int sel_key;
extern int story_page;
extern int bit_flg;
extern RECT cl_rect;
extern int ti_key, moji, setu;
extern int pl_x, pl_y, en_x, en_y;
extern int ti_y[3], ti_x2[2];
extern int so_flg;
extern int win, lose, sa, b_sa;
extern int hit;
extern int r_hit, en_hit, entyo;
extern int back, back_t, back_flg, time_ptype;
extern int mub2_pl_no, mub2_pl_before_x, mub2_pl_before_y, mub2_task_no, pl_time;
extern int mub2_en_no[2], mub2_entask_no[2], en_time[2];
extern const int mub2_en_x[5], mub2_en_y[5];

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);
LRESULT CALLBACK WindProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void timer_task(HDC hdc);
/* WM_DESTROY: posts the quit message and frees every bitmap. */
void shell_destroy(void);
/* The string table's texts (STR_..., story_text), before the window exists. */
void load_texts(HINSTANCE instance);
const char *mub_text(int id);
void Main_ctrl(HWND window, HDC hdc);

void dip_bitmap(HDC hdc, HBITMAP hbm, int x, int y, int Sx, int Sy, int Width, int Height, int m);
RECT clear_rect(int left, int right, int top, int bottom);
void clear_bitmap(HDC hdc, RECT rect);
/* The erase of erase-and-redraw: clear_rect with a box given as left, right,
   top, bottom, then clear_bitmap of cl_rect (so the box is also what the tick
   invalidates when it is the last one erased). */
void erase_box(HDC hdc, int left, int right, int top, int bottom);
void mub2_back_bitmap(HDC hdc, int x, int y, int Width, int Height);
/* Blanks the whole client area and leaves the client rectangle in cl_rect. */
void clear_screen(HDC hdc);

/* ---- title/: title animation, selection dialog, story ---- */
extern int ti_time, ti_flg;
extern int pl_before_x, en_before_x;
extern char story_text[23][200];

void title_ctrl(HDC hdc);
INT_PTR CALLBACK DlgWindProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam);
void story_ctrl(HDC hdc);

/* ---- shooting/: the shooting game ---- */
extern int ti_before_y[3];       /* also used by the whack game's title */
extern const int ti_moji_y[3];   /* also used by the whack game's title */
extern int mub_pl_x, mub_pl_y, mub_pl_before_x, mub_pl_before_y, mub_pl_no;
extern int bl_key[4], bl_x[4], bl_y[4], bl_before_x[4], bl_before_y[4], bl_puu[4];
extern int mub_entask_no;
extern int mub_task_no[4];
extern int mub_en_x[3], mub_en_y[3], mub_en_before_x[3], mub_en_before_y[3], en_flg[3], en_puu[3];
extern int mub_enb_x, mub_enb_y, mub_enb_before_x, mub_enb_before_y, enb_flg, enb_puu, enb;
extern int enbl_key[3], enbl_x[3], enbl_y[3], enbl_before_x[3], enbl_before_y[3];
extern int enbl_xn[3], enbl_yn[3], enbl_puu[3], b_wait[3];
extern int enb_bl_key, enb_bl_x, enb_bl_y, enb_bl_before_x, enb_bl_before_y;
extern int enb_bl_xn, enb_bl_yn, enb_bl_puu, b_b_wait;
extern int en_wait[3], enb_wait, wait_t;
extern int mub_score, mub_rank;

/* The title animation shared by both games' title screens:
   lines = the rising lines, picture = the wiped-in title, prompt = the blinking prompt. */
void title_anim_ctrl(HDC hdc, HBITMAP lines, HBITMAP picture, HBITMAP prompt);
void mub_title_ctrl(HDC hdc);
void mub_setumei_ctrl(HDC hdc);
/* Mouse presses in mub_GAME_SCREEN; keys = the message's MK_ flags. */
void mub_pl_left(WPARAM keys);
void mub_pl_right(WPARAM keys);
void mub_player_ctrl(HDC hdc);
void mub_bullet_ctrl(HDC hdc);
void mub_enemy_ctrl(HDC hdc);
void mub_enbullet_ctrl(HDC hdc);
void mub_hit_check(HWND window, HDC hdc);
void mub_enhit_check(HDC hdc);
/* One tick of mub_GAME_SCREEN: difficulty, play steps, end of round. */
void mub_game_ctrl(HDC hdc);
void mub_work_clear(void);
void mub_hantei_ctrl(HDC hdc);

/* ---- whack/: the whack game ---- */
extern const int mub2_pl_x[5], mub2_pl_y[5];
extern int hit_flg[2];
extern const int en_up_time[3];
extern const int en_hide_time[5];
extern int m, s;
extern int mub2_score;

void mub2_title_ctrl(HDC hdc);
void mub2_setumei_ctrl(HDC hdc);
void mub2_player_ctrl(HDC hdc);
void mub2_enemy_ctrl(HDC hdc);
void mub2_time_ctrl(HDC hdc);
void mub2_hit_check(void);
void mub2_hantei_ctrl(HDC hdc);

#endif
