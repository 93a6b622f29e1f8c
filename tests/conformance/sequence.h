// Message sequences as tables, compared the way Wine's user32 tests compare
// them: each expected entry names a message, whether the window procedure got
// it sent (called directly) or posted (dispatched from the queue: posted
// messages, input, WM_PAINT, WM_TIMER), and the parameters where they matter;
// an optional entry may be missing. Where our core departs from Windows and
// the program does not mind, the table says so: a windows_only entry is
// expected on Windows alone, a core_only entry on our core alone.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace conftest {

enum MessageFlags : unsigned {
    sent = 1,
    posted = 2,
    wparam = 4,    // compare wParam
    lparam = 8,    // compare lParam
    optional = 16,  // may be absent; when present, all it says must hold
    windows_only = 32,
    core_only = 64
};

struct Message {
    UINT message;
    unsigned flags;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

// What the window procedure got: flags is sent or posted.
struct Seen {
    UINT message;
    unsigned flags;
    WPARAM wParam;
    LPARAM lParam;
};

// The lParam of a mouse message or WM_SIZE.
constexpr LPARAM xy(int x, int y) { return LPARAM(uint32_t(uint16_t(x)) | (uint32_t(uint16_t(y)) << 16)); }

std::string message_name(UINT message);

// Every difference between the table (its entries for the platform that
// runs it) and what was seen, both listed in full.
testing::AssertionResult matches_sequence(const std::vector<Message> &expected, const std::vector<Seen> &seen);

}  // namespace conftest
