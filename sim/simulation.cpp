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

void write_json_line(std::FILE *out, const nlohmann::json &j) {
    const std::string text = j.dump();
    std::fwrite(text.data(), 1, text.size(), out);
    std::fputc('\n', out);
}

}  // namespace

Simulation::Simulation(Options options, Script script)
    : options_(std::move(options)), script_(std::move(script)), player_(std::move(script_.events)) {
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
    host_.set_on_drained([this] { feed(); });
    host_.set_modal_decider([this](const std::string &c, const std::vector<int> &a) { return unanswered(c, a); });
    host_.set_wrong_answer_handler(
        [this](const std::string &c, const std::vector<int> &a, int queued) { return wrong_answer(c, a, queued); });
    mub::core::StartOptions start;
    start.after_dispatch = [this](const MSG &m) { after_dispatch(m); };
    start.language = options_.language;
    apply_header(script_, start);
    if (!start.language) start.language = mub::core::language_from_environment();
    for (const std::string &name : options_.settings)
        if (const auto *setting = mub::core::game_setting(name)) start.*(setting->on) = true;
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
    if (ending_) return;
    // What a recording says came between this tick and its paint.
    player_.tick_handled(ticks_);
    if (player_.has_due()) feed();
}

void Simulation::idle(bool waits_forever) {
    if (ending_) return;
    // Everything due is handed over now: the answers at once, the input as
    // the program takes it (feed), so a long run of input at one tick is
    // never all in memory as events.
    player_.idle(ticks_, [this](int answer) { host_.queue_answer(answer); });
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
    ScriptEvent ev;
    while (host_.pending_events() < kPushedAtMost) {
        if (player_.next(ev)) {
            deliver(ev);
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
    for (int v : answers) valid += (valid.empty() ? "" : ", ") + answer_word(v);
    fail(where(caption) + " cannot take the answer " + answer_word(queued) + " (it takes " + valid + ")");
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

void Simulation::deliver(const ScriptEvent &ev) {
    if (ev.kind == ScriptEvent::Kind::Answer) return host_.queue_answer(ev.arg.answer);
    delivering_.clear();
    to_host_events(ev, host_.client_width(), host_.client_height(), delivering_);
    for (const HostEvent &e : delivering_) host_.push_event(e);
}

}  // namespace mub::sim
