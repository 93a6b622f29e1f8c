// Child processes for the end-to-end tests: started with posix_spawn, waited
// for with a time limit, and killed (by their own pid) if still running when
// the handle goes away.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include <sys/types.h>

namespace e2etest {

class ChildProcess {
public:
    // env_extra: "NAME=value" entries added to this process's environment.
    // stdout_fd: where the child's standard output goes (-1: inherit).
    ChildProcess(const std::vector<std::string> &argv, const std::vector<std::string> &env_extra = {},
                 int stdout_fd = -1);
    ~ChildProcess();
    ChildProcess(const ChildProcess &) = delete;
    ChildProcess &operator=(const ChildProcess &) = delete;

    bool started() const { return pid_ > 0; }
    // The exit status (128 + signal when killed), or nothing if it is still
    // running after the limit.
    std::optional<int> wait_for(std::chrono::milliseconds limit);
    void kill_now();

private:
    pid_t pid_ = -1;
    std::optional<int> status_;
};

// Runs a command to the end and returns its exit status, standard output in `out`.
int run_command(const std::vector<std::string> &argv, const std::vector<std::string> &env_extra,
                std::string *out = nullptr);

// True if the program can be found on PATH.
bool on_path(const std::string &program);

}  // namespace e2etest
