// One run of the program on the headless host: feeds the script between
// ticks, counts the ticks, answers the boxes, ends the run and writes the
// requested outputs.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <windows.h>

#include "platform/host/headless/headless_host.h"
#include "sim/outputs.h"
#include "sim/random_input.h"
#include "sim/script.h"
#include "sim/script_player.h"

namespace mub::sim {

// What to run and which outputs to write.
struct Options {
    int64_t ticks = -1;
    std::optional<std::string> script;  // a path, or "-" for standard input
    std::optional<std::string> state;
    std::optional<std::string> trace;
    std::optional<std::string> screenshot;
    std::optional<uint32_t> random_seed;
    std::optional<uint16_t> language;  // --lang: the UI language (a LANGID); else the script's, else the environment's
    std::vector<std::string> settings;  // game-changing settings on, by name (core::game_settings()), besides the script's
};

// Exit statuses of mubmub-sim.
constexpr int kExitOk = 0;
constexpr int kExitUsage = 2;       // bad arguments, bad script, an output that cannot be written
constexpr int kExitUnanswered = 3;  // a box opened that the script did not answer

class Simulation {
public:
    Simulation(Options options, Script script);
    int run();  // the exit status; error messages go to standard error

private:
    void after_dispatch(const MSG &msg);
    void idle(bool waits_forever);
    void feed();
    int unanswered(const std::string &caption, const std::vector<int> &answers);
    int wrong_answer(const std::string &caption, const std::vector<int> &answers, int queued);
    std::string where(const std::string &caption) const;
    void deliver(const ScriptEvent &ev);
    void end_run();
    void fail(std::string message);

    Options options_;
    Script script_;          // its header; its events went to the player
    ScriptPlayer player_;
    std::vector<HostEvent> delivering_;
    std::deque<ScriptEvent> random_due_;  // drawn for ticks handled, after the script's
    std::optional<RandomInput> random_;
    int64_t random_done_upto_ = 0;  // random events delivered for ticks below this
    mub::headless::HeadlessHost host_{/*keep_frames=*/false};
    int64_t ticks_ = 0;
    bool ending_ = false;
    std::string error_;
    std::FILE *trace_ = nullptr;  // owned by the run's outputs
};

}  // namespace mub::sim
