// The one start-up of the program, shared by every program's main (desktop,
// browser, simulator): the program's module from its compiled resources, the
// host the core runs on, then the program's entry point, as the Windows
// loader calls WinMain.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>

#include <windows.h>

#include "platform/core/host.h"

namespace mub::core {

using EntryPoint = int(WINAPI *)(HINSTANCE, HINSTANCE, LPSTR, int);

// How the program is started. The defaults are the original's: the place
// for choices that a program passes on (a language, settings that change
// the game) as they come.
struct StartOptions {
    // The UI language the program's resources are chosen by (a LANGID), as
    // Windows gives every program the user's; unset: the core's default,
    // Japanese.
    std::optional<LANGID> language;
    // Called after every DispatchMessageA returns, in top-level and nested
    // (modal) loops alike, for as long as the program runs.
    std::function<void(const MSG &)> after_dispatch;

    // Settings that change the game. Each has one name (below) for the
    // command line of every program (with "--" before it) and for whatever
    // records a run, so that a replay runs the same game.

    // A second press of a button within the double-click time arrives as a
    // plain press (set_every_press_counts), for players who tap fast.
    bool every_press_counts = false;
};

// The settings' names.
inline constexpr char kEveryPressCounts[] = "every-press-counts";

// Loads the module from compiled_resources (whose bytes must outlive the
// process), runs entry on host and returns its exit code. The host is set
// only while entry runs.
int run_program(std::span<const uint8_t> compiled_resources, Host &host, EntryPoint entry,
                const StartOptions &options = {});

}  // namespace mub::core
