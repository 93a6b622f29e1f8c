// The one start-up of the program, shared by every program's main (desktop,
// browser, simulator): the program's module from its compiled resources, the
// host the core runs on, then the program's entry point, as the Windows
// loader calls WinMain.
#pragma once

#include <cstdint>
#include <functional>
#include <span>

#include <windows.h>

#include "platform/core/host.h"

namespace mub::core {

using EntryPoint = int(WINAPI *)(HINSTANCE, HINSTANCE, LPSTR, int);

// How the program is started. The defaults are the original's: the place
// for choices that a program passes on (a language, settings that change
// the game) as they come.
struct StartOptions {
    // Called after every DispatchMessageA returns, in top-level and nested
    // (modal) loops alike, for as long as the program runs.
    std::function<void(const MSG &)> after_dispatch;
};

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
