// Window classes and the window itself: creation, showing, destruction,
// message sending and the default window procedure.
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <string>

#include "platform/core/core.h"
#include "platform/core/gdi_surface.h"
#include "platform/text/text.h"

using namespace mub::core;
using namespace mub::core::detail;

namespace {

constexpr uint16_t kFirstAtom = 0xC000;

bool same_name(const std::string &a, const char *b) {
    const size_t n = std::char_traits<char>::length(b);
    if (a.size() != n) return false;
    for (size_t i = 0; i < n; ++i) {
        if (std::tolower((unsigned char)a[i]) != std::tolower((unsigned char)b[i])) return false;
    }
    return true;
}

const WindowClass *find_class(LPCSTR name) {
    auto &classes = state().classes;
    if (!name) return nullptr;
    if (IS_INTRESOURCE(name)) {
        const size_t index = size_t(reinterpret_cast<uintptr_t>(name)) - kFirstAtom;
        return index < classes.size() ? &classes[index] : nullptr;
    }
    for (const auto &c : classes) {
        if (same_name(c.name, name)) return &c;
    }
    return nullptr;
}

}  // namespace

extern "C" {

ATOM WINAPI RegisterClassA(const WNDCLASSA *wc) {
    if (!wc || !wc->lpszClassName || IS_INTRESOURCE(wc->lpszClassName) || !wc->lpfnWndProc) return 0;
    if (find_class(wc->lpszClassName)) return 0;  // already registered
    auto &classes = state().classes;
    classes.push_back(WindowClass{wc->lpszClassName, wc->style, wc->lpfnWndProc, wc->hInstance, wc->hIcon,
                                  wc->hbrBackground});
    return ATOM(kFirstAtom + classes.size() - 1);
}

HWND WINAPI CreateWindowExA(DWORD, LPCSTR class_name, LPCSTR title, DWORD style, int, int, int width, int height,
                            HWND, HMENU, HINSTANCE instance, LPVOID) {
    const WindowClass *cls = find_class(class_name);
    if (!cls) return nullptr;
    if (width == CW_USEDEFAULT) width = 600;
    if (height == CW_USEDEFAULT) height = 570;
    int client_w = width, client_h = height;
    if (style & (WS_CAPTION | WS_THICKFRAME)) {
        client_w -= kFrameExtraWidth;
        client_h -= kFrameExtraHeight;
    }
    client_w = std::max(client_w, 0);
    client_h = std::max(client_h, 0);

    auto w = std::make_unique<Window>();
    const HWND hwnd = reinterpret_cast<HWND>(new_handle());
    w->handle = hwnd;
    w->proc = cls->proc;
    w->class_style = cls->style;
    w->background = cls->background;
    w->instance = instance;
    w->frame = mub::Image(client_w, client_h, 0);
    const HICON icon = cls->icon;
    State &s = state();
    s.windows[reinterpret_cast<uintptr_t>(hwnd)] = std::move(w);
    if (!s.main_window && !s.main_destroyed) s.main_window = hwnd;

    if (mub::Host *h = mub::host(); h && hwnd == s.main_window) {
        h->set_title(mub::text::cp932_to_utf8(title ? title : ""));
        if (auto it = s.icons.find(reinterpret_cast<uintptr_t>(icon)); it != s.icons.end())
            h->set_icon(it->second);
    }
    if (SendMessageA(hwnd, WM_CREATE, 0, 0) == -1) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    if (style & WS_VISIBLE) ShowWindow(hwnd, SW_SHOW);
    return hwnd;
}

BOOL WINAPI ShowWindow(HWND hwnd, int cmd) {
    Window *w = find_window(hwnd);
    if (!w) return FALSE;
    const BOOL was_visible = w->visible;
    if (cmd == SW_HIDE) {
        w->visible = false;
        return was_visible;
    }
    if (!w->visible) {
        w->visible = true;
        if (mub::Host *h = mub::host(); h && hwnd == state().main_window)
            h->show_window(w->frame.width, w->frame.height);
        invalidate(*w, nullptr, true);
        mark_dirty();
    }
    return was_visible;
}

BOOL WINAPI DestroyWindow(HWND hwnd) {
    Window *w = find_window(hwnd);
    if (!w || w->destroying) return FALSE;
    w->destroying = true;
    SendMessageA(hwnd, WM_DESTROY, 0, 0);
    destroy_timers_of(hwnd);
    State &s = state();
    std::erase_if(s.posted, [hwnd](const MSG &m) { return m.hwnd == hwnd; });
    if (hwnd == s.main_window) s.main_destroyed = true;
    s.windows.erase(reinterpret_cast<uintptr_t>(hwnd));
    mark_dirty();
    return TRUE;
}

LRESULT WINAPI SendMessageA(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    Window *w = find_window(hwnd);
    if (!w) return 0;
    if (w->dlgproc) return w->dlgproc(hwnd, msg, wp, lp);
    if (!w->proc) return 0;
    return w->proc(hwnd, msg, wp, lp);
}

BOOL WINAPI PostMessageA(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (hwnd && !find_window(hwnd)) return FALSE;
    MSG m{};
    m.hwnd = hwnd;
    m.message = msg;
    m.wParam = wp;
    m.lParam = lp;
    m.time = DWORD(now());
    state().posted.push_back(m);
    return TRUE;
}

void WINAPI PostQuitMessage(int code) {
    state().quit_posted = true;
    state().quit_code = code;
}

LRESULT WINAPI DefWindowProcA(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_ERASEBKGND: {
        Window *w = find_window(hwnd);
        if (!w || !w->background) return 0;
        RECT rc{0, 0, w->frame.width, w->frame.height};
        return FillRect(reinterpret_cast<HDC>(wp), &rc, w->background) ? 1 : 0;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        if (BeginPaint(hwnd, &ps)) EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_SYSKEYDOWN:
        // Alt+F4 closes the window, as the system menu's Close does.
        if (wp == VK_F4 && (lp & (1 << 29))) SendMessageA(hwnd, WM_CLOSE, 0, 0);
        return 0;
    default:
        return 0;
    }
}

BOOL WINAPI GetClientRect(HWND hwnd, LPRECT rc) {
    Window *w = find_window(hwnd);
    if (!w || !rc) return FALSE;
    *rc = RECT{0, 0, w->frame.width, w->frame.height};
    return TRUE;
}

LONG_PTR WINAPI GetWindowLongPtrA(HWND hwnd, int index) {
    Window *w = find_window(hwnd);
    if (!w) return 0;
    if (index == GWLP_HINSTANCE) return reinterpret_cast<LONG_PTR>(w->instance);
    return 0;
}

// Where pointers are wider than a LONG, the instance does not fit: like
// 64-bit Windows, answer 0 rather than half a handle.
LONG WINAPI GetWindowLongA(HWND hwnd, int index) {
    const LONG_PTR v = GetWindowLongPtrA(hwnd, index);
    return LONG(v) == v ? LONG(v) : 0;
}

}  // extern "C"
