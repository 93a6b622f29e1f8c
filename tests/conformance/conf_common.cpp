// The parts of the conformance environment that are plain Win32 on every platform.
#include "tests/conformance/conf_env.h"

#include <cstdio>

namespace conftest {

namespace {

// The message being dispatched from the queue, until the window procedure
// has seen it: what the procedure gets otherwise was sent.
MSG g_dispatching{};
bool g_dispatch_pending = false;

bool from_queue(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!g_dispatch_pending || g_dispatching.hwnd != hwnd || g_dispatching.message != message ||
        g_dispatching.wParam != wParam || g_dispatching.lParam != lParam)
        return false;
    g_dispatch_pending = false;
    return true;
}

bool watched(UINT message, WPARAM wParam) {
    switch (message) {
    case WM_CREATE:
    case WM_DESTROY:
    case WM_SIZE:
    case WM_PAINT:
    case WM_CLOSE:
    case WM_ERASEBKGND:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_SYSKEYDOWN: return true;
    case WM_TIMER: return wParam != kFlushTimer;
    default:
        return (message >= WM_LBUTTONDOWN && message <= WM_RBUTTONDBLCLK) || (message >= WM_USER && message < 0x8000);
    }
}

LRESULT CALLBACK record_proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Recorder &r = recorder();
    const unsigned how = from_queue(hwnd, message, wParam, lParam) ? posted : sent;
    if (watched(message, wParam)) r.seen.push_back({message, how, wParam, lParam});
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        if (r.paint) r.paint(dc, ps);
        EndPaint(hwnd, &ps);
        ++r.paints;
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

Recorder &recorder() {
    static Recorder r;
    return r;
}

HWND create_window(UINT class_style) {
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
    return CreateWindowExA(0, name, "conformance", WS_OVERLAPPEDWINDOW & ~WS_MAXIMIZEBOX, 50, 0, 600, 570, NULL,
                           NULL, program_instance(), NULL);
}

HWND open_window(UINT class_style) {
    HWND hwnd = create_window(class_style);
    ShowWindow(hwnd, SW_SHOWNORMAL);
    UpdateWindow(hwnd);
    flush(hwnd);
    recorder() = Recorder{};
    return hwnd;
}

MSG next_message() {
    MSG msg{};
    if (!GetMessageA(&msg, NULL, 0, 0)) recorder().seen.push_back({msg.message, posted, msg.wParam, msg.lParam});
    TranslateMessage(&msg);
    g_dispatching = msg;
    g_dispatch_pending = true;
    DispatchMessageA(&msg);
    g_dispatch_pending = false;
    return msg;
}

void take_until_timer(HWND hwnd, UINT_PTR id) {
    for (int guard = 0; guard < 10000; ++guard) {
        const MSG msg = next_message();
        if (msg.message == WM_TIMER && msg.hwnd == hwnd && msg.wParam == id) return;
    }
    ADD_FAILURE() << "timer " << id << " never came in 10000 messages";
}

void flush(HWND hwnd) {
    SetTimer(hwnd, kFlushTimer, 10, NULL);
    take_until_timer(hwnd, kFlushTimer);
    KillTimer(hwnd, kFlushTimer);
}

std::string case_name(const testing::TestParamInfo<SequenceCase> &info) { return info.param.name; }

void PrintTo(const SequenceCase &c, std::ostream *out) { *out << c.name; }

TEST_P(SequenceConformance, FollowsItsTable) {
    const SequenceCase &c = GetParam();
    HWND hwnd = open_window(c.class_style);
    c.act(hwnd);
    if (c.end_timer)
        take_until_timer(hwnd, c.end_timer);
    else
        flush(hwnd);
    EXPECT_TRUE(matches_sequence(c.expected, recorder().seen));
}

}  // namespace conftest
