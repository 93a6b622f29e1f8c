// What the conformance tests need beyond the Win32 calls themselves: a fresh
// window system per test, time that passes, and input from "the user". On
// Windows (and Wine) these are the real thing; on other platforms they drive
// our core through a virtual-clock host, so both see the same tests.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "tests/conformance/sequence.h"

namespace conftest {

// One per test: on our core a fresh core and a host of its own, restored
// afterwards; on Windows the windows the test made are destroyed.
class Env {
public:
    Env();
    ~Env();
    Env(const Env &) = delete;
    Env &operator=(const Env &) = delete;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// Time passes without messages being taken from the queue.
void sleep_ms(int ms);

// The user presses or releases a mouse button (0 left, 1 right) at a client
// point of the window.
void mouse_down(HWND hwnd, int button, int x, int y);
void mouse_up(HWND hwnd, int button, int x, int y);

// The user resizes the window so that its client area gets this size.
void resize_client(HWND hwnd, int width, int height);

// The first n values rand() gives in a freshly started program (n <= 5).
std::vector<int> fresh_rand_sequence(int n);

// Resources of the program under test, as a LoadBitmapA instance.
HINSTANCE program_instance();

// A top-level window like the program's: class style given, a window
// procedure that records what it gets (see recorder()), black class brush,
// 600 x 570 outer size at (50, 0). open_window also shows and updates it and
// takes what that queued, so that the recorder starts empty.
HWND create_window(UINT class_style);
HWND open_window(UINT class_style);

// What the recording window procedure saw: the messages the program acts on
// and those the window system makes about painting and size (the rest of
// what Windows sends, non-client, activation, cursor and IME messages, the
// program leaves to DefWindowProcA), and WM_QUIT when GetMessageA gives it.
// paint is called between BeginPaint and EndPaint when set.
struct Recorder {
    std::vector<Seen> seen;
    void (*paint)(HDC dc, const PAINTSTRUCT &ps) = nullptr;
    int paints = 0;
};
Recorder &recorder();

// GetMessageA, TranslateMessage, DispatchMessageA; returns what GetMessageA gave.
MSG next_message();

// Takes messages until a WM_TIMER of this id has been dispatched.
void take_until_timer(HWND hwnd, UINT_PTR id);

// Takes everything queued so far: a timer that is never recorded marks the
// end, since WM_TIMER comes only once nothing else is waiting.
void flush(HWND hwnd);
constexpr UINT_PTR kFlushTimer = 0x4D55;

// One row of a sequence table: what the program and the user do to a fresh
// window of the given class style, and what its window procedure then gets
// until the queue runs dry, or until the tick of end_timer (which is
// recorded, so the table ends with it).
struct SequenceCase {
    const char *name;
    UINT class_style;
    void (*act)(HWND hwnd);
    std::vector<Message> expected;
    UINT_PTR end_timer = 0;
};

// Runs each row of the tables given to INSTANTIATE_TEST_SUITE_P.
class SequenceConformance : public testing::TestWithParam<SequenceCase> {
protected:
    Env env_;
};
std::string case_name(const testing::TestParamInfo<SequenceCase> &info);
void PrintTo(const SequenceCase &c, std::ostream *out);

}  // namespace conftest
