/* The start-up baseline: the least an SDL program does before its first
   frame. It sets the hint the desktop program sets (the window's surface in
   plain memory), initialises SDL's video, creates a window of the game's
   client size, shows one black frame through the window's surface, as the
   program does, and ends. Timed like the desktop program, by
   tools/present_probe loaded with LD_PRELOAD. */
#include <SDL.h>
#include <stdio.h>

int main(int argc, char **argv) {
    (void)argc;
    (void)argv;
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        fprintf(stderr, "SDL_Init: %s\n", SDL_GetError());
        return 1;
    }
    SDL_Window *window = SDL_CreateWindow("bare SDL", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 592, 543, 0);
    SDL_Surface *surface = window ? SDL_GetWindowSurface(window) : NULL;
    if (!surface) {
        fprintf(stderr, "SDL: %s\n", SDL_GetError());
        SDL_Quit();
        return 1;
    }
    SDL_FillRect(surface, NULL, SDL_MapRGB(surface->format, 0, 0, 0));
    SDL_UpdateWindowSurface(window);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
