// GetMessageA and friends: the queue, its priorities, and timers. The
// host's input becomes messages in input.cpp.
#include "platform/core/message_loop.h"

#include <algorithm>

#include "platform/core/core.h"
#include "platform/core/input.h"
#include "platform/core/modal/modal_box.h"
#include "platform/core/state.h"

using namespace mub::core;
using namespace mub::core::detail;

namespace {

constexpr uint64_t kNoDeadline = UINT64_MAX;
constexpr UINT kMinTimerPeriod = 10;

mub::core::Taken taken_input(const mub::HostEvent &ev) {
    mub::core::Taken t;
    t.event = ev;
    t.before_paint = state().before_paint;
    return t;
}

// Window-system events act at once; input waits its turn in the queue.
void accept_event(const mub::HostEvent &ev) {
    using T = mub::HostEvent::Type;
    Window *w = main_window();
    switch (ev.type) {
    case T::Resize:
        if (!w) break;
        report_taken(taken_input(ev));
        resize_client(*w, ev.width, ev.height);
        break;
    case T::Expose:
        if (w) {
            report_taken(taken_input(ev));
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
// runs dry cannot keep the program from its own messages, and none while
// much input already waits, so that a flood of input stays with the host.
void poll_host() {
    constexpr int kMaxPerPoll = 256;
    constexpr size_t kMaxWaitingInput = 4096;
    mub::Host *h = mub::host();
    if (!h) return;
    mub::HostEvent ev;
    for (int i = 0; i < kMaxPerPoll && state().input.size() < kMaxWaitingInput && h->wait_event(ev, 0); ++i)
        accept_event(ev);
}

bool take_paint(MSG &m) {
    Window *w = window_to_paint();
    if (!w) return false;
    state().before_paint = false;
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
    // The next tick keeps the timer's beat, as on Windows: one period after
    // this one was due, so small delays in waking up do not add up; after a
    // stall of a period or more, the first beat after now, never a burst of
    // the ticks missed.
    due->due += due->period;
    if (due->due <= t) due->due += ((t - due->due) / due->period + 1) * due->period;
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
        if (ev.type == mub::HostEvent::Type::Held) {
            hold_buttons(ev.button);
            mub::core::Taken t = taken_input(ev);
            t.to_box = !s.modals.empty();
            report_taken(t);
            continue;
        }
        if (!s.modals.empty()) {
            note_buttons(ev);
            if (ev.type == mub::HostEvent::Type::Close) {
                close_during_modal();
            } else {
                mub::core::Taken t = taken_input(ev);
                t.to_box = true;
                t.before_paint = false;
                report_taken(t);
                s.modals.back()->handle_input(ev);
            }
            return Fetch::Handled;
        }
        if (input_to_message(ev, m)) {
            mub::core::Taken t = taken_input(ev);
            t.double_click = m.message == WM_LBUTTONDBLCLK || m.message == WM_RBUTTONDBLCLK;
            report_taken(t);
            return Fetch::Message;
        }
    }
    if (take_paint(m)) return Fetch::Message;
    if (take_timer(m)) return Fetch::Message;
    return std::nullopt;
}

}  // namespace

namespace mub::core::detail {

void report_taken(mub::core::Taken taken) {
    State &s = state();
    if (!s.on_taken) return;
    taken.ticks = s.ticks;
    s.on_taken(taken);
}

Window *window_to_paint() {
    State &s = state();
    Window *w = main_window();
    auto wants_paint = [](const Window &win) { return win.visible && !win.update.empty(); };
    if (w && wants_paint(*w)) return w;
    for (auto &[h, win] : s.windows)
        if (wants_paint(*win)) return win.get();
    return nullptr;
}

void close_during_modal() {
    State &s = state();
    mub::core::Taken t;
    t.what = mub::core::Taken::What::Answer;
    t.answer = mub::kAnswerCloseBox;
    report_taken(t);
    for (ModalBox *box : s.modals) box->close_by_system();
    if (s.main_window) PostMessageA(s.main_window, WM_CLOSE, 0, 0);
}

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
        // Nothing left to do: what comes now comes after any tick's paint.
        state().before_paint = false;
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

LRESULT WINAPI DispatchMessageA(const MSG *msg) {
    if (!msg) return 0;
    const MSG copy = *msg;
    LRESULT r = 0;
    if (copy.message == WM_TIMER && copy.lParam) {
        reinterpret_cast<TIMERPROC>(copy.lParam)(copy.hwnd, WM_TIMER, copy.wParam, copy.time);
    } else if (copy.hwnd) {
        r = SendMessageA(copy.hwnd, copy.message, copy.wParam, copy.lParam);
    }
    State &s = state();
    if (copy.message == WM_TIMER) {
        ++s.ticks;
        s.before_paint = window_to_paint() != nullptr;
        mub::core::Taken t;
        t.what = mub::core::Taken::What::Tick;
        report_taken(t);
    }
    if (auto hook = s.after_dispatch) hook(copy);
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
