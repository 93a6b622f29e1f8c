/* A small native Windows program with the game's shape, for the baseline run
   under Wine: a 600 x 570 window, a 32 ms timer, a 600 x 570 BitBlt onto the
   window on every tick. It logs the time of every WM_TIMER and of the first
   paint, and closes itself after the given number of seconds.

     timer_probe.exe LOGFILE SECONDS

   Log lines: "paint <unix ns>" once, then "tick <unix ns> <counter ns>". */
#define _WIN32_WINNT 0x0602
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>

static FILE *log_file;
static LARGE_INTEGER freq, started;
static double seconds = 60;
static HDC picture;
static int frame;

static long long unix_ns(void) {
    FILETIME ft;
    GetSystemTimePreciseAsFileTime(&ft);
    ULARGE_INTEGER u;
    u.LowPart = ft.dwLowDateTime;
    u.HighPart = ft.dwHighDateTime;
    return (long long)(u.QuadPart - 116444736000000000ULL) * 100;
}

static long long counter_ns(void) {
    LARGE_INTEGER c;
    QueryPerformanceCounter(&c);
    return (long long)((double)c.QuadPart * 1e9 / (double)freq.QuadPart);
}

static LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    static int painted;
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        if (!painted) {
            painted = 1;
            fprintf(log_file, "paint %lld\n", unix_ns());
        }
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_TIMER: {
        fprintf(log_file, "tick %lld %lld\n", unix_ns(), counter_ns());
        HDC dc = GetDC(hwnd);
        BitBlt(dc, (frame++ % 2) * 4, 0, 600, 570, picture, 0, 0, SRCCOPY);
        ReleaseDC(hwnd, dc);
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        if ((double)(now.QuadPart - started.QuadPart) / (double)freq.QuadPart >= seconds) DestroyWindow(hwnd);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

int WINAPI WinMain(HINSTANCE inst, HINSTANCE prev, LPSTR cmd, int show) {
    (void)prev;
    (void)cmd;
    if (__argc < 3) return 2;
    log_file = fopen(__argv[1], "w");
    if (!log_file) return 2;
    seconds = atof(__argv[2]);
    QueryPerformanceFrequency(&freq);
    QueryPerformanceCounter(&started);

    WNDCLASSA wc = {0};
    wc.lpfnWndProc = proc;
    wc.hInstance = inst;
    wc.hbrBackground = (HBRUSH)GetStockObject(BLACK_BRUSH);
    wc.lpszClassName = "timer_probe";
    RegisterClassA(&wc);
    HWND hwnd = CreateWindowExA(0, "timer_probe", "timer probe", WS_OVERLAPPEDWINDOW, 0, 0, 600, 570, NULL, NULL,
                                inst, NULL);
    HDC screen = GetDC(hwnd);
    picture = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 600, 570);
    SelectObject(picture, bmp);
    PatBlt(picture, 0, 0, 600, 570, WHITENESS);
    ReleaseDC(hwnd, screen);
    SetTimer(hwnd, 1, 32, NULL);
    ShowWindow(hwnd, show);
    UpdateWindow(hwnd);

    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    KillTimer(hwnd, 1);
    DeleteDC(picture);
    DeleteObject(bmp);
    fclose(log_file);
    return 0;
}
