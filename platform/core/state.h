// The core's internal state: windows, classes, timers, queues and GDI
// objects. One instance for the one GUI thread; core::reset() rebuilds it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "platform/core/host.h"
#include "platform/core/region.h"
#include "platform/core/taken.h"
#include "platform/resource/resources.h"

namespace mub::core::detail {

class ModalBox;

struct WindowClass {
    std::string name;  // as registered
    UINT style = 0;
    WNDPROC proc = nullptr;
    HINSTANCE instance = nullptr;
    HICON icon = nullptr;
    HBRUSH background = nullptr;
};

struct Window {
    HWND handle = nullptr;
    WNDPROC proc = nullptr;
    DLGPROC dlgproc = nullptr;  // dialogs only
    UINT class_style = 0;
    HBRUSH background = nullptr;
    HINSTANCE instance = nullptr;
    bool visible = false;
    bool destroying = false;
    Image frame;  // the client area's pixels
    Region update;
    bool erase_pending = false;
    ModalBox *dialog = nullptr;  // the box behind a dialog's handle
};

struct Timer {
    HWND hwnd = nullptr;
    UINT_PTR id = 0;
    UINT period = 0;
    uint64_t due = 0;
    TIMERPROC proc = nullptr;
};

struct BitmapObject {
    std::shared_ptr<Image> image;  // null while a loaded picture's pixels are dropped
    int bpp = 32;
    HDC selected_in = nullptr;
    bool stock = false;
    // A picture loaded from the resources and never drawn into: its pixels
    // can be decoded again from here (picture_cache.h).
    std::span<const uint8_t> dib;
    uint64_t last_use = 0;
};

struct BrushObject {
    COLORREF colour = 0;
    bool hollow = false;
    bool stock = false;
};

enum class DcKind { Window, Paint, Memory };

struct DcObject {
    DcKind kind = DcKind::Window;
    HWND hwnd = nullptr;
    HGDIOBJ bitmap = nullptr;  // memory DCs
    HGDIOBJ brush = nullptr;
    COLORREF text_colour = RGB(0, 0, 0);
    COLORREF bk_colour = RGB(255, 255, 255);
    int bk_mode = OPAQUE;
    std::optional<std::vector<Rect>> clip;  // none: the whole surface
};

// A GDI object is one of these; the handle table keeps the type with it, so
// a handle is only ever used as what it is.
using GdiObject = std::variant<DcObject, BitmapObject, BrushObject>;

// Stock objects live as long as the program and never count as live objects.
bool is_stock(const GdiObject &obj);

struct State {
    uintptr_t next_handle = 0x10000;

    std::vector<WindowClass> classes;
    std::map<uintptr_t, std::unique_ptr<Window>> windows;
    HWND main_window = nullptr;
    bool main_destroyed = false;

    // Messages waiting for GetMessageA: posted ones, then the host's input.
    std::deque<MSG> posted;
    std::deque<HostEvent> input;
    bool quit_posted = false;
    int quit_code = 0;
    std::optional<int> end_of_run;

    std::vector<Timer> timers;

    // Mouse state for the flags of mouse messages and double clicks.
    bool left_down = false, right_down = false;
    struct Click {
        int button = -1;
        uint64_t time = 0;
        int x = 0, y = 0;
    } last_click;
    bool every_press_counts = false;  // no double clicks, whatever the class style
    // The last key press taken from the input, with the character it typed,
    // for TranslateMessage.
    struct TypedKey {
        MSG message;
        unsigned char ch;
    };
    std::optional<TypedKey> last_key;

    std::map<uintptr_t, GdiObject> gdi;  // DCs, bitmaps and brushes, by handle
    size_t picture_bytes = 0;            // decoded pixels of pictures that may be dropped
    uint64_t picture_clock = 0;
    HGDIOBJ stock_brushes[6] = {};
    HGDIOBJ default_bitmap = nullptr;
    std::map<uintptr_t, Image> icons;

    std::vector<ModalBox *> modals;  // innermost last

    std::function<void(const MSG &)> after_dispatch;
    std::function<void(const mub::core::Taken &)> on_taken;
    bool frame_dirty = false;

    // WM_TIMER messages handled.
    uint64_t ticks = 0;
    // From the end of a tick that left a paint pending until that paint is
    // taken or the program waits: input taken meanwhile comes before the
    // tick's paint.
    bool before_paint = false;

    State();
};

State &state();
void rebuild_state();

uintptr_t new_handle();
Window *find_window(HWND h);
Window *main_window();
// The GDI object behind a handle, whatever its type; null for any other handle.
inline GdiObject *find_any_gdi(const void *h) {
    auto &table = state().gdi;
    auto it = table.find(reinterpret_cast<uintptr_t>(h));
    return it == table.end() ? nullptr : &it->second;
}
// The GDI object behind a handle if it is of type T, else null.
template <typename T>
T *find_gdi(const void *h) {
    GdiObject *obj = find_any_gdi(h);
    return obj ? std::get_if<T>(obj) : nullptr;
}
inline DcObject *find_dc(HDC h) { return find_gdi<DcObject>(h); }
inline BitmapObject *find_bitmap(HGDIOBJ h) { return find_gdi<BitmapObject>(h); }
inline BrushObject *find_brush(HGDIOBJ h) { return find_gdi<BrushObject>(h); }
// Enters an object into the table under a new handle.
void *add_gdi(GdiObject obj);
void remove_gdi(const void *h);

// The resources of a module made by load_module; null for any other handle.
const mub::res::ResFile *module_resources(HINSTANCE instance);

uint64_t now();
Rect client_rect(const Window &w);

// Painting and queue helpers shared between files.
void invalidate(Window &w, const Rect *r, bool erase);
void resize_client(Window &w, int width, int height);
void destroy_timers_of(HWND h);
std::optional<uint64_t> next_timer_due();
void mark_dirty();
void present_if_dirty();

inline COLORREF to_colorref(uint32_t px) { return RGB((px >> 16) & 0xFF, (px >> 8) & 0xFF, px & 0xFF); }
inline uint32_t to_pixel(COLORREF c) {
    return (uint32_t(GetRValue(c)) << 16) | (uint32_t(GetGValue(c)) << 8) | uint32_t(GetBValue(c));
}

void reset_rand();

// Tells the on_taken hook, if any; fills in the ticks handled.
void report_taken(mub::core::Taken taken);
// A window with a paint pending, the main window first; null when none.
Window *window_to_paint();
// The close box while boxes are open: ends them all (reported as their
// answer), then closes the window once the program is back in its own loop.
void close_during_modal();

}  // namespace mub::core::detail
