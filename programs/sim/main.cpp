// mubmub-sim: the whole program from WinMain on, on a virtual clock, driven
// by a script of input events; reports its state, a per-tick trace and a
// screenshot. The work is the simulation library's; this is its command line.
#include <cstdio>
#include <new>
#include <string>
#include <vector>

#include "programs/sim/options.h"
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
    try {
        Script script;
        if (options.script) script = read_script_file(*options.script);
        if (options.ticks < 0) {
            if (!script.end) {
                std::fprintf(stderr, "mubmub-sim: --ticks N is required: the script names no end (a last line 'T end')\n%s",
                             kUsage);
                return kExitUsage;
            }
            options.ticks = *script.end;
        }
        return Simulation(std::move(options), std::move(script)).run();
    } catch (const ScriptError &e) {
        std::fprintf(stderr, "mubmub-sim: %s\n", e.what());
        return kExitUsage;
    } catch (const std::bad_alloc &) {
        // The outputs' temporary files are gone with the run that unwound.
        std::fprintf(stderr, "mubmub-sim: out of memory; no output file was written\n");
        return kExitUsage;
    }
}
