// Starting SDL's video on a display someone can see.
#pragma once

namespace mub::sdl {

// Initialises SDL's video. SDL falls back to its offscreen or dummy driver
// when no display can be reached, which would leave a window nobody sees and
// a process that never ends; those are refused unless SDL_VIDEODRIVER asks
// for them. Throws std::runtime_error with a one-line message saying what is
// wrong and how to run the game instead.
void start_video();

}  // namespace mub::sdl
