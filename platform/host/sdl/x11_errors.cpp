#include "platform/host/sdl/x11_errors.h"

#if defined(MUB_HAVE_X11)
#include <X11/Xlib.h>
#include <X11/Xproto.h>

namespace mub::sdl {

namespace {

XErrorHandler g_previous = nullptr;

int drop_wakeups_for_gone_windows(Display *display, XErrorEvent *error) {
    if (error->error_code == BadWindow && error->request_code == X_SendEvent) return 0;
    return g_previous ? g_previous(display, error) : 0;
}

}  // namespace

void ignore_wakeups_for_gone_windows() {
    XErrorHandler previous = XSetErrorHandler(drop_wakeups_for_gone_windows);
    if (previous != drop_wakeups_for_gone_windows) g_previous = previous;
}

}  // namespace mub::sdl

#else

namespace mub::sdl {
void ignore_wakeups_for_gone_windows() {}
}  // namespace mub::sdl

#endif
