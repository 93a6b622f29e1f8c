// GetMessageA and friends: the queue, its priorities, timers and the
// host's events turned into messages.
#include "platform/core/message_loop.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "platform/core/core.h"
#include "platform/core/modal/modal_box.h"
#include "platform/core/state.h"

using namespace mub::core;
using namespace mub::core::detail;

namespace {

constexpr uint64_t kNoDeadline = UINT64_MAX;
constexpr uint64_t kDoubleClickMs = 500;
constexpr int kDoubleClickHalfSize = 2;  // a 4 x 4 rectangle around the first press
constexpr UINT kMinTimerPeriod = 10;

LPARAM point_param(int x, int y) { return LPARAM(uint32_t(uint16_t(int16_t(x))) | (uint32_t(uint16_t(int16_t(y))) << 16)); }

WPARAM button_flags(const State &s) { return (s.left_down ? MK_LBUTTON : 0) | (s.right_down ? MK_RBUTTON : 0); }

int virtual_key(const mub::HostEvent &ev) {
    using mub::Key;
    switch (ev.key) {
    case Key::Escape: return VK_ESCAPE;
    case Key::Return: return VK_RETURN;
    case Key::Tab: return VK_TAB;
    case Key::Space: return VK_SPACE;
    case Key::Left: return VK_LEFT;
    case Key::Right: return VK_RIGHT;
    case Key::Up: return VK_UP;
    case Key::Down: return VK_DOWN;
    case Key::F4: return VK_F4;
    case Key::Character: {
        const unsigned char c = (unsigned char)ev.ch;
        if (std::isalnum(c)) return std::toupper(c);
        if (c == ' ') return VK_SPACE;
        static const char shifted_digits[] = ")!@#$%^&*(";
        for (int i = 0; i < 10; ++i)
            if (c == (unsigned char)shifted_digits[i]) return '0' + i;
        static const char oem_keys[][3] = {{';', ':', 0}, {'=', '+', 0}, {',', '<', 0}, {'-', '_', 0},
                                           {'.', '>', 0}, {'/', '?', 0}, {'`', '~', 0}};
        for (int i = 0; i < 7; ++i)
            if (c == (unsigned char)oem_keys[i][0] || c == (unsigned char)oem_keys[i][1]) return 0xBA + i;
        static const char oem_brackets[][3] = {{'[', '{', 0}, {'\\', '|', 0}, {']', '}', 0}, {'\'', '"', 0}};
        for (int i = 0; i < 4; ++i)
            if (c == (unsigned char)oem_brackets[i][0] || c == (unsigned char)oem_brackets[i][1]) return 0xDB + i;
        return 0;
    }
    default: return 0;
    }
}

// The character a key produces, carried in the scan-code byte of the key
// message's lParam so that TranslateMessage can post it as typed.
unsigned char typed_char(const mub::HostEvent &ev) {
    using mub::Key;
    switch (ev.key) {
    case Key::Escape: return 0x1B;
    case Key::Return: return '\r';
    case Key::Tab: return '\t';
    case Key::Space: return ' ';
    case Key::Character: return (unsigned char)ev.ch;
    default: return 0;
    }
}

// Turns one input event into a message for the main window; false if it
// makes none.
bool input_to_message(const mub::HostEvent &ev, MSG &m) {
    using T = mub::HostEvent::Type;
    State &s = state();
    Window *w = main_window();
    if (!w) return false;
    m = MSG{};
    m.hwnd = w->handle;
    m.time = DWORD(ev.time_ms);
    m.pt = POINT{ev.x, ev.y};
    switch (ev.type) {
    case T::MouseDown: {
        if (ev.button != 0 && ev.button != 1) return false;
        (ev.button == 0 ? s.left_down : s.right_down) = true;
        bool dbl = false;
        if (w->class_style & CS_DBLCLKS) {
            const auto &last = s.last_click;
            dbl = last.button == ev.button && ev.time_ms >= last.time && ev.time_ms - last.time < kDoubleClickMs &&
                  std::abs(ev.x - last.x) <= kDoubleClickHalfSize && std::abs(ev.y - last.y) <= kDoubleClickHalfSize;
        }
        if (dbl)
            s.last_click = {};  // the press after a double click is a plain press
        else
            s.last_click = {ev.button, ev.time_ms, ev.x, ev.y};
        if (ev.button == 0)
            m.message = dbl ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN;
        else
            m.message = dbl ? WM_RBUTTONDBLCLK : WM_RBUTTONDOWN;
        m.wParam = button_flags(s);
        m.lParam = point_param(ev.x, ev.y);
        return true;
    }
    case T::MouseUp:
        if (ev.button != 0 && ev.button != 1) return false;
        (ev.button == 0 ? s.left_down : s.right_down) = false;
        m.message = ev.button == 0 ? WM_LBUTTONUP : WM_RBUTTONUP;
        m.wParam = button_flags(s);
        m.lParam = point_param(ev.x, ev.y);
        return true;
    case T::MouseMove:
        m.message = WM_MOUSEMOVE;
        m.wParam = button_flags(s);
        m.lParam = point_param(ev.x, ev.y);
        return true;
    case T::KeyDown:
    case T::KeyUp: {
        const int vk = virtual_key(ev);
        if (!vk) return false;
        const bool down = ev.type == T::KeyDown;
        if (ev.alt)
            m.message = down ? WM_SYSKEYDOWN : WM_SYSKEYUP;
        else
            m.message = down ? WM_KEYDOWN : WM_KEYUP;
        m.wParam = WPARAM(vk);
        uint32_t lp = 1u | (uint32_t(typed_char(ev)) << 16);
        if (ev.alt) lp |= 1u << 29;
        if (!down) lp |= (1u << 30) | (1u << 31);
        if (down && ev.repeat) lp |= 1u << 30;
        m.lParam = LPARAM(lp);
        return true;
    }
    case T::Close:
        m.message = WM_CLOSE;
        return true;
    default:
        return false;
    }
}

// Window-system events act at once; input waits its turn in the queue.
void accept_event(const mub::HostEvent &ev) {
    using T = mub::HostEvent::Type;
    Window *w = main_window();
    switch (ev.type) {
    case T::Resize:
        if (w) resize_client(*w, ev.width, ev.height);
        break;
    case T::Expose:
        if (w) {
            const Rect r{ev.x, ev.y, ev.x + ev.width, ev.y + ev.height};
            invalidate(*w, &r, true);
            mark_dirty();
        }
        break;
    default:
        state().input.push_back(ev);
        break;
    }
}

// Takes what the host has now; a bounded number, so that a host that never
// runs dry cannot keep the program from its own messages.
void poll_host() {
    constexpr int kMaxPerPoll = 256;
    mub::Host *h = mub::host();
    if (!h) return;
    mub::HostEvent ev;
    for (int i = 0; i < kMaxPerPoll && h->wait_event(ev, 0); ++i) accept_event(ev);
}

// The close box while boxes are open ends them all, then closes the window
// once the program is back in its own loop.
void close_during_modal() {
    State &s = state();
    for (ModalBox *box : s.modals) box->close_by_system();
    if (s.main_window) PostMessageA(s.main_window, WM_CLOSE, 0, 0);
}

bool take_paint(MSG &m) {
    State &s = state();
    Window *w = main_window();
    auto wants_paint = [](const Window &win) { return win.visible && !win.update.empty(); };
    if (!w || !wants_paint(*w)) {
        w = nullptr;
        for (auto &[h, win] : s.windows)
            if (wants_paint(*win)) {
                w = win.get();
                break;
            }
    }
    if (!w) return false;
    m = MSG{};
    m.hwnd = w->handle;
    m.message = WM_PAINT;
    m.time = DWORD(now());
    return true;
}

bool take_timer(MSG &m) {
    State &s = state();
    const uint64_t t = now();
    Timer *due = nullptr;
    for (Timer &tm : s.timers)
        if (tm.due <= t && (!due || tm.due < due->due)) due = &tm;
    if (!due) return false;
    // The next tick is one period after this one was due, so small delays
    // in waking up do not add up; a tick late by half a period or more (a
    // stalled process) starts the next period from now instead of catching up.
    due->due += due->period;
    if (due->due < t + (due->period + 1) / 2) due->due = t + due->period;
    m = MSG{};
    m.hwnd = due->hwnd;
    m.message = WM_TIMER;
    m.wParam = due->id;
    m.lParam = LPARAM(due->proc);
    m.time = DWORD(t);
    return true;
}

std::optional<Fetch> take_ready(MSG &m, bool top_level) {
    State &s = state();
    if (top_level && s.end_of_run) {
        m = MSG{};
        m.message = WM_QUIT;
        m.wParam = WPARAM(*s.end_of_run);
        s.end_of_run.reset();
        return Fetch::Quit;
    }
    if (!s.posted.empty()) {
        m = s.posted.front();
        s.posted.pop_front();
        return Fetch::Message;
    }
    if (s.quit_posted) {
        m = MSG{};
        m.message = WM_QUIT;
        m.wParam = WPARAM(s.quit_code);
        if (top_level) s.quit_posted = false;
        return Fetch::Quit;
    }
    while (!s.input.empty()) {
        const mub::HostEvent ev = s.input.front();
        s.input.pop_front();
        if (!s.modals.empty()) {
            if (ev.type == mub::HostEvent::Type::Close)
                close_during_modal();
            else
                s.modals.back()->handle_input(ev);
            return Fetch::Handled;
        }
        if (input_to_message(ev, m)) return Fetch::Message;
    }
    if (take_paint(m)) return Fetch::Message;
    if (take_timer(m)) return Fetch::Message;
    return std::nullopt;
}

}  // namespace

namespace mub::core::detail {

void destroy_timers_of(HWND h) {
    std::erase_if(state().timers, [h](const Timer &t) { return t.hwnd == h; });
}

std::optional<uint64_t> next_timer_due() {
    std::optional<uint64_t> due;
    for (const Timer &t : state().timers)
        if (!due || t.due < *due) due = t.due;
    return due;
}

Fetch fetch_message(MSG &m, bool top_level) {
    for (;;) {
        poll_host();
        if (auto r = take_ready(m, top_level)) return *r;
        if (!top_level && state().end_of_run) return Fetch::Quit;
        mub::Host *h = mub::host();
        if (!h) {
            m = MSG{};
            m.message = WM_QUIT;
            return Fetch::Quit;
        }
        present_if_dirty();
        mub::HostEvent ev;
        if (h->wait_event(ev, next_timer_due().value_or(kNoDeadline))) accept_event(ev);
    }
}

}  // namespace mub::core::detail

extern "C" {

BOOL WINAPI GetMessageA(LPMSG msg, HWND, UINT, UINT) {
    if (!msg) return -1;
    for (;;) {
        const Fetch r = fetch_message(*msg, true);
        if (r == Fetch::Quit) return FALSE;
        if (r == Fetch::Message) return TRUE;
    }
}

BOOL WINAPI TranslateMessage(const MSG *msg) {
    if (!msg || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN)) return FALSE;
    const unsigned char ch = (uint32_t(msg->lParam) >> 16) & 0xFF;
    if (!ch) return FALSE;
    PostMessageA(msg->hwnd, msg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR, WPARAM(ch), msg->lParam);
    return TRUE;
}

LRESULT WINAPI DispatchMessageA(const MSG *msg) {
    if (!msg) return 0;
    const MSG copy = *msg;
    LRESULT r = 0;
    if (copy.message == WM_TIMER && copy.lParam) {
        reinterpret_cast<TIMERPROC>(copy.lParam)(copy.hwnd, WM_TIMER, copy.wParam, copy.time);
    } else if (copy.hwnd) {
        r = SendMessageA(copy.hwnd, copy.message, copy.wParam, copy.lParam);
    }
    if (auto hook = state().after_dispatch) hook(copy);
    return r;
}

UINT_PTR WINAPI SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc) {
    State &s = state();
    if (hwnd && !find_window(hwnd)) return 0;
    if (!hwnd) id = 0x7FFF + s.timers.size() + 1;
    elapse = std::max(elapse, kMinTimerPeriod);
    const uint64_t due = now() + elapse;
    for (Timer &t : s.timers) {
        if (t.hwnd == hwnd && t.id == id) {
            t.period = elapse;
            t.due = due;
            t.proc = proc;
            return id ? id : 1;
        }
    }
    s.timers.push_back(Timer{hwnd, id, elapse, due, proc});
    return id ? id : 1;
}

BOOL WINAPI KillTimer(HWND hwnd, UINT_PTR id) {
    auto &timers = state().timers;
    const auto n = std::erase_if(timers, [&](const Timer &t) { return t.hwnd == hwnd && t.id == id; });
    return n ? TRUE : FALSE;
}

}  // extern "C"
