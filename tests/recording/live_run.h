// The program played as a person plays it, with the input arriving at chosen
// moments of the message loop (after a tick and before its paint, when the
// program waits, while a box is open) on a clock of the test's own, recorded
// by the recorder the desktop uses. Each run is a child process, so every
// run starts from a fresh program.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>
#include <windows.h>

#include "platform/host/headless/headless_host.h"
#include "sim/replay_host.h"

namespace rectest {

struct Act {
    enum When {
        AtIdle,       // once `tick` ticks and the paint after them are done (or later, while waiting)
        BeforePaint,  // just after tick `tick` was handled, before its paint
        InBox,        // as a box opens after `tick` ticks
    };
    When when;
    int tick;
    std::function<void(mub::headless::HeadlessHost &)> act;
};

// What runs: the game, or a program of a test's own, and what its state is.
struct Program {
    int(WINAPI *entry)(HINSTANCE, HINSTANCE, LPSTR, int);
    std::function<nlohmann::json(bool quit, int exit_code)> state;
};
Program the_game();  // WinMain, and the simulator's --state

struct Outcome {
    std::string recording;  // what the recorder wrote
    nlohmann::json state;   // the simulator's --state, at the end
    std::string error;      // why the run failed, if it did
};

// Plays from a fresh start until `ticks` ticks have been handled (the run
// then ends as the simulator's does) or the program quits, with the named
// game-changing settings on.
Outcome play_live(const std::vector<Act> &acts, int ticks, const Program &program = the_game(),
                  const std::vector<std::string> &settings = {});

// Where the replay's machine is slow (a busy machine, a page in a
// background tab): nowhere; each frame shown takes 40 ms, so the program's
// timer is already due when it next waits; or each paint does, so the
// program takes the next tick without waiting at all.
enum class Slow { Nowhere, Presents, Paints };

// Shows `recording` as mubmub --replay does, on a host with a clock of its
// own; once the recording's end is reached, presses Escape.
Outcome replay_live(const std::string &recording, const Program &program = the_game(),
                    mub::sim::ReplayHost::AtEnd at_end = mub::sim::ReplayHost::AtEnd::Hold,
                    Slow slow = Slow::Nowhere);

// Input as the window system delivers it.
void press(mub::headless::HeadlessHost &h, int button);  // down and up
void key(mub::headless::HeadlessHost &h, int vk, char ch = 0, bool alt = false);

}  // namespace rectest
