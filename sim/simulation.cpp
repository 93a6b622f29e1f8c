#include "sim/simulation.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include "platform/core/core.h"
#include "platform/core/start.h"
#include "platform/core/language.h"
#include "res/program_resources.h"
#include "sim/screenshot.h"
#include "sim/state_dump.h"

namespace mub::sim {

namespace {

// Where scripted mouse presses land (any point of the client area would do;
// the game never reads the position).
constexpr int kClickX = 300, kClickY = 300;

// The simulator's keyboard: a script names Escape, Return or the character
// typed. A letter or a digit is typed on its own key, the space on the space
// bar; any other character comes as a character without a key of its own
// (VK_PACKET), as Windows delivers one.
struct Keystroke {
    int vk;
    char ch;
};

Keystroke keystroke(char key) {
    if (key == ScriptEvent::kEscape) return {VK_ESCAPE, 0};
    if (key == ScriptEvent::kReturn) return {VK_RETURN, 0};
    if (key >= 'a' && key <= 'z') return {key - 'a' + 'A', key};
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return {key, key};
    if (key == ' ') return {VK_SPACE, key};
    return {VK_PACKET, key};
}

std::string answer_name(int id) {
    switch (id) {
    case IDYES: return "yes";
    case IDNO: return "no";
    case IDOK: return "ok";
    default: return std::to_string(id);
    }
}

void write_json_line(std::FILE *out, const nlohmann::json &j) {
    const std::string text = j.dump();
    std::fwrite(text.data(), 1, text.size(), out);
    std::fputc('\n', out);
}

}  // namespace

Simulation::Simulation(Options options, Script script)
    : options_(std::move(options)), script_(std::move(script)) {
    if (options_.random_seed) random_.emplace(*options_.random_seed);
}

int Simulation::run() {
    // Every output is checked and opened first, so a bad path fails before
    // the run, and each appears under its name only when all are complete.
    std::vector<OutputTarget> targets;
    std::optional<size_t> state_at, trace_at, shot_at;
    auto want = [&](const std::optional<std::string> &path, const char *option, std::optional<size_t> &at) {
        if (!path) return;
        at = targets.size();
        targets.push_back({option, *path});
    };
    want(options_.state, "--state", state_at);
    want(options_.trace, "--trace", trace_at);
    want(options_.screenshot, "--screenshot", shot_at);
    std::optional<Outputs> outputs;
    try {
        outputs.emplace(targets, options_.script);
    } catch (const OutputError &e) {
        std::fprintf(stderr, "mubmub-sim: %s\n", e.what());
        return kExitUsage;
    }
    if (trace_at) trace_ = outputs->stream(*trace_at);

    host_.set_on_idle([this](bool waits_forever) { idle(waits_forever); });
    host_.set_on_drained([this] { feed(); });
    host_.set_modal_decider([this](const std::string &c, const std::vector<int> &a) { return unanswered(c, a); });
    host_.set_wrong_answer_handler(
        [this](const std::string &c, const std::vector<int> &a, int queued) { return wrong_answer(c, a, queued); });
    mub::core::StartOptions start;
    start.after_dispatch = [this](const MSG &m) { after_dispatch(m); };
    start.language = options_.language.value_or(mub::core::language_from_environment());
    start.every_press_counts = options_.every_press_counts;
    const int code = mub::core::run_program(mub::res::program_resource_bytes(), host_, WinMain, start);

    if (!error_.empty()) {
        std::fprintf(stderr, "mubmub-sim: %s\n", error_.c_str());
        return kExitUnanswered;
    }

    RunFacts facts;
    facts.ticks = ticks_;
    facts.quit = !ending_ || mub::core::main_window_destroyed();
    facts.exit_code = facts.quit ? code : 0;
    if (state_at) write_json_line(outputs->stream(*state_at), game_state(facts));
    if (shot_at) {
        mub::Image frame = mub::core::composed_frame();
        if (frame.width <= 0 || frame.height <= 0)  // no window left: an empty (black) client
            frame = mub::Image(std::max(1, host_.client_width()), std::max(1, host_.client_height()));
        const std::vector<uint8_t> png = encode_png(frame);
        std::fwrite(png.data(), 1, png.size(), outputs->stream(*shot_at));
    }
    try {
        outputs->commit();
    } catch (const OutputError &e) {
        std::fprintf(stderr, "mubmub-sim: %s\n", e.what());
        return kExitUsage;
    }
    return kExitOk;
}

void Simulation::after_dispatch(const MSG &msg) {
    if (msg.message != WM_TIMER) return;
    ++ticks_;
    if (trace_) write_json_line(trace_, game_state(RunFacts{ticks_, false, 0}));
}

void Simulation::idle(bool waits_forever) {
    if (ending_) return;
    // Everything due is handed over now: the answers at once, the input as
    // the program takes it (feed), so a long run of input at one tick is
    // never all in memory as events.
    for (; due_ < script_.size() && script_[due_].tick <= ticks_; ++due_)
        if (script_[due_].kind == ScriptEvent::Kind::Answer) deliver(script_[due_]);
    // Random input after each tick of the run, on top of the script's.
    for (; random_ && random_done_upto_ <= ticks_ && random_done_upto_ < options_.ticks; ++random_done_upto_) {
        for (const ScriptEvent &ev : random_->events_after(random_done_upto_, host_.client_width(),
                                                           host_.client_height())) {
            if (ev.kind == ScriptEvent::Kind::Answer)
                deliver(ev);
            else
                random_due_.push_back(ev);
        }
    }
    feed();
    if (host_.pending_events() > 0) return;
    if (ticks_ >= options_.ticks) {
        end_run();
    } else if (waits_forever) {
        // No timer runs and no input will come: the run cannot go on.
        std::fprintf(stderr, "mubmub-sim: the program stopped its timer after tick %lld and waits for input; "
                             "the run ends there\n", static_cast<long long>(ticks_));
        end_run();
    }
}

void Simulation::feed() {
    constexpr size_t kPushedAtMost = 256;
    while (host_.pending_events() < kPushedAtMost) {
        if (due_ > 0) {
            const ScriptEvent ev = script_.front();
            script_.pop_front();
            --due_;
            if (ev.kind != ScriptEvent::Kind::Answer) deliver(ev);
        } else if (!random_due_.empty()) {
            deliver(random_due_.front());
            random_due_.pop_front();
        } else {
            break;
        }
    }
}

void Simulation::end_run() {
    if (ending_) return;
    ending_ = true;
    host_.freeze();
    mub::core::request_end_of_run(0);
}

void Simulation::fail(std::string message) {
    if (error_.empty()) error_ = std::move(message);
    end_run();
}

int Simulation::wrong_answer(const std::string &caption, const std::vector<int> &answers, int queued) {
    std::string valid;
    for (int v : answers) valid += (valid.empty() ? "" : ", ") + answer_name(v);
    fail(where(caption) + " cannot take the answer " + answer_name(queued) + " (it takes " + valid + ")");
    return answers.empty() ? IDOK : answers.front();  // only to close the box
}

int Simulation::unanswered(const std::string &caption, const std::vector<int> &answers) {
    if (random_) return random_->pick_answer(answers);
    fail(where(caption) + " opened with no answer queued");
    return answers.empty() ? IDOK : answers.front();  // only to close the box
}

std::string Simulation::where(const std::string &caption) const {
    return "tick " + std::to_string(ticks_ + 1) + ": the box \"" + caption + "\"";
}

void Simulation::press(int button, bool down) {
    const int x = std::clamp(kClickX, 0, std::max(0, host_.client_width() - 1));
    const int y = std::clamp(kClickY, 0, std::max(0, host_.client_height() - 1));
    if (down)
        host_.push_mouse_down(button, x, y);
    else
        host_.push_mouse_up(button, x, y);
}

void Simulation::deliver(const ScriptEvent &ev) {
    using K = ScriptEvent::Kind;
    switch (ev.kind) {
    case K::LClick: press(0, true), press(0, false); break;
    case K::RClick: press(1, true), press(1, false); break;
    case K::LDown: press(0, true); break;
    case K::LUp: press(0, false); break;
    case K::RDown: press(1, true); break;
    case K::RUp: press(1, false); break;
    case K::LDblClk:
        for (int i = 0; i < 2; ++i) press(0, true), press(0, false);
        break;
    case K::RDblClk:
        for (int i = 0; i < 2; ++i) press(1, true), press(1, false);
        break;
    case K::Key: {
        const Keystroke k = keystroke(ev.key);
        host_.push_key(k.vk, k.ch);
        host_.push_key_up(k.vk);
        break;
    }
    case K::Expose:
        if (ev.has_rect) {
            const auto &r = ev.arg.rect;
            host_.push_expose(r.left, r.top, r.right - r.left, r.bottom - r.top);
        } else {
            host_.push_expose(0, 0, host_.client_width(), host_.client_height());
        }
        break;
    case K::Resize: host_.push_resize(ev.arg.size.width, ev.arg.size.height); break;
    case K::Close: host_.push_close(); break;
    case K::Answer: host_.queue_answer(ev.arg.answer); break;
    }
}

}  // namespace mub::sim
