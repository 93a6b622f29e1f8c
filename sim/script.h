// The simulator's input script: one event a line, "T EVENT [ARG]", to be
// delivered after tick T has been handled.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace mub::sim {

struct ScriptEvent {
    enum class Kind { LClick, RClick, LDown, LUp, RDown, RUp, LDblClk, RDblClk, Key, Expose, Resize, Close, Answer };
    int line = 0;       // in the script, from 1; 0 for generated events
    int64_t tick = 0;   // deliver once this many ticks have been handled
    Kind kind = Kind::LClick;
    // Key: the key's name ("Escape", "Return") or one character.
    std::string key;
    // Expose: left, top, right, bottom (whole client when !has_rect).
    bool has_rect = false;
    int left = 0, top = 0, right = 0, bottom = 0;
    // Resize: the new client size.
    int width = 0, height = 0;
    // Answer: IDYES, IDNO, IDOK or a dialog button id.
    int answer = 0;
};

// A script that cannot be read; what() names the line and the fault.
class ScriptError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Parses a whole script. Events come back ordered by tick; lines with the
// same tick keep their order in the file.
std::vector<ScriptEvent> parse_script(const std::string &text);

// The answer a word stands for ("yes", "no", "ok", "1000"...), or 0.
int parse_answer(const std::string &word);

}  // namespace mub::sim
