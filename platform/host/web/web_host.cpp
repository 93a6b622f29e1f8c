#include "platform/host/web/web_host.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <string_view>

#include <emscripten/emscripten.h>
#include <wasm_simd128.h>

#include "platform/host/common/keys.h"
#include "platform/host/common/viewport.h"
#include "platform/host/web/enlarge.h"
#include "platform/host/web/frame_diff.h"
#include "platform/host/web/page_bridge.h"

namespace mub::web {

namespace {

// One event as the page hands it over: the fields of HostEvent in order.
enum Field { kType, kButton, kX, kY, kVk, kChar, kRepeat, kAlt, kTime, kFieldCount };

// XRGB words to the canvas's RGBA bytes, opaque, four pixels at a time: in
// WebAssembly's little endian order a word 0x00RRGGBB is the bytes B, G, R, 0.
void to_rgba(const uint32_t *in, uint32_t *out, int n) {
    const v128_t opaque = wasm_i32x4_splat(int32_t(0xFF000000u));
    int x = 0;
    for (; x + 4 <= n; x += 4) {
        const v128_t p = wasm_v128_load(in + x);
        const v128_t rgb = wasm_i8x16_shuffle(p, p, 2, 1, 0, 3, 6, 5, 4, 7, 10, 9, 8, 11, 14, 13, 12, 15);
        wasm_v128_store(out + x, wasm_v128_or(rgb, opaque));
    }
    for (; x < n; ++x) {
        const uint32_t p = in[x];
        out[x] = 0xFF000000u | ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
    }
}

bool valid_type(double t) { return t >= 0 && t <= double(HostEvent::Type::Expose); }

// How many times the page draws the picture enlarged (mub_web_set_enlarge).
int page_enlarge = 1;

}  // namespace

uint64_t WebHost::now_ms() { return uint64_t(std::max(0.0, std::floor(mub_page_now()))); }

bool WebHost::take(HostEvent &ev) {
    double f[kFieldCount] = {};
    while (mub_page_take_event(f)) {
        if (!valid_type(f[kType]) || !(f[kVk] >= 0 && f[kVk] <= 0xFE)) continue;  // never from our page; skip, do not guess
        ev = HostEvent{};
        ev.type = HostEvent::Type(int(f[kType]));
        ev.button = int(f[kButton]);
        ev.x = int(f[kX]);
        ev.y = int(f[kY]);
        ev.vk = int(f[kVk]);
        ev.ch = f[kChar] >= 0x20 && f[kChar] < 0x7F ? char(int(f[kChar])) : 0;
        ev.repeat = f[kRepeat] != 0;
        ev.alt = f[kAlt] != 0;
        ev.time_ms = uint64_t(std::max(0.0, f[kTime]));
        return true;
    }
    return false;
}

bool WebHost::wait_event(HostEvent &ev, uint64_t deadline_ms) {
    for (;;) {
        if (take(ev)) return true;
        if (now_ms() >= deadline_ms) return false;
        // Gives the thread back to the browser until the deadline or the next
        // input (Asyncify unwinds here and rewinds when the page wakes us).
        mub_page_wait(deadline_ms == std::numeric_limits<uint64_t>::max() ? INFINITY : double(deadline_ms));
    }
}

void WebHost::present(const Image &frame) {
    if (frame.width <= 0 || frame.height <= 0) return;
    const bool same_size = last_.width == frame.width && last_.height == frame.height;
    const Rect changed = same_size ? changed_rect(last_, frame) : Rect{0, 0, frame.width, frame.height};
    if (changed.empty()) return;  // the canvas shows it already
    if (!same_size) {
        last_ = Image(frame.width, frame.height);
        rgba_.assign(frame.pixels.size(), 0);
    }
    // Only what changed; the rest of rgba_ still holds the frames before.
    for (int y = changed.top; y < changed.bottom; ++y) {
        const uint32_t *in = frame.row(y) + changed.left;
        std::memcpy(last_.row(y) + changed.left, in, size_t(changed.width()) * sizeof(uint32_t));
        to_rgba(in, rgba_.data() + size_t(y) * size_t(frame.width) + changed.left, changed.width());
    }
    // Fitted, the page shows the picture enlarged by a whole number, which
    // the compositor smooths down: the changed pixels are sent enlarged too,
    // so that the page only copies them (all of them when the number changed).
    const int k = page_enlarge;
    const uint8_t *enlarged = nullptr;
    if (k > 1) {
        Rect r = changed;
        if (enlarged_by_ != k || !same_size) {
            enlarged_.assign(rgba_.size() * size_t(k) * size_t(k), 0);
            enlarged_by_ = k;
            r = Rect{0, 0, frame.width, frame.height};
        }
        enlarge_area(rgba_.data(), frame.width, frame.height, r, k, enlarged_.data());
        enlarged = reinterpret_cast<const uint8_t *>(enlarged_.data());
    } else if (enlarged_by_) {
        enlarged_ = {};
        enlarged_by_ = 0;
    }
    mub_page_present(reinterpret_cast<const uint8_t *>(rgba_.data()), frame.width, frame.height, changed.left,
                     changed.top, changed.width(), changed.height(), enlarged, k);
}

void WebHost::set_title(const std::string &utf8_title) { mub_page_set_title(utf8_title.c_str()); }

// The page's favicon and the installed app's icons are made from the same
// icon file at build time, so the running program has nothing to add.
void WebHost::set_icon(const Image &) {}

void WebHost::show_window(int client_width, int client_height) { mub_page_show(client_width, client_height); }

int WebHost::modal_opened(const std::string &utf8_caption, const std::vector<int> &) {
    mub_page_modal(utf8_caption.c_str());
    return 0;  // the player answers
}

void WebHost::modal_closed() { mub_page_modal(nullptr); }

}  // namespace mub::web

// What the page asks of the web host's rules, so that they have one home
// with the desktop's (platform/host/common).
extern "C" {

// A key of the page's keyboard or touch bar (KeyboardEvent.code and .key) as
// the host event's virtual key and, for a press, the character typed:
// vk | ch << 8; 0 for a key the program never sees, which the page leaves to
// the browser.
EMSCRIPTEN_KEEPALIVE int mub_web_keystroke(const char *code, const char *key, int press) {
    const std::string_view k = key ? key : "";
    const mub::hostkeys::Keystroke ks = mub::hostkeys::keystroke(
        mub::hostkeys::usb_usage_of_code(code ? code : ""), k.size() == 1 ? char32_t(k[0]) : 0, press ? k : "");
    return ks.vk | (int(static_cast<unsigned char>(ks.ch)) << 8);
}

// The picture's size in CSS pixels for a stage of stage_w x stage_h, whether
// to smooth it, and how many times to enlarge it pixel for pixel first:
// width + height * 2^15 + smooth * 2^30 + enlarge * 2^31 (a double, exact).
// Fitted, it is drawn enlarged by the next whole multiple and smoothed down
// to its size by the compositor; at whole multiples, pixel for pixel.
EMSCRIPTEN_KEEPALIVE double mub_web_place(int stage_w, int stage_h, int picture_w, int picture_h,
                                          double pixel_ratio, int fit) {
    const mub::viewport::Placement p = mub::viewport::place(
        {picture_w, picture_h}, {stage_w, stage_h},
        fit ? mub::viewport::Scaling::Fit : mub::viewport::Scaling::WholeMultiples, pixel_ratio);
    return double(p.shown.width & 0x7FFF) + double(p.shown.height & 0x7FFF) * 32768.0 +
           (p.smooth ? 1073741824.0 : 0.0) + double(std::clamp(p.enlarge, 1, 64)) * 2147483648.0;
}

// The page draws the picture enlarged k times from now on (1: as it is).
EMSCRIPTEN_KEEPALIVE void mub_web_set_enlarge(int k) { mub::web::page_enlarge = std::clamp(k, 1, 64); }

// The client pixel under a point (x, y) of the canvas, which is shown_w x
// shown_h CSS pixels: px | py << 15, or -1 where a press does not count.
EMSCRIPTEN_KEEPALIVE int mub_web_to_picture(double x, double y, int shown_w, int shown_h, int picture_w,
                                            int picture_h, int press) {
    const auto at = mub::viewport::to_picture({0, 0, shown_w, shown_h}, {picture_w, picture_h}, x, y, press != 0);
    return at ? (at->x | at->y << 15) : -1;
}

}  // extern "C"
