// The desktop host: one real SDL2 window showing the game's client area. The
// client keeps the size the game made it; the window shows that picture
// scaled to the window and maps the pointer back (platform/host/common/
// viewport.h), keeps the last frame to show again whenever the window system
// asks, and stops the game's clock while the window is minimised. SDL's
// input becomes the host events the core understands.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>

#include <SDL.h>

#include "platform/core/host.h"
#include "platform/host/common/viewport.h"
#include "platform/host/sdl/play_clock.h"

namespace mub::sdl {

using viewport::Size;

class SdlHost final : public Host {
public:
    SdlHost();  // throws std::runtime_error when there is no display to show a window on
    ~SdlHost() override;
    SdlHost(const SdlHost &) = delete;
    SdlHost &operator=(const SdlHost &) = delete;

    uint64_t now_ms() override;
    bool wait_event(HostEvent &ev, uint64_t deadline_ms) override;
    void present(const Image &frame) override;
    void set_title(const std::string &utf8_title) override;
    void set_icon(const Image &icon) override;
    void show_window(int client_width, int client_height) override;

private:
    struct SdlDeleter {
        void operator()(SDL_Window *w) const { SDL_DestroyWindow(w); }
        void operator()(SDL_Renderer *r) const { SDL_DestroyRenderer(r); }
        void operator()(SDL_Texture *t) const { SDL_DestroyTexture(t); }
    };

    // Turns one SDL event into host events (queued in pending_); window
    // events the host handles itself produce none.
    void translate(const SDL_Event &e);
    void on_window_event(const SDL_WindowEvent &w);
    void on_key_down(const SDL_KeyboardEvent &k);
    void on_key_up(const SDL_KeyboardEvent &k);
    void on_text(const SDL_TextInputEvent &t);
    void push_key(HostEvent::Type type, int vk, char ch, bool repeat, bool alt);
    void on_mouse_button(const SDL_MouseButtonEvent &b);
    void on_mouse_motion(const SDL_MouseMotionEvent &m);
    std::optional<viewport::Point> to_client(int wx, int wy, bool press);
    void toggle_fullscreen();
    void redraw();
    Size output_size();
    bool larger_than_desktop();

    PlayClock clock_;
    std::unique_ptr<SDL_Window, SdlDeleter> window_;
    std::unique_ptr<SDL_Renderer, SdlDeleter> renderer_;
    std::unique_ptr<SDL_Texture, SdlDeleter> texture_;
    Size texture_size_;
    Size client_;  // the game's client area in game pixels
    bool fullscreen_ = false;
    std::deque<HostEvent> pending_;
};

}  // namespace mub::sdl
