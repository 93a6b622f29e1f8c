/* The window procedure: timer ticks run the scene machine, paints the
   repaint, and input only changes the globals of the current scene; the next
   tick shows the result. Mouse positions are never read. */
#include "mubmub.h"

static void mouse_press(int right, WPARAM keys)
{
    switch (main_key) {
    case TITLE_SCREEN:
        if (ti_key == 4)
            ti_key = 5;
        break;
    case STORY_SCREEN:
        if (story_page == 1 || story_page == 3 || story_page == 5 || story_page == 7)
            story_page++;
        break;
    case STORY2_SCREEN:
        if (story_page == 10 || story_page == 12)
            story_page++;
        break;
    case STORY3_SCREEN:
        if (story_page == 15)
            story_page = 16;
        break;
    case mub_TITLE_SCREEN:
        main_key = mub_TITLE_END;
        break;
    case mub_SETUMEI_SCREEN:
        if (setu == 0)
            setu = 1;
        else if (setu == 1)
            main_key = mub_SETUMEI_END;
        break;
    case mub_GAME_SCREEN:
        if (right)
            mub_pl_right(keys);
        else
            mub_pl_left(keys);
        break;
    case mub_GAMEOVER_SCREEN:
        main_key = mub_GAMEOVER_END;
        break;
    case mub2_TITLE_SCREEN:
        main_key = mub2_TITLE_END;
        break;
    }
}

static void enter_key(void)
{
    switch (main_key) {
    case STORY3_SCREEN:
        if (story_page == 15)
            story_page = 16;
        break;
    case mub2_TITLE_SCREEN:
        main_key = mub2_TITLE_END;
        break;
    case mub2_SETUMEI_SCREEN:
        if (setu == 0)
            setu = 1;
        else if (setu == 1)
            main_key = mub2_SETUMEI_END;
        break;
    case mub2_GAME_SCREEN:
        mub2_hit_check();
        break;
    case mub2_GAMEOVER_SCREEN:
        main_key = mub2_GAMEOVER_END;
        break;
    }
}

/* z x c v b choose the holes from left to right, lower case only. */
static void letter_key(WPARAM ch)
{
    static const char holes[] = "zxcvb";
    int hole = -1;

    for (int i = 0; i < 5; i++)
        if (ch == (WPARAM)(unsigned char)holes[i])
            hole = i;
    if (hole < 0 || main_key != mub2_GAME_SCREEN)
        return;
    if (mub2_task_no == 0)
        mub2_pl_no = hole;
    mub2_hit_check();
}

LRESULT CALLBACK WindProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    HDC hdc;
    PAINTSTRUCT ps;

    switch (message) {
    case WM_TIMER:
        hdc = GetDC(window);
        timer_task(hdc);
        InvalidateRect(window, &cl_rect, FALSE);
        ReleaseDC(window, hdc);
        return 0;
    case WM_PAINT:
        hdc = BeginPaint(window, &ps);
        Main_ctrl(window, hdc);
        EndPaint(window, &ps);
        return 0;
    case WM_LBUTTONDOWN:
        mouse_press(0, wParam);
        return 0;
    case WM_RBUTTONDOWN:
        mouse_press(1, wParam);
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE)
            DestroyWindow(window);
        else if (wParam == VK_RETURN)
            enter_key();
        return 0;
    case WM_CHAR:
        letter_key(wParam);
        return 0;
    case WM_DESTROY:
        shell_destroy();
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
