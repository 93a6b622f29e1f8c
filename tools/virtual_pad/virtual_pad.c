/* Loaded into the desktop program with LD_PRELOAD by the desktop tests;
   nothing of this is in the program itself. It plays a game controller:
   commands come one a line from the FIFO named by MUB_PAD_FIFO, and each
   one is carried out inside the program's own SDL_WaitEventTimeout, before
   the real wait, so SDL reports it in that wait, and the program has taken
   the events of one command before the next is carried out:

     attach                      plug in a pad (SDL's virtual joystick, laid
                                 out as a game controller)
     detach                      unplug it
     press NAME / release NAME   a button by SDL's name: a, b, x, y, back,
                                 start, leftshoulder, dpdown, ...
     axis NAME VALUE             an axis by SDL's name (lefttrigger, ...),
                                 from -32768 to 32767 (a trigger rests at
                                 -32768)

   Waits are cut to 10 ms, so commands are taken while the program waits
   for input with no end. A command that cannot be carried out yet (the
   program has not started SDL's controllers) waits for the next wait. */
#define _GNU_SOURCE
#include <SDL.h>
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

static int fifo = -2;
static char buffer[4096];
static size_t filled;
static int device = -1;
static SDL_Joystick *stick;

static void take_input(void) {
    if (fifo == -2) {
        const char *path = getenv("MUB_PAD_FIFO");
        fifo = path ? open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC) : -1;
    }
    if (fifo < 0 || filled >= sizeof buffer) return;
    const ssize_t n = read(fifo, buffer + filled, sizeof buffer - filled);
    if (n > 0) filled += (size_t)n;
}

static void unplug(void) {
    if (stick) SDL_JoystickClose(stick);
    stick = NULL;
    if (device >= 0) SDL_JoystickDetachVirtual(device);
    device = -1;
}

static void plug_in(void) {
    unplug();
    SDL_VirtualJoystickDesc desc;
    SDL_zero(desc);
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.button_mask = (1u << SDL_CONTROLLER_BUTTON_MAX) - 1;
    desc.axis_mask = (1u << SDL_CONTROLLER_AXIS_MAX) - 1;
    desc.name = "mubmub test pad";
    device = SDL_JoystickAttachVirtualEx(&desc);
    if (device < 0) return;
    stick = SDL_JoystickOpen(device);
    /* Triggers at rest. */
    if (stick) {
        SDL_JoystickSetVirtualAxis(stick, SDL_CONTROLLER_AXIS_TRIGGERLEFT, -32768);
        SDL_JoystickSetVirtualAxis(stick, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, -32768);
    }
}

static void carry_out(char *line) {
    char *verb = strtok(line, " \t\r");
    char *name = strtok(NULL, " \t\r");
    char *value = strtok(NULL, " \t\r");
    if (!verb) return;
    if (!strcmp(verb, "attach")) plug_in();
    else if (!strcmp(verb, "detach")) unplug();
    else if (stick && name && (!strcmp(verb, "press") || !strcmp(verb, "release")))
        SDL_JoystickSetVirtualButton(stick, SDL_GameControllerGetButtonFromString(name), !strcmp(verb, "press"));
    else if (stick && name && value && !strcmp(verb, "axis"))
        SDL_JoystickSetVirtualAxis(stick, SDL_GameControllerGetAxisFromString(name), (Sint16)atoi(value));
    else fprintf(stderr, "virtual pad: cannot '%s'\n", verb);
}

int SDL_WaitEventTimeout(SDL_Event *event, int timeout) {
    static int (*next)(SDL_Event *, int);
    if (!next) next = (int (*)(SDL_Event *, int))dlsym(RTLD_NEXT, "SDL_WaitEventTimeout");
    take_input();
    char *end = memchr(buffer, '\n', filled);
    if (end && SDL_WasInit(SDL_INIT_GAMECONTROLLER)) {
        *end = 0;
        carry_out(buffer);
        const size_t used = (size_t)(end - buffer) + 1;
        memmove(buffer, buffer + used, filled - used);
        filled -= used;
    }
    if (timeout < 0 || timeout > 10) timeout = 10;
    return next ? next(event, timeout) : 0;
}
