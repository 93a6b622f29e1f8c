// The desktop host's input: SDL's key press and the text it typed become one
// key event, a key that typed nothing takes no one else's text, and presses
// on the bars around the picture do not count. Runs on SDL's offscreen
// video driver, with events pushed into SDL's queue as a keyboard would.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/host/sdl/sdl_host.h"

namespace {

SDL_Event key(Uint32 type, SDL_Scancode scancode, SDL_Keycode sym, bool repeat = false) {
    SDL_Event e{};
    e.type = type;
    e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    e.key.repeat = repeat;
    e.key.keysym.scancode = scancode;
    e.key.keysym.sym = sym;
    return e;
}

SDL_Event text(const char *typed) {
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    std::strncpy(e.text.text, typed, sizeof e.text.text - 1);
    return e;
}

class SdlInput : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        host = std::make_unique<mub::sdl::SdlHost>();
        host->show_window(592, 543);
        SDL_PumpEvents();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);  // the window's own
    }
    void TearDown() override {
        host.reset();
        unsetenv("SDL_VIDEODRIVER");
    }
    std::vector<mub::HostEvent> events(std::vector<SDL_Event> pushed) {
        for (SDL_Event &e : pushed) SDL_PushEvent(&e);
        std::vector<mub::HostEvent> got;
        mub::HostEvent ev;
        while (host->wait_event(ev, 0)) got.push_back(ev);
        return got;
    }
    std::unique_ptr<mub::sdl::SdlHost> host;
};

TEST_F(SdlInput, APressAndItsTextAreOneKeyEvent) {
    using T = mub::HostEvent::Type;
    const auto got = events({
        key(SDL_KEYDOWN, SDL_SCANCODE_Z, SDLK_z), text("z"),
        key(SDL_KEYDOWN, SDL_SCANCODE_Z, SDLK_z, true), text("Z"),  // held, with Shift
        key(SDL_KEYUP, SDL_SCANCODE_Z, SDLK_z),
        key(SDL_KEYDOWN, SDL_SCANCODE_ESCAPE, SDLK_ESCAPE),  // types nothing: the next key's text is not its own
        key(SDL_KEYDOWN, SDL_SCANCODE_X, SDLK_x), text("x"),
        text("?"),  // text with no key press (an input method's)
        key(SDL_KEYDOWN, SDL_SCANCODE_LSHIFT, SDLK_LSHIFT),  // never read
    });
    struct Want {
        T type;
        int vk;
        char ch;
        bool repeat;
    };
    const std::vector<Want> want{
        {T::KeyDown, 'Z', 'z', false}, {T::KeyDown, 'Z', 'Z', true}, {T::KeyUp, 'Z', 0, false},
        {T::KeyDown, VK_ESCAPE, 0, false}, {T::KeyDown, 'X', 'x', false},
        {T::KeyDown, VK_PACKET, '?', false}, {T::KeyUp, VK_PACKET, 0, false},
    };
    ASSERT_EQ(got.size(), want.size());
    for (size_t i = 0; i < want.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(got[i].type, want[i].type);
        EXPECT_EQ(got[i].vk, want[i].vk);
        EXPECT_EQ(got[i].ch, want[i].ch);
        EXPECT_EQ(got[i].repeat, want[i].repeat);
    }
}

}  // namespace
