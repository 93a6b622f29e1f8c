// The desktop host: one real SDL2 window showing the game's client area. The
// client keeps the size the game made it; the window shows that picture
// scaled to the window and maps the pointer back (platform/host/common/
// viewport.h), keeps the last frame to show again whenever the window system
// asks, and stops the game's clock while the window is minimised. SDL's
// input, game controllers included, becomes the host events the core
// understands.
//
// The picture is drawn on the CPU straight into the window's surface (SDL's
// software framebuffer), and only where the frame changed is drawn and sent
// to the screen: a full screen of pixels 31 times a second would cost more
// than the game itself.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <SDL.h>

#include "platform/core/host.h"
#include "platform/host/common/viewport.h"
#include "platform/host/sdl/play_clock.h"
#include "platform/host/sdl/sdl_pads.h"
#include "platform/host/sdl/sharp_scaler.h"

namespace mub::sdl {

using viewport::Size;

// How the window shows the game (the player's choice on the command line).
struct WindowSettings {
    viewport::Scaling scaling = viewport::Scaling::Fit;
};

class SdlHost final : public Host {
public:
    // Throws std::runtime_error when there is no display to show a window on.
    explicit SdlHost(WindowSettings settings = {});
    ~SdlHost() override;
    SdlHost(const SdlHost &) = delete;
    SdlHost &operator=(const SdlHost &) = delete;

    uint64_t now_ms() override;
    bool wait_event(HostEvent &ev, uint64_t deadline_ms) override;
    void present(const Image &frame) override;
    void set_title(const std::string &utf8_title) override;
    void set_icon(const Image &icon) override;
    void show_window(int client_width, int client_height) override;
    int modal_opened(const std::string &utf8_caption, const std::vector<int> &answers) override;
    void modal_closed() override;

private:
    struct SdlDeleter {
        void operator()(SDL_Window *w) const { SDL_DestroyWindow(w); }
        void operator()(SDL_Surface *s) const { SDL_FreeSurface(s); }
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
    void draw();
    void repaint_all();
    Size output_size();
    bool larger_than_desktop();

    WindowSettings settings_;
    PlayClock clock_;
    std::unique_ptr<SDL_Window, SdlDeleter> window_;
    Image frame_;                 // the last frame
    std::vector<Rect> changed_;   // parts of it not yet drawn
    bool whole_stale_ = true;     // the whole window, bars included, is to be drawn
    Size surface_size_;
    viewport::Placement placed_;  // where the frame is drawn on the surface
    SharpScaler scaler_;
    // Where the surface's pixels are not 32-bit XRGB: drawn here, then
    // copied over by SDL.
    std::unique_ptr<SDL_Surface, SdlDeleter> staging_;
    Size client_;  // the game's client area in game pixels

    // Full screen: asked of the window manager when one runs, else done by
    // hand (the window moved and sized over its display); either way the
    // window goes back to where and how large it was.
    enum class FullScreen { Off, ByWindowManager, ByHand } fullscreen_ = FullScreen::Off;
    SDL_Rect windowed_{};

    std::unique_ptr<SdlPads> pads_;  // once the window is there
    int boxes_open_ = 0;
    std::deque<HostEvent> pending_;
};

}  // namespace mub::sdl
