// The simulator's input script, which is also what a recording is: one event
// a line, "T EVENT [ARG...]", to be delivered after tick T has been handled,
// after a header that may name the edition and the settings, and an end.
// Reading and writing the lines live here together (script.cpp).
#pragma once

#include <cstdint>
#include <cstdio>
#include <deque>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/start.h"
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

// A key as the core takes it: the virtual key and the character it typed
// (0: none), and whether Alt was held.
struct Keystroke {
    uint8_t vk;
    char ch;
    bool alt;
    bool operator==(const Keystroke &) const = default;
};

// The simulator's keyboard: the key that types a printable character as
// typed (a letter or a digit on its own key, the space on the space bar, any
// other character without a key of its own, VK_PACKET).
Keystroke key_typing(char ch);
extern const Keystroke kEscapeKey, kReturnKey;

struct ScriptEvent {
    enum class Kind : uint8_t {
        LClick, RClick, LDown, LUp, RDown, RUp, LDblClk, RDblClk, Key, Expose, Resize, Close, Answer, Held
    };
    // LDown, RDown: by the double-click rule, or as a recording says it arrived.
    enum class Press : uint8_t { ByRule, Plain, Double };
    // Held: the buttons.
    static constexpr uint8_t kLeft = 1, kRight = 2;

    struct Box {
        int16_t left, top, right, bottom;
    };
    struct Size {
        int16_t width, height;
    };

    int32_t tick = 0;  // deliver once this many ticks have been handled
    Kind kind = Kind::LClick;
    Press press = Press::ByRule;
    bool has_rect = false;      // Expose: a rectangle was given (else the whole client)
    bool before_paint = false;  // delivered before the paint that tick T left pending
    union {
        Box rect;              // Expose, when has_rect
        Size size;             // Resize: the new client size
        int32_t answer;        // Answer: IDYES, IDNO, IDOK, IDCANCEL, a dialog button id or kAnswerCloseBox
        Keystroke key;         // Key
        uint8_t held;          // Held: kLeft | kRight
    } arg{};
};

// A script that cannot be read; what() names the line and the fault.
class ScriptError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A whole script in memory: its events at 16 bytes each, in blocks, so that
// the largest script never needs one large block or a copy while it grows,
// and what its header and its end say.
struct Script {
    std::deque<ScriptEvent> events;          // ordered by tick; lines of one tick in file order
    std::optional<uint16_t> language;        // "lang ja|en": the edition (a LANGID)
    std::vector<std::string> settings;       // "setting NAME": the game-changing settings on
    std::optional<int64_t> end;              // "T end": the run ends after tick T
};
static_assert(sizeof(ScriptEvent) == 16);

// Reads a script line by line: each line (without its newline) and its
// number, then the whole script. Lines longer than kMaxLineBytes are the
// caller's to refuse (line_too_long).
class ScriptParser {
public:
    ScriptParser();
    ~ScriptParser();
    void line(std::string_view text, uint64_t line_no);
    Script finish();

private:
    class Impl;
    std::unique_ptr<Impl> impl_;
};
[[noreturn]] void line_too_long(uint64_t line_no);

// Reads a whole script, a line at a time. A UTF-8 byte-order mark before
// the first line is skipped.
Script read_script(std::FILE *in);
Script parse_script(std::string_view text);
// The script named on the command line: a file, or standard input for "-".
Script read_script_file(const std::string &path);

// The answer a word stands for ("yes", "no", "ok", "cancel", "1000",
// "close"...), or 0; and the word for an answer.
int parse_answer(std::string_view word);
std::string answer_word(int answer);

// The line for an event (with its newline), as read_script reads it back.
std::string format_event(const ScriptEvent &ev);
// The header lines for an edition and settings, and the end line.
std::string format_header(uint16_t language, const std::vector<std::string> &settings);
std::string format_end(int64_t tick);

// Puts what a script's header names into a program's start options: its
// edition, unless `start` names one already, and its settings, turned on.
void apply_header(const Script &script, mub::core::StartOptions &start);

// Script text as it may appear in a message (platform/text/shown.h).
using mub::text::shown;

}  // namespace mub::sim
