// The parts of the conformance environment that are plain Win32 on every platform.
#include "tests/conformance/conf_env.h"

#include <cstdio>

namespace conftest {

namespace {

LRESULT CALLBACK record_proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Recorder &r = recorder();
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        if (r.paint)
            r.paint(dc, ps);
        EndPaint(hwnd, &ps);
        ++r.paints;
        r.dispatched.push_back({message, wParam, lParam});
        return 0;
    }
    r.dispatched.push_back({message, wParam, lParam});
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

Recorder &recorder() {
    static Recorder r;
    return r;
}

HWND open_window(UINT class_style) {
    char name[32];
    std::snprintf(name, sizeof name, "mub_conf_%x", class_style);
    WNDCLASSA wc{};
    wc.style = class_style;
    wc.lpfnWndProc = record_proc;
    wc.hInstance = program_instance();
    wc.hCursor = LoadCursorA(NULL, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = name;
    RegisterClassA(&wc);  // already there on a second test in the same process: fine

    HWND hwnd = CreateWindowExA(0, name, "conformance", WS_OVERLAPPEDWINDOW & ~WS_MAXIMIZEBOX, 50, 0, 600, 570,
                                NULL, NULL, program_instance(), NULL);
    ShowWindow(hwnd, SW_SHOWNORMAL);
    UpdateWindow(hwnd);
    recorder() = Recorder{};
    return hwnd;
}

MSG next_message() {
    MSG msg{};
    GetMessageA(&msg, NULL, 0, 0);
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    return msg;
}

std::vector<MSG> take_until_timer(HWND hwnd, UINT_PTR id) {
    std::vector<MSG> taken;
    for (int guard = 0; guard < 10000; ++guard) {
        MSG msg = next_message();
        if (msg.message == WM_TIMER && msg.hwnd == hwnd && msg.wParam == id)
            break;
        taken.push_back(msg);
    }
    return taken;
}

}  // namespace conftest
