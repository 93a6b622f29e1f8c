#include "tests/e2e/child_process.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace e2etest {

namespace {

int decode_status(int status) {
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return -1;
}

// The tests' own locale variables are not passed on: they would choose the
// program's edition, which a test names when it means one.
std::vector<std::string> environment_with(const std::vector<std::string> &extra) {
    std::vector<std::string> env;
    for (char **e = environ; *e; ++e) {
        const std::string entry = *e;
        const std::string name = entry.substr(0, entry.find('='));
        if (name == "LANGUAGE" || name == "LC_ALL" || name == "LC_MESSAGES" || name == "LANG") continue;
        bool replaced = false;
        for (const auto &x : extra) replaced |= x.substr(0, x.find('=')) == name;
        if (!replaced) env.push_back(entry);
    }
    env.insert(env.end(), extra.begin(), extra.end());
    return env;
}

std::vector<char *> pointers(std::vector<std::string> &strings) {
    std::vector<char *> p;
    for (auto &s : strings) p.push_back(s.data());
    p.push_back(nullptr);
    return p;
}

}  // namespace

ChildProcess::ChildProcess(const std::vector<std::string> &argv, const std::vector<std::string> &env_extra,
                           int stdout_fd) {
    std::vector<std::string> args = argv, env = environment_with(env_extra);
    auto argp = pointers(args), envp = pointers(env);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    if (stdout_fd >= 0) posix_spawn_file_actions_adddup2(&actions, stdout_fd, STDOUT_FILENO);
    if (posix_spawnp(&pid_, argp[0], &actions, nullptr, argp.data(), envp.data()) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
}

ChildProcess::~ChildProcess() {
    if (pid_ > 0 && !status_) kill_now();
}

std::optional<int> ChildProcess::wait_for(std::chrono::milliseconds limit) {
    if (status_ || pid_ <= 0) return status_;
    const auto end = std::chrono::steady_clock::now() + limit;
    for (;;) {
        int status = 0;
        const pid_t r = ::waitpid(pid_, &status, WNOHANG);
        if (r == pid_) return status_ = decode_status(status);
        if (r < 0 && errno != EINTR) return std::nullopt;
        if (std::chrono::steady_clock::now() >= end) return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

void ChildProcess::kill_now() {
    if (pid_ <= 0 || status_) return;
    // Asked first, so that an X server removes its lock file.
    ::kill(pid_, SIGTERM);
    if (wait_for(std::chrono::seconds(2))) return;
    ::kill(pid_, SIGKILL);
    int status = 0;
    while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    status_ = decode_status(status);
}

int run_command(const std::vector<std::string> &argv, const std::vector<std::string> &env_extra, std::string *out) {
    constexpr auto kLimit = std::chrono::seconds(20);
    int pipe_fds[2];
    if (::pipe2(pipe_fds, O_CLOEXEC) != 0) return -1;
    ChildProcess child(argv, env_extra, pipe_fds[1]);
    ::close(pipe_fds[1]);
    // Read until the output ends, but never longer than the limit: a tool
    // that hangs (say, waiting for a window that never comes) fails the test.
    const auto end = std::chrono::steady_clock::now() + kLimit;
    std::string text;
    char buf[4096];
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
        if (left.count() <= 0) break;
        pollfd pfd{pipe_fds[0], POLLIN, 0};
        const int ready = ::poll(&pfd, 1, int(left.count()));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) break;
        const ssize_t n = ::read(pipe_fds[0], buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        text.append(buf, size_t(n));
    }
    ::close(pipe_fds[0]);
    if (out) *out = text;
    const auto status = child.wait_for(std::chrono::seconds(1));
    return status ? *status : -1;  // the child is killed when it goes out of scope
}

bool on_path(const std::string &program) {
    const char *path = std::getenv("PATH");
    if (!path) return false;
    std::stringstream dirs(path);
    for (std::string dir; std::getline(dirs, dir, ':');) {
        if (!dir.empty() && ::access((std::filesystem::path(dir) / program).c_str(), X_OK) == 0) return true;
    }
    return false;
}

}  // namespace e2etest
