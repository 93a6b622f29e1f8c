// mubmub-sim: the whole program from WinMain on, on a virtual clock, driven
// by a script of input events; reports its state, a per-tick trace and a
// screenshot.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "sim/options.h"
#include "sim/script.h"
#include "sim/simulation.h"

int main(int argc, char **argv) {
    using namespace mub::sim;
    Options options;
    try {
        options = parse_options(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const UsageError &e) {
        std::fprintf(stderr, "mubmub-sim: %s\n%s", e.what(), kUsage);
        return kExitUsage;
    }

    std::vector<ScriptEvent> script;
    if (options.script) {
        std::ostringstream text;
        if (*options.script == "-") {
            text << std::cin.rdbuf();
        } else {
            // A directory opens like a file here and then reads as empty.
            std::error_code ec;
            std::ifstream in(*options.script, std::ios::binary);
            if (!in || std::filesystem::is_directory(*options.script, ec)) {
                std::fprintf(stderr, "mubmub-sim: cannot read the script %s\n", options.script->c_str());
                return kExitUsage;
            }
            text << in.rdbuf();
        }
        try {
            script = parse_script(text.str());
        } catch (const ScriptError &e) {
            std::fprintf(stderr, "mubmub-sim: %s\n", e.what());
            return kExitUsage;
        }
    }
    return Simulation(std::move(options), std::move(script)).run();
}
