// Runs mubmub-sim as a child process with its outputs in a fresh temporary
// folder, and reads back the state, the trace and the screenshot.
#include "tests/support/sim.h"
#include "tests/support/temp_dir.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include <cerrno>

#include <fcntl.h>
#include <png.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace mubtest {

namespace {

namespace fs = std::filesystem;

std::string read_text(const fs::path &p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::optional<Screenshot> read_png(const fs::path &p) {
    std::FILE *f = std::fopen(p.c_str(), "rb");
    if (!f) return std::nullopt;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        std::fclose(f);
        return std::nullopt;
    }
    Screenshot shot;
    std::vector<png_byte> row;
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        std::fclose(f);
        return std::nullopt;
    }
    png_init_io(png, f);
    png_read_info(png, info);
    // Whatever the file holds, read it as 8-bit RGBA.
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    png_read_update_info(png, info);
    shot.width = int(png_get_image_width(png, info));
    shot.height = int(png_get_image_height(png, info));
    shot.pixels.resize(size_t(shot.width) * size_t(shot.height));
    row.resize(png_get_rowbytes(png, info));
    for (int y = 0; y < shot.height; ++y) {
        png_read_row(png, row.data(), nullptr);
        for (int x = 0; x < shot.width; ++x) {
            const png_byte *px = &row[size_t(x) * 4];
            shot.pixels[size_t(y) * size_t(shot.width) + size_t(x)] =
                (uint32_t(px[0]) << 16) | (uint32_t(px[1]) << 8) | uint32_t(px[2]);
        }
    }
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(f);
    return shot;
}

// Runs the program with standard error going to a file; returns its exit
// status (128 + signal number if it was killed).
int run_process(const std::vector<std::string> &args, const fs::path &stderr_file,
                const std::vector<std::string> &env_extra) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, stderr_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    std::vector<char *> argv;
    for (const auto &a : args) argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    std::vector<std::string> env_strings;
    for (char **e = environ; *e; ++e) {
        const std::string var = *e;
        const std::string name = var.substr(0, var.find('='));
        if (name != "LANGUAGE" && name != "LC_ALL" && name != "LC_MESSAGES" && name != "LANG") env_strings.push_back(var);
    }
    env_strings.insert(env_strings.end(), env_extra.begin(), env_extra.end());
    std::vector<char *> envp;
    for (auto &v : env_strings) envp.push_back(v.data());
    envp.push_back(nullptr);
    const int err = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (err != 0) throw std::runtime_error("cannot start " + args[0]);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) throw std::runtime_error("waitpid failed");
    }
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return -1;
}

}  // namespace

SimRun run_sim(int ticks, const SimOptions &options) {
    TempDir dir("mubsim");
    if (dir.path().empty()) throw std::runtime_error("mkdtemp failed");
    const fs::path script = dir / "script.txt", state = dir / "state.json", trace = dir / "trace.jsonl",
                   shot = dir / "shot.png", errors = dir / "stderr.txt";
    std::vector<std::string> args = {MUB_SIM_PATH, "--state", state.string()};
    if (ticks >= 0) args.insert(args.end(), {"--ticks", std::to_string(ticks)});
    if (!options.script.empty()) {
        std::ofstream(script, std::ios::binary) << options.script;
        args.insert(args.end(), {"--script", script.string()});
    }
    if (options.trace) args.insert(args.end(), {"--trace", trace.string()});
    if (options.screenshot) args.insert(args.end(), {"--screenshot", shot.string()});
    if (options.random_seed) args.insert(args.end(), {"--random", std::to_string(*options.random_seed)});
    args.insert(args.end(), options.extra_args.begin(), options.extra_args.end());

    SimRun run;
    run.exit_status = run_process(args, errors, options.env);
    run.stderr_text = read_text(errors);
    if (fs::exists(state)) run.state = nlohmann::json::parse(read_text(state), nullptr, false);
    if (options.trace && fs::exists(trace)) {
        std::istringstream lines(read_text(trace));
        for (std::string line; std::getline(lines, line);)
            if (!line.empty()) run.trace.push_back(nlohmann::json::parse(line, nullptr, false));
    }
    if (options.screenshot) run.screenshot = read_png(shot);
    return run;
}

// The selection dialog opens during tick 53 and takes the queued answer;
// tick 54 leaves the title, tick 55 applies the choice, and tick 56 is the
// chosen scene's first step.
namespace {
constexpr int kFirstTickOfChoice = 56;
}

Lead lead_to_story() { return {"0 answer 1000\n", kFirstTickOfChoice}; }
Lead lead_to_shooting() { return {"0 answer 1001\n", kFirstTickOfChoice}; }
Lead lead_to_whack() { return {"0 answer 1002\n", kFirstTickOfChoice}; }

}  // namespace mubtest
