// The browser host: the game's client area is a <canvas> of exactly its
// size, input comes from the page's events, and waiting yields to the browser.
//
// The page (programs/web/page/) owns everything of the DOM: it sizes the
// canvas, turns mouse, keys, touch and the touch bar into events, and keeps
// the clock, which stands still while the page is hidden. This class only
// asks it, through the small JavaScript library in host_library.js; the page
// in turn asks the rules every host shares (platform/host/common), exported
// below in web_host.cpp: where the picture goes, where a pointer lands,
// which virtual key a key is.
//
// wait_event is where the program gives the browser back its thread: an
// Asyncify sleep that ends at the deadline or at the next input, so the
// game's blocking message loops, its message boxes and its dialog run as
// they are written.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/core/host.h"

namespace mub::web {

class WebHost final : public Host {
public:
    uint64_t now_ms() override;
    bool wait_event(HostEvent &ev, uint64_t deadline_ms) override;
    void present(const Image &frame) override;
    void set_title(const std::string &utf8_title) override;
    void set_icon(const Image &icon) override;
    void show_window(int client_width, int client_height) override;
    int modal_opened(const std::string &utf8_caption, const std::vector<int> &answers) override;
    void modal_closed() override;

private:
    bool take(HostEvent &ev);

    Image last_;                  // the last frame presented
    std::vector<uint32_t> rgba_;  // the same as the canvas wants it (RGBA bytes)
    // The same again enlarged enlarged_by_ times pixel for pixel, when the
    // page shows the picture fitted (mub_web_set_enlarge); 0: not made.
    std::vector<uint32_t> enlarged_;
    int enlarged_by_ = 0;
};

}  // namespace mub::web
