/* The scene machine: one step of the scene in main_key per timer tick. The
   transitional scenes (…_END) run for exactly one tick: they reset the screen
   they follow, usually blank the window, and set the next scene. */
#include "mubmub.h"

/* Runs a scene step with opaque copies. */
static void opaque_step(void (*step)(HDC), HDC hdc)
{
    bit_flg = 1;
    step(hdc);
    bit_flg = 0;
}

static void title_end(void)
{
    main_key = sel_key;
    pl_x = 150;
    pl_y = 300;
    en_x = 400;
    en_y = 300;
}

/* mub_TITLE_END and mub2_TITLE_END */
static void game_title_end(HDC hdc, int next)
{
    moji = 0;
    ti_key = 0;
    for (int i = 0; i < 3; i++)
        ti_y[i] = 200 + 75 * i;
    ti_x2[0] = 30;
    ti_x2[1] = 460;
    main_key = next;
    clear_screen(hdc);
}

static void mub_setumei_end(HDC hdc)
{
    int answer;

    KillTimer(hwnd, 1);
    answer = MessageBoxA(hwnd, STR_SOUSAI_TEXT, STR_SOUSAI_CAPTION, MB_YESNO);
    /* A box that could not be shown counts as its first button, Yes. */
    so_flg = answer == IDNO ? 1 : 0;
    setu = 0;
    moji = 0;
    main_key = mub_GAME_SCREEN;
    clear_screen(hdc);
    SetTimer(hwnd, 1, 32, NULL);
}

static void mub_gameover_end(HDC hdc)
{
    win = 0;
    lose = 0;
    hit = 0;
    moji = 0;
    main_key = story_page != 0 ? STORY2_SCREEN : TITLE_SCREEN;
    clear_screen(hdc);
    SetTimer(hwnd, 1, 32, NULL);
}

static void mub2_setumei_end(HDC hdc)
{
    setu = 0;
    KillTimer(hwnd, 1);
    /* The box can only answer OK. A box that could not be shown counts as
       OK too, so the scene machine never stays without its timer. */
    MessageBoxA(hwnd, STR_START_TEXT, STR_START_CAPTION, MB_OK);
    main_key = mub2_GAME_SCREEN;
    clear_screen(hdc);
    SetTimer(hwnd, 1, 32, NULL);

    /* the play field with its five empty holes, before the first play tick */
    bit_flg = 1;
    dip_bitmap(hdc, mub2_hbmp_back, 0, 0, 0, 0, 600, 600, 0);
    bit_flg = 0;
    for (int i = 0; i < 5; i++)
        dip_bitmap(hdc, mub2_hbmp[1], mub2_en_x[i], mub2_en_y[i], 0, 0, 48, 48, 48);
}

static void mub2_game_end(HDC hdc)
{
    back = 0;
    back_t = 0;
    back_flg = 0;
    mub2_pl_no = 2;
    mub2_pl_before_x = 275;
    mub2_pl_before_y = 282;
    mub2_task_no = 0;
    pl_time = 0;
    for (int i = 0; i < 2; i++) {
        mub2_en_no[i] = 0;
        mub2_entask_no[i] = 3;
        en_time[i] = 0;
    }
    time_ptype = 0;
    mub2_hantei_ctrl(hdc);
    main_key = mub2_GAMEOVER_SCREEN;
}

static void mub2_gameover_end(HDC hdc)
{
    hit = 0;
    r_hit = 25;
    en_hit = 0;
    entyo = 0;
    moji = 0;
    main_key = story_page != 0 ? STORY3_SCREEN : TITLE_SCREEN;
    clear_screen(hdc);
    SetTimer(hwnd, 1, 32, NULL);
}

void timer_task(HDC hdc)
{
    switch (main_key) {
    case TITLE_SCREEN:
        title_ctrl(hdc);
        break;
    case TITLE_END:
        title_end();
        break;
    case STORY_SCREEN:
    case STORY2_SCREEN:
    case STORY3_SCREEN:
        opaque_step(story_ctrl, hdc);
        break;
    case mub_TITLE_SCREEN:
        opaque_step(mub_title_ctrl, hdc);
        break;
    case mub_TITLE_END:
        game_title_end(hdc, mub_SETUMEI_SCREEN);
        break;
    case mub_SETUMEI_SCREEN:
        opaque_step(mub_setumei_ctrl, hdc);
        break;
    case mub_SETUMEI_END:
        mub_setumei_end(hdc);
        break;
    case mub_GAME_SCREEN:
        mub_game_ctrl(hdc);
        break;
    case mub_GAME_END:
        sa = 0;
        b_sa = 0;
        mub_hantei_ctrl(hdc);
        main_key = mub_GAMEOVER_SCREEN;
        break;
    case mub_GAMEOVER_SCREEN:
        mub_hantei_ctrl(hdc);
        break;
    case mub_GAMEOVER_END:
        mub_gameover_end(hdc);
        break;
    case mub2_TITLE_SCREEN:
        opaque_step(mub2_title_ctrl, hdc);
        break;
    case mub2_TITLE_END:
        game_title_end(hdc, mub2_SETUMEI_SCREEN);
        break;
    case mub2_SETUMEI_SCREEN:
        opaque_step(mub2_setumei_ctrl, hdc);
        break;
    case mub2_SETUMEI_END:
        mub2_setumei_end(hdc);
        break;
    case mub2_GAME_SCREEN:
        mub2_time_ctrl(hdc);
        mub2_player_ctrl(hdc);
        mub2_enemy_ctrl(hdc);
        break;
    case mub2_GAME_END:
        mub2_game_end(hdc);
        break;
    case mub2_GAMEOVER_SCREEN:
        mub2_hantei_ctrl(hdc);
        break;
    case mub2_GAMEOVER_END:
        mub2_gameover_end(hdc);
        break;
    }
}
