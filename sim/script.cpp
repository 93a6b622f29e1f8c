#include "sim/script.h"

#include <algorithm>
#include <charconv>
#include <sstream>

#include <windows.h>

#include "res/resource.h"

namespace mub::sim {

namespace {

// The largest client size a script may ask for: far beyond any screen, small
// enough that the framebuffer always fits in memory.
constexpr int kMaxClientSide = 8192;
constexpr int kMaxCoordinate = 1 << 20;

bool parse_int(const std::string &word, int64_t &value) {
    if (word.empty()) return false;
    const char *first = word.data();
    const char *last = word.data() + word.size();
    if (*first == '+') return false;
    const auto [ptr, ec] = std::from_chars(first, last, value);
    return ec == std::errc() && ptr == last;
}

std::vector<std::string> split_words(const std::string &line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string w; in >> w;) words.push_back(w);
    return words;
}

struct NamedKind {
    const char *name;
    ScriptEvent::Kind kind;
};
constexpr NamedKind kPlainEvents[] = {
    {"lclick", ScriptEvent::Kind::LClick},   {"rclick", ScriptEvent::Kind::RClick},
    {"ldown", ScriptEvent::Kind::LDown},     {"lup", ScriptEvent::Kind::LUp},
    {"rdown", ScriptEvent::Kind::RDown},     {"rup", ScriptEvent::Kind::RUp},
    {"ldblclk", ScriptEvent::Kind::LDblClk}, {"rdblclk", ScriptEvent::Kind::RDblClk},
    {"close", ScriptEvent::Kind::Close},
};

[[noreturn]] void fail(int line, const std::string &what) {
    throw ScriptError("script line " + std::to_string(line) + ": " + what);
}

ScriptEvent parse_line(int line_no, const std::vector<std::string> &w) {
    ScriptEvent ev;
    ev.line = line_no;
    int64_t tick = 0;
    if (!parse_int(w[0], tick) || tick < 0) fail(line_no, "'" + w[0] + "' is not a tick number (0 or more)");
    ev.tick = tick;
    if (w.size() < 2) fail(line_no, "an event is missing after the tick");
    const std::string &name = w[1];
    const size_t nargs = w.size() - 2;
    auto want_args = [&](size_t n, const char *usage) {
        if (nargs != n) fail(line_no, std::string("'") + name + "' takes " + usage);
    };

    for (const auto &p : kPlainEvents) {
        if (name == p.name) {
            ev.kind = p.kind;
            want_args(0, "no argument");
            return ev;
        }
    }
    if (name == "key") {
        ev.kind = ScriptEvent::Kind::Key;
        want_args(1, "one key: Escape, Return or one printable character");
        const std::string &k = w[2];
        const bool one_char = k.size() == 1 && k[0] > 0x20 && k[0] < 0x7F;
        if (!one_char && k != "Escape" && k != "Return")
            fail(line_no, "unknown key '" + k + "' (Escape, Return or one printable character)");
        ev.key = k;
        return ev;
    }
    if (name == "expose") {
        ev.kind = ScriptEvent::Kind::Expose;
        if (nargs == 0) return ev;
        want_args(4, "no argument or four: left top right bottom");
        int64_t v[4];
        for (int i = 0; i < 4; ++i) {
            if (!parse_int(w[2 + i], v[i]) || v[i] < -kMaxCoordinate || v[i] > kMaxCoordinate)
                fail(line_no, "'" + w[2 + i] + "' is not a coordinate");
        }
        if (v[2] < v[0] || v[3] < v[1]) fail(line_no, "the rectangle's right or bottom lies before its left or top");
        ev.has_rect = true;
        ev.left = int(v[0]), ev.top = int(v[1]), ev.right = int(v[2]), ev.bottom = int(v[3]);
        return ev;
    }
    if (name == "resize") {
        ev.kind = ScriptEvent::Kind::Resize;
        want_args(2, "two arguments: width height");
        int64_t v[2];
        for (int i = 0; i < 2; ++i) {
            if (!parse_int(w[2 + i], v[i]) || v[i] < 1 || v[i] > kMaxClientSide)
                fail(line_no, "'" + w[2 + i] + "' is not a size from 1 to " + std::to_string(kMaxClientSide));
        }
        ev.width = int(v[0]), ev.height = int(v[1]);
        return ev;
    }
    if (name == "answer") {
        ev.kind = ScriptEvent::Kind::Answer;
        want_args(1, "one answer: yes, no, ok, 1000, 1001 or 1002");
        ev.answer = parse_answer(w[2]);
        if (!ev.answer) fail(line_no, "unknown answer '" + w[2] + "' (yes, no, ok, 1000, 1001 or 1002)");
        return ev;
    }
    fail(line_no, "unknown event '" + name + "'");
}

}  // namespace

int parse_answer(const std::string &word) {
    if (word == "yes") return IDYES;
    if (word == "no") return IDNO;
    if (word == "ok") return IDOK;
    if (word == "1000") return IDC_BUTTON1;
    if (word == "1001") return IDC_BUTTON2;
    if (word == "1002") return IDC_BUTTON3;
    return 0;
}

std::vector<ScriptEvent> parse_script(const std::string &text) {
    std::vector<ScriptEvent> events;
    std::istringstream in(text);
    int line_no = 0;
    for (std::string line; std::getline(in, line);) {
        ++line_no;
        if (const auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
        const auto words = split_words(line);
        if (words.empty()) continue;
        events.push_back(parse_line(line_no, words));
    }
    std::stable_sort(events.begin(), events.end(),
                     [](const ScriptEvent &a, const ScriptEvent &b) { return a.tick < b.tick; });
    return events;
}

}  // namespace mub::sim
