// X errors the desktop program may safely ignore.
#pragma once

namespace mub::sdl {

// SDL (2.26) wakes its own event wait by sending an event to the window over
// a second X connection. The server may take a wake-up sent just before the
// window is destroyed after the destroy, and Xlib's default handler then ends
// the program with status 1 as SDL closes that connection. Such a wake-up
// was for nobody, so its BadWindow error is dropped; every other error goes
// to the handler that was in place before. Call before SDL_Init, which keeps
// this as the handler it restores before closing its connections.
void ignore_wakeups_for_gone_windows();

}  // namespace mub::sdl
