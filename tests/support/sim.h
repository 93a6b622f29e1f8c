// Runs the real program in the simulator (mubmub-sim, a separate process, so
// every run starts from a fresh program) and gives back what it reported.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace mubtest {

struct Screenshot {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;  // 0x00RRGGBB, top row first
    uint32_t at(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};

struct SimRun {
    int exit_status = -1;          // of the mubmub-sim process
    std::string stderr_text;       // what it printed on standard error
    nlohmann::json state;          // --state: the globals after the run (null if not written)
    std::vector<nlohmann::json> trace;  // --trace: one object per tick handled
    std::optional<Screenshot> screenshot;  // --screenshot, when asked for
};

struct SimOptions {
    std::string script;            // the script's text ("T EVENT [ARG]" lines)
    bool trace = false;
    bool screenshot = false;
    std::optional<uint32_t> random_seed{};
    std::vector<std::string> extra_args{};
    // The locale variables the simulator sees ("LANG=de_DE.UTF-8"); the
    // tests' own are never passed on, so every run is Japanese unless told.
    std::vector<std::string> env{};
};

// Runs from a fresh start for the given number of ticks (-1: as many as the
// script's end line names, without --ticks).
SimRun run_sim(int ticks, const SimOptions &options = {});

// Scripts that reach a scene from a fresh start, with the ticks they take:
// each returns the script text and the tick after which the scene's first
// step has run. Chosen from the selection dialog.
struct Lead {
    std::string script;
    int ticks;
};
Lead lead_to_story();     // first tick of STORY_SCREEN done
Lead lead_to_shooting();  // first tick of mub_TITLE_SCREEN done
Lead lead_to_whack();     // first tick of mub2_TITLE_SCREEN done

}  // namespace mubtest
