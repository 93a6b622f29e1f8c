#include "sim/outputs.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include "sim/script.h"

namespace mub::sim {

namespace fs = std::filesystem;

namespace {

// --- Temporary files the signal handler removes -----------------------------
// Fixed storage: the handler may only touch what needs no allocation.
constexpr int kMaxPartials = 8;
char g_partials[kMaxPartials][PATH_MAX];
std::atomic<bool> g_partial_used[kMaxPartials];

extern "C" void remove_partials_and_die(int sig) {
    for (int i = 0; i < kMaxPartials; ++i)
        if (g_partial_used[i].load()) ::unlink(g_partials[i]);
    std::signal(sig, SIG_DFL);
    std::raise(sig);
}

int remember_partial(const std::string &path) {
    static const bool installed = [] {
        std::signal(SIGINT, remove_partials_and_die);
        std::signal(SIGTERM, remove_partials_and_die);
        return true;
    }();
    (void)installed;
    if (path.size() >= PATH_MAX) return -1;
    for (int i = 0; i < kMaxPartials; ++i) {
        if (g_partial_used[i].load()) continue;
        std::memcpy(g_partials[i], path.c_str(), path.size() + 1);
        g_partial_used[i].store(true);
        return i;
    }
    return -1;
}

void forget_partial(int slot) {
    if (slot >= 0) g_partial_used[slot].store(false);
}

// --- What stands at a path --------------------------------------------------
// Two outputs, or an output and the script, are the same file when they
// share a device and inode, or, for files still to be made, a folder and a name.
struct Identity {
    dev_t dev = 0;
    ino_t ino = 0;
    std::string name;  // for a new file, its name in the folder (dev, ino)
    bool operator==(const Identity &) const = default;
};

std::string error_text(int err) { return std::strerror(err); }

}  // namespace

struct Outputs::Output {
    std::string option, path;
    std::string final_path;  // what the temporary file is renamed to
    std::string temp;        // empty for a direct output
    std::FILE *file = nullptr;
    int partial_slot = -1;
    Identity identity;

    Output() = default;
    Output(const Output &) = delete;
    Output &operator=(const Output &) = delete;
    ~Output() { discard(); }

    [[noreturn]] void refuse(const std::string &why) const {
        throw OutputError("cannot write " + option + " " + shown(path) + ": " + why);
    }

    void prepare() {
        // Nothing is ever made under /dev/: a name there that does not exist is
        // a device this machine lacks, not a file to create.
        const bool device_path = path.rfind("/dev/", 0) == 0;
        struct stat st;
        if (::lstat(path.c_str(), &st) != 0) {
            if (errno != ENOENT || device_path) refuse(error_text(errno));
            return prepare_new(path);
        }
        const bool link = S_ISLNK(st.st_mode);
        if (link && ::stat(path.c_str(), &st) != 0) refuse("it is a symbolic link to nothing");
        if (S_ISDIR(st.st_mode)) refuse("it is a directory");
        identity = {st.st_dev, st.st_ino, {}};
        if (S_ISFIFO(st.st_mode) || S_ISCHR(st.st_mode) || device_path) return open_direct();
        if (!S_ISREG(st.st_mode)) refuse("it is not a regular file, a FIFO or a character device");
        std::error_code ec;
        const fs::path real = link ? fs::canonical(path, ec) : fs::path(path);
        if (ec) refuse(ec.message());
        open_temp(real, st.st_mode & 0777);
    }

    void prepare_new(const std::string &p) {
        fs::path folder = fs::path(p).parent_path();
        if (folder.empty()) folder = ".";
        struct stat st;
        if (::stat(folder.c_str(), &st) != 0) refuse(error_text(errno));
        if (!S_ISDIR(st.st_mode)) refuse(shown(folder.string()) + " is not a folder");
        identity = {st.st_dev, st.st_ino, fs::path(p).filename().string()};
        open_temp(p, 0644);
    }

    // A FIFO or a device: written as it is, never replaced.
    void open_direct() {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
        if (fd < 0) refuse(error_text(errno));
        file = ::fdopen(fd, "wb");
        if (!file) {
            ::close(fd);
            refuse(error_text(errno));
        }
    }

    // A fresh file beside the target, made exclusively: a file or a link
    // that already has the name is never opened, another name is taken.
    void open_temp(const fs::path &target, mode_t mode) {
        final_path = target.string();
        const std::string base = final_path + ".partial-" + std::to_string(::getpid());
        int fd = -1;
        for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
            temp = attempt ? base + "-" + std::to_string(attempt) : base;
            fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
            if (fd < 0 && errno != EEXIST) {
                const int err = errno;
                temp.clear();
                refuse(error_text(err));
            }
        }
        if (fd < 0) {
            temp.clear();
            refuse("no free name for a temporary file beside it");
        }
        partial_slot = remember_partial(temp);
        // A replaced file keeps its permissions; a new one gets 0644 (less the umask).
        if (mode != 0644) (void)::fchmod(fd, mode);
        file = ::fdopen(fd, "wb");
        if (!file) {
            ::close(fd);
            refuse(error_text(errno));
        }
    }

    // Flushes and closes; the error if any write failed.
    std::optional<std::string> finish() {
        if (!file) return std::nullopt;
        errno = 0;
        const bool flushed = std::fflush(file) == 0 && !std::ferror(file);
        const int flush_err = errno;
        const bool closed = std::fclose(file) == 0;
        const int close_err = errno;
        file = nullptr;
        if (flushed && closed) return std::nullopt;
        const int err = !flushed ? flush_err : close_err;
        return "cannot write " + option + " " + shown(path) + ": " + (err ? error_text(err) : "write error");
    }

    void discard() {
        if (file) std::fclose(file), file = nullptr;
        if (!temp.empty()) ::unlink(temp.c_str());
        forget_partial(partial_slot);
        partial_slot = -1;
        temp.clear();
    }
};

Outputs::Outputs(const std::vector<OutputTarget> &targets, const std::optional<std::string> &script_path) {
    std::optional<Identity> script;
    if (script_path && *script_path != "-") {
        struct stat st;
        if (::stat(script_path->c_str(), &st) == 0) script = Identity{st.st_dev, st.st_ino, {}};
    }
    for (const OutputTarget &t : targets) {
        auto out = std::make_unique<Output>();
        out->option = t.option;
        out->path = t.path;
        outputs_.push_back(std::move(out));
        Output &o = *outputs_.back();
        o.prepare();
        if (script && o.identity == *script) o.refuse("it is the script");
        for (size_t i = 0; i + 1 < outputs_.size(); ++i)
            if (outputs_[i]->identity == o.identity)
                o.refuse("it is the same file as " + outputs_[i]->option + " " + shown(outputs_[i]->path));
    }
}

Outputs::~Outputs() = default;

std::FILE *Outputs::stream(size_t i) { return outputs_.at(i)->file; }

void Outputs::commit() {
    std::optional<std::string> error;
    for (auto &o : outputs_)
        if (auto e = o->finish(); e && !error) error = e;
    if (error) throw OutputError(*error);
    for (auto &o : outputs_) {
        if (o->temp.empty()) continue;
        if (std::rename(o->temp.c_str(), o->final_path.c_str()) != 0) o->refuse(error_text(errno));
        forget_partial(o->partial_slot);
        o->partial_slot = -1;
        o->temp.clear();
    }
}

}  // namespace mub::sim
