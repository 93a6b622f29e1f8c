// The desktop program: the game on a real window, and what a bug report
// needs: a recording of the game as it is played, its replay in the window,
// and the game's state at the end (the simulator's JSON).
//
//   mubmub [--lang ja|en] [--record FILE] [--replay FILE] [--state FILE] [--SETTING...]
#define SDL_MAIN_HANDLED
#include <cstdio>
#include <exception>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <windows.h>

#include "platform/core/core.h"
#include "platform/core/language.h"
#include "platform/core/start.h"
#include "platform/host/sdl/sdl_host.h"
#include "platform/text/shown.h"
#include "programs/desktop/options.h"
#include "programs/desktop/recording_file.h"
#include "res/program_resources.h"
#include "sim/outputs.h"
#include "sim/recorder.h"
#include "sim/replay_host.h"
#include "sim/script.h"
#include "sim/state_dump.h"

namespace {

constexpr int kExitUsage = 2;

int refuse(const std::string &what) {
    std::fprintf(stderr, "mubmub: %s\n", what.c_str());
    return kExitUsage;
}

// Two of the files named on the command line are one file.
bool same_file(const std::string &a, const std::string &b) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (fs::exists(a, ec) && fs::exists(b, ec)) return fs::equivalent(a, b, ec);
    return fs::weakly_canonical(a, ec) == fs::weakly_canonical(b, ec);
}

}  // namespace

int main(int argc, char **argv) {
    using namespace mub;
    using mub::text::shown;
    if (!core::module_readable(res::program_resource_bytes())) {
        std::fprintf(stderr, "mubmub: the program's resources are unreadable\n");
        return 1;
    }
    desktop::Options options;
    try {
        options = desktop::parse_options(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const desktop::UsageError &e) {
        std::fprintf(stderr, "mubmub: %s\n%s", e.what(), desktop::kUsage);
        return kExitUsage;
    }
    if (options.help) {
        std::fputs(desktop::kUsage, stdout);
        return 0;
    }
    const struct {
        const char *a, *b;
        const std::optional<std::string> &pa, &pb;
    } pairs[] = {{"--record", "--replay", options.record, options.replay},
                 {"--record", "--state", options.record, options.state},
                 {"--replay", "--state", options.replay, options.state}};
    for (const auto &p : pairs)
        if (p.pa && p.pb && same_file(*p.pa, *p.pb))
            return refuse(std::string(p.a) + " and " + p.b + " name the same file, " + shown(*p.pa));

    // A recording to watch brings its edition and settings (--lang still chooses).
    std::optional<sim::Script> replay;
    if (options.replay) {
        try {
            replay = sim::read_script_file(*options.replay);
        } catch (const sim::ScriptError &e) {
            return refuse(std::string("--replay: ") + e.what());
        }
        sim::apply_header(*replay, options.start);
    }
    if (!options.start.language) options.start.language = core::language_from_environment();

    std::unique_ptr<desktop::RecordingFile> recording_file;
    std::unique_ptr<sim::Recorder> recorder;
    if (options.record) {
        try {
            recording_file = std::make_unique<desktop::RecordingFile>(*options.record);
        } catch (const std::exception &e) {
            return refuse("--record " + shown(*options.record) + ": " + e.what());
        }
        recorder = std::make_unique<sim::Recorder>(options.start, *recording_file);
        options.start.on_taken = [&recorder](const core::Taken &t) { recorder->take(t); };
    }

    try {
        sdl::SdlHost window(options.window);
        // After the window system is up, so that its signals (Ctrl+C) still
        // close the window; before the window shows.
        std::optional<sim::Outputs> outputs;
        if (options.state) {
            try {
                outputs.emplace(std::vector<sim::OutputTarget>{{"--state", *options.state}}, options.replay);
            } catch (const sim::OutputError &e) {
                return refuse(e.what());
            }
        }
        std::optional<sim::ReplayHost> replay_host;
        if (replay) {
            replay_host.emplace(window, std::move(*replay));
            options.start.after_dispatch = [&replay_host](const MSG &m) { replay_host->after_dispatch(m); };
        }
        Host &host = replay_host ? static_cast<Host &>(*replay_host) : window;
        const int code = core::run_program(res::program_resource_bytes(), host, WinMain, options.start);

        int status = code;
        if (recorder) {
            recorder->finish(core::ticks_handled());
            if (!recording_file->close()) status = refuse("--record " + shown(*options.record) + ": " + recording_file->error());
        }
        if (outputs) {
            sim::RunFacts facts;
            facts.ticks = int64_t(core::ticks_handled());
            // A replay that Escape stopped did not end the program.
            facts.quit = !(replay_host && replay_host->stopped()) || core::main_window_destroyed();
            facts.exit_code = facts.quit ? code : 0;
            const std::string text = sim::game_state(facts).dump() + "\n";
            std::fwrite(text.data(), 1, text.size(), outputs->stream(0));
            try {
                outputs->commit();
            } catch (const sim::OutputError &e) {
                status = refuse(e.what());
            }
        }
        return status;
    } catch (const std::exception &e) {
        std::fprintf(stderr, "mubmub: %s\n", e.what());
        return 1;
    }
}
