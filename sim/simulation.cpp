#include "sim/simulation.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include "platform/core/core.h"
#include "platform/core/start.h"
#include "res/program_resources.h"
#include "sim/screenshot.h"
#include "sim/state_dump.h"

namespace mub::sim {

namespace {

// Where scripted mouse presses land (any point of the client area would do;
// the game never reads the position).
constexpr int kClickX = 300, kClickY = 300;

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

Simulation::Simulation(Options options, std::vector<ScriptEvent> script)
    : options_(std::move(options)), script_(std::move(script)) {
    if (options_.random_seed) random_.emplace(*options_.random_seed);
}

int Simulation::run() {
    if (!mub::core::module_readable(mub::res::program_resource_bytes())) {
        std::fprintf(stderr, "mubmub-sim: the program's resources are unreadable\n");
        return 1;
    }
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
    host_.set_modal_decider([this](const std::string &c, const std::vector<int> &a) { return answer(c, a); });
    mub::core::StartOptions start;
    start.after_dispatch = [this](const MSG &m) { after_dispatch(m); };
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
    while (next_event_ < script_.size() && script_[next_event_].tick <= ticks_) deliver(script_[next_event_++]);
    // Random input after each tick of the run, on top of the script's.
    for (; random_ && random_done_upto_ <= ticks_ && random_done_upto_ < options_.ticks; ++random_done_upto_) {
        for (const ScriptEvent &ev : random_->events_after(random_done_upto_, host_.client_width(),
                                                           host_.client_height()))
            deliver(ev);
    }
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

int Simulation::answer(const std::string &caption, const std::vector<int> &answers) {
    const int fallback = answers.empty() ? IDOK : answers.front();  // only to close the box on an error
    const std::string where = "tick " + std::to_string(ticks_ + 1) + ": the box \"" + caption + "\"";
    if (next_answer_ < answers_.size()) {
        const int a = answers_[next_answer_++];
        if (std::find(answers.begin(), answers.end(), a) != answers.end()) return a;
        std::string valid;
        for (int v : answers) valid += (valid.empty() ? "" : ", ") + answer_name(v);
        fail(where + " cannot take the answer " + answer_name(a) + " (it takes " + valid + ")");
        return fallback;
    }
    if (random_) return random_->pick_answer(answers);
    fail(where + " opened with no answer queued");
    return fallback;
}

void Simulation::press(int button, bool down) {
    mub::HostEvent ev;
    ev.type = down ? mub::HostEvent::Type::MouseDown : mub::HostEvent::Type::MouseUp;
    ev.button = button;
    ev.x = std::clamp(kClickX, 0, std::max(0, host_.client_width() - 1));
    ev.y = std::clamp(kClickY, 0, std::max(0, host_.client_height() - 1));
    host_.push_event(ev);
}

void Simulation::key(char key) {
    mub::HostEvent ev;
    ev.type = mub::HostEvent::Type::KeyDown;
    if (key == ScriptEvent::kEscape) {
        ev.key = mub::Key::Escape;
    } else if (key == ScriptEvent::kReturn) {
        ev.key = mub::Key::Return;
    } else {
        ev.key = mub::Key::Character;
        ev.ch = key;
    }
    host_.push_event(ev);
    ev.type = mub::HostEvent::Type::KeyUp;
    host_.push_event(ev);
}

void Simulation::deliver(const ScriptEvent &ev) {
    using K = ScriptEvent::Kind;
    mub::HostEvent h;
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
    case K::Key: key(ev.key); break;
    case K::Expose:
        h.type = mub::HostEvent::Type::Expose;
        if (ev.has_rect) {
            const auto &r = ev.arg.rect;
            h.x = r.left, h.y = r.top, h.width = r.right - r.left, h.height = r.bottom - r.top;
        } else {
            h.width = host_.client_width(), h.height = host_.client_height();
        }
        host_.push_event(h);
        break;
    case K::Resize:
        host_.push_resize(ev.arg.size.width, ev.arg.size.height);
        break;
    case K::Close:
        h.type = mub::HostEvent::Type::Close;
        host_.push_event(h);
        break;
    case K::Answer: answers_.push_back(ev.arg.answer); break;
    }
}

}  // namespace mub::sim
