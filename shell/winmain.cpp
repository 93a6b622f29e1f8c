/* Program entry: the window, the bitmaps, the timer and the message loop,
   and their mirror image when the window is destroyed. */
#include "mubmub.h"

/* Every bitmap, in the order it is loaded and freed. */
static const struct {
    const char *name;
    HBITMAP *handle;
} bitmaps[] = {
    {"title", &hbmp_ti},
    {"story_back", &story_hbmp[0]},  {"story_1", &story_hbmp[1]},    {"story_2", &story_hbmp[2]},
    {"story_3", &story_hbmp[3]},     {"story_4", &story_hbmp[4]},    {"story_5", &story_hbmp[5]},
    {"story_6", &story_hbmp[6]},     {"story_7", &story_hbmp[7]},
    {"mub_ti_1", &mub_hbmp_ti[0]},   {"mub_ti_2", &mub_hbmp_ti[1]},  {"mub_push", &mub_hbmp_ti[2]},
    {"mub_se_1", &mub_hbmp_se[0]},   {"mub_se_2", &mub_hbmp_se[1]},
    {"mub_pl", &mub_hbmp[0]},        {"heart", &mub_hbmp[1]},        {"mub_en", &mub_hbmp[2]},
    {"mub_en_b", &mub_hbmp[3]},      {"unko", &mub_hbmp[4]},         {"life", &mub_hbmp[5]},
    {"win_lose", &mub_hbmp[6]},      {"mub_hantei", &mub_hbmp_ha},
    {"mub2_ti_1", &mub2_hbmp_ti[0]}, {"mub2_ti_2", &mub2_hbmp_ti[1]}, {"mub2_push", &mub2_hbmp_ti[2]},
    {"back", &mub2_hbmp_back},
    {"mub2_se_1", &mub2_hbmp_se[0]}, {"mub2_se_2", &mub2_hbmp_se[1]},
    {"mub2_pl", &mub2_hbmp[0]},      {"mub2_en", &mub2_hbmp[1]},     {"time", &mub2_hbmp[2]},
    {"hit", &mub2_hbmp[3]},          {"entyo", &mub2_hbmp[4]},       {"en_hit", &mub2_hbmp[5]},
    {"mub2_hantei", &mub2_hbmp_ha},
};

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow)
{
    MSG msg;
    WNDCLASSA wc;
    (void)lpCmdLine;

    load_texts(hInstance);

    if (!hPrevInstance) {
        wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
        wc.lpfnWndProc = WindProc;
        wc.cbClsExtra = 0;
        wc.cbWndExtra = 0;
        wc.hInstance = hInstance;
        /* The executable's one icon group is "MUB2"; ask for it by that name. */
        wc.hIcon = LoadIconA(hInstance, "MUB2");
        wc.hCursor = LoadCursorA(NULL, IDC_ARROW);
        wc.hbrBackground = (HBRUSH)GetStockObject(BLACK_BRUSH);
        wc.lpszMenuName = NULL;
        wc.lpszClassName = szAppName;
        RegisterClassA(&wc);
    }

    hwnd = CreateWindowExA(0, szAppName, STR_WINDOW_TITLE, WS_OVERLAPPEDWINDOW & ~WS_MAXIMIZEBOX, 50, 0, 600, 570,
                           NULL, NULL, hInstance, NULL);

    for (size_t i = 0; i < sizeof bitmaps / sizeof bitmaps[0]; i++)
        *bitmaps[i].handle = LoadBitmapA(hInstance, bitmaps[i].name);

    SetTimer(hwnd, 1, 32, NULL);
    ShowWindow(hwnd, nCmdShow);
    UpdateWindow(hwnd);

    /* GetMessage returns -1 on error; that ends the loop as quit does. */
    msg.wParam = 0;
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }

    KillTimer(hwnd, 1);
    return (int)msg.wParam;
}

/* WM_DESTROY: quit, then free every bitmap that start-up loaded, once. */
void shell_destroy(void)
{
    PostQuitMessage(0);
    for (size_t i = 0; i < sizeof bitmaps / sizeof bitmaps[0]; i++) {
        DeleteObject(*bitmaps[i].handle);
        *bitmaps[i].handle = NULL;
    }
}
