// Input translation: host events to mouse and key messages, and
// TranslateMessage.
#include "platform/core/input.h"

#include <cctype>
#include <cstdlib>

#include "platform/core/state.h"

using namespace mub::core::detail;

namespace {

constexpr uint64_t kDoubleClickMs = 500;
constexpr int kDoubleClickHalfSize = 2;  // a 4 x 4 rectangle around the first press

LPARAM point_param(int x, int y) { return LPARAM(uint32_t(uint16_t(int16_t(x))) | (uint32_t(uint16_t(int16_t(y))) << 16)); }

WPARAM button_flags(const State &s) { return (s.left_down ? MK_LBUTTON : 0) | (s.right_down ? MK_RBUTTON : 0); }

// The character a key press types: the host's, as typed (so Shift and Caps
// Lock have already had their say), or for a key that types the same on
// every layout, that character.
unsigned char typed_char(const mub::HostEvent &ev) {
    if (ev.ch) return (unsigned char)ev.ch;
    switch (ev.vk) {
    case VK_ESCAPE: return 0x1B;
    case VK_RETURN: return '\r';
    case VK_TAB: return '\t';
    case VK_BACK: return 0x08;
    case VK_SPACE: return ' ';
    default: return 0;
    }
}

// What an unshifted key types, for key messages that did not come from the
// keyboard (posted by the program itself).
unsigned char unshifted_char(WPARAM vk) {
    if (vk >= 'A' && vk <= 'Z') return (unsigned char)std::tolower(int(vk));
    if (vk >= '0' && vk <= '9') return (unsigned char)vk;
    switch (vk) {
    case VK_ESCAPE: return 0x1B;
    case VK_RETURN: return '\r';
    case VK_TAB: return '\t';
    case VK_SPACE: return ' ';
    default: return 0;
    }
}

bool same_message(const MSG &a, const MSG &b) {
    return a.hwnd == b.hwnd && a.message == b.message && a.wParam == b.wParam && a.lParam == b.lParam &&
           a.time == b.time;
}

bool mouse_message(const mub::HostEvent &ev, State &s, const Window &w, MSG &m) {
    using T = mub::HostEvent::Type;
    if (ev.type != T::MouseMove && ev.button != 0 && ev.button != 1) return false;
    if (ev.type == T::MouseDown) {
        (ev.button == 0 ? s.left_down : s.right_down) = true;
        bool dbl = false;
        if ((w.class_style & CS_DBLCLKS) && !s.every_press_counts) {
            const auto &last = s.last_click;
            if (ev.press == mub::HostEvent::Press::ByRule)
                dbl = last.button == ev.button && ev.time_ms >= last.time && ev.time_ms - last.time < kDoubleClickMs &&
                      std::abs(ev.x - last.x) <= kDoubleClickHalfSize &&
                      std::abs(ev.y - last.y) <= kDoubleClickHalfSize;
            else
                dbl = ev.press == mub::HostEvent::Press::Double;
        }
        if (dbl)
            s.last_click = {};  // the press after a double click is a plain press
        else
            s.last_click = {ev.button, ev.time_ms, ev.x, ev.y};
        if (ev.button == 0)
            m.message = dbl ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN;
        else
            m.message = dbl ? WM_RBUTTONDBLCLK : WM_RBUTTONDOWN;
    } else if (ev.type == T::MouseUp) {
        (ev.button == 0 ? s.left_down : s.right_down) = false;
        m.message = ev.button == 0 ? WM_LBUTTONUP : WM_RBUTTONUP;
    } else {
        m.message = WM_MOUSEMOVE;
    }
    m.wParam = button_flags(s);
    m.lParam = point_param(ev.x, ev.y);
    return true;
}

bool key_message(const mub::HostEvent &ev, State &s, MSG &m) {
    const int vk = ev.vk;
    if (vk <= 0 || vk > 0xFE) return false;
    const bool down = ev.type == mub::HostEvent::Type::KeyDown;
    if (ev.alt)
        m.message = down ? WM_SYSKEYDOWN : WM_SYSKEYUP;
    else
        m.message = down ? WM_KEYDOWN : WM_KEYUP;
    m.wParam = WPARAM(vk);
    uint32_t lp = 1u;  // repeat count
    if (ev.alt) lp |= 1u << 29;
    if (!down) lp |= (1u << 30) | (1u << 31);
    if (down && ev.repeat) lp |= 1u << 30;
    m.lParam = LPARAM(lp);
    if (down) s.last_key = State::TypedKey{m, typed_char(ev)};
    return true;
}

}  // namespace

namespace mub::core::detail {

void note_buttons(const mub::HostEvent &ev) {
    using T = mub::HostEvent::Type;
    if ((ev.type != T::MouseDown && ev.type != T::MouseUp) || (ev.button != 0 && ev.button != 1)) return;
    State &s = state();
    (ev.button == 0 ? s.left_down : s.right_down) = ev.type == T::MouseDown;
}

void hold_buttons(int buttons) {
    State &s = state();
    s.left_down = (buttons & 1) != 0;
    s.right_down = (buttons & 2) != 0;
}

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
    case T::MouseDown:
    case T::MouseUp:
    case T::MouseMove: return mouse_message(ev, s, *w, m);
    case T::KeyDown:
    case T::KeyUp: return key_message(ev, s, m);
    case T::Close: m.message = WM_CLOSE; return true;
    default: return false;
    }
}

}  // namespace mub::core::detail

extern "C" {

// Posts the character of a key press: the one the keyboard typed when the
// message came from the keyboard, else the key's unshifted character.
BOOL WINAPI TranslateMessage(const MSG *msg) {
    if (!msg || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN)) return FALSE;
    const auto &typed = state().last_key;
    const unsigned char ch = typed && same_message(typed->message, *msg) ? typed->ch : unshifted_char(msg->wParam);
    if (!ch) return FALSE;
    PostMessageA(msg->hwnd, msg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR, WPARAM(ch), msg->lParam);
    return TRUE;
}

}  // extern "C"
