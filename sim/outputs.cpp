#include "sim/outputs.h"

#include <atomic>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "sim/exit_cleanup.h"
#include "sim/output_files.h"
#include "sim/script.h"

namespace mub::sim {

namespace fs = std::filesystem;

namespace {

// Two outputs, or an output and the script, are the same file when they
// share a device and inode, or, for files still to be made, a folder and a name.
struct Identity {
    dev_t dev = 0;
    ino_t ino = 0;
    std::string name;  // for a new file, its name in the folder (dev, ino)
    bool operator==(const Identity &) const = default;
};

using files::error_text;

// The descriptor a path names when it names one the process was started
// with: /dev/stdout, /dev/fd/1, /proc/self/fd/1 and the like.
std::optional<int> inherited_descriptor(const std::string &path) {
    if (path == "/dev/stdin") return 0;
    if (path == "/dev/stdout") return 1;
    if (path == "/dev/stderr") return 2;
    const std::string own = "/proc/" + std::to_string(files::process_id()) + "/fd/";
    for (const std::string prefix : {"/dev/fd/", "/proc/self/fd/", "/proc/thread-self/fd/", own.c_str()}) {
        if (path.compare(0, prefix.size(), prefix) != 0) continue;
        const char *first = path.data() + prefix.size(), *last = path.data() + path.size();
        int fd = -1;
        const auto [end, ec] = std::from_chars(first, last, fd);
        if (first != last && *first != '+' && *first != '-' && ec == std::errc() && end == last) return fd;
        return std::nullopt;
    }
    return std::nullopt;
}

// A name for a temporary file in `folder` that no other file has: short, so
// that it fits wherever the target's own name fits.
std::string temporary_name(const fs::path &folder) {
    static std::atomic<unsigned> counter{0};
    const std::string name = ".mubmub-" + std::to_string(files::process_id()) + "-" + std::to_string(counter++);
    return (folder / name).string();
}

fs::path folder_of(const std::string &path) {
    fs::path folder = fs::path(path).parent_path();
    return folder.empty() ? fs::path(".") : folder;
}

}  // namespace

struct Outputs::Output {
    std::string option, path;
    std::optional<int> inherited;  // the descriptor the path names
    std::string final_path;        // what the temporary file is renamed to
    std::string temp;              // empty for a direct output
    std::FILE *file = nullptr;
    int cleanup_slot = -1;
    Identity identity;
    // What stood at final_path before the run: nothing, or a regular file.
    bool existed = false;
    dev_t existed_dev = 0;
    ino_t existed_ino = 0;
    // While committing: the replaced file, kept under another name.
    std::string kept;

    Output() = default;
    Output(const Output &) = delete;
    Output &operator=(const Output &) = delete;
    ~Output() { discard(); }

    [[noreturn]] void refuse(const std::string &why) const {
        throw OutputError("cannot write " + option + " " + shown(path) + ": " + why);
    }

    // A descriptor the process was started with: checked before any file
    // of the run is opened, so that none of ours is taken for it.
    void inspect_inherited() {
        const files::Inherited d = files::inspect_inherited(*inherited);
        const std::string which = "descriptor " + std::to_string(*inherited);
#ifdef __EMSCRIPTEN__
        if (d.error && *inherited > 2) refuse("under node only descriptors 0, 1 and 2 can be written");
#endif
        if (d.error) refuse(which + " is not open (" + error_text(d.error) + ")");
        if (S_ISDIR(d.mode)) refuse(which + " is a directory");
        if (!d.writable) refuse(which + " is open for reading only");
        identity = {d.dev, d.ino, {}};
        shared_device = S_ISCHR(d.mode);
    }
    bool shared_device = false;  // a character device, which any number of outputs may share

    void prepare() {
        if (inherited) {
            file = files::open_inherited(*inherited);
            if (!file) refuse(error_text(errno));
            return;
        }
        struct stat st;
        if (::lstat(path.c_str(), &st) != 0) {
            if (errno != ENOENT) refuse(error_text(errno));
            return prepare_new();
        }
        const bool link = S_ISLNK(st.st_mode);
        if (link && ::stat(path.c_str(), &st) != 0) refuse("it is a symbolic link to nothing");
        if (S_ISDIR(st.st_mode)) refuse("it is a directory");
        identity = {st.st_dev, st.st_ino, {}};
        if (S_ISFIFO(st.st_mode) || S_ISCHR(st.st_mode)) {
            shared_device = S_ISCHR(st.st_mode);
            file = files::open_in_place(path);
            if (!file) refuse(error_text(errno));
            return;
        }
        if (!S_ISREG(st.st_mode)) refuse("it is not a regular file, a FIFO or a character device");
        std::error_code ec;
        const fs::path real = link ? fs::canonical(path, ec) : fs::path(path);
        if (ec) refuse(ec.message());
        existed = true;
        existed_dev = st.st_dev;
        existed_ino = st.st_ino;
        open_temp(real.string(), st);
    }

    void prepare_new() {
        const fs::path folder = folder_of(path);
        struct stat st;
        if (::stat(folder.c_str(), &st) != 0) refuse(error_text(errno));
        if (!S_ISDIR(st.st_mode)) refuse(shown(folder.string()) + " is not a folder");
        identity = {st.st_dev, st.st_ino, fs::path(path).filename().string()};
        open_temp(path, std::nullopt);
    }

    // A fresh file beside the target, made exclusively: a file or a link
    // that already has the name is never opened, another name is taken.
    void open_temp(const std::string &target, const std::optional<struct stat> &replaced) {
        final_path = target;
        exit_cleanup::install();
        // A signal waits until the new file is known to the cleanup; only a
        // file this run made is ever removed.
        const exit_cleanup::Hold hold;
        int fd = -1;
        for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
            temp = temporary_name(folder_of(target));
            fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
            if (fd < 0 && errno != EEXIST) {
                const int err = errno;
                temp.clear();
                refuse("no file can be made in its folder " + shown(folder_of(target).string()) + " (" +
                       error_text(err) + ")");
            }
        }
        if (fd < 0) {
            temp.clear();
            refuse("no free name for a temporary file beside it");
        }
        cleanup_slot = exit_cleanup::remember(temp);
        // A replaced file keeps its permissions, and its owner and group
        // where the system lets us give them; a new one gets 0644 less the umask.
        if (replaced) {
            (void)::fchown(fd, replaced->st_uid, replaced->st_gid);
            (void)::fchmod(fd, replaced->st_mode & 07777);
        }
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

    // Why the target may no longer be replaced, if it changed during the run.
    std::optional<std::string> changed() const {
        struct stat st;
        if (::lstat(final_path.c_str(), &st) != 0) return std::nullopt;  // gone: nothing to harm
        if (S_ISDIR(st.st_mode)) return "it became a directory during the run";
        if (!existed) return "something was made at its path during the run";
        if (!S_ISREG(st.st_mode) || st.st_dev != existed_dev || st.st_ino != existed_ino)
            return "it was replaced during the run";
        return std::nullopt;
    }

    // Moves the finished file into place, keeping what it replaces under a
    // temporary name until every output is in place.
    void replace() {
        if (::access(final_path.c_str(), F_OK) == 0) {
            // A second name for the old file; where the file system has no
            // hard links, the old file itself moves aside for the moment.
            for (int attempt = 0; kept.empty() && attempt < 100; ++attempt) {
                const std::string name = temporary_name(folder_of(final_path));
                const int err = files::hard_link(final_path, name);
                if (err == 0) {
                    kept = name;
                } else if (err != EEXIST) {
                    if (::access(name.c_str(), F_OK) == 0) continue;
                    if (std::rename(final_path.c_str(), name.c_str()) != 0) refuse(error_text(errno));
                    kept = name;
                }
            }
            if (kept.empty()) refuse("no free name to keep the old file under");
        }
        if (std::rename(temp.c_str(), final_path.c_str()) != 0) {
            const int err = errno;
            put_back();
            refuse(error_text(err));
        }
        exit_cleanup::forget(cleanup_slot);
        cleanup_slot = -1;
        temp.clear();
    }

    // Undoes replace(): the old file, its inode with its owner and its other
    // names, is back at the path; a new target is gone again.
    void put_back() {
        if (!kept.empty()) {
            std::rename(kept.c_str(), final_path.c_str());
        } else if (temp.empty()) {
            ::unlink(final_path.c_str());
        }
        kept.clear();
    }

    void drop_kept() {
        if (!kept.empty()) ::unlink(kept.c_str());
        kept.clear();
    }

    void discard() {
        if (file) std::fclose(file), file = nullptr;
        if (!temp.empty()) ::unlink(temp.c_str());
        exit_cleanup::forget(cleanup_slot);
        cleanup_slot = -1;
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
        out->inherited = inherited_descriptor(t.path);
        if (out->inherited) out->inspect_inherited();
        outputs_.push_back(std::move(out));
    }
    for (size_t k = 0; k < outputs_.size(); ++k) {
        Output &o = *outputs_[k];
        o.prepare();
        if (script && o.identity == *script) o.refuse("it is the script");
        for (size_t i = 0; i < k; ++i)
            if (outputs_[i]->identity == o.identity && !(o.shared_device && outputs_[i]->shared_device))
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

    const exit_cleanup::Hold hold;  // a signal waits until this is done
    for (auto &o : outputs_)
        if (!o->temp.empty())
            if (auto why = o->changed()) o->refuse(*why);
    size_t done = 0;
    try {
        for (; done < outputs_.size(); ++done)
            if (!outputs_[done]->temp.empty()) outputs_[done]->replace();
    } catch (const OutputError &) {
        while (done-- > 0) outputs_[done]->put_back();
        throw;
    }
    for (auto &o : outputs_) o->drop_kept();
}

}  // namespace mub::sim
