#include "platform/host/common/keys.h"

#include <windows.h>

namespace mub::hostkeys {

namespace {

// USB HID usage ids of the keyboard page.
constexpr int kUsageA = 0x04, kUsageZ = 0x1D, kUsage1 = 0x1E, kUsage0 = 0x27;

// The keys with a name of their own besides letters and digits, the ones
// the game and its boxes read, by position and by the page's name.
struct NamedKey {
    int usage;
    std::string_view code;
    int vk;
};
constexpr NamedKey kNamedKeys[] = {
    {0x28, "Enter", VK_RETURN},       {0x29, "Escape", VK_ESCAPE},     {0x2A, "Backspace", VK_BACK},
    {0x2B, "Tab", VK_TAB},            {0x2C, "Space", VK_SPACE},       {0x3D, "F4", VK_F4},
    {0x4F, "ArrowRight", VK_RIGHT},   {0x50, "ArrowLeft", VK_LEFT},    {0x51, "ArrowDown", VK_DOWN},
    {0x52, "ArrowUp", VK_UP},         {0x58, "NumpadEnter", VK_RETURN},
};

bool printable(char32_t c) { return c >= 0x20 && c < 0x7F; }

int vk_at(int usage) {
    if (usage >= kUsageA && usage <= kUsageZ) return 'A' + (usage - kUsageA);
    if (usage >= kUsage1 && usage < kUsage0) return '1' + (usage - kUsage1);
    if (usage == kUsage0) return '0';
    for (const NamedKey &k : kNamedKeys)
        if (k.usage == usage) return k.vk;
    return 0;
}

}  // namespace

Keystroke keystroke(int usb_usage, char32_t shown, std::string_view typed) {
    Keystroke k;
    if (typed.size() == 1 && printable(char32_t(typed[0]))) k.ch = typed[0];
    if (shown >= 'a' && shown <= 'z') k.vk = int('A' + (shown - 'a'));
    else if (shown >= 'A' && shown <= 'Z') k.vk = int(shown);
    else k.vk = vk_at(usb_usage);
    if (!k.vk && (k.ch || printable(shown))) k.vk = VK_PACKET;
    return k;
}

int usb_usage_of_code(std::string_view code) {
    if (code.size() == 4 && code.substr(0, 3) == "Key" && code[3] >= 'A' && code[3] <= 'Z')
        return kUsageA + (code[3] - 'A');
    if (code.size() == 6 && code.substr(0, 5) == "Digit" && code[5] >= '0' && code[5] <= '9')
        return code[5] == '0' ? kUsage0 : kUsage1 + (code[5] - '1');
    for (const NamedKey &k : kNamedKeys)
        if (k.code == code) return k.usage;
    return 0;
}

}  // namespace mub::hostkeys
