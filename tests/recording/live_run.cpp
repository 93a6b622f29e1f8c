#include "tests/recording/live_run.h"

#include <chrono>
#include <csignal>
#include <fstream>
#include <sstream>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

#include <windows.h>

#include "platform/core/core.h"
#include "platform/core/start.h"
#include "res/program_resources.h"
#include "sim/recorder.h"
#include "sim/replay_host.h"
#include "sim/state_dump.h"
#include "tests/support/temp_dir.h"

namespace rectest {

namespace {

using mub::headless::HeadlessHost;
constexpr LANGID kJapanese = 0x0411;

std::string read_file(const std::filesystem::path &p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void write_file(const std::filesystem::path &p, const std::string &text) {
    std::ofstream(p, std::ios::binary) << text;
}


// Runs `body` in a child process that writes its outcome to files; waits
// for it, at most a minute.
Outcome in_child(const std::function<Outcome()> &body) {
    mubtest::TempDir dir("mub-live");
    const auto recording = dir / "recording.txt", state = dir / "state.json", error = dir / "error.txt";
    const pid_t pid = ::fork();
    if (pid < 0) return {"", nullptr, "fork failed"};
    if (pid == 0) {
        Outcome o;
        try {
            o = body();
        } catch (const std::exception &e) {
            o.error = e.what();
        }
        write_file(recording, o.recording);
        write_file(state, o.state.dump());
        write_file(error, o.error);
        ::_exit(0);
    }
    int status = 0;
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (::waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > limit) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            return {"", nullptr, "the live run did not end within a minute"};
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return {"", nullptr, "the live run crashed"};
    Outcome o;
    o.recording = read_file(recording);
    o.state = nlohmann::json::parse(read_file(state), nullptr, false);
    o.error = read_file(error);
    return o;
}

}  // namespace

Program the_game() {
    return {WinMain, [](bool quit, int code) {
                mub::sim::RunFacts facts;
                facts.ticks = int64_t(mub::core::ticks_handled());
                facts.quit = quit;
                facts.exit_code = quit ? code : 0;
                return mub::sim::game_state(facts);
            }};
}

void press(HeadlessHost &h, int button) {
    h.push_mouse_down(button, 100, 100);
    h.push_mouse_up(button, 100, 100);
}

void key(HeadlessHost &h, int vk, char ch, bool alt) {
    mub::HostEvent e;
    e.type = mub::HostEvent::Type::KeyDown;
    e.vk = vk;
    e.ch = ch;
    e.alt = alt;
    h.push_event(e);
    e.type = mub::HostEvent::Type::KeyUp;
    e.ch = 0;
    h.push_event(e);
}

Outcome play_live(const std::vector<Act> &acts, int ticks, const Program &program,
                  const std::vector<std::string> &settings) {
    return in_child([&] {
        mub::core::reset();
        HeadlessHost host(false);
        mub::sim::RecordingText text;
        mub::core::StartOptions start;
        start.language = kJapanese;
        for (const std::string &name : settings)
            if (const auto *setting = mub::core::game_setting(name)) start.*(setting->on) = true;
        mub::sim::Recorder recorder(start, text);
        std::vector<bool> done(acts.size());
        auto run_acts = [&](Act::When when, bool exact) {
            const int now = int(mub::core::ticks_handled());
            for (size_t i = 0; i < acts.size(); ++i)
                if (!done[i] && acts[i].when == when && (exact ? acts[i].tick == now : acts[i].tick <= now)) {
                    done[i] = true;
                    acts[i].act(host);
                }
        };
        bool ending = false;
        start.on_taken = [&](const mub::core::Taken &t) { recorder.take(t); };
        start.after_dispatch = [&](const MSG &m) {
            if (m.message == WM_TIMER) run_acts(Act::BeforePaint, true);
        };
        host.set_on_idle([&](bool) {
            run_acts(Act::AtIdle, false);
            if (host.pending_events() == 0 && int(mub::core::ticks_handled()) >= ticks) {
                ending = true;
                host.freeze();
                mub::core::request_end_of_run(0);
            }
        });
        host.set_modal_decider([&](const std::string &, const std::vector<int> &) {
            run_acts(Act::InBox, true);
            return 0;
        });
        const int code = mub::core::run_program(mub::res::program_resource_bytes(), host, program.entry, start);
        recorder.finish(mub::core::ticks_handled());
        return Outcome{text.text(), program.state(!ending || mub::core::main_window_destroyed(), code), ""};
    });
}

namespace {

// The headless host, with frames that take a while to show.
class SlowPresents final : public mub::Host {
public:
    explicit SlowPresents(HeadlessHost &h) : h_(h) {}
    uint64_t now_ms() override { return h_.now_ms(); }
    bool wait_event(mub::HostEvent &ev, uint64_t deadline_ms) override { return h_.wait_event(ev, deadline_ms); }
    void present(const mub::Image &frame) override {
        h_.present(frame);
        h_.advance(40);
    }
    void set_title(const std::string &t) override { h_.set_title(t); }
    void set_icon(const mub::Image &icon) override { h_.set_icon(icon); }
    void show_window(int w, int h) override { h_.show_window(w, h); }
    int modal_opened(const std::string &c, const std::vector<int> &a) override { return h_.modal_opened(c, a); }
    void modal_closed() override { h_.modal_closed(); }

private:
    HeadlessHost &h_;
};

}  // namespace

Outcome replay_live(const std::string &recording, const Program &program, mub::sim::ReplayHost::AtEnd at_end,
                    Slow slow) {
    return in_child([&] {
        mub::core::reset();
        HeadlessHost shown(false);
        SlowPresents slow_host(shown);
        mub::sim::Script script = mub::sim::parse_script(recording);
        mub::core::StartOptions start;
        mub::sim::apply_header(script, start);
        mub::sim::ReplayHost replay(slow == Slow::Presents ? static_cast<mub::Host &>(slow_host) : shown,
                                    std::move(script), at_end);
        start.after_dispatch = [&](const MSG &m) {
            if (slow == Slow::Paints && m.message == WM_PAINT) shown.advance(40);
            replay.after_dispatch(m);
        };
        shown.set_on_idle([&](bool) {
            if (replay.at_end()) shown.push_key(VK_ESCAPE);
        });
        const int code = mub::core::run_program(mub::res::program_resource_bytes(), replay, program.entry, start);
        return Outcome{"", program.state(!replay.stopped() || mub::core::main_window_destroyed(), code), ""};
    });
}

}  // namespace rectest
