// The one seam between the Win32 core and whatever shows the window.
//
// A host is a small table of operations, like an SDL video driver: it waits
// for input until a deadline, tells the time, presents a finished frame and
// reports what the user or the window system did. Everything with Win32
// meaning (messages, timers, painting, modal boxes) lives in the core, so the
// desktop host and the headless host behave the same.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/base/image.h"

namespace mub {

// Input in one form from every host: mouse buttons with their position, and
// keys as a Win32 virtual key plus the character the press typed. A host
// names the key from its keyboard layout (the letter a key types, the
// position of the others) and takes the character from the system's text
// input; a key that typed a character but has no key of its own to name is
// VK_PACKET, as on Windows.
//
// The page's event names are these enumerators' names, read from this file
// at build time (platform/host/web), so the list has one home.
struct HostEvent {
    enum class Type {
        MouseDown,  // button 0 left, 1 right; x, y in client pixels
        MouseUp,
        MouseMove,
        KeyDown,    // vk, ch, repeat, alt
        KeyUp,      // vk, alt
        Close,      // the window's close box
        Resize,     // new client size in width, height
        Expose,     // the window system lost part of the client: x, y, width, height
        Held,       // from a replay only: the buttons held now (button: 1 left, 2 right, 3 both), changed
                    // by presses that a box took, so the program saw no message
    };
    // How a MouseDown arrives: by the double-click rule (a second press of a
    // button within the time and place), or, replayed from a recording, as
    // it arrived then, so that a replay needs no clock.
    enum class Press : uint8_t { ByRule, Plain, Double };
    Type type = Type::MouseMove;
    int button = 0;
    int x = 0, y = 0;
    int width = 0, height = 0;
    Press press = Press::ByRule;
    int vk = 0;             // the virtual key (VK_ESCAPE, 'Z', ...); 0: none
    char ch = 0;            // the printable character typed, as typed ('z' or 'Z'); 0: none
    bool repeat = false;    // held down: the keyboard's auto-repeat
    bool alt = false;       // Alt held
    uint64_t time_ms = 0;   // host time of the event
};

// What Host::modal_opened returns for a box that the window's close box
// closes while it is open (a replay of a run where that happened).
constexpr int kAnswerCloseBox = -1;

class Host {
public:
    virtual ~Host() = default;

    // Milliseconds since the host started; never goes backwards. A host
    // pauses the game by holding this clock still (a minimised window, a
    // hidden page): no timer falls due meanwhile, and none is caught up when
    // the clock goes on.
    virtual uint64_t now_ms() = 0;

    // Waits until an event arrives or the host time reaches deadline_ms,
    // whichever comes first. Returns true and fills ev for an event, false
    // at the deadline. Must not busy-wait. A deadline in the past polls.
    virtual bool wait_event(HostEvent &ev, uint64_t deadline_ms) = 0;

    // Shows a finished frame: the client area as the game drew it, with any
    // modal box already composed on top.
    virtual void present(const Image &frame) = 0;

    // Window decorations. Title is UTF-8.
    virtual void set_title(const std::string &utf8_title) = 0;
    virtual void set_icon(const Image &icon) = 0;

    // The core made the main window visible at this client size.
    virtual void show_window(int client_width, int client_height) = 0;

    // A modal box or dialog opened (caption in UTF-8; answers lists the ids
    // it can end with: IDOK, IDYES/IDNO, or the dialog's button ids). A
    // scripted host may answer it at once by returning one of them (or
    // kAnswerCloseBox); returning 0 lets the user answer through input events.
    virtual int modal_opened(const std::string &utf8_caption, const std::vector<int> &answers) {
        (void)utf8_caption;
        (void)answers;
        return 0;
    }
    virtual void modal_closed() {}
};

// The host the core runs on; set once before WinMain runs.
void set_host(Host *host);
Host *host();

}  // namespace mub
