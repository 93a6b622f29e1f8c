// The window's title for X clients that read only the legacy property.
#pragma once

#include <string>

#include <SDL.h>

namespace mub::sdl {

// SDL sets _NET_WM_NAME in UTF-8, which modern window managers read, but
// stores WM_NAME as a STRING that holds UTF-8 bytes, so older taskbars and
// tools that read WM_NAME (xdotool search --name, xprop) see it garbled.
// This sets WM_NAME again as COMPOUND_TEXT, the X encoding for text beyond
// Latin-1, in whatever locale the program runs. Does nothing off X11.
void set_legacy_title(SDL_Window *window, const std::string &utf8_title);

}  // namespace mub::sdl
