// DCs, bitmaps and brushes, all in one table of typed handles (state.h).
#include <windows.h>

#include "platform/core/bitmaps.h"
#include "platform/core/core.h"
#include "platform/core/gdi_surface.h"
#include "platform/core/picture_cache.h"
#include "platform/resource/resources.h"

using namespace mub::core;
using namespace mub::core::detail;

namespace mub::core::detail {

std::optional<Surface> surface_of(HDC hdc, Use use) {
    DcObject *dc = find_dc(hdc);
    if (!dc) return std::nullopt;
    Surface s;
    if (dc->kind == DcKind::Memory) {
        BitmapObject *bm = find_bitmap(dc->bitmap);
        if (!bm) return std::nullopt;
        s.image = bitmap_pixels(*bm, use == Use::Write);
        if (!s.image) return std::nullopt;
        s.bpp = bm->bpp;
    } else {
        Window *w = find_window(dc->hwnd);
        if (!w) return std::nullopt;
        s.image = &w->frame;
    }
    const Rect bounds{0, 0, s.image->width, s.image->height};
    if (!dc->clip) {
        if (!bounds.empty()) s.clip.push_back(bounds);
    } else {
        for (const Rect &r : *dc->clip) {
            const Rect c = intersect(r, bounds);
            if (!c.empty()) s.clip.push_back(c);
        }
    }
    return s;
}

void free_dc(HDC hdc) {
    DcObject *dc = find_dc(hdc);
    if (!dc) return;
    if (BitmapObject *bm = find_bitmap(dc->bitmap)) {
        if (bm->selected_in == hdc) bm->selected_in = nullptr;
    }
    remove_gdi(hdc);
}

HDC new_window_dc(HWND hwnd, DcKind kind) {
    DcObject dc;
    dc.kind = kind;
    dc.hwnd = hwnd;
    dc.brush = state().stock_brushes[WHITE_BRUSH];
    return static_cast<HDC>(add_gdi(std::move(dc)));
}

}  // namespace mub::core::detail

extern "C" {

HDC WINAPI CreateCompatibleDC(HDC hdc) {
    if (hdc && !find_dc(hdc)) return nullptr;
    DcObject dc;
    dc.kind = DcKind::Memory;
    dc.bitmap = state().default_bitmap;
    dc.brush = state().stock_brushes[WHITE_BRUSH];
    return static_cast<HDC>(add_gdi(std::move(dc)));
}

BOOL WINAPI DeleteDC(HDC hdc) {
    DcObject *dc = find_dc(hdc);
    if (!dc || dc->kind != DcKind::Memory) return FALSE;
    free_dc(hdc);
    return TRUE;
}

HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ h) {
    DcObject *dc = find_dc(hdc);
    GdiObject *obj = find_any_gdi(h);
    if (!dc || !obj) return nullptr;
    if (auto *bm = std::get_if<BitmapObject>(obj)) {
        // Bitmaps go into memory DCs only, and into one DC at a time.
        if (dc->kind != DcKind::Memory) return nullptr;
        if (bm->selected_in && bm->selected_in != hdc && !bm->stock) return nullptr;
        HGDIOBJ previous = dc->bitmap;
        if (BitmapObject *old = find_bitmap(previous)) {
            if (old->selected_in == hdc) old->selected_in = nullptr;
        }
        if (!bm->stock) bm->selected_in = hdc;
        dc->bitmap = h;
        return previous;
    }
    if (std::holds_alternative<BrushObject>(*obj)) {
        HGDIOBJ previous = dc->brush;
        dc->brush = h;
        return previous;
    }
    return nullptr;  // a DC is not selected into another
}

BOOL WINAPI DeleteObject(HGDIOBJ h) {
    GdiObject *obj = find_any_gdi(h);
    if (!obj || std::holds_alternative<DcObject>(*obj)) return FALSE;  // DCs go with DeleteDC/ReleaseDC
    if (is_stock(*obj)) return TRUE;
    if (auto *bm = std::get_if<BitmapObject>(obj)) {
        if (bm->selected_in) return FALSE;  // still in a DC
        forget_picture(*bm);
    } else {
        for (const auto &[handle, other] : state().gdi) {
            auto *dc = std::get_if<DcObject>(&other);
            if (dc && dc->brush == h) return FALSE;  // still in a DC
        }
    }
    remove_gdi(h);
    return TRUE;
}

HGDIOBJ WINAPI GetStockObject(int i) {
    if (i < WHITE_BRUSH || i > NULL_BRUSH) return nullptr;
    return state().stock_brushes[i];
}

HBRUSH WINAPI CreateSolidBrush(COLORREF colour) {
    return static_cast<HBRUSH>(add_gdi(BrushObject{colour & 0x00FFFFFF, false, false}));
}

HBITMAP WINAPI LoadBitmapA(HINSTANCE instance, LPCSTR name) {
    const mub::res::ResFile *res = module_resources(instance);
    if (!res || !name) return nullptr;
    auto dib = res->find(mub::res::kRtBitmap, mub::res::Id::from_win32(name), mub::core::ui_language());
    BitmapObject bm;
    if (!dib || !adopt_picture(bm, *dib)) return nullptr;
    return static_cast<HBITMAP>(add_gdi(std::move(bm)));
}

HICON WINAPI LoadIconA(HINSTANCE instance, LPCSTR name) {
    if (!name) return nullptr;
    std::optional<mub::Image> image;
    if (instance) {
        if (const mub::res::ResFile *res = module_resources(instance))
            image = mub::res::load_icon(*res, mub::res::Id::from_win32(name), mub::core::ui_language());
    } else if (IS_INTRESOURCE(name)) {
        image = mub::Image(32, 32, 0);  // a system icon: the host shows its own default
    }
    if (!image) return nullptr;
    const uintptr_t h = new_handle();
    state().icons[h] = std::move(*image);
    return reinterpret_cast<HICON>(h);
}

HCURSOR WINAPI LoadCursorA(HINSTANCE instance, LPCSTR name) {
    // Only the system cursors exist; the host draws its own arrow.
    if (instance || !name || !IS_INTRESOURCE(name)) return nullptr;
    static HICON__ arrow{};
    return &arrow;
}

HDC WINAPI GetDC(HWND hwnd) {
    if (!find_window(hwnd)) return nullptr;
    return new_window_dc(hwnd, DcKind::Window);
}

int WINAPI ReleaseDC(HWND, HDC hdc) {
    DcObject *dc = find_dc(hdc);
    if (!dc || dc->kind != DcKind::Window) return 0;
    free_dc(hdc);
    return 1;
}

COLORREF WINAPI SetTextColor(HDC hdc, COLORREF colour) {
    DcObject *dc = find_dc(hdc);
    if (!dc) return CLR_INVALID;
    const COLORREF previous = dc->text_colour;
    dc->text_colour = colour & 0x00FFFFFF;
    return previous;
}

COLORREF WINAPI SetBkColor(HDC hdc, COLORREF colour) {
    DcObject *dc = find_dc(hdc);
    if (!dc) return CLR_INVALID;
    const COLORREF previous = dc->bk_colour;
    dc->bk_colour = colour & 0x00FFFFFF;
    return previous;
}

int WINAPI SetBkMode(HDC hdc, int mode) {
    DcObject *dc = find_dc(hdc);
    if (!dc || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
    const int previous = dc->bk_mode;
    dc->bk_mode = mode;
    return previous;
}

}  // extern "C"

namespace mub::core {

HBITMAP make_bitmap(const Image &image, int bpp) {
    BitmapObject bm;
    bm.image = std::make_shared<Image>(image);
    bm.bpp = bpp;
    return static_cast<HBITMAP>(add_gdi(std::move(bm)));
}

}  // namespace mub::core
