#include "sim/script.h"

#include <algorithm>
#include <charconv>
#include <memory>

#include <windows.h>

#include "platform/core/host.h"
#include "platform/core/language.h"
#include "platform/core/start.h"
#include "res/resource.h"

namespace mub::sim {

const Keystroke kEscapeKey{VK_ESCAPE, 0, false}, kReturnKey{VK_RETURN, 0, false};

Keystroke key_typing(char ch) {
    if (ch >= 'a' && ch <= 'z') return {uint8_t(ch - 'a' + 'A'), ch, false};
    if ((ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9')) return {uint8_t(ch), ch, false};
    if (ch == ' ') return {VK_SPACE, ch, false};
    return {VK_PACKET, ch, false};
}

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

// Every word of the script's language, each with its one meaning, for
// reading and writing alike.
using Kind = ScriptEvent::Kind;
struct NamedKind {
    const char *name;
    Kind kind;
};
constexpr NamedKind kEventNames[] = {
    {"lclick", Kind::LClick},   {"rclick", Kind::RClick},   {"ldown", Kind::LDown}, {"lup", Kind::LUp},
    {"rdown", Kind::RDown},     {"rup", Kind::RUp},         {"ldblclk", Kind::LDblClk},
    {"rdblclk", Kind::RDblClk}, {"key", Kind::Key},         {"expose", Kind::Expose}, {"resize", Kind::Resize},
    {"close", Kind::Close},     {"answer", Kind::Answer},   {"held", Kind::Held},
};

const char *event_name(Kind kind) {
    for (const auto &e : kEventNames)
        if (e.kind == kind) return e.name;
    return "?";
}

// Keys with a name. By itself a name is the key with what it types alone.
struct NamedKey {
    const char *name;
    uint8_t vk;
    char ch;
};
constexpr NamedKey kNamedKeys[] = {
    {"Escape", VK_ESCAPE, 0}, {"Return", VK_RETURN, 0}, {"Space", VK_SPACE, ' '}, {"Tab", VK_TAB, 0},
    {"Backspace", VK_BACK, 0}, {"F4", VK_F4, 0},        {"Left", VK_LEFT, 0},     {"Right", VK_RIGHT, 0},
    {"Up", VK_UP, 0},          {"Down", VK_DOWN, 0},     {"Packet", VK_PACKET, 0},
};

constexpr const char *kHeldWords[] = {"none", "left", "right", "both"};

struct NamedAnswer {
    const char *word;
    int answer;
};
constexpr NamedAnswer kAnswers[] = {
    {"yes", IDYES},           {"no", IDNO},             {"ok", IDOK},
    {"cancel", IDCANCEL},     {"1000", IDC_BUTTON1},    {"1001", IDC_BUTTON2},
    {"1002", IDC_BUTTON3},    {"close", mub::kAnswerCloseBox},
};
constexpr const char *kAnswerList = "yes, no, ok, cancel, 1000, 1001, 1002 or close";

bool printable(char c) { return c > 0x20 && c < 0x7F; }

std::optional<uint8_t> key_named(std::string_view word) {
    if (word.size() == 1 && ((word[0] >= 'A' && word[0] <= 'Z') || (word[0] >= '0' && word[0] <= '9')))
        return uint8_t(word[0]);
    for (const NamedKey &k : kNamedKeys)
        if (word == k.name) return k.vk;
    // Any other key by its number: 0x01 to 0xFE.
    unsigned v = 0;
    if (word.size() == 4 && word.substr(0, 2) == "0x") {
        const auto [ptr, ec] = std::from_chars(word.data() + 2, word.data() + 4, v, 16);
        if (ec == std::errc() && ptr == word.data() + 4 && v >= 1 && v <= 0xFE && word[2] != '+') return uint8_t(v);
    }
    return std::nullopt;
}

std::string key_name(uint8_t vk) {
    if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) return std::string(1, char(vk));
    for (const NamedKey &k : kNamedKeys)
        if (vk == k.vk) return k.name;
    static const char hex[] = "0123456789ABCDEF";
    return std::string("0x") + hex[vk >> 4] + hex[vk & 15];
}

// "z", "Return": the key as the simulator's keyboard types it; "Z none",
// "1 & alt": the key, what it typed ("none", "space" or the character) and
// whether Alt was held.
std::string key_words(const Keystroke &k) {
    if (!k.alt) {
        if (printable(k.ch) && key_typing(k.ch) == k) return std::string(1, k.ch);
        for (const NamedKey &n : kNamedKeys)
            if (k.vk == n.vk && k.ch == n.ch) return n.name;
    }
    const std::string typed = k.ch == ' ' ? "space" : printable(k.ch) ? std::string(1, k.ch) : "none";
    return key_name(k.vk) + " " + typed + (k.alt ? " alt" : "");
}

[[noreturn]] void fail(uint64_t line, const std::string &what) {
    throw ScriptError("script line " + std::to_string(line) + ": " + what);
}

constexpr const char *kKeyUsage =
    "one key: Escape, Return, Space, Tab or one printable character; or a key (A to Z, 0 to 9, a name, or 0x01 "
    "to 0xFE), what it typed (a character, space or none) and alt";

Keystroke parse_key(uint64_t line_no, const std::vector<std::string_view> &args) {
    if (args.size() == 1) {
        const std::string_view k = args[0];
        if (k.size() == 1 && printable(k[0])) return key_typing(k[0]);
        for (const NamedKey &n : kNamedKeys)
            if (k == n.name) return {n.vk, n.ch, false};
        fail(line_no, "unknown key " + quoted(k) + " (Escape, Return, Space, Tab or one printable character)");
    }
    if (args.size() != 2 && args.size() != 3) fail(line_no, std::string("'key' takes ") + kKeyUsage);
    Keystroke key{};
    const auto vk = key_named(args[0]);
    if (!vk) fail(line_no, "unknown key " + quoted(args[0]) + " (A to Z, 0 to 9, a name, or 0x01 to 0xFE)");
    key.vk = *vk;
    const std::string_view typed = args[1];
    if (typed.size() == 1 && printable(typed[0]))
        key.ch = typed[0];
    else if (typed == "space")
        key.ch = ' ';
    else if (typed != "none")
        fail(line_no, "what a key typed is one printable character, space or none, not " + quoted(typed));
    if (args.size() == 3) {
        if (args[2] != "alt") fail(line_no, "after what the key typed only 'alt' may follow, not " + quoted(args[2]));
        key.alt = true;
    }
    return key;
}

ScriptEvent parse_event(uint64_t line_no, int64_t tick, std::string_view name,
                        const std::vector<std::string_view> &args) {
    ScriptEvent ev;
    ev.tick = int32_t(tick);
    auto want_args = [&](size_t n, const std::string &usage) {
        if (args.size() != n) fail(line_no, quoted(name) + " takes " + usage);
    };
    const NamedKind *named = nullptr;
    for (const auto &e : kEventNames)
        if (name == e.name) named = &e;
    if (!named) fail(line_no, "unknown event " + quoted(name));
    ev.kind = named->kind;
    switch (ev.kind) {
    case Kind::LDown:
    case Kind::RDown:
        if (args.empty()) return ev;
        want_args(1, "no argument, or how the press arrived: plain or double");
        if (args[0] == "plain")
            ev.press = ScriptEvent::Press::Plain;
        else if (args[0] == "double")
            ev.press = ScriptEvent::Press::Double;
        else
            fail(line_no, "a press arrives plain or double, not " + quoted(args[0]));
        return ev;
    case Kind::Key: ev.arg.key = parse_key(line_no, args); return ev;
    case Kind::Expose: {
        if (args.empty()) return ev;
        want_args(4, "no argument or four: left top right bottom");
        int64_t v[4];
        for (int i = 0; i < 4; ++i) {
            if (parse_int(args[size_t(i)], v[i]) != Number::Ok || v[i] < -kMaxCoordinate || v[i] > kMaxCoordinate)
                fail(line_no, quoted(args[size_t(i)]) + " is not a coordinate");
        }
        if (v[2] < v[0] || v[3] < v[1]) fail(line_no, "the rectangle's right or bottom lies before its left or top");
        ev.has_rect = true;
        ev.arg.rect = {held_coordinate(v[0]), held_coordinate(v[1]), held_coordinate(v[2]), held_coordinate(v[3])};
        return ev;
    }
    case Kind::Resize: {
        want_args(2, "two arguments: width height");
        int64_t v[2];
        for (int i = 0; i < 2; ++i) {
            if (parse_int(args[size_t(i)], v[i]) != Number::Ok || v[i] < 1 || v[i] > kMaxClientSide)
                fail(line_no, quoted(args[size_t(i)]) + " is not a size from 1 to " + std::to_string(kMaxClientSide));
        }
        ev.arg.size = {int16_t(v[0]), int16_t(v[1])};
        return ev;
    }
    case Kind::Answer:
        want_args(1, std::string("one answer: ") + kAnswerList);
        ev.arg.answer = parse_answer(args[0]);
        if (!ev.arg.answer) fail(line_no, "unknown answer " + quoted(args[0]) + " (" + kAnswerList + ")");
        return ev;
    case Kind::Held:
        want_args(1, "the buttons held: none, left, right or both");
        for (uint8_t i = 0; i < 4; ++i)
            if (args[0] == kHeldWords[i]) {
                ev.arg.held = i;
                return ev;
            }
        fail(line_no, "the buttons held are none, left, right or both, not " + quoted(args[0]));
    default: want_args(0, "no argument"); return ev;
    }
}

// Before-paint events come first among their tick's, the others in file order.
bool delivered_before(const ScriptEvent &a, const ScriptEvent &b) {
    return a.tick < b.tick || (a.tick == b.tick && a.before_paint && !b.before_paint);
}

}  // namespace

// Gathers the header and the events line by line, within the limits.
class ScriptParser::Impl {
public:
    void line(std::string_view text, uint64_t line_no) {
        // Editors on Windows start a UTF-8 file with a byte-order mark.
        if (line_no == 1 && text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
        if (const size_t hash = text.find('#'); hash != std::string_view::npos) text = text.substr(0, hash);
        const auto words = split_words(text);
        if (words.empty()) return;
        if (end_line_) fail(line_no, "nothing may follow the end (line " + std::to_string(end_line_) + ")");
        if (words[0] == "lang" || words[0] == "setting") return header(line_no, words);
        int64_t tick = 0;
        const Number n = parse_int(words[0], tick);
        if (n == Number::Bad) fail(line_no, quoted(words[0]) + " is not a tick number (0 or more)");
        if (n == Number::TooLarge || tick > kMaxTick)
            fail(line_no, shown(words[0]) + " is larger than the largest tick, " + std::to_string(kMaxTick));
        if (n == Number::TooSmall || tick < 0) fail(line_no, shown(words[0]) + " is smaller than the smallest tick, 0");
        size_t at = 1;
        const bool before_paint = words.size() > at && words[at] == "before-paint";
        if (before_paint) ++at;
        if (words.size() <= at) fail(line_no, "an event is missing after the tick");
        const std::string_view name = words[at];
        const std::vector<std::string_view> args(words.begin() + std::ptrdiff_t(at) + 1, words.end());
        if (name == "end") return end(line_no, tick, before_paint, args.size());
        if (script_.events.size() == kMaxEvents) fail(line_no, "more than " + std::to_string(kMaxEvents) + " events");
        ScriptEvent ev = parse_event(line_no, tick, name, args);
        if (before_paint) {
            if (tick == 0) fail(line_no, "before-paint needs a tick that was painted after: 1 or more");
            if (ev.kind == Kind::Answer) fail(line_no, "an answer cannot come before a paint");
            ev.before_paint = true;
        }
        if (tick > latest_) latest_ = tick, latest_line_ = line_no;
        script_.events.push_back(ev);
    }

    Script finish() {
        // Scripts are nearly always written in order; sorting is then a check.
        auto &events = script_.events;
        if (!std::is_sorted(events.begin(), events.end(), delivered_before))
            std::stable_sort(events.begin(), events.end(), delivered_before);
        return std::move(script_);
    }

private:
    void header(uint64_t line_no, const std::vector<std::string_view> &w) {
        if (!script_.events.empty())
            fail(line_no, quoted(w[0]) + " belongs to the header, before the first event");
        if (w.size() != 2) fail(line_no, quoted(w[0]) + " takes one word");
        if (w[0] == "lang") {
            if (script_.language) fail(line_no, "the edition is named twice");
            const auto language = mub::core::language_from_name(w[1]);
            if (!language) fail(line_no, "unknown edition " + quoted(w[1]) + " (ja or en)");
            script_.language = *language;
            return;
        }
        const auto *setting = mub::core::game_setting(w[1]);
        if (!setting) {
            std::string known;
            for (const auto &s : mub::core::game_settings()) known += (known.empty() ? "" : ", ") + std::string(s.name);
            fail(line_no, "unknown setting " + quoted(w[1]) + (known.empty() ? "" : " (" + known + ")"));
        }
        if (std::find(script_.settings.begin(), script_.settings.end(), setting->name) != script_.settings.end())
            fail(line_no, "the setting " + quoted(w[1]) + " is named twice");
        script_.settings.push_back(setting->name);
    }

    void end(uint64_t line_no, int64_t tick, bool before_paint, size_t args) {
        if (before_paint || args != 0) fail(line_no, "'end' takes nothing but its tick");
        if (latest_ > tick)
            fail(line_no, "the end, after tick " + std::to_string(tick) + ", comes before tick " +
                              std::to_string(latest_) + " (line " + std::to_string(latest_line_) + ")");
        script_.end = tick;
        end_line_ = line_no;
    }

    Script script_;
    int64_t latest_ = -1;
    uint64_t latest_line_ = 0;
    uint64_t end_line_ = 0;
};

ScriptParser::ScriptParser() : impl_(std::make_unique<Impl>()) {}
ScriptParser::~ScriptParser() = default;
void ScriptParser::line(std::string_view text, uint64_t line_no) { impl_->line(text, line_no); }
Script ScriptParser::finish() { return impl_->finish(); }

void line_too_long(uint64_t line_no) { fail(line_no, "longer than " + std::to_string(kMaxLineBytes) + " bytes"); }

int parse_answer(std::string_view word) {
    for (const NamedAnswer &a : kAnswers)
        if (word == a.word) return a.answer;
    return 0;
}

std::string answer_word(int answer) {
    for (const NamedAnswer &a : kAnswers)
        if (answer == a.answer) return a.word;
    return std::to_string(answer);
}

std::string format_event(const ScriptEvent &ev) {
    std::string line = std::to_string(ev.tick) + (ev.before_paint ? " before-paint " : " ") + event_name(ev.kind);
    switch (ev.kind) {
    case Kind::LDown:
    case Kind::RDown:
        if (ev.press != ScriptEvent::Press::ByRule) line += ev.press == ScriptEvent::Press::Double ? " double" : " plain";
        break;
    case Kind::Key: line += " " + key_words(ev.arg.key); break;
    case Kind::Expose:
        if (ev.has_rect) {
            const auto &r = ev.arg.rect;
            for (int v : {r.left, r.top, r.right, r.bottom}) line += " " + std::to_string(v);
        }
        break;
    case Kind::Resize:
        line += " " + std::to_string(ev.arg.size.width) + " " + std::to_string(ev.arg.size.height);
        break;
    case Kind::Answer: line += " " + answer_word(ev.arg.answer); break;
    case Kind::Held: line += std::string(" ") + kHeldWords[ev.arg.held & 3]; break;
    default: break;
    }
    return line + "\n";
}

std::string format_header(uint16_t language, const std::vector<std::string> &settings) {
    std::string text = "lang " + std::string(mub::core::language_name(language)) + "\n";
    for (const std::string &s : settings) text += "setting " + s + "\n";
    return text;
}

std::string format_end(int64_t tick) { return std::to_string(tick) + " end\n"; }

void apply_header(const Script &script, mub::core::StartOptions &start) {
    if (!start.language) start.language = script.language;
    for (const std::string &name : script.settings)
        if (const auto *setting = mub::core::game_setting(name)) start.*(setting->on) = true;
}

Script parse_script(std::string_view text) {
    ScriptParser parser;
    for (uint64_t line_no = 1; !text.empty(); ++line_no) {
        const size_t end = std::min(text.find('\n'), text.size());
        if (end > kMaxLineBytes) line_too_long(line_no);
        parser.line(text.substr(0, end), line_no);
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return parser.finish();
}

}  // namespace mub::sim
