#include "platform/host/web/web_host.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/host/web/page_bridge.h"

namespace mub::web {

namespace {

// One event as the page hands it over: the fields of HostEvent in order.
enum Field { kType, kButton, kX, kY, kKey, kChar, kRepeat, kAlt, kTime, kFieldCount };

bool valid_type(double t) { return t >= 0 && t <= double(HostEvent::Type::Expose); }
bool valid_key(double k) { return k >= 0 && k <= double(Key::Other); }

}  // namespace

uint64_t WebHost::now_ms() { return uint64_t(std::max(0.0, std::floor(mub_page_now()))); }

bool WebHost::take(HostEvent &ev) {
    double f[kFieldCount] = {};
    while (mub_page_take_event(f)) {
        if (!valid_type(f[kType]) || !valid_key(f[kKey])) continue;  // never from our page; skip, do not guess
        ev = HostEvent{};
        ev.type = HostEvent::Type(int(f[kType]));
        ev.button = int(f[kButton]);
        ev.x = int(f[kX]);
        ev.y = int(f[kY]);
        ev.key = Key(int(f[kKey]));
        ev.ch = char(int(f[kChar]));
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
    // XRGB words to the canvas's RGBA bytes, opaque: in WebAssembly's little
    // endian order the word 0xAABBGGRR is the bytes R, G, B, A.
    rgba_.resize(frame.pixels.size());
    uint32_t *out = rgba_.data();
    for (const uint32_t p : frame.pixels) *out++ = 0xFF000000u | ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
    mub_page_present(reinterpret_cast<const uint8_t *>(rgba_.data()), frame.width, frame.height);
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
