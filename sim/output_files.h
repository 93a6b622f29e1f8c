// What the script and the outputs need from the system beyond plain POSIX files, which the
// native simulator and the one under node (Emscripten) get differently:
// node's own descriptors cannot be duplicated through Emscripten, and its
// writes to an opened path assume a file that can seek.
#pragma once

#include <cstdio>
#include <string>

#include <sys/types.h>

namespace mub::sim::files {

// A descriptor the simulator was started with.
struct Inherited {
    int error = 0;  // errno when it is not open
    bool writable = false;
    mode_t mode = 0;
    dev_t dev = 0;
    ino_t ino = 0;
};
Inherited inspect_inherited(int fd);

// A stream that writes to the inherited descriptor itself (its position, its
// O_APPEND), never reopening what it names; null with errno set on failure.
std::FILE *open_inherited(int fd);
// A stream on a FIFO or a device, opened for writing without truncating or
// creating it; null with errno set on failure.
std::FILE *open_in_place(const std::string &path);

// A file to read from its start to its end, a pipe or a FIFO too; null with
// errno set on failure.
std::FILE *open_for_reading(const std::string &path);

// link(2): 0, or the errno.
int hard_link(const std::string &from, const std::string &to);

long process_id();

// strerror(), in the same words natively and under node (whose C library
// words some errors differently).
std::string error_text(int err);

}  // namespace mub::sim::files
