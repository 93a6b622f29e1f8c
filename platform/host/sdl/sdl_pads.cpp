#include "platform/host/sdl/sdl_pads.h"

#include <algorithm>
#include <atomic>
#include <optional>

namespace mub::sdl {

namespace {

using pad::Button;

std::optional<Button> button_of(int sdl_button) {
    switch (sdl_button) {
    case SDL_CONTROLLER_BUTTON_A: return Button::A;
    case SDL_CONTROLLER_BUTTON_B: return Button::B;
    case SDL_CONTROLLER_BUTTON_X: return Button::X;
    case SDL_CONTROLLER_BUTTON_Y: return Button::Y;
    case SDL_CONTROLLER_BUTTON_BACK: return Button::Back;
    case SDL_CONTROLLER_BUTTON_GUIDE: return Button::Guide;
    case SDL_CONTROLLER_BUTTON_START: return Button::Start;
    case SDL_CONTROLLER_BUTTON_LEFTSTICK: return Button::LeftStick;
    case SDL_CONTROLLER_BUTTON_RIGHTSTICK: return Button::RightStick;
    case SDL_CONTROLLER_BUTTON_LEFTSHOULDER: return Button::LeftShoulder;
    case SDL_CONTROLLER_BUTTON_RIGHTSHOULDER: return Button::RightShoulder;
    case SDL_CONTROLLER_BUTTON_DPAD_UP: return Button::Up;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN: return Button::Down;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT: return Button::Left;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT: return Button::Right;
    default: return std::nullopt;
    }
}

// How often the pads are read: every 8 ms while one is plugged in (a press
// is seen well within the game's 32 ms tick), twice a second otherwise, to
// notice one plugged in while the program waits for input.
constexpr Uint32 kReadWithPadsMs = 8, kLookForPadsMs = 500;

std::atomic<bool> g_pads_open{false};

// Wakes the program's event wait, so that it reads the pads.
Uint32 wake(Uint32, void *) {
    static const Uint32 type = SDL_RegisterEvents(1);
    if (type != Uint32(-1)) {
        SDL_Event e{};
        e.type = type;
        SDL_PushEvent(&e);
    }
    return g_pads_open ? kReadWithPadsMs : kLookForPadsMs;
}

}  // namespace

SdlPads::SdlPads() {
    // Buttons by place, not by the letters printed on them, so that the
    // holes' layout is the same on every make of pad.
    SDL_SetHint(SDL_HINT_GAMECONTROLLER_USE_BUTTON_LABELS, "0");
    // Left to itself, SDL reads the pads every millisecond in its event wait
    // as long as one is plugged in: three times the program's own CPU at
    // rest. They are read here instead (read()), woken by a timer.
    SDL_SetHint(SDL_HINT_AUTO_UPDATE_JOYSTICKS, "0");
    started_ = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER | SDL_INIT_TIMER) == 0;
    if (started_) wake_timer_ = SDL_AddTimer(kLookForPadsMs, wake, nullptr);
}

void SdlPads::read() {
    if (started_) SDL_GameControllerUpdate();
}

SdlPads::~SdlPads() {
    if (wake_timer_) SDL_RemoveTimer(wake_timer_);
    open_.clear();
    g_pads_open = false;
    if (started_) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER | SDL_INIT_TIMER);
}

void SdlPads::append(std::vector<HostEvent> events, std::vector<HostEvent> &out) {
    out.insert(out.end(), events.begin(), events.end());
}

bool SdlPads::translate(const SDL_Event &e, std::vector<HostEvent> &out) {
    switch (e.type) {
    case SDL_CONTROLLERDEVICEADDED:  // e.cdevice.which: a device index
        if (SDL_GameController *c = SDL_GameControllerOpen(e.cdevice.which)) {
            const SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(c));
            if (open_.count(id)) SDL_GameControllerClose(c);  // opened already: SDL counts opens
            else open_[id].reset(c);
        }
        g_pads_open = !open_.empty();
        return true;
    case SDL_CONTROLLERDEVICEREMOVED:  // e.cdevice.which: an instance id
        append(input_.unplugged(e.cdevice.which), out);
        open_.erase(e.cdevice.which);
        g_pads_open = !open_.empty();
        return true;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
        if (const auto b = button_of(e.cbutton.button))
            append(input_.press(e.cbutton.which, *b, e.type == SDL_CONTROLLERBUTTONDOWN), out);
        return true;
    case SDL_CONTROLLERAXISMOTION: {
        const int axis = e.caxis.axis;
        if (axis == SDL_CONTROLLER_AXIS_TRIGGERLEFT || axis == SDL_CONTROLLER_AXIS_TRIGGERRIGHT) {
            const Button b = axis == SDL_CONTROLLER_AXIS_TRIGGERLEFT ? Button::LeftTrigger : Button::RightTrigger;
            append(input_.trigger(e.caxis.which, b, std::max(0, int(e.caxis.value)) / 32767.0), out);
        }
        return true;
    }
    default: return false;
    }
}

}  // namespace mub::sdl
