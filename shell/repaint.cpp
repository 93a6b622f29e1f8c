/* The paint handler. Screens draw straight onto the window on every tick, so
   a repaint only restores the fixed labels of the two play screens; the
   paint context clips them to the area being repainted. */
#include "mubmub.h"

static void mub_labels(HDC hdc)
{
    dip_bitmap(hdc, mub_hbmp[5], 10, 10, 0, 0, 80, 30, 30);
    erase_box(hdc, 400, 550, 10, 40);
    dip_bitmap(hdc, mub_hbmp[6], 400, 10, 0, 0, 150, 30, 30);
    erase_box(hdc, 455, 465, 10, 40);
    dip_bitmap(hdc, mub_hbmp[6], 455, 10, 160 + 10 * win, 0, 10, 30, 30);
    erase_box(hdc, 540, 550, 10, 40);
    dip_bitmap(hdc, mub_hbmp[6], 540, 10, 160 + 10 * lose, 0, 10, 30, 30);
}

static void mub2_labels(HDC hdc)
{
    /* leaves cl_rect empty, so that later ticks invalidate nothing */
    erase_box(hdc, 0, 0, 0, 0);
    mub2_back_bitmap(hdc, 160, 140, 100, 30);
    dip_bitmap(hdc, mub2_hbmp[2], 160, 140, 0, 0, 200, 30, 30);
    mub2_back_bitmap(hdc, 100, 190, 110, 30);
    dip_bitmap(hdc, mub2_hbmp[3], 100, 190, 0, 0, 110, 30, 30);
    mub2_back_bitmap(hdc, 275, 190, 175, 30);
    dip_bitmap(hdc, mub2_hbmp[5], 275, 190, 0, 0, 175, 30, 30);
}

void Main_ctrl(HWND window, HDC hdc)
{
    (void)window;
    if (main_key == mub_GAME_SCREEN)
        mub_labels(hdc);
    else if (main_key == mub2_GAME_SCREEN)
        mub2_labels(hdc);
}
