// Game controllers on the desktop: SDL's GameController API, hot-plugged,
// each button turned into the mouse and key events the table of
// platform/host/common/pad.h gives.
#pragma once

#include <map>
#include <memory>
#include <vector>

#include <SDL.h>

#include "platform/core/host.h"
#include "platform/host/common/pad.h"

namespace mub::sdl {

class SdlPads {
public:
    SdlPads();  // without SDL's controller support the game simply has no pads
    ~SdlPads();
    SdlPads(const SdlPads &) = delete;
    SdlPads &operator=(const SdlPads &) = delete;

    // Reads the pads: SDL queues their events (and notices pads plugged in
    // or out). Called before the program looks at its events.
    void read();
    // Takes a controller event (plugged, unplugged, a button or trigger) and
    // appends the events it makes; false for any other event.
    bool translate(const SDL_Event &e, std::vector<HostEvent> &out);
    pad::PadInput &input() { return input_; }

private:
    struct Closer {
        void operator()(SDL_GameController *c) const { SDL_GameControllerClose(c); }
    };
    void append(std::vector<HostEvent> events, std::vector<HostEvent> &out);

    bool started_ = false;
    SDL_TimerID wake_timer_ = 0;
    std::map<SDL_JoystickID, std::unique_ptr<SDL_GameController, Closer>> open_;
    pad::PadInput input_;
};

}  // namespace mub::sdl
