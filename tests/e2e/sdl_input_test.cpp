// The desktop host's input: SDL's key press and the text it typed become one
// key event, a key that typed nothing takes no one else's text, and presses
// on the bars around the picture do not count; a game controller plugged in
// while the game runs gives mouse and key events. Runs on SDL's offscreen
// video driver, with events pushed into SDL's queue as a keyboard would, and
// SDL's virtual joystick as the controller.
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

TEST_F(SdlInput, APadPluggedInPressesTheMouseAndKeysAndLetsGoWhenUnplugged) {
    using T = mub::HostEvent::Type;
    // An offscreen window never has the keyboard focus, without which SDL
    // drops a pad's input, as a player's window in the background does.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    EXPECT_TRUE(events({}).empty());
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.button_mask = (1u << SDL_CONTROLLER_BUTTON_MAX) - 1;
    desc.axis_mask = (1u << SDL_CONTROLLER_AXIS_MAX) - 1;
    desc.name = "test pad";
    const int index = SDL_JoystickAttachVirtualEx(&desc);
    ASSERT_GE(index, 0) << SDL_GetError();
    SDL_Joystick *stick = SDL_JoystickOpen(index);
    ASSERT_NE(stick, nullptr) << SDL_GetError();
    EXPECT_TRUE(events({}).empty()) << "plugging in presses nothing";

    struct Step {
        const char *what;
        int button = -1, axis = -1, value = 0;
        std::vector<std::pair<T, int>> want;  // type and button or virtual key
    };
    const Step steps[] = {
        {"left shoulder", SDL_CONTROLLER_BUTTON_LEFTSHOULDER, -1, 1, {{T::MouseDown, 0}}},
        // The virtual stick's axes run from -32768 to 32767; a trigger's
        // rest is the lowest.
        {"right trigger all the way", -1, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767, {{T::MouseDown, 1}}},
        {"right trigger let go", -1, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, -32768, {{T::MouseUp, 1}}},
        {"right trigger again", -1, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767, {{T::MouseDown, 1}}},
        {"A", SDL_CONTROLLER_BUTTON_A, -1, 1, {{T::KeyDown, VK_RETURN}}},
        {"A up", SDL_CONTROLLER_BUTTON_A, -1, 0, {{T::KeyUp, VK_RETURN}}},
        {"d-pad left", SDL_CONTROLLER_BUTTON_DPAD_LEFT, -1, 1, {{T::KeyDown, 'Z'}}},
    };
    for (const Step &s : steps) {
        SCOPED_TRACE(s.what);
        if (s.button >= 0) SDL_JoystickSetVirtualButton(stick, s.button, Uint8(s.value));
        else SDL_JoystickSetVirtualAxis(stick, s.axis, Sint16(s.value));
        const auto got = events({});
        ASSERT_EQ(got.size(), s.want.size());
        for (size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i].type, s.want[i].first);
            const bool key = got[i].type == T::KeyDown || got[i].type == T::KeyUp;
            EXPECT_EQ(key ? got[i].vk : got[i].button, s.want[i].second);
        }
    }
    // Unplugged with the left shoulder, the right trigger and a hole held.
    SDL_JoystickClose(stick);
    ASSERT_EQ(SDL_JoystickDetachVirtual(index), 0) << SDL_GetError();
    const auto got = events({});
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[0].type, T::MouseUp);
    EXPECT_EQ(got[1].type, T::MouseUp);
    EXPECT_NE(got[0].button, got[1].button);
    EXPECT_EQ(got[2].type, T::KeyUp);
    EXPECT_EQ(got[2].vk, 'Z');
}

}  // namespace
