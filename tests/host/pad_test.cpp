// Game controllers as the game sees them: the mouse buttons and keys a
// player's hands would press, from one table for the desktop and the page.
// Presses of buttons (or pads) that give one output are one press of it;
// a release gives up what its press gave; a pad that goes away lets go.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "platform/host/common/pad.h"

namespace {

using mub::HostEvent;
using mub::pad::Button;
using mub::pad::PadInput;
using T = HostEvent::Type;

// An event as a short word: "L+" "R-" for mouse buttons, "Z+z" for a key
// press with its character, "Z-" for its release.
std::string word(const HostEvent &e) {
    auto vk = [](int v) -> std::string {
        switch (v) {
        case VK_RETURN: return "Enter";
        case VK_ESCAPE: return "Esc";
        case VK_LEFT: return "Left";
        case VK_RIGHT: return "Right";
        case VK_UP: return "Up";
        case VK_DOWN: return "Down";
        default: return std::string(1, char(v));
        }
    };
    switch (e.type) {
    case T::MouseDown:
        return std::string(e.button ? "R+" : "L+") + "@" + std::to_string(e.x) + "," + std::to_string(e.y);
    case T::MouseUp: return std::string(e.button ? "R-" : "L-");
    case T::KeyDown: return vk(e.vk) + "+" + (e.ch ? std::string(1, e.ch) : "");
    case T::KeyUp: return vk(e.vk) + "-" + (e.ch ? "?" : "");
    default: return "?";
    }
}

std::string words(const std::vector<HostEvent> &events) {
    std::string s;
    for (const HostEvent &e : events) s += (s.empty() ? "" : " ") + word(e);
    return s;
}

TEST(Pad, EachButtonIsWhatTheMouseOrKeyboardWouldPress) {
    struct Case {
        Button button;
        std::string in_play, in_a_box;  // a press and its release
    };
    const Case cases[] = {
        {Button::LeftShoulder, "L+@0,0 L-", "L+@0,0 L-"},
        {Button::LeftTrigger, "L+@0,0 L-", "L+@0,0 L-"},
        {Button::RightShoulder, "R+@0,0 R-", "R+@0,0 R-"},
        {Button::RightTrigger, "R+@0,0 R-", "R+@0,0 R-"},
        {Button::A, "Enter+ Enter-", "Enter+ Enter-"},
        {Button::Start, "Enter+ Enter-", "Enter+ Enter-"},
        {Button::Back, "Esc+ Esc-", "Esc+ Esc-"},
        // The holes as they lie in the field: 0, 2, 4 above, 1 and 3 below.
        {Button::Left, "Z+z Z-", "Left+ Left-"},
        {Button::Down, "X+x X-", "Down+ Down-"},
        {Button::Right, "C+c C-", "Right+ Right-"},
        {Button::X, "V+v V-", "V+v V-"},
        {Button::Y, "B+b B-", "B+b B-"},
        {Button::Up, "Up+ Up-", "Up+ Up-"},
        {Button::B, "", ""},
        {Button::Guide, "", ""},
        {Button::LeftStick, "", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(int(c.button));
        for (bool box : {false, true}) {
            PadInput pads;
            pads.set_box_open(box);
            for (int time = 0; time < 2; ++time) {  // the second press is the same
                auto got = pads.press(0, c.button, true);
                const auto up = pads.press(0, c.button, false);
                got.insert(got.end(), up.begin(), up.end());
                EXPECT_EQ(words(got), box ? c.in_a_box : c.in_play) << (box ? "in a box" : "in play");
            }
        }
    }
}

TEST(Pad, ButtonsThatGiveOneOutputAreOnePressOfIt) {
    PadInput pads;
    pads.set_pointer(120, 45);
    for (int time = 0; time < 2; ++time) {
        EXPECT_EQ(words(pads.press(0, Button::LeftShoulder, true)), "L+@120,45");
        EXPECT_EQ(words(pads.press(0, Button::LeftTrigger, true)), "") << "already down";
        EXPECT_EQ(words(pads.press(0, Button::LeftShoulder, true)), "") << "a button down twice";
        EXPECT_EQ(words(pads.press(0, Button::RightShoulder, true)), "R+@120,45") << "the other button: fire";
        EXPECT_EQ(words(pads.press(0, Button::LeftShoulder, false)), "") << "the trigger still holds it";
        EXPECT_EQ(words(pads.press(0, Button::LeftTrigger, false)), "L-");
        EXPECT_EQ(words(pads.press(0, Button::LeftTrigger, false)), "") << "a release without a press";
        EXPECT_EQ(words(pads.press(0, Button::RightShoulder, false)), "R-");
    }
    // A trigger: pressed from half way, let go below a quarter.
    const std::pair<double, std::string> depths[] = {
        {0.49, ""}, {0.5, "R+@120,45"}, {0.9, ""}, {0.25, ""}, {0.24, "R-"}, {0.49, ""}, {1, "R+@120,45"}, {0, "R-"},
    };
    for (const auto &[depth, want] : depths)
        EXPECT_EQ(words(pads.trigger(0, Button::RightTrigger, depth)), want) << "at " << depth;
    // Two pads hold Enter; the first going away does not let it go.
    EXPECT_EQ(words(pads.press(1, Button::A, true)), "Enter+");
    EXPECT_EQ(words(pads.press(2, Button::Start, true)), "");
    EXPECT_EQ(words(pads.unplugged(1)), "");
    EXPECT_EQ(words(pads.press(2, Button::Start, false)), "Enter-");
}

TEST(Pad, AReleaseGivesUpWhatItsPressGaveAndAPadThatGoesLetsGo) {
    PadInput pads;
    EXPECT_EQ(words(pads.press(0, Button::Left, true)), "Z+z");
    pads.set_box_open(true);
    EXPECT_EQ(words(pads.press(0, Button::Left, false)), "Z-") << "pressed in play, released in a box";
    EXPECT_EQ(words(pads.press(0, Button::Left, true)), "Left+");
    pads.set_box_open(false);
    EXPECT_EQ(words(pads.press(0, Button::Left, false)), "Left-");

    EXPECT_EQ(words(pads.press(3, Button::LeftShoulder, true)), "L+@0,0");
    EXPECT_EQ(words(pads.press(3, Button::RightTrigger, true)), "R+@0,0");
    EXPECT_EQ(words(pads.press(3, Button::Y, true)), "B+b");
    EXPECT_EQ(words(pads.press(4, Button::Y, true)), "");
    EXPECT_EQ(words(pads.unplugged(3)), "L- R-") << "what pad 4 holds stays down";
    EXPECT_EQ(words(pads.unplugged(3)), "") << "gone twice";
    EXPECT_EQ(words(pads.unplugged(4)), "B-");
    EXPECT_EQ(words(pads.press(3, Button::LeftShoulder, true)), "L+@0,0") << "plugged in again";
}

}  // namespace
