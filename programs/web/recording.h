// The page's recording of the game it plays, and the replay of a link.
//
// Every game the page runs is recorded (sim/recorder.h); the page reads the
// recording and the game's state (the simulator's JSON) through the
// exports in recording.cpp. A replay link's recording comes from the page
// (Module.page.replay, the decoded bytes, at most 1 MiB); it is read by the
// simulator's own bounded script reader, and it decides the edition and the
// settings. A recording that cannot be read is told to the page, and the
// game starts as if there had been no link.
#pragma once

#include <optional>

#include "platform/core/start.h"
#include "sim/script.h"

namespace mub::web {

// The replay the page was opened with, or none (a bad one is told to the
// page). `options` becomes what the recording names: its edition (else
// the page's) and its settings.
std::optional<mub::sim::Script> replay_from_page(mub::core::StartOptions &options);

// Records the run that `options` starts (on_taken is set here).
void start_recording(mub::core::StartOptions &options);

// The replay's progress, for the page's mark: playing, then handed over.
void replay_playing();
void replay_handed_over();

// The program ended (an Escape during a replay stops it without ending the
// game's program: the state says so as the desktop's does).
void program_ended(int exit_code, bool replay_stopped);

}  // namespace mub::web
