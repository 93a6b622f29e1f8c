// The simulator's output files, written all or nothing and never at the cost
// of what stands at their paths.
//
// Every target is checked before the run: a directory, two names for one
// file (or the script itself), a folder that cannot be written, or a special
// file other than a FIFO or a character device is refused. What a path is
// decides how it is written, never the folder it is in:
// - /dev/stdout, /dev/stderr, /dev/fd/N and /proc/self/fd/N are the
//   descriptors the simulator was started with, written where they stand
//   (`>> log` keeps appending) and never reopened;
// - a FIFO or a character device is written directly, never replaced;
// - a new path or a regular file is written to a fresh temporary file beside
//   it (a short name, created exclusively, never through a link) and renamed
//   over it only when every output is complete; a symbolic link to a regular
//   file stays a link, and the file it names is replaced.
// Just before the renames every target is checked again, and a rename that
// fails puts back what the earlier ones replaced. Temporary files are
// removed when a signal ends the process (exit_cleanup.h).
#pragma once

#include <cstdio>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace mub::sim {

class OutputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct OutputTarget {
    std::string option;  // "--state", shown in messages
    std::string path;
};

class Outputs {
public:
    // Checks and prepares every target; throws OutputError naming the first
    // that cannot be used. script_path: the script file, which no output may
    // replace.
    Outputs(const std::vector<OutputTarget> &targets, const std::optional<std::string> &script_path);
    ~Outputs();  // removes the temporary files that were not moved into place
    Outputs(const Outputs &) = delete;
    Outputs &operator=(const Outputs &) = delete;

    std::FILE *stream(size_t i);
    // Finishes every output, then moves each into place; throws OutputError
    // if any write failed or any target changed during the run, in which
    // case every replaced file is back as it was.
    void commit();

private:
    struct Output;
    std::vector<std::unique_ptr<Output>> outputs_;
};

}  // namespace mub::sim
