// Keys as the desktop and the page report them, to the core's virtual key
// and typed character: one table for both hosts, which name a key's
// position the same way (SDL's scancodes are USB usage ids; the page's
// KeyboardEvent.code names them).
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/host/common/keys.h"

namespace {

using mub::hostkeys::keystroke;
using mub::hostkeys::usb_usage_of_code;

TEST(HostKeys, LettersByTheLayoutOthersByPositionTheRestAsPackets) {
    struct Case {
        const char *what;
        const char *code;  // where the key is
        char32_t shown;    // what the layout shows on it
        std::string typed;
        int vk;
        char ch;
    };
    const Case cases[] = {
        {"z", "KeyZ", 'z', "z", 'Z', 'z'},
        {"Shift+z", "KeyZ", 'z', "Z", 'Z', 'Z'},
        {"a French keyboard's A, where a US one has Q", "KeyQ", 'a', "a", 'A', 'a'},
        {"the page's key for Shift+A", "KeyQ", 'A', "A", 'A', 'A'},
        {"a key that shows no Latin letter", "KeyZ", 0x44F, "", 'Z', 0},
        {"a French keyboard's 1 key types &", "Digit1", '&', "&", '1', '&'},
        {"0 ends the digit row", "Digit0", '0', "0", '0', '0'},
        {"9 before it", "Digit9", '9', "9", '9', '9'},
        {"Enter types nothing printable", "Enter", '\r', "", VK_RETURN, 0},
        {"the keypad's Enter", "NumpadEnter", '\r', "", VK_RETURN, 0},
        {"Escape", "Escape", 0x1B, "", VK_ESCAPE, 0},
        {"Space types a space", "Space", ' ', " ", VK_SPACE, ' '},
        {"Tab", "Tab", '\t', "", VK_TAB, 0},
        {"Left", "ArrowLeft", 0, "", VK_LEFT, 0},
        {"Up", "ArrowUp", 0, "", VK_UP, 0},
        {"F4", "F4", 0, "", VK_F4, 0},
        {"a key with no name here that types", "Slash", '/', "?", VK_PACKET, '?'},
        {"its release, which types nothing", "Slash", '/', "", VK_PACKET, 0},
        {"text that types more than one character", "KeyZ", 'z', "zz", 'Z', 0},
        {"a key that is not read at all", "ShiftLeft", 0, "", 0, 0},
        {"F5, left to the browser", "F5", 0, "", 0, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const auto k = keystroke(usb_usage_of_code(c.code), c.shown, c.typed);
        EXPECT_EQ(k.vk, c.vk);
        EXPECT_EQ(k.ch, c.ch);
    }
}

TEST(HostKeys, PageNamesArePositionsAsSdlNumbersThem) {
    // SDL_SCANCODE_A is 4, _Z 29, _1 30, _0 39, _RETURN 40, _KP_ENTER 88.
    EXPECT_EQ(usb_usage_of_code("KeyA"), 4);
    EXPECT_EQ(usb_usage_of_code("KeyZ"), 29);
    EXPECT_EQ(usb_usage_of_code("Digit1"), 30);
    EXPECT_EQ(usb_usage_of_code("Digit0"), 39);
    EXPECT_EQ(usb_usage_of_code("Enter"), 40);
    EXPECT_EQ(usb_usage_of_code("NumpadEnter"), 88);
    for (const char *unknown : {"", "Key", "Keyz", "KeyZZ", "Digit", "Digit10", "Enterx"})
        EXPECT_EQ(usb_usage_of_code(unknown), 0) << unknown;
}

}  // namespace
