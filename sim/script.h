// The simulator's input script: one event a line, "T EVENT [ARG]", to be
// delivered after tick T has been handled.
#pragma once

#include <cstdint>
#include <cstdio>
#include <deque>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text/shown.h"

namespace mub::sim {

// Bounds on what a script may ask for, so that no input can make the
// simulator run out of memory: each is far beyond any real script.
constexpr int64_t kMaxTick = 1'000'000'000;  // about a year of virtual time
constexpr size_t kMaxLineBytes = 4096;
constexpr size_t kMaxEvents = 10'000'000;
// Expose coordinates beyond this reach past any client (8192 at most) and
// act as if they were on it; they are held at it, so an event fits 16 bytes.
constexpr int kMaxHeldCoordinate = 32767;

struct ScriptEvent {
    enum class Kind : uint8_t { LClick, RClick, LDown, LUp, RDown, RUp, LDblClk, RDblClk, Key, Expose, Resize, Close, Answer };
    static constexpr char kEscape = 0x1B, kReturn = '\r';

    struct Box {
        int16_t left, top, right, bottom;
    };
    struct Size {
        int16_t width, height;
    };

    int32_t tick = 0;  // deliver once this many ticks have been handled
    Kind kind = Kind::LClick;
    char key = 0;           // Key: one printable character as typed, kEscape or kReturn
    bool has_rect = false;  // Expose: a rectangle was given (else the whole client)
    union {
        Box rect;        // Expose, when has_rect
        Size size;       // Resize: the new client size
        int32_t answer;  // Answer: IDYES, IDNO, IDOK or a dialog button id
    } arg{};
};

// A script that cannot be read; what() names the line and the fault.
class ScriptError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A whole script in memory: 16 bytes an event, in blocks, so that the
// largest script never needs one large block or a copy while it grows.
using Script = std::deque<ScriptEvent>;
static_assert(sizeof(ScriptEvent) == 16);

// Reads a whole script, a line at a time. Events come back ordered by tick;
// lines with the same tick keep their order in the file. A UTF-8 byte-order
// mark before the first line is skipped.
Script read_script(std::FILE *in);
Script parse_script(std::string_view text);
// The script named on the command line: a file, or standard input for "-".
Script read_script_file(const std::string &path);

// The answer a word stands for ("yes", "no", "ok", "1000"...), or 0.
int parse_answer(std::string_view word);

// Script text as it may appear in a message (platform/text/shown.h).
using mub::text::shown;

}  // namespace mub::sim
