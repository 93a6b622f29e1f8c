#include "programs/web/recording.h"

#include <cstdint>
#include <memory>
#include <string>

#include <emscripten/emscripten.h>

#include "platform/core/core.h"
#include "sim/recorder.h"
#include "sim/state_dump.h"

// The page's side (programs/web/page/bridge.js).
EM_JS(int, mub_page_replay_size, (), { return Module.page.replay ? Module.page.replay.length : 0; });
EM_JS(void, mub_page_replay_copy, (uint8_t *bytes), {
    HEAPU8.set(Module.page.replay, bytes);
    Module.page.replay = null;
});
// 1: playing, 2: handed over to the player, -1: refused (`reason` says why).
EM_JS(void, mub_page_replay_status, (int status, const char *reason),
      { Module.page.replayStatus(status, reason ? UTF8ToString(reason) : null); });

namespace mub::web {

namespace {

mub::sim::RecordingText recording_text;
std::unique_ptr<mub::sim::Recorder> recorder;
std::string shared;  // what the last export returned, kept until the next call
mub::sim::RunFacts ended;
bool has_ended = false;

}  // namespace

std::optional<mub::sim::Script> replay_from_page(mub::core::StartOptions &options) {
    const int size = mub_page_replay_size();
    if (size <= 0) return std::nullopt;
    std::string text(size_t(size), '\0');
    mub_page_replay_copy(reinterpret_cast<uint8_t *>(text.data()));
    mub::sim::Script script;
    try {
        script = mub::sim::parse_script(text);
    } catch (const mub::sim::ScriptError &e) {
        mub_page_replay_status(-1, e.what());
        return std::nullopt;
    }
    // The page's own settings stay out of someone else's game; its edition
    // counts only where the recording names none.
    mub::core::StartOptions replayed;
    replayed.language = script.language ? std::nullopt : options.language;
    mub::sim::apply_header(script, replayed);
    replayed.after_dispatch = options.after_dispatch;
    options = replayed;
    return script;
}

void start_recording(mub::core::StartOptions &options) {
    recorder = std::make_unique<mub::sim::Recorder>(options, recording_text);
    options.on_taken = [](const mub::core::Taken &t) { recorder->take(t); };
}

void replay_playing() { mub_page_replay_status(1, nullptr); }
void replay_handed_over() { mub_page_replay_status(2, nullptr); }

void program_ended(int exit_code, bool replay_stopped) {
    if (recorder) recorder->finish(mub::core::ticks_handled());
    ended.ticks = int64_t(mub::core::ticks_handled());
    ended.quit = !replay_stopped || mub::core::main_window_destroyed();
    ended.exit_code = ended.quit ? exit_code : 0;
    has_ended = true;
}

}  // namespace mub::web

using namespace mub::web;

// The recording so far (UTF-8, NUL-ended): a replay of it reaches the state
// the game is in now; once the program has ended, the whole recording.
extern "C" EMSCRIPTEN_KEEPALIVE const char *mub_web_recording() {
    if (!recorder) return "";
    if (!has_ended) recorder->sync();
    shared = recording_text.text();
    return shared.c_str();
}

// The game's state as mubmub-sim --state writes it (without its newline).
extern "C" EMSCRIPTEN_KEEPALIVE const char *mub_web_state() {
    mub::sim::RunFacts facts = ended;
    if (!has_ended) facts = {int64_t(mub::core::ticks_handled()), false, 0};
    shared = mub::sim::game_state(facts).dump();
    return shared.c_str();
}
