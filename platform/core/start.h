// The one start-up of the program, shared by every program's main (desktop,
// browser, simulator): the program's module from its compiled resources, the
// host the core runs on, then the program's entry point, as the Windows
// loader calls WinMain.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string_view>

#include <windows.h>

#include "platform/core/host.h"
#include "platform/core/taken.h"

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
    // Told everything the core takes from the host (taken.h), for as long
    // as the program runs: what a recording is made of.
    std::function<void(const Taken &)> on_taken;

    // Settings that change the game (game_settings() below).

    // A second press of a button within the double-click time arrives as a
    // plain press (set_every_press_counts), for players who tap fast.
    bool every_press_counts = false;
};

// The settings' names.
inline constexpr char kEveryPressCounts[] = "every-press-counts";

// The settings that change the game, each a switch of StartOptions that is
// off by default, under the one name that command lines ("--" before it)
// and recordings use for it. A recording names those that were on, and a
// replay turns them on again.
struct GameSetting {
    const char *name;
    bool StartOptions::*on;
};
std::span<const GameSetting> game_settings();
const GameSetting *game_setting(std::string_view name);  // null for a name not in the list

// Whether compiled resources can be the program's module: read to their end,
// with every bitmap, icon and dialog in them whole. Each program checks before
// it starts, since a program on a cut or foreign download would start and
// show nothing.
bool module_readable(std::span<const uint8_t> compiled_resources);

// Loads the module from compiled_resources (whose bytes must outlive the
// process), runs entry on host and returns its exit code. The host is set
// only while entry runs.
int run_program(std::span<const uint8_t> compiled_resources, Host &host, EntryPoint entry,
                const StartOptions &options = {});

}  // namespace mub::core
