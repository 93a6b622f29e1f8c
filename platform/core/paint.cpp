// Update regions and painting: InvalidateRect, BeginPaint/EndPaint, resizing,
// and presenting the finished frame to the host.
#include <windows.h>

#include <algorithm>

#include "platform/core/core.h"
#include "platform/core/gdi_surface.h"
#include "platform/core/modal/modal_box.h"

using namespace mub::core;
using namespace mub::core::detail;

namespace mub::core::detail {

void invalidate(Window &w, const Rect *r, bool erase) {
    const Rect client = client_rect(w);
    const Rect area = r ? intersect(*r, client) : client;
    if (area.empty()) return;
    w.update.add(area);
    if (erase) w.erase_pending = true;
}

void resize_client(Window &w, int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == w.frame.width && height == w.frame.height) return;
    mub::Image next(width, height, 0);
    const int keep_w = std::min(width, w.frame.width), keep_h = std::min(height, w.frame.height);
    for (int y = 0; y < keep_h; ++y) std::copy_n(w.frame.row(y), keep_w, next.row(y));
    const Rect old_client = client_rect(w);
    w.frame = std::move(next);
    const Rect client = client_rect(w);
    Region kept;
    for (const Rect &r : w.update.rects()) kept.add(intersect(r, client));
    w.update = kept;
    if (w.class_style & (CS_HREDRAW | CS_VREDRAW)) {
        invalidate(w, nullptr, true);
    } else {
        for (const Rect &r : subtract(client, old_client)) invalidate(w, &r, true);
    }
    mark_dirty();
    const HWND hwnd = w.handle;
    SendMessageA(hwnd, WM_SIZE, 0, LPARAM((height << 16) | (width & 0xFFFF)));
}

void mark_dirty() { state().frame_dirty = true; }

// Frames reach the host here, once per wait for input: whatever was drawn
// since the last wait goes out as one frame.
void present_if_dirty() {
    State &s = state();
    if (!s.frame_dirty) return;
    Host *h = host();
    const Window *w = main_window();
    if (!h || !w || !w->visible) return;
    s.frame_dirty = false;
    // Without a box on top the frame is the window's own pixels: no copy.
    if (s.modals.empty())
        h->present(w->frame);
    else
        h->present(composed_frame());
}

}  // namespace mub::core::detail

namespace {

// Update regions take a rectangle given backwards with its edges swapped.
Rect ordered(const RECT &rc) {
    return Rect{std::min(rc.left, rc.right), std::min(rc.top, rc.bottom), std::max(rc.left, rc.right),
                std::max(rc.top, rc.bottom)};
}

}  // namespace

extern "C" {

BOOL WINAPI InvalidateRect(HWND hwnd, const RECT *rc, BOOL erase) {
    const Rect r = rc ? ordered(*rc) : Rect{};
    if (!hwnd) {
        for (auto &[h, w] : state().windows) invalidate(*w, rc ? &r : nullptr, erase);
        return TRUE;
    }
    Window *w = find_window(hwnd);
    if (!w) return FALSE;
    invalidate(*w, rc ? &r : nullptr, erase);
    return TRUE;
}

BOOL WINAPI ValidateRect(HWND hwnd, const RECT *rc) {
    Window *w = find_window(hwnd);
    if (!w) return FALSE;
    if (!rc) {
        w->update.clear();
        w->erase_pending = false;
    } else {
        w->update.remove(ordered(*rc));
        if (w->update.empty()) w->erase_pending = false;
    }
    return TRUE;
}

BOOL WINAPI UpdateWindow(HWND hwnd) {
    Window *w = find_window(hwnd);
    if (!w) return FALSE;
    if (w->visible && !w->update.empty()) SendMessageA(hwnd, WM_PAINT, 0, 0);
    return TRUE;
}

HDC WINAPI BeginPaint(HWND hwnd, LPPAINTSTRUCT ps) {
    Window *w = find_window(hwnd);
    if (!w || !ps) return nullptr;
    const HDC hdc = new_window_dc(hwnd, DcKind::Paint);
    find_dc(hdc)->clip = w->update.rects();
    *ps = PAINTSTRUCT{};
    ps->hdc = hdc;
    const Rect b = w->update.bounds();
    ps->rcPaint = RECT{b.left, b.top, b.right, b.bottom};
    const bool erase = w->erase_pending;
    w->update.clear();
    w->erase_pending = false;
    // The erase goes through the window procedure, which may draw its own
    // background; DefWindowProcA fills with the class brush.
    ps->fErase = erase ? SendMessageA(hwnd, WM_ERASEBKGND, WPARAM(hdc), 0) == 0 : FALSE;
    return hdc;
}

BOOL WINAPI EndPaint(HWND, const PAINTSTRUCT *ps) {
    if (!ps) return FALSE;
    DcObject *dc = find_dc(ps->hdc);
    if (!dc || dc->kind != DcKind::Paint) return FALSE;
    free_dc(ps->hdc);
    return TRUE;
}

}  // extern "C"
