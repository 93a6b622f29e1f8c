#include "platform/host/sdl/sdl_pads.h"

#include <algorithm>
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

// SDL notices a pad plugged in when it next looks at its events; a program
// that waits for input (a box open, no timer running) would not look until
// the mouse or a key moved. A wake-up twice a second keeps it looking.
Uint32 wake(Uint32 interval, void *) {
    static const Uint32 type = SDL_RegisterEvents(1);
    if (type != Uint32(-1)) {
        SDL_Event e{};
        e.type = type;
        SDL_PushEvent(&e);
    }
    return interval;
}

}  // namespace

SdlPads::SdlPads() {
    // Buttons by place, not by the letters printed on them, so that the
    // holes' layout is the same on every make of pad.
    SDL_SetHint(SDL_HINT_GAMECONTROLLER_USE_BUTTON_LABELS, "0");
    started_ = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER | SDL_INIT_TIMER) == 0;
    if (started_) wake_timer_ = SDL_AddTimer(500, wake, nullptr);
}

SdlPads::~SdlPads() {
    if (wake_timer_) SDL_RemoveTimer(wake_timer_);
    open_.clear();
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
        return true;
    case SDL_CONTROLLERDEVICEREMOVED:  // e.cdevice.which: an instance id
        append(input_.unplugged(e.cdevice.which), out);
        open_.erase(e.cdevice.which);
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
