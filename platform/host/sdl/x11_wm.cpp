#include "platform/host/sdl/x11_wm.h"

#if defined(MUB_HAVE_X11)
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace mub::sdl {

namespace {

bool g_failed = false;

int note_failure(Display *, XErrorEvent *) {
    g_failed = true;
    return 0;
}

// The window that property `check` of window w names, or None. A window
// that has gone meanwhile is an error, caught rather than fatal.
Window named_window(Display *display, Window w, Atom check) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char *data = nullptr;
    Window named = None;
    if (XGetWindowProperty(display, w, check, 0, 1, False, XA_WINDOW, &type, &format, &count, &after, &data) ==
            Success &&
        type == XA_WINDOW && format == 32 && count == 1 && data)
        named = Window(*reinterpret_cast<unsigned long *>(data));
    if (data) XFree(data);
    return named;
}

}  // namespace

bool window_manager_running(SDL_Window *window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return true;
    Display *display = info.info.x11.display;
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, info.info.x11.window, &attributes)) return true;
    const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);

    XSync(display, False);
    g_failed = false;
    XErrorHandler previous = XSetErrorHandler(note_failure);
    const Window child = named_window(display, attributes.root, check);
    const bool running = child != None && named_window(display, child, check) == child;
    XSync(display, False);
    XSetErrorHandler(previous);
    return running && !g_failed;
}

}  // namespace mub::sdl

#else

namespace mub::sdl {
bool window_manager_running(SDL_Window *) { return true; }
}  // namespace mub::sdl

#endif
