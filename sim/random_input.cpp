#include "sim/random_input.h"

#include <algorithm>

namespace mub::sim {

RandomInput::RandomInput(uint32_t seed) : state_(0x9E3779B97F4A7C15ull ^ seed) {}

uint64_t RandomInput::next() {  // splitmix64
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

uint32_t RandomInput::below(uint32_t n) { return n ? uint32_t(next() % n) : 0; }

std::vector<ScriptEvent> RandomInput::events_after(int64_t tick, int client_width, int client_height) {
    std::vector<ScriptEvent> out;
    auto add = [&](ScriptEvent::Kind kind) -> ScriptEvent & {
        ScriptEvent ev;
        ev.tick = tick;
        ev.kind = kind;
        out.push_back(ev);
        return out.back();
    };
    using K = ScriptEvent::Kind;

    // Presses: mostly single clicks, sometimes a button held over several ticks.
    if (one_in(10)) add(K::LClick);
    if (one_in(10)) add(K::RClick);
    if (!left_held_ && one_in(60)) add(K::LDown), left_held_ = true;
    else if (left_held_ && one_in(4)) add(K::LUp), left_held_ = false;
    if (!right_held_ && one_in(60)) add(K::RDown), right_held_ = true;
    else if (right_held_ && one_in(4)) add(K::RUp), right_held_ = false;

    // Keys: the whack game's letters and Enter; Escape rarely, since it ends the program.
    static const Keystroke kKeys[] = {key_typing('z'), key_typing('x'), key_typing('c'),
                                      key_typing('v'), key_typing('b'), kReturnKey};
    if (one_in(6)) add(K::Key).arg.key = kKeys[below(6)];
    if (one_in(20000)) add(K::Key).arg.key = kEscapeKey;

    // The window system: exposes and resizes.
    if (one_in(80)) {
        ScriptEvent &e = add(K::Expose);
        if (!one_in(3)) {
            const int w = std::max(1, client_width), h = std::max(1, client_height);
            e.has_rect = true;
            auto &r = e.arg.rect;
            r.left = int(below(uint32_t(w)));
            r.top = int(below(uint32_t(h)));
            r.right = r.left + 1 + int(below(uint32_t(w - r.left)));
            r.bottom = r.top + 1 + int(below(uint32_t(h - r.top)));
        }
    }
    if (one_in(400)) {
        ScriptEvent &e = add(K::Resize);
        e.arg.size.width = 120 + int(below(900));
        e.arg.size.height = 100 + int(below(700));
    }
    return out;
}

int RandomInput::pick_answer(const std::vector<int> &answers) {
    if (answers.empty()) return 0;
    return answers[below(uint32_t(answers.size()))];
}

}  // namespace mub::sim
