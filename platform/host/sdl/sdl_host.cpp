#include "platform/host/sdl/sdl_host.h"

#include "platform/host/common/keys.h"
#include "platform/host/sdl/opening_size.h"
#include "platform/host/sdl/video_start.h"
#include "platform/host/sdl/x11_errors.h"
#include "platform/host/sdl/x11_title.h"
#include "platform/host/sdl/x11_wm.h"

#include <algorithm>
#include <climits>
#include <stdexcept>

#include <windows.h>

namespace mub::sdl {

namespace {

constexpr uint32_t kOpaque = 0xFF000000u;
// Around the picture: dark grey, so that a black field's edge still shows.
constexpr uint8_t kBarGrey = 0x30;

// The character SDL's keycode shows for a key of the layout (SDL's keycodes
// for character keys are their unshifted characters), or 0.
char32_t shown_char(SDL_Keycode sym) { return sym > 0 && sym < 0x80 ? char32_t(sym) : 0; }

// The box around every display, in screen coordinates.
Size desktop_size() {
    int left = 0, top = 0, right = 0, bottom = 0;
    for (int i = 0, n = SDL_GetNumVideoDisplays(); i < n; ++i) {
        SDL_Rect b;
        if (SDL_GetDisplayBounds(i, &b) != 0) continue;
        left = std::min(left, b.x);
        top = std::min(top, b.y);
        right = std::max(right, b.x + b.w);
        bottom = std::max(bottom, b.y + b.h);
    }
    return Size{std::max(1, right - left), std::max(1, bottom - top)};
}

}  // namespace

SdlHost::SdlHost(WindowSettings settings) : settings_(settings), clock_(0) {
    // The game decides what the close box does; SDL must not quit by itself.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    // The window's surface in plain memory (on X11 shared with the server).
    // Without this SDL would back it with OpenGL where it can, which on
    // machines without a GPU is Mesa's llvmpipe: about 90 MB more memory and
    // three times the CPU.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    ignore_wakeups_for_gone_windows();
    start_video();
    clock_ = PlayClock(SDL_GetTicks64());

    client_ = Size{592, 543};
    window_.reset(SDL_CreateWindow("", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, client_.width,
                                   client_.height, SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE));
    if (!window_) {
        std::string err = SDL_GetError();
        SDL_Quit();
        throw std::runtime_error("SDL_CreateWindow: " + err);
    }
    if (!SDL_GetWindowSurface(window_.get())) {
        std::string err = SDL_GetError();
        window_.reset();
        SDL_Quit();
        throw std::runtime_error("SDL_GetWindowSurface: " + err);
    }
    SDL_StartTextInput();
    pads_ = std::make_unique<SdlPads>();
}

SdlHost::~SdlHost() {
    pads_.reset();
    staging_.reset();
    window_.reset();
    SDL_Quit();
}

uint64_t SdlHost::now_ms() { return clock_.now(SDL_GetTicks64()); }

bool SdlHost::wait_event(HostEvent &ev, uint64_t deadline_ms) {
    for (;;) {
        if (!pending_.empty()) {
            ev = pending_.front();
            pending_.pop_front();
            return true;
        }
        pads_->read();
        SDL_Event e;
        if (SDL_PollEvent(&e)) {
            translate(e);
            continue;
        }
        const uint64_t now = now_ms();
        if (now >= deadline_ms) return false;
        // Paused, the clock stands still: nothing falls due until an event
        // (the window coming back) arrives.
        const int timeout = clock_.paused() ? -1 : int(std::min<uint64_t>(deadline_ms - now, INT_MAX));
        if (SDL_WaitEventTimeout(&e, timeout)) translate(e);
    }
}

void SdlHost::present(const Image &frame) {
    if (frame.width <= 0 || frame.height <= 0) return;
    const std::vector<Rect> changed = changed_areas(frame_, frame);
    if (changed.empty()) return;
    if (frame.width != frame_.width || frame.height != frame_.height) whole_stale_ = true;
    changed_.insert(changed_.end(), changed.begin(), changed.end());
    frame_ = frame;
    draw();
}

void SdlHost::repaint_all() {
    whole_stale_ = true;
    draw();
}

// Brings the window up to date: the parts of the frame that changed, or
// everything (the bars too) after the window changed size. The picture is
// enlarged and smoothed by the placement's rule (viewport::place) as it is
// drawn; a whole multiple is pixel for pixel.
void SdlHost::draw() {
    SDL_Window *w = window_.get();
    SDL_Surface *surface = larger_than_desktop() ? nullptr : SDL_GetWindowSurface(w);
    if (!surface) {  // until the window is back within bounds
        whole_stale_ = true;
        return;
    }
    const Size out{surface->w, surface->h};
    const Size picture{frame_.width, frame_.height};
    const viewport::Placement p = viewport::place(picture, out, settings_.scaling);
    if (out != surface_size_ || p.shown != placed_.shown || p.enlarge != placed_.enlarge ||
        picture != scaler_.picture()) {
        surface_size_ = out;
        placed_ = p;
        // Not smoothed: the shown size is a whole multiple, drawn pixel for pixel.
        const int enlarge = p.smooth ? p.enlarge : std::max(1, p.shown.width / std::max(1, picture.width));
        scaler_.set_geometry(picture, Size{p.shown.width, p.shown.height}, enlarge);
        whole_stale_ = true;
    }
    // 32-bit XRGB (or ARGB, whose colour bytes lie the same) is drawn into
    // directly; anything else through a surface of that kind.
    const uint32_t format = surface->format->format;
    const bool direct = format == SDL_PIXELFORMAT_RGB888 || format == SDL_PIXELFORMAT_ARGB8888;
    if (!direct && (!staging_ || staging_->w != out.width || staging_->h != out.height)) {
        staging_.reset(SDL_CreateRGBSurfaceWithFormat(0, out.width, out.height, 32, SDL_PIXELFORMAT_RGB888));
        if (!staging_) return;
    }
    SDL_Surface *target = direct ? surface : staging_.get();
    const uint32_t opaque = format == SDL_PIXELFORMAT_ARGB8888 ? kOpaque : 0;
    const size_t pitch = size_t(target->pitch) / sizeof(uint32_t);

    std::vector<SDL_Rect> drawn;
    auto draw_part = [&](const Rect &area) {  // area: of the shown picture
        if (area.empty()) return;
        uint32_t *at = static_cast<uint32_t *>(target->pixels) + size_t(p.shown.y + area.top) * pitch +
                       size_t(p.shown.x + area.left);
        scaler_.scale(frame_, area, at, int(pitch));
        if (opaque)
            for (int y = 0; y < area.height(); ++y)
                for (int x = 0; x < area.width(); ++x) at[size_t(y) * pitch + size_t(x)] |= opaque;
        drawn.push_back(SDL_Rect{p.shown.x + area.left, p.shown.y + area.top, area.width(), area.height()});
    };
    if (whole_stale_) {
        SDL_FillRect(target, nullptr, SDL_MapRGB(target->format, kBarGrey, kBarGrey, kBarGrey));
        if (picture.width > 0) draw_part(Rect{0, 0, p.shown.width, p.shown.height});
        drawn.assign(1, SDL_Rect{0, 0, out.width, out.height});
    } else {
        for (const Rect &c : changed_) draw_part(scaler_.output_of(c));
    }
    if (!direct)
        for (SDL_Rect r : drawn) SDL_BlitSurface(staging_.get(), &r, surface, &r);
    changed_.clear();
    whole_stale_ = false;
    if (!drawn.empty()) SDL_UpdateWindowSurfaceRects(w, drawn.data(), int(drawn.size()));
}

// The window's surface is a buffer the size of the window. A
// window larger than all the displays together (possible without a window
// manager, which would otherwise keep it to the maximum size) is made that
// size again before anything is drawn, so the buffer stays bounded.
bool SdlHost::larger_than_desktop() {
    const Size cap = desktop_size();
    int w = 0, h = 0;
    SDL_GetWindowSize(window_.get(), &w, &h);
    if (w <= cap.width && h <= cap.height) return false;
    SDL_SetWindowSize(window_.get(), std::min(w, cap.width), std::min(h, cap.height));
    return true;
}

Size SdlHost::output_size() {
    SDL_Surface *surface = SDL_GetWindowSurface(window_.get());
    return surface ? Size{surface->w, surface->h} : Size{};
}

void SdlHost::set_title(const std::string &utf8_title) {
    SDL_SetWindowTitle(window_.get(), utf8_title.c_str());
    set_legacy_title(window_.get(), utf8_title);
}

void SdlHost::set_icon(const Image &icon) {
    if (icon.width <= 0 || icon.height <= 0) return;
    SDL_Surface *s = SDL_CreateRGBSurfaceWithFormat(0, icon.width, icon.height, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!s) return;
    // An icon without any alpha is opaque; one with alpha keeps it.
    const bool has_alpha =
        std::any_of(icon.pixels.begin(), icon.pixels.end(), [](uint32_t p) { return (p & kOpaque) != 0; });
    for (int y = 0; y < icon.height; ++y) {
        auto *dst = reinterpret_cast<uint32_t *>(static_cast<uint8_t *>(s->pixels) + size_t(y) * size_t(s->pitch));
        const uint32_t *src = icon.row(y);
        for (int x = 0; x < icon.width; ++x) dst[x] = has_alpha ? src[x] : (src[x] | kOpaque);
    }
    SDL_SetWindowIcon(window_.get(), s);
    SDL_FreeSurface(s);
}

void SdlHost::show_window(int client_width, int client_height) {
    client_ = Size{std::max(1, client_width), std::max(1, client_height)};
    SDL_Rect usable{0, 0, client_.width, client_.height};
    const int display = std::max(0, SDL_GetWindowDisplayIndex(window_.get()));
    if (SDL_GetDisplayUsableBounds(display, &usable) != 0) usable = SDL_Rect{0, 0, client_.width, client_.height};
    const Size size = opening_size(client_, Size{usable.w, usable.h}, settings_.scaling);
    // Down to half size every line of the picture still shows; on a desktop
    // smaller than that, the desktop is the limit.
    const Size cap = desktop_size();
    SDL_SetWindowMinimumSize(window_.get(), std::max(1, std::min(client_.width / 2, cap.width)),
                             std::max(1, std::min(client_.height / 2, cap.height)));
    SDL_SetWindowMaximumSize(window_.get(), cap.width, cap.height);
    SDL_SetWindowSize(window_.get(), size.width, size.height);
    SDL_SetWindowPosition(window_.get(), SDL_WINDOWPOS_CENTERED_DISPLAY(display),
                          SDL_WINDOWPOS_CENTERED_DISPLAY(display));
    SDL_ShowWindow(window_.get());
    repaint_all();
}

// Alt+Enter, any number of times. SDL's own full screen asks the window
// manager; with none, SDL would only think the window full screen and draw a
// screen-sized picture into the unchanged window, so then the window is
// moved over its display by hand.
void SdlHost::toggle_fullscreen() {
    SDL_Window *w = window_.get();
    if (fullscreen_ == FullScreen::Off) {
        SDL_GetWindowPosition(w, &windowed_.x, &windowed_.y);
        SDL_GetWindowSize(w, &windowed_.w, &windowed_.h);
        if (window_manager_running(w)) {
            fullscreen_ = FullScreen::ByWindowManager;
            SDL_SetWindowFullscreen(w, SDL_WINDOW_FULLSCREEN_DESKTOP);
        } else {
            SDL_Rect screen;
            if (SDL_GetDisplayBounds(std::max(0, SDL_GetWindowDisplayIndex(w)), &screen) != 0) return;
            fullscreen_ = FullScreen::ByHand;
            SDL_SetWindowPosition(w, screen.x, screen.y);
            SDL_SetWindowSize(w, screen.w, screen.h);
            SDL_RaiseWindow(w);
        }
    } else {
        if (fullscreen_ == FullScreen::ByWindowManager) SDL_SetWindowFullscreen(w, 0);
        fullscreen_ = FullScreen::Off;
        SDL_SetWindowSize(w, windowed_.w, windowed_.h);
        SDL_SetWindowPosition(w, windowed_.x, windowed_.y);
    }
    repaint_all();
}

int SdlHost::modal_opened(const std::string &, const std::vector<int> &) {
    pads_->input().set_box_open(++boxes_open_ > 0);
    return 0;  // the player answers
}

void SdlHost::modal_closed() { pads_->input().set_box_open(--boxes_open_ > 0); }

void SdlHost::translate(const SDL_Event &e) {
    std::vector<HostEvent> from_pads;
    if (pads_->translate(e, from_pads)) {
        for (HostEvent &ev : from_pads) {
            ev.time_ms = now_ms();
            pending_.push_back(ev);
        }
        return;
    }
    switch (e.type) {
    case SDL_WINDOWEVENT: on_window_event(e.window); break;
    case SDL_KEYDOWN: on_key_down(e.key); break;
    case SDL_KEYUP: on_key_up(e.key); break;
    case SDL_TEXTINPUT: on_text(e.text); break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: on_mouse_button(e.button); break;
    case SDL_MOUSEMOTION: on_mouse_motion(e.motion); break;
    case SDL_QUIT: {  // only from a signal, since the last window's close does not quit
        HostEvent ev;
        ev.type = HostEvent::Type::Close;
        ev.time_ms = now_ms();
        pending_.push_back(ev);
        break;
    }
    default: break;
    }
}

void SdlHost::on_window_event(const SDL_WindowEvent &w) {
    HostEvent ev;
    ev.time_ms = now_ms();
    switch (w.event) {
    case SDL_WINDOWEVENT_CLOSE:
        ev.type = HostEvent::Type::Close;
        pending_.push_back(ev);
        break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:  // the game's client keeps its size; the picture follows the window
        repaint_all();
        break;
    case SDL_WINDOWEVENT_EXPOSED: {  // the surface still holds the picture: nothing is lost, nothing to repaint
        const SDL_Surface *surface = SDL_GetWindowSurface(window_.get());
        if (whole_stale_ || !surface || Size{surface->w, surface->h} != surface_size_) repaint_all();
        else SDL_UpdateWindowSurface(window_.get());
        break;
    }
    case SDL_WINDOWEVENT_MINIMIZED:
    case SDL_WINDOWEVENT_HIDDEN:
        clock_.pause(SDL_GetTicks64());
        break;
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_SHOWN:
        clock_.resume(SDL_GetTicks64());
        break;
    case SDL_WINDOWEVENT_MAXIMIZED:
        // The window has no maximize box; SDL cannot remove it alone, so a
        // maximize from the window manager is undone.
        if (fullscreen_ == FullScreen::Off) SDL_RestoreWindow(window_.get());
        break;
    default: break;
    }
}

void SdlHost::push_key(HostEvent::Type type, int vk, char ch, bool repeat, bool alt) {
    if (!vk) return;
    HostEvent ev;
    ev.type = type;
    ev.vk = vk;
    ev.ch = type == HostEvent::Type::KeyDown ? ch : 0;
    ev.repeat = repeat;
    ev.alt = alt;
    ev.time_ms = now_ms();
    pending_.push_back(ev);
}

void SdlHost::on_key_down(const SDL_KeyboardEvent &k) {
    const bool alt = (k.keysym.mod & KMOD_ALT) != 0;
    // SDL queues the text a press typed right behind the press itself.
    SDL_Event text;
    std::string_view typed;
    if (SDL_PeepEvents(&text, 1, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1 && text.type == SDL_TEXTINPUT) {
        SDL_PeepEvents(&text, 1, SDL_GETEVENT, SDL_TEXTINPUT, SDL_TEXTINPUT);
        typed = text.text.text;
    }
    const hostkeys::Keystroke key = hostkeys::keystroke(k.keysym.scancode, shown_char(k.keysym.sym), typed);
    if (key.vk == VK_RETURN && alt) {
        if (!k.repeat) toggle_fullscreen();
        return;
    }
    push_key(HostEvent::Type::KeyDown, key.vk, key.ch, k.repeat != 0, alt);
}

void SdlHost::on_key_up(const SDL_KeyboardEvent &k) {
    const hostkeys::Keystroke key = hostkeys::keystroke(k.keysym.scancode, shown_char(k.keysym.sym), {});
    push_key(HostEvent::Type::KeyUp, key.vk, 0, false, (k.keysym.mod & KMOD_ALT) != 0);
}

// Text that no key press took (an input method's): each character as typed,
// without a key of its own.
void SdlHost::on_text(const SDL_TextInputEvent &t) {
    for (const char *p = t.text; *p; ++p) {
        const hostkeys::Keystroke key = hostkeys::keystroke(0, 0, std::string_view(p, 1));
        push_key(HostEvent::Type::KeyDown, key.vk, key.ch, false, false);
        push_key(HostEvent::Type::KeyUp, key.vk, 0, false, false);
    }
}

std::optional<viewport::Point> SdlHost::to_client(int wx, int wy, bool press) {
    // Window coordinates to the surface's pixels (they may differ on high-density screens).
    int ww = 0, wh = 0;
    SDL_GetWindowSize(window_.get(), &ww, &wh);
    const Size out = output_size();
    double ox = wx, oy = wy;
    if (ww > 0 && wh > 0) {
        ox = double(wx) * out.width / ww;
        oy = double(wy) * out.height / wh;
    }
    const Size picture = frame_.width > 0 ? Size{frame_.width, frame_.height} : client_;
    const auto at =
        viewport::to_picture(viewport::place(picture, out, settings_.scaling).shown, picture, ox, oy, press);
    // The pads' mouse buttons press where the pointer was last.
    if (at) pads_->input().set_pointer(at->x, at->y);
    return at;
}

void SdlHost::on_mouse_button(const SDL_MouseButtonEvent &b) {
    if (b.which == SDL_TOUCH_MOUSEID) return;
    if (b.button != SDL_BUTTON_LEFT && b.button != SDL_BUTTON_RIGHT) return;
    HostEvent ev;
    ev.type = b.type == SDL_MOUSEBUTTONDOWN ? HostEvent::Type::MouseDown : HostEvent::Type::MouseUp;
    ev.button = b.button == SDL_BUTTON_LEFT ? 0 : 1;
    ev.time_ms = now_ms();
    const auto at = to_client(b.x, b.y, ev.type == HostEvent::Type::MouseDown);
    if (!at) return;  // a press on the bars around the picture
    ev.x = at->x;
    ev.y = at->y;
    pending_.push_back(ev);
}

void SdlHost::on_mouse_motion(const SDL_MouseMotionEvent &m) {
    if (m.which == SDL_TOUCH_MOUSEID) return;
    HostEvent ev;
    ev.type = HostEvent::Type::MouseMove;
    ev.time_ms = now_ms();
    const auto at = to_client(m.x, m.y, false);
    if (!at) return;
    ev.x = at->x;
    ev.y = at->y;
    pending_.push_back(ev);
}

}  // namespace mub::sdl
