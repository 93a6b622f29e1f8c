#include "platform/core/state.h"

#include "platform/core/host.h"

namespace mub::core::detail {

namespace {
std::unique_ptr<State> g_state;
}

State::State() {
    // Stock brushes, in GetStockObject's order; never counted, never freed.
    const COLORREF stock_colours[6] = {RGB(255, 255, 255), RGB(192, 192, 192), RGB(128, 128, 128),
                                       RGB(64, 64, 64),    RGB(0, 0, 0),       RGB(0, 0, 0)};
    for (int i = 0; i < 6; ++i) {
        const uintptr_t h = next_handle;
        next_handle += 16;
        gdi[h] = BrushObject{stock_colours[i], i == NULL_BRUSH, true};
        stock_brushes[i] = reinterpret_cast<HGDIOBJ>(h);
    }
    // The 1 x 1 monochrome bitmap that every new memory DC starts with.
    const uintptr_t h = next_handle;
    next_handle += 16;
    BitmapObject mono;
    mono.image = std::make_shared<Image>(1, 1, 0);
    mono.bpp = 1;
    mono.stock = true;
    gdi[h] = std::move(mono);
    default_bitmap = reinterpret_cast<HGDIOBJ>(h);
}

State &state() {
    if (!g_state) g_state = std::make_unique<State>();
    return *g_state;
}

void rebuild_state() { g_state = std::make_unique<State>(); }

uintptr_t new_handle() {
    State &s = state();
    const uintptr_t h = s.next_handle;
    s.next_handle += 16;
    return h;
}

Window *find_window(HWND h) {
    auto &w = state().windows;
    auto it = w.find(reinterpret_cast<uintptr_t>(h));
    return it == w.end() ? nullptr : it->second.get();
}

Window *main_window() { return find_window(state().main_window); }

bool is_stock(const GdiObject &obj) {
    if (auto *bm = std::get_if<BitmapObject>(&obj)) return bm->stock;
    if (auto *br = std::get_if<BrushObject>(&obj)) return br->stock;
    return false;
}

void *add_gdi(GdiObject obj) {
    const uintptr_t h = new_handle();
    state().gdi.emplace(h, std::move(obj));
    return reinterpret_cast<void *>(h);
}

void remove_gdi(const void *h) { state().gdi.erase(reinterpret_cast<uintptr_t>(h)); }

uint64_t now() {
    Host *h = host();
    return h ? h->now_ms() : 0;
}

Rect client_rect(const Window &w) { return Rect{0, 0, w.frame.width, w.frame.height}; }

}  // namespace mub::core::detail

namespace mub {

namespace {
Host *g_host = nullptr;
}

void set_host(Host *h) { g_host = h; }
Host *host() { return g_host; }

}  // namespace mub
