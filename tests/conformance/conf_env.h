// What the conformance tests need beyond the Win32 calls themselves: a fresh
// window system per test, time that passes, and input from "the user". On
// Windows (and Wine) these are the real thing; on other platforms they drive
// our core through a virtual-clock host, so both see the same tests.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

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
uint64_t now_ms();

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

// A top-level window like the program's: class style given, WindProc that
// records what it gets (see recorder()), black class brush, 600 x 570 outer
// size at (50, 0), shown and updated.
HWND open_window(UINT class_style);

struct Seen {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// What the recording window procedure saw; paint is called between
// BeginPaint and EndPaint when set.
struct Recorder {
    std::vector<Seen> dispatched;
    void (*paint)(HDC dc, const PAINTSTRUCT &ps) = nullptr;
    int paints = 0;
};
Recorder &recorder();

// GetMessageA, TranslateMessage, DispatchMessageA; returns what GetMessageA gave.
MSG next_message();

// Takes messages until a WM_TIMER of this id arrives (the timer, set by the
// caller, is the lowest-priority marker that everything queued before it has
// been taken); returns the messages taken before it.
std::vector<MSG> take_until_timer(HWND hwnd, UINT_PTR id);

}  // namespace conftest
