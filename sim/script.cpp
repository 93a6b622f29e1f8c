#include "sim/script.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <memory>

#include <sys/stat.h>

#include <windows.h>

#include "res/resource.h"
#include "sim/output_files.h"

namespace mub::sim {

namespace {

// The largest client size a script may ask for: far beyond any screen, small
// enough that the framebuffer always fits in memory. A resize costs time in
// proportion to the new client area (the whole client is erased, as Windows
// does for a window whose class redraws on resizing): about a second at the
// largest size.
constexpr int kMaxClientSide = 8192;
constexpr int kMaxCoordinate = 1 << 20;

enum class Number { Ok, Bad, TooLarge, TooSmall };

// A whole word of decimal digits, with a minus sign allowed in front.
Number parse_int(std::string_view word, int64_t &value) {
    if (word.empty() || word[0] == '+') return Number::Bad;
    const auto [ptr, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (ec == std::errc::result_out_of_range && ptr == word.data() + word.size())
        return word[0] == '-' ? Number::TooSmall : Number::TooLarge;
    return ec == std::errc() && ptr == word.data() + word.size() ? Number::Ok : Number::Bad;
}

int16_t held_coordinate(int64_t v) {
    return int16_t(std::clamp<int64_t>(v, -kMaxHeldCoordinate, kMaxHeldCoordinate));
}

bool is_space(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::vector<std::string_view> split_words(std::string_view line) {
    std::vector<std::string_view> words;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && is_space(line[i])) ++i;
        const size_t start = i;
        while (i < line.size() && !is_space(line[i])) ++i;
        if (i > start) words.push_back(line.substr(start, i - start));
    }
    return words;
}

std::string quoted(std::string_view word) { return "'" + shown(word) + "'"; }

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

[[noreturn]] void fail(uint64_t line, const std::string &what) {
    throw ScriptError("script line " + std::to_string(line) + ": " + what);
}

ScriptEvent parse_line(uint64_t line_no, const std::vector<std::string_view> &w) {
    ScriptEvent ev;
    int64_t tick = 0;
    const Number n = parse_int(w[0], tick);
    if (n == Number::Bad) fail(line_no, quoted(w[0]) + " is not a tick number (0 or more)");
    if (n == Number::TooLarge || tick > kMaxTick)
        fail(line_no, shown(w[0]) + " is larger than the largest tick, " + std::to_string(kMaxTick));
    if (n == Number::TooSmall || tick < 0) fail(line_no, shown(w[0]) + " is smaller than the smallest tick, 0");
    ev.tick = int32_t(tick);
    if (w.size() < 2) fail(line_no, "an event is missing after the tick");
    const std::string_view name = w[1];
    const size_t nargs = w.size() - 2;
    auto want_args = [&](size_t n, const char *usage) {
        if (nargs != n) fail(line_no, quoted(name) + " takes " + usage);
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
        const std::string_view k = w[2];
        if (k.size() == 1 && k[0] > 0x20 && k[0] < 0x7F)
            ev.key = k[0];
        else if (k == "Escape")
            ev.key = ScriptEvent::kEscape;
        else if (k == "Return")
            ev.key = ScriptEvent::kReturn;
        else
            fail(line_no, "unknown key " + quoted(k) + " (Escape, Return or one printable character)");
        return ev;
    }
    if (name == "expose") {
        ev.kind = ScriptEvent::Kind::Expose;
        if (nargs == 0) return ev;
        want_args(4, "no argument or four: left top right bottom");
        int64_t v[4];
        for (int i = 0; i < 4; ++i) {
            if (parse_int(w[2 + i], v[i]) != Number::Ok || v[i] < -kMaxCoordinate || v[i] > kMaxCoordinate)
                fail(line_no, quoted(w[2 + i]) + " is not a coordinate");
        }
        if (v[2] < v[0] || v[3] < v[1]) fail(line_no, "the rectangle's right or bottom lies before its left or top");
        ev.has_rect = true;
        ev.arg.rect = {held_coordinate(v[0]), held_coordinate(v[1]), held_coordinate(v[2]), held_coordinate(v[3])};
        return ev;
    }
    if (name == "resize") {
        ev.kind = ScriptEvent::Kind::Resize;
        want_args(2, "two arguments: width height");
        int64_t v[2];
        for (int i = 0; i < 2; ++i) {
            if (parse_int(w[2 + i], v[i]) != Number::Ok || v[i] < 1 || v[i] > kMaxClientSide)
                fail(line_no, quoted(w[2 + i]) + " is not a size from 1 to " + std::to_string(kMaxClientSide));
        }
        ev.arg.size = {int16_t(v[0]), int16_t(v[1])};
        return ev;
    }
    if (name == "answer") {
        ev.kind = ScriptEvent::Kind::Answer;
        want_args(1, "one answer: yes, no, ok, 1000, 1001 or 1002");
        ev.arg.answer = parse_answer(w[2]);
        if (!ev.arg.answer) fail(line_no, "unknown answer " + quoted(w[2]) + " (yes, no, ok, 1000, 1001 or 1002)");
        return ev;
    }
    fail(line_no, "unknown event " + quoted(name));
}

// Gathers events line by line, within the limits.
class Parser {
public:
    void line(std::string_view text, uint64_t line_no) {
        // Editors on Windows start a UTF-8 file with a byte-order mark.
        if (line_no == 1 && text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
        if (const size_t hash = text.find('#'); hash != std::string_view::npos) text = text.substr(0, hash);
        const auto words = split_words(text);
        if (words.empty()) return;
        if (events_.size() == kMaxEvents)
            fail(line_no, "more than " + std::to_string(kMaxEvents) + " events");
        events_.push_back(parse_line(line_no, words));
    }
    Script finish() {
        auto by_tick = [](const ScriptEvent &a, const ScriptEvent &b) { return a.tick < b.tick; };
        // Scripts are nearly always written in order; sorting is then a check.
        if (!std::is_sorted(events_.begin(), events_.end(), by_tick))
            std::stable_sort(events_.begin(), events_.end(), by_tick);
        return std::move(events_);
    }

private:
    Script events_;
};

[[noreturn]] void line_too_long(uint64_t line_no) {
    fail(line_no, "longer than " + std::to_string(kMaxLineBytes) + " bytes");
}

}  // namespace

int parse_answer(std::string_view word) {
    if (word == "yes") return IDYES;
    if (word == "no") return IDNO;
    if (word == "ok") return IDOK;
    if (word == "1000") return IDC_BUTTON1;
    if (word == "1001") return IDC_BUTTON2;
    if (word == "1002") return IDC_BUTTON3;
    return 0;
}

Script read_script(std::FILE *in) {
    Parser parser;
    std::string line;  // the start of a line that a block cut in two
    std::vector<char> block(size_t(64) << 10);
    uint64_t line_no = 1;
    for (;;) {
        const size_t got = std::fread(block.data(), 1, block.size(), in);
        if (got == 0) {
            if (std::ferror(in)) throw ScriptError(std::string("cannot read the script: ") + files::error_text(errno));
            parser.line(line, line_no);
            return parser.finish();
        }
        std::string_view rest(block.data(), got);
        for (size_t end; (end = rest.find('\n')) != std::string_view::npos; rest.remove_prefix(end + 1), ++line_no) {
            if (line.size() + end > kMaxLineBytes) line_too_long(line_no);
            if (line.empty()) {
                parser.line(rest.substr(0, end), line_no);
            } else {
                line.append(rest.substr(0, end));
                parser.line(line, line_no);
                line.clear();
            }
        }
        if (line.size() + rest.size() > kMaxLineBytes) line_too_long(line_no);
        line.append(rest);
    }
}

Script parse_script(std::string_view text) {
    Parser parser;
    for (uint64_t line_no = 1; !text.empty(); ++line_no) {
        const size_t end = std::min(text.find('\n'), text.size());
        if (end > kMaxLineBytes) line_too_long(line_no);
        parser.line(text.substr(0, end), line_no);
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return parser.finish();
}

Script read_script_file(const std::string &path) {
    const bool from_stdin = path == "-";
    const std::string name = from_stdin ? "from standard input" : shown(path);
    auto refuse = [&](const std::string &why) -> Script {
        throw ScriptError("cannot read the script " + name + ": " + why);
    };
    // A directory opens like a file and then reads as empty: refuse it first.
    struct stat st;
    if ((from_stdin ? ::fstat(0, &st) : ::stat(path.c_str(), &st)) != 0) return refuse(files::error_text(errno));
    if (S_ISDIR(st.st_mode)) return refuse(files::error_text(EISDIR));
    if (from_stdin) return read_script(stdin);
    std::unique_ptr<std::FILE, int (*)(std::FILE *)> file(files::open_for_reading(path), &std::fclose);
    if (!file) return refuse(files::error_text(errno));
    return read_script(file.get());
}

}  // namespace mub::sim
