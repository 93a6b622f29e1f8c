#include "platform/host/sdl/x11_title.h"

#if defined(MUB_HAVE_X11)
#include <clocale>

#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace mub::sdl {

namespace {

// Xlib converts text through the C library's current locale, and the C
// locale (LANG=C) knows nothing beyond Latin-1. The conversion therefore runs
// under a UTF-8 locale, and the program's own locale is put back afterwards.
class Utf8Ctype {
public:
    Utf8Ctype() {
        if (const char *current = std::setlocale(LC_CTYPE, nullptr)) saved_ = current;
        for (const char *name : {"C.UTF-8", "C.utf8", "en_US.UTF-8"})
            if (std::setlocale(LC_CTYPE, name) && XSupportsLocale()) {
                ok_ = true;
                return;
            }
    }
    ~Utf8Ctype() { std::setlocale(LC_CTYPE, saved_.c_str()); }
    Utf8Ctype(const Utf8Ctype &) = delete;
    Utf8Ctype &operator=(const Utf8Ctype &) = delete;
    bool ok() const { return ok_; }

private:
    std::string saved_ = "C";
    bool ok_ = false;
};

}  // namespace

void set_legacy_title(SDL_Window *window, const std::string &utf8_title) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return;
    Display *display = info.info.x11.display;
    XTextProperty property{};
    {
        Utf8Ctype utf8;
        if (!utf8.ok()) return;
        char *list[] = {const_cast<char *>(utf8_title.c_str())};
        // Success only: a positive result means characters were replaced.
        if (Xutf8TextListToTextProperty(display, list, 1, XCompoundTextStyle, &property) != Success) {
            if (property.value) XFree(property.value);
            return;
        }
    }
    XSetWMName(display, info.info.x11.window, &property);
    XFree(property.value);
    XFlush(display);
}

}  // namespace mub::sdl

#else

namespace mub::sdl {
void set_legacy_title(SDL_Window *, const std::string &) {}
}  // namespace mub::sdl

#endif
