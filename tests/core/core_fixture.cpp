#include "core_fixture.h"

#include "res/program_resources.h"

namespace coretest {

std::vector<Seen> CoreTest::seen;
std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT &)> CoreTest::handler;

void CoreTest::SetUp() {
    mub::core::reset();
    mub::set_host(&host);
    seen.clear();
    handler = nullptr;
}

void CoreTest::TearDown() {
    mub::core::set_after_dispatch(nullptr);
    mub::set_host(nullptr);
    mub::core::reset();
    handler = nullptr;
}

LRESULT CALLBACK CoreTest::proc(HWND h, UINT m, WPARAM w, LPARAM l) {
    seen.push_back({m, w, l});
    LRESULT r = 0;
    if (handler && handler(h, m, w, l, r)) return r;
    return DefWindowProcA(h, m, w, l);
}

HWND CoreTest::create_main(UINT class_style, bool show) {
    const HINSTANCE instance = mub::core::load_module(mub::res::program_resource_bytes());
    WNDCLASSA wc{};
    wc.style = class_style;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hbrBackground = (HBRUSH)GetStockObject(BLACK_BRUSH);
    wc.lpszClassName = "appri_name";
    RegisterClassA(&wc);
    hwnd = CreateWindowExA(0, "appri_name", "mub", WS_OVERLAPPEDWINDOW & ~WS_MAXIMIZEBOX, 50, 0, 600, 570, NULL,
                           NULL, instance, NULL);
    if (show) {
        ShowWindow(hwnd, SW_SHOWNORMAL);
        UpdateWindow(hwnd);
    }
    return hwnd;
}

MSG CoreTest::next() {
    MSG m{};
    if (GetMessageA(&m, NULL, 0, 0)) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
    return m;
}

std::vector<UINT> CoreTest::until_timer() {
    std::vector<UINT> out;
    for (int guard = 0; guard < 1000; ++guard) {
        const MSG m = next();
        out.push_back(m.message);
        if (m.message == WM_TIMER || m.message == WM_QUIT) break;
    }
    return out;
}

std::vector<UINT> CoreTest::seen_messages() const {
    std::vector<UINT> out;
    for (const Seen &s : seen) out.push_back(s.message);
    return out;
}

}  // namespace coretest
