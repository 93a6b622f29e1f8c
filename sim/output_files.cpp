#include "sim/output_files.h"

#include <cerrno>
#include <cstdint>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#ifdef __EMSCRIPTEN__
// programs/sim/node/files.js
extern "C" {
int mub_node_process_id();
int mub_node_inspect(int fd, void *out);
int mub_node_open_in_place(const char *path);
int mub_node_write(int fd, const void *buf, size_t len);
int mub_node_open_read(const char *path);
int mub_node_read(int fd, void *buf, size_t len);
void mub_node_close(int fd);
int mub_node_link(const char *from, const char *to);
}
#endif

namespace mub::sim::files {

#ifdef __EMSCRIPTEN__

namespace {

// A stream over one of node's descriptors, written where the descriptor
// stands; closing it leaves an inherited descriptor open.
struct NodeFd {
    int fd;
    bool owned;
};

ssize_t node_write(void *cookie, const char *buf, size_t len) {
    const int n = mub_node_write(static_cast<NodeFd *>(cookie)->fd, buf, len);
    if (n < 0) {
        errno = -n;
        return -1;
    }
    return n;
}

ssize_t node_read(void *cookie, char *buf, size_t len) {
    const int n = mub_node_read(static_cast<NodeFd *>(cookie)->fd, buf, len);
    if (n < 0) {
        errno = -n;
        return -1;
    }
    return n;
}

int node_close(void *cookie) {
    auto *c = static_cast<NodeFd *>(cookie);
    if (c->owned) mub_node_close(c->fd);
    delete c;
    return 0;
}

std::FILE *node_stream(int fd, bool owned) {
    cookie_io_functions_t io{};
    io.write = node_write;
    io.close = node_close;
    return ::fopencookie(new NodeFd{fd, owned}, "w", io);
}

}  // namespace

Inherited inspect_inherited(int fd) {
    alignas(8) int32_t out[6] = {};
    Inherited r;
    if (const int rc = mub_node_inspect(fd, out); rc < 0) {
        r.error = -rc;
        return r;
    }
    r.mode = mode_t(out[0]);
    r.dev = dev_t(out[1]);
    double ino;
    static_assert(sizeof ino == 8);
    __builtin_memcpy(&ino, &out[2], 8);
    r.ino = ino_t(ino);
    r.writable = out[4] != 0;
    return r;
}

std::FILE *open_inherited(int fd) { return node_stream(fd, false); }

std::FILE *open_for_reading(const std::string &path) {
    const int fd = mub_node_open_read(path.c_str());
    if (fd < 0) {
        errno = -fd;
        return nullptr;
    }
    cookie_io_functions_t io{};
    io.read = node_read;
    io.close = node_close;
    return ::fopencookie(new NodeFd{fd, true}, "r", io);
}

std::FILE *open_in_place(const std::string &path) {
    const int fd = mub_node_open_in_place(path.c_str());
    if (fd < 0) {
        errno = -fd;
        return nullptr;
    }
    return node_stream(fd, true);
}

int hard_link(const std::string &from, const std::string &to) { return -mub_node_link(from.c_str(), to.c_str()); }

long process_id() { return mub_node_process_id(); }

#else

Inherited inspect_inherited(int fd) {
    Inherited r;
    struct stat st;
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fstat(fd, &st) != 0) {
        r.error = errno;
        return r;
    }
    r.writable = (flags & O_ACCMODE) != O_RDONLY;
    r.mode = st.st_mode;
    r.dev = st.st_dev;
    r.ino = st.st_ino;
    return r;
}

namespace {
std::FILE *stream_on(int fd) {
    if (fd < 0) return nullptr;
    // "w" on a descriptor truncates nothing and leaves its O_APPEND as it is.
    std::FILE *f = ::fdopen(fd, "wb");
    if (!f) {
        const int err = errno;
        ::close(fd);
        errno = err;
    }
    return f;
}
}  // namespace

std::FILE *open_inherited(int fd) { return stream_on(::fcntl(fd, F_DUPFD_CLOEXEC, 3)); }

std::FILE *open_in_place(const std::string &path) {
    return stream_on(::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY));
}

std::FILE *open_for_reading(const std::string &path) { return std::fopen(path.c_str(), "rb"); }

int hard_link(const std::string &from, const std::string &to) { return ::link(from.c_str(), to.c_str()) == 0 ? 0 : errno; }

long process_id() { return ::getpid(); }

#endif

std::string error_text(int err) {
#ifdef __EMSCRIPTEN__
    switch (err) {
    case ENAMETOOLONG: return "File name too long";
    case EIO: return "Input/output error";
    case ELOOP: return "Too many levels of symbolic links";
    case EXDEV: return "Invalid cross-device link";
    case ESPIPE: return "Illegal seek";
    case EBUSY: return "Device or resource busy";
    case ENXIO: return "No such device or address";
    default: break;
    }
#endif
    return std::strerror(err);
}

}  // namespace mub::sim::files
