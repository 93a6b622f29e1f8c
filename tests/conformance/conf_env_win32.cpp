// The conformance environment on Windows (or Wine): real time, real input.
#ifdef _WIN32

#include "tests/conformance/conf_env.h"

#include <algorithm>

namespace conftest {

namespace {

void send_button(HWND hwnd, int button, bool down, int x, int y) {
    POINT pt{x, y};
    ClientToScreen(hwnd, &pt);
    SetCursorPos(pt.x, pt.y);
    INPUT in{};
    in.type = INPUT_MOUSE;
    if (button == 0)
        in.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    else
        in.mi.dwFlags = down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP;
    SendInput(1, &in, sizeof in);
}

BOOL CALLBACK close_own_window(HWND hwnd, LPARAM) {
    DestroyWindow(hwnd);
    return TRUE;
}

}  // namespace

struct Env::Impl {};

Env::Env() : impl_(std::make_unique<Impl>()) {}

Env::~Env() { EnumThreadWindows(GetCurrentThreadId(), close_own_window, 0); }

void sleep_ms(int ms) { Sleep(DWORD(ms)); }

void mouse_down(HWND hwnd, int button, int x, int y) { send_button(hwnd, button, true, x, y); }
void mouse_up(HWND hwnd, int button, int x, int y) { send_button(hwnd, button, false, x, y); }

void resize_client(HWND hwnd, int width, int height) {
    RECT outer, client;
    GetWindowRect(hwnd, &outer);
    GetClientRect(hwnd, &client);
    const int extra_w = (outer.right - outer.left) - client.right;
    const int extra_h = (outer.bottom - outer.top) - client.bottom;
    SetWindowPos(hwnd, NULL, 0, 0, width + extra_w, height + extra_h, SWP_NOMOVE | SWP_NOZORDER);
}

HINSTANCE program_instance() { return GetModuleHandleA(NULL); }

// Taken by main() before anything else can call rand().
std::vector<int> &start_rand_values() {
    static std::vector<int> values;
    return values;
}

std::vector<int> fresh_rand_sequence(int n) {
    const std::vector<int> &all = start_rand_values();
    return std::vector<int>(all.begin(), all.begin() + std::min<size_t>(size_t(n), all.size()));
}

}  // namespace conftest

#endif
