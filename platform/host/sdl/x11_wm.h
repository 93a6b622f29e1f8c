// Whether a window manager looks after the window.
#pragma once

#include <SDL.h>

namespace mub::sdl {

// True when an EWMH window manager runs on the window's X screen (the root
// window names a check window that names itself), which is what makes full
// screen through _NET_WM_STATE work. Asked again each time, since a window
// manager may come or go while the game runs. Off X11 the system always
// manages windows: true.
bool window_manager_running(SDL_Window *window);

}  // namespace mub::sdl
